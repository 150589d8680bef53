// The page's sound effects: the project's mixer, pulled by a Web Audio node once the page's audio runs.
#pragma once
#include <vector>

#include "sound/audio_mixer.h"

namespace vorna {

// The rate the page's AudioContext is made at, so the mixer resamples straight to it.
constexpr int kWebAudioRate = 48000;

class WebSound : public MixerSoundDevice {
public:
    static constexpr int kMaxMixFrames = 8192;
    WebSound() : MixerSoundDevice(mixer_), mixer_(kWebAudioRate) {}
    bool Create() override { return true; }
    // Browsers start audio only after a key or click: a sound asked for before then is not kept for later.
    void Play(int voice) override;
    void OutputStarted() { running_ = true; }
    // The next frames of the mix as interleaved stereo floats (at most kMaxMixFrames); valid until the next call.
    const float* Mix(int frames);

private:
    AudioMixer mixer_;
    std::vector<float> mix_ = std::vector<float>(2 * kMaxMixFrames);
    bool running_ = false;
};

} // namespace vorna
