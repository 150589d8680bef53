// The 32 drifting backdrop rocks behind the title, story and ending scenes.
#pragma once

#include "base/game.h"

namespace vorna {

// Keeps the whole game: the rocks draw from the game's one random sequence, whose order play and the
// scenes share, and move the backdrop record as well as drawing into the display.
int UpdateBackdrop(Game& g, int reset);

} // namespace vorna
