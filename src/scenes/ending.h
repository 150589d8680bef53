// The ending after mission ten.
#pragma once
#include "base/game.h"

namespace vorna {

extern const char* const EndingRoll[42];

void StartEnding(Game& g);
int EndingFrame(Game& g);

} // namespace vorna
