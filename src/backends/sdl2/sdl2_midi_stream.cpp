// The SDL2 MIDI stream device: 12-byte stream events scheduled in sample time and played on FluidSynth.
#include "backends/sdl2/sdl2_midi_stream.h"

#include <chrono>

#include <SDL.h>
#include <fluidsynth.h>

namespace vorna {

namespace {

class RealEvent : public SyncEvent {
public:
    void Set() override {
        std::lock_guard<std::mutex> lock(m_);
        signalled_ = true;
        cv_.notify_all();
    }
    bool Wait(uint32_t timeoutMs) override {
        std::unique_lock<std::mutex> lock(m_);
        if (!cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return signalled_; })) return false;
        signalled_ = false;
        return true;
    }

private:
    std::mutex m_;
    std::condition_variable cv_;
    bool signalled_ = false;
};

void Quiet(int, const char*, void*) {}

constexpr int kPolyphony = 64;
constexpr double kSynthGain = 0.4;
constexpr int kAllChannels = -1; // FluidSynth's "every channel" for per-channel settings

} // namespace

Sdl2MidiStream::Sdl2MidiStream(int sampleRate, std::mutex& mixLock, std::function<bool()> openOutput,
                               const char* soundFont)
    : QueuedMidiStreamDevice(uint32_t(sampleRate > 0 ? sampleRate : 1), *this), mix_(mixLock),
      openOutput_(std::move(openOutput)) {
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) fluid_set_log_function(level, Quiet, nullptr);
    if (soundFont) {
        loader_ = std::thread([this, sampleRate, font = std::string(soundFont)] { LoadSynth(sampleRate, font); });
    } else {
        loadEnded_ = true;
    }
    stream_.StartNotifier(false);
}

void Sdl2MidiStream::LoadSynth(int sampleRate, const std::string& soundFont) {
    // Reading the SoundFont takes tens of milliseconds of processor time that the window's first frames
    // need more: it gets only what they leave (music that starts before it only waits, see channels_).
    SDL_SetThreadPriority(SDL_THREAD_PRIORITY_LOW);
    fluid_settings_t* settings = new_fluid_settings();
    fluid_synth_t* synth = nullptr;
    if (settings) {
        fluid_settings_setnum(settings, "synth.sample-rate", sampleRate);
        fluid_settings_setint(settings, "synth.polyphony", kPolyphony);
        fluid_settings_setint(settings, "synth.reverb.active", 0);
        fluid_settings_setint(settings, "synth.chorus.active", 0);
        fluid_settings_setnum(settings, "synth.gain", kSynthGain);
        fluid_settings_setint(settings, "synth.threadsafe-api", 0);
        // Pinning the whole font (over 100 MB for the usual one) buys nothing on a desktop, and unpinning
        // it walks every page again at exit.
        fluid_settings_setint(settings, "synth.lock-memory", 0);
        synth = new_fluid_synth(settings);
        if (synth && fluid_synth_sfload(synth, soundFont.c_str(), 1) == FLUID_FAILED) {
            delete_fluid_synth(synth);
            synth = nullptr;
        }
        // Straight-line interpolation between samples: at 22 kHz it sounds like the fourth-order default
        // but for a little more brightness on notes played far above their recording, and it takes a
        // sixth less of the synthesizer's time, which is most of what the program costs while music plays.
        if (synth) fluid_synth_set_interp_method(synth, kAllChannels, FLUID_INTERP_LINEAR);
    }
    std::lock_guard<std::mutex> lock(mix_);
    settings_ = settings;
    synth_ = synth;
    // A song that started before the font was there keeps its instruments and controllers.
    if (synth_) channels_.Replay([this](uint32_t message) { ToSynth(message); });
    loadEnded_ = true;
    loaded_.notify_all();
}

bool Sdl2MidiStream::HasSynth() {
    std::unique_lock<std::mutex> lock(mix_);
    loaded_.wait(lock, [this] { return loadEnded_; });
    return synth_ != nullptr;
}

Sdl2MidiStream::~Sdl2MidiStream() {
    if (loader_.joinable()) loader_.join();
    stream_.StopNotifier();
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
}

uint32_t Sdl2MidiStream::Open(MidiStreamCallback callback, void* context) {
    if (!openOutput_()) return MMSYSERR_ERROR;
    const uint32_t r = stream_.Open(callback, context);
    if (r == MMSYSERR_NOERROR) {
        std::lock_guard<std::mutex> lock(mix_);
        channels_.Clear();
        if (synth_) fluid_synth_system_reset(synth_);
    }
    return r;
}

uint32_t Sdl2MidiStream::Stop() {
    const uint32_t r = stream_.Stop();
    if (r == MMSYSERR_NOERROR) {
        std::lock_guard<std::mutex> lock(mix_);
        if (synth_) fluid_synth_all_notes_off(synth_, -1);
    }
    return r;
}

uint32_t Sdl2MidiStream::Reset() {
    const uint32_t r = stream_.CheckOpen();
    if (r == MMSYSERR_NOERROR) {
        std::lock_guard<std::mutex> lock(mix_);
        if (synth_)
            for (int channel = 0; channel < kMidiChannelCount; ++channel) fluid_synth_all_sounds_off(synth_, channel);
    }
    return r;
}

uint32_t Sdl2MidiStream::Close() {
    const uint32_t r = stream_.Close();
    if (r == MMSYSERR_NOERROR) {
        std::lock_guard<std::mutex> lock(mix_);
        channels_.Clear();
        if (synth_) fluid_synth_system_reset(synth_);
    }
    return r;
}

SyncEvent* Sdl2MidiStream::CreateEvent() {
    return new RealEvent();
}

void Sdl2MidiStream::DestroyEvent(SyncEvent* event) {
    delete event;
}

void Sdl2MidiStream::Send(uint32_t m) {
    channels_.Note(m);
    if (synth_) ToSynth(m);
}

void Sdl2MidiStream::ToSynth(uint32_t m) {
    const int channel = MidiChannelOf(m), d1 = MidiFirstDataOf(m), d2 = MidiSecondDataOf(m);
    switch (MidiStatusOf(m)) {
    case kMidiNoteOff:
        fluid_synth_noteoff(synth_, channel, d1);
        break;
    case kMidiNoteOn:
        d2 ? fluid_synth_noteon(synth_, channel, d1, d2) : fluid_synth_noteoff(synth_, channel, d1);
        break;
    case kMidiKeyPressure:
        fluid_synth_key_pressure(synth_, channel, d1, d2);
        break;
    case kMidiControlChange:
        fluid_synth_cc(synth_, channel, d1, d2);
        break;
    case kMidiProgramChange:
        fluid_synth_program_change(synth_, channel, d1);
        break;
    case kMidiChannelPressure:
        fluid_synth_channel_pressure(synth_, channel, d1);
        break;
    case kMidiPitchBend:
        fluid_synth_pitch_bend(synth_, channel, d1 | d2 << kMidiDataBits);
        break;
    default:
        break;
    }
}

void Sdl2MidiStream::Synthesize(float* out, int frames) {
    if (!synth_ || frames <= 0) return;
    if (scratch_.size() < size_t(frames) * 2) scratch_.resize(size_t(frames) * 2);
    fluid_synth_write_float(synth_, frames, scratch_.data(), 0, 2, scratch_.data(), 1, 2);
    for (int i = 0; i < 2 * frames; ++i) out[i] += scratch_[size_t(i)];
}

void Sdl2MidiStream::RenderInto(float* out, int frames) {
    if (frames <= 0) return;
    block_ = out;
    rendered_ = 0;
    // A paused or starved stream's clock stands; the synthesizer still lets its notes ring out.
    stream_.Play(uint64_t(frames), false);
    Synthesize(out + 2 * rendered_, frames - rendered_);
    block_ = nullptr;
}

void Sdl2MidiStream::PlayEvent(uint64_t offset, uint64_t, uint32_t word) {
    const int due = int(offset);
    if (due > rendered_) {
        Synthesize(block_ + 2 * rendered_, due - rendered_);
        rendered_ = due;
    }
    if ((word >> kMidiEventTypeShift) == kMidiEventShort) Send(word);
}

} // namespace vorna
