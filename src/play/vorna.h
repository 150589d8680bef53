// VORNA, the creature of mission ten.
#pragma once
#include "base/game.h"

namespace vorna {

void UpdateVorna(Game& g);

} // namespace vorna
