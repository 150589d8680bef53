// A new game and the mission intro scene.
#pragma once
#include "base/game.h"

namespace vorna {

void NewGame(Game& g);
int MissionIntroFrame(Game& g);

} // namespace vorna
