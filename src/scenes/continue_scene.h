// The continue scene after a lost mission.
#pragma once
#include "base/game.h"

namespace vorna {

void StartContinue(Game& g);
int ContinueFrame(Game& g);

} // namespace vorna
