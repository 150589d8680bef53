// The sound effects' formats and their synthesis.
#pragma once
#include <cstdint>
#include <vector>

#include "base/sound_numbers.h"

namespace assetgen {

struct SoundFormat {
    int channels;
    int rate;
    uint32_t dataBytes;
};
extern const SoundFormat kSoundTable[vorna::kSoundEffectCount];

// A complete RIFF WAVE image of sound number n.
std::vector<uint8_t> MakeWave(int n);

} // namespace assetgen
