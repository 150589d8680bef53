// The globe: steering, walls, cell contact and energy.
#pragma once
#include <cstdint>

#include "base/game.h"

namespace vorna {

int SteerGlobe(Game& g);
int CollideGlobe(Game& g);
int ChangeEnergy(Game& g, int32_t delta);
// The first cell (row-major) holding a solid block (types 0..3) that touches field point (x, y); -1 if none.
int FirstSolidCellAt(const Game& g, int32_t x, int32_t y);

} // namespace vorna
