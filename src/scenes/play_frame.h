// Starting a mission and running one frame of play.
#pragma once
#include "base/game.h"

namespace vorna {

void StartMission(Game& g);
int PlayFrame(Game& g);

} // namespace vorna
