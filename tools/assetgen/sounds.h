// The sound effects' formats and their synthesis.
#pragma once
#include <cstdint>
#include <vector>

namespace assetgen {

struct SoundFormat {
    int channels;
    int rate;
    uint32_t dataBytes;
};
extern const SoundFormat kSoundTable[12];

// A complete RIFF WAVE image of sound n.
std::vector<uint8_t> MakeWave(int n);

} // namespace assetgen
