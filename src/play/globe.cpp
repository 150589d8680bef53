// The globe: steering, walls, cell contact and energy.
#include "play/globe.h"

namespace vorna {

int SteerGlobe(Game&) { return 0; }
int CollideGlobe(Game&) { return 0; }
int ChangeEnergy(Game&, int32_t) { return 0; }

} // namespace vorna
