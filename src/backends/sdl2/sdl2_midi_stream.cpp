// The SDL2 MIDI stream device: 12-byte stream events scheduled in sample time and played on FluidSynth.
#include "backends/sdl2/sdl2_midi_stream.h"

#include <chrono>
#include <cstring>

#include <fluidsynth.h>

namespace vorna {

namespace {

constexpr uint32_t kPrepared = 2, kQueued = 4;
constexpr uint32_t kInvalidHandle = 5, kUnprepared = 64, kStillPlaying = 65;

uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

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

} // namespace

Sdl2MidiStream::Sdl2MidiStream(int sampleRate, std::mutex& mixLock, std::function<bool()> openOutput,
                               const char* soundFont)
    : rate_(sampleRate), mix_(mixLock), openOutput_(std::move(openOutput)) {
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) fluid_set_log_function(level, Quiet, nullptr);
    if (soundFont) {
        settings_ = new_fluid_settings();
        if (settings_) {
            fluid_settings_setnum(settings_, "synth.sample-rate", sampleRate);
            fluid_settings_setint(settings_, "synth.polyphony", 64);
            fluid_settings_setint(settings_, "synth.reverb.active", 0);
            fluid_settings_setint(settings_, "synth.chorus.active", 0);
            fluid_settings_setnum(settings_, "synth.gain", 0.4);
            fluid_settings_setint(settings_, "synth.threadsafe-api", 0);
            synth_ = new_fluid_synth(settings_);
            if (synth_ && fluid_synth_sfload(synth_, soundFont, 1) == FLUID_FAILED) {
                delete_fluid_synth(synth_);
                synth_ = nullptr;
            }
        }
    }
    notifier_ = std::thread([this] { NotifierMain(); });
}

Sdl2MidiStream::~Sdl2MidiStream() {
    {
        std::lock_guard<std::mutex> lock(pendingLock_);
        quit_ = true;
        pendingChanged_.notify_all();
    }
    notifier_.join();
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
}

uint32_t Sdl2MidiStream::Open(MidiStreamCallback callback, void* context) {
    if (!openOutput_()) return MMSYSERR_ERROR;
    std::lock_guard<std::mutex> d(delivery_);
    std::lock_guard<std::mutex> lock(mix_);
    if (open_) return MMSYSERR_ERROR;
    open_ = true;
    paused_ = true;
    callback_ = callback;
    context_ = context;
    queue_.clear();
    eventIndex_ = 0;
    waiting_ = false;
    tempo_ = 500000;
    division_ = 96;
    if (synth_) fluid_synth_system_reset(synth_);
    return MMSYSERR_NOERROR;
}

uint32_t Sdl2MidiStream::SetTimeDivision(uint32_t ticksPerQuarter) {
    std::lock_guard<std::mutex> lock(mix_);
    if (!open_) return kInvalidHandle;
    // SMPTE divisions (top bit set) are not supported by the stream; an unusable value is refused.
    if (ticksPerQuarter == 0 || ticksPerQuarter >= 0x8000) return MMSYSERR_ERROR;
    division_ = ticksPerQuarter;
    return MMSYSERR_NOERROR;
}

uint32_t Sdl2MidiStream::PrepareHeader(MidiHeader* header) {
    std::lock_guard<std::mutex> lock(mix_);
    if (!open_) return kInvalidHandle;
    if (!header || !header->data) return MMSYSERR_ERROR;
    header->flags |= kPrepared;
    return MMSYSERR_NOERROR;
}

uint32_t Sdl2MidiStream::UnprepareHeader(MidiHeader* header) {
    std::lock_guard<std::mutex> lock(mix_);
    if (!header) return MMSYSERR_ERROR;
    if (header->flags & kQueued) return kStillPlaying;
    header->flags &= ~kPrepared;
    return MMSYSERR_NOERROR;
}

uint32_t Sdl2MidiStream::Out(MidiHeader* header) {
    std::lock_guard<std::mutex> lock(mix_);
    if (!open_) return kInvalidHandle;
    if (!header || !(header->flags & kPrepared)) return kUnprepared;
    header->flags |= kQueued;
    queue_.push_back(header);
    return MMSYSERR_NOERROR;
}

uint32_t Sdl2MidiStream::Restart() {
    std::lock_guard<std::mutex> lock(mix_);
    if (!open_) return kInvalidHandle;
    paused_ = false;
    return MMSYSERR_NOERROR;
}

uint32_t Sdl2MidiStream::Stop() {
    // Waits for a done-callback in progress, so that a buffer it queues again is handed back as well.
    std::lock_guard<std::mutex> d(delivery_);
    std::lock_guard<std::mutex> lock(mix_);
    if (!open_) return kInvalidHandle;
    paused_ = true;
    while (!queue_.empty()) {
        Notify(queue_.front());
        queue_.pop_front();
    }
    eventIndex_ = 0;
    waiting_ = false;
    if (synth_) fluid_synth_all_notes_off(synth_, -1);
    return MMSYSERR_NOERROR;
}

uint32_t Sdl2MidiStream::Reset() {
    std::lock_guard<std::mutex> lock(mix_);
    if (!open_) return kInvalidHandle;
    if (synth_)
        for (int channel = 0; channel < 16; ++channel) fluid_synth_all_sounds_off(synth_, channel);
    return MMSYSERR_NOERROR;
}

uint32_t Sdl2MidiStream::Close() {
    std::lock_guard<std::mutex> d(delivery_);
    std::lock_guard<std::mutex> lock(mix_);
    if (!open_) return kInvalidHandle;
    for (MidiHeader* h : queue_) h->flags &= ~kQueued;
    queue_.clear();
    {
        // Notifications not yet delivered are dropped: the buffers may be freed right after this.
        std::lock_guard<std::mutex> p(pendingLock_);
        pending_.clear();
    }
    open_ = false;
    paused_ = true;
    callback_ = nullptr;
    context_ = nullptr;
    if (synth_) fluid_synth_system_reset(synth_);
    return MMSYSERR_NOERROR;
}

SyncEvent* Sdl2MidiStream::CreateEvent() {
    return new RealEvent();
}
void Sdl2MidiStream::DestroyEvent(SyncEvent* event) {
    delete event;
}

void Sdl2MidiStream::Notify(MidiHeader* header) {
    header->flags &= ~kQueued;
    std::lock_guard<std::mutex> p(pendingLock_);
    pending_.push_back(header);
    pendingChanged_.notify_all();
}

void Sdl2MidiStream::NotifierMain() {
    for (;;) {
        {
            std::unique_lock<std::mutex> p(pendingLock_);
            pendingChanged_.wait(p, [&] { return quit_ || !pending_.empty(); });
            if (quit_) return;
        }
        std::lock_guard<std::mutex> d(delivery_);
        MidiHeader* h = nullptr;
        MidiStreamCallback cb = nullptr;
        void* ctx = nullptr;
        {
            std::lock_guard<std::mutex> lock(mix_);
            std::lock_guard<std::mutex> p(pendingLock_);
            if (pending_.empty()) continue;
            h = pending_.front();
            pending_.pop_front();
            cb = callback_;
            ctx = context_;
        }
        if (cb) cb(ctx, MOM_DONE, h);
    }
}

void Sdl2MidiStream::Send(uint32_t m) {
    if (!synth_) return;
    int status = int(m & 0xF0), channel = int(m & 0x0F), d1 = int((m >> 8) & 0x7F), d2 = int((m >> 16) & 0x7F);
    switch (status) {
    case 0x80:
        fluid_synth_noteoff(synth_, channel, d1);
        break;
    case 0x90:
        d2 ? fluid_synth_noteon(synth_, channel, d1, d2) : fluid_synth_noteoff(synth_, channel, d1);
        break;
    case 0xA0:
        fluid_synth_key_pressure(synth_, channel, d1, d2);
        break;
    case 0xB0:
        fluid_synth_cc(synth_, channel, d1, d2);
        break;
    case 0xC0:
        fluid_synth_program_change(synth_, channel, d1);
        break;
    case 0xD0:
        fluid_synth_channel_pressure(synth_, channel, d1);
        break;
    case 0xE0:
        fluid_synth_pitch_bend(synth_, channel, d1 | d2 << 7);
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
    int done = 0;
    while (done < frames) {
        if (!open_ || paused_ || queue_.empty()) break;
        MidiHeader* h = queue_.front();
        uint32_t count = (h->bytesRecorded < h->bufferLength ? h->bytesRecorded : h->bufferLength) / 12;
        if (eventIndex_ >= count) {
            queue_.pop_front();
            eventIndex_ = 0;
            waiting_ = false;
            Notify(h);
            continue;
        }
        const uint8_t* p = h->data + eventIndex_ * 12;
        if (!waiting_) {
            // Ticks to samples at the current tempo; the fraction of a sample is carried to the next event.
            waitSamples_ += double(Le32(p)) * tempo_ / division_ * rate_ / 1e6;
            waiting_ = true;
        }
        int due = int(waitSamples_);
        if (due >= frames - done) {
            Synthesize(out + 2 * done, frames - done);
            waitSamples_ -= frames - done;
            done = frames;
            break;
        }
        if (due > 0) {
            Synthesize(out + 2 * done, due);
            done += due;
        }
        waitSamples_ -= due;
        waiting_ = false;
        uint32_t word = Le32(p + 8);
        if ((word >> 24) == 1) {
            if (word & 0xFFFFFF) tempo_ = word & 0xFFFFFF;
        } else if ((word >> 24) == 0) {
            Send(word);
        }
        eventIndex_ += 1;
    }
    if (done < frames) {
        // Starved or paused: the stream's clock stands; the synthesizer lets its notes ring out.
        if (queue_.empty() || paused_) waitSamples_ = waitSamples_ > 0 ? waitSamples_ : 0;
        Synthesize(out + 2 * done, frames - done);
    }
}

} // namespace vorna
