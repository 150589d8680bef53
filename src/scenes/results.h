// The results scene after a won mission.
#pragma once
#include "base/game.h"

namespace vorna {

void StartResults(Game& g);
int ResultsFrame(Game& g);

} // namespace vorna
