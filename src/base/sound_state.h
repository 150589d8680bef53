// State of the sound effects: the device flag and the twelve effects with their voice rings.
#pragma once
#include <cstdint>

#include "base/sound_numbers.h"
#include "platform/platform.h"

namespace vorna {

// Voice slots hold device voice numbers; -1 (kNoSoundBuffer) is none, also in a fresh record.
struct SoundEffect {
    int32_t voices[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    int32_t voiceCount = 0;
    int32_t volume = 0;
    int32_t pan = 0;
    int32_t nextVoice = 0;
};

struct SoundState {
    int32_t SoundReady = 0;
    SoundEffect SoundEffectTable[kSoundEffectCount] = {};
};

// What the loading and playing routines take instead of the whole game: the effects' state and the
// services they call, any of which may be null (no device runs silent, no observer hears nothing).
struct SoundContext {
    SoundState& sound;
    SoundDevice* device;
    Resources* resources;
    FileSystem* files;
    GameObserver* observer;
};

} // namespace vorna
