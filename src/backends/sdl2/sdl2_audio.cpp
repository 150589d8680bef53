// The SDL2 audio engine: one SDL output whose callback mixes the effect voices and the FluidSynth music.
#include "backends/sdl2/sdl2_audio.h"

#include <SDL.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "backends/sdl2/sdl2_audio_engine.h"
#include "backends/sdl2/sdl2_midi_stream.h"
#include "backends/sdl2/sound_font_choice.h"
#include "sound/audio_mixer.h"

namespace vorna {

namespace {

std::string FindSoundFont(const char* wanted) {
    return ChooseSoundFont(wanted, std::getenv("VORNA_SOUNDFONT"));
}

class Engine;

class SoundFacade : public MixerSoundDevice {
public:
    SoundFacade(Engine& engine, AudioMixer& mixer) : MixerSoundDevice(mixer), engine_(engine) {}
    bool Create() override;

private:
    Engine& engine_;
};

class Engine : public Sdl2AudioEngine {
public:
    Engine(const Sdl2AudioOptions& options, bool offline)
        : offline_(offline), driverWanted_(options.driver ? options.driver : ""),
          rate_(options.sampleRate > 0 ? options.sampleRate : kDesktopOutputRate), mixer_(rate_),
          sound_(*this, mixer_) {
        std::string font = FindSoundFont(options.soundFont);
        midi_ = std::make_unique<Sdl2MidiStream>(
            rate_, mixer_.mutex, [this] { return OpenOutput(); }, font.empty() ? nullptr : font.c_str());
    }
    ~Engine() override {
        if (opener_.joinable()) opener_.join();
        if (device_) {
            SDL_CloseAudioDevice(device_);
            device_ = 0;
        }
        if (initialised_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        midi_.reset(); // joins the notifier before the mixer goes
    }

    SoundDevice& Sound() override { return sound_; }
    MidiStreamDevice& Midi() override { return *midi_; }
    int SampleRate() const override { return rate_; }
    const char* DriverName() const override {
        if (offline_) return "offline";
        if (opener_.joinable()) opener_.join(); // the name is known once the output is open
        return driver_.c_str();
    }
    bool HasSynth() const override { return midi_->HasSynth(); }

    void Render(float* stereo, int frames) override {
        std::lock_guard<std::mutex> lock(mixer_.mutex);
        RenderLocked(stereo, frames);
    }

    // Starts opening the shared output once, off the caller's thread: probing the sound servers and ALSA
    // takes a good part of a second on some machines, and the first frame must not wait for it. Until the
    // output runs the voices and the music simply wait for their first callback.
    bool OpenOutput() {
        if (offline_) return true;
        if (!opening_) {
            opening_ = true;
            opener_ = std::thread([this] {
                // Probing the sound servers must not take the processor from the first frames.
                SDL_SetThreadPriority(SDL_THREAD_PRIORITY_LOW);
                OpenOutputNow();
            });
        }
        return true;
    }

private:
    // Without a usable audio device SDL's dummy driver keeps the callbacks (and with them the music
    // protocol) running in silence.
    bool OpenOutputNow() {
        if (device_) return true;
        if (failed_) return false;
        if (!initialised_) {
            if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
                failed_ = true;
                return false;
            }
            initialised_ = true;
        }
        if (!driverWanted_.empty() &&
            driverWanted_ != (SDL_GetCurrentAudioDriver() ? SDL_GetCurrentAudioDriver() : "")) {
            SDL_AudioQuit();
            if (SDL_AudioInit(driverWanted_.c_str()) != 0) SDL_AudioInit(nullptr);
        }
        if (!TryOpen()) {
            SDL_AudioQuit();
            if (SDL_AudioInit("dummy") != 0 || !TryOpen()) {
                failed_ = true;
                return false;
            }
        }
        driver_ = SDL_GetCurrentAudioDriver() ? SDL_GetCurrentAudioDriver() : "";
        SDL_PauseAudioDevice(device_, 0);
        return true;
    }

    bool TryOpen() {
        SDL_AudioSpec want{}, have{};
        want.freq = rate_;
        want.format = AUDIO_F32SYS;
        want.channels = 2;
        want.samples = 512;
        want.callback = &Engine::Callback;
        want.userdata = this;
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
        return device_ != 0;
    }

    static void Callback(void* self, Uint8* stream, int bytes) {
        static_cast<Engine*>(self)->Render(reinterpret_cast<float*>(stream), bytes / int(2 * sizeof(float)));
    }

    void RenderLocked(float* out, int frames) {
        for (int i = 0; i < 2 * frames; ++i) out[i] = 0.0f;
        mixer_.MixInto(out, frames);
        midi_->RenderInto(out, frames);
        for (int i = 0; i < 2 * frames; ++i) out[i] = out[i] > 1.0f ? 1.0f : out[i] < -1.0f ? -1.0f : out[i];
    }

    bool offline_;
    std::string driverWanted_;
    std::string driver_;
    int rate_;
    AudioMixer mixer_;
    SoundFacade sound_;
    std::unique_ptr<Sdl2MidiStream> midi_;
    SDL_AudioDeviceID device_ = 0;
    bool initialised_ = false, failed_ = false;
    bool opening_ = false; // only the game's thread starts the opener
    mutable std::thread opener_;
};

bool SoundFacade::Create() {
    return engine_.OpenOutput();
}

} // namespace

std::unique_ptr<Sdl2AudioEngine> Sdl2AudioEngine::Create(const Sdl2AudioOptions& options, bool offline) {
    return std::make_unique<Engine>(options, offline);
}

std::unique_ptr<Sdl2Audio> CreateSdl2Audio(const Sdl2AudioOptions& options) {
    return Sdl2AudioEngine::Create(options, false);
}

} // namespace vorna
