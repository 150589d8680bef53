// The ten missions: names, start positions and cell types.
#pragma once
#include <cstdint>

namespace vorna {

struct MissionRecord {
    const char* name;
    int32_t startX, startY;
    int32_t cells[50];
};

extern const MissionRecord MissionTable[10];
extern const char* const MissionNames[10];

} // namespace vorna
