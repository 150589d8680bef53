// The globe: steering, walls, cell contact and energy.
#pragma once
#include <cstdint>

#include "app/game.h"

namespace vorna {

int SteerGlobe(Game& g);
int CollideGlobe(Game& g);
int ChangeEnergy(Game& g, int32_t delta);

} // namespace vorna
