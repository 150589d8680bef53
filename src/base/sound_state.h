// State of the sound effects: the device flag and the twelve effects with their voice rings.
#pragma once
#include <cstdint>

namespace vorna {

// Voice slots hold device voice numbers; -1 (kNoSoundBuffer) is none, also in a fresh record.
struct SoundEffect {
    int32_t voices[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    int32_t voiceCount = 0;
    int32_t volume = 0;
    int32_t pan = 0;
    int32_t nextVoice = 0;
};

constexpr int kSoundEffectCount = 12;

struct SoundState {
    int32_t SoundReady = 0;
    SoundEffect SoundEffectTable[kSoundEffectCount] = {};
};

} // namespace vorna
