// Starting a mission and running one frame of play.
#pragma once
#include "app/game.h"

namespace vorna {

void StartMission(Game& g);
int PlayFrame(Game& g);

} // namespace vorna
