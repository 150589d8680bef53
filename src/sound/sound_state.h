// State of the sound effects: the device flag and the twelve effects with their voice rings.
#pragma once
#include <cstdint>

namespace vorna {

struct SoundEffect {
    int32_t voices[8];
    int32_t voiceCount;
    int32_t volume;
    int32_t pan;
    int32_t nextVoice;
};

constexpr int kSoundEffectCount = 12;

struct SoundState {
    int32_t SoundReady = 0;
    SoundEffect SoundEffectTable[kSoundEffectCount] = {};
};

} // namespace vorna
