// The page's sound effects: the project's mixer, pulled by a Web Audio node once the page's audio runs.
#include "backends/web/web_sound.h"

#include <algorithm>
#include <mutex>

namespace vorna {

void WebSound::Play(int voice) {
    if (running_) MixerSoundDevice::Play(voice);
}

const float* WebSound::Mix(int frames) {
    frames = std::clamp(frames, 0, kMaxMixFrames);
    std::fill(mix_.begin(), mix_.begin() + 2 * frames, 0.0f);
    std::lock_guard<std::mutex> lock(mixer_.mutex);
    mixer_.MixInto(mix_.data(), frames);
    return mix_.data();
}

} // namespace vorna
