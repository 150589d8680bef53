// The ten missions: names, start positions and cell types.
#include "play/missions.h"

namespace vorna {

const MissionRecord MissionTable[10] = {};
const char* const MissionNames[10] = {};

} // namespace vorna
