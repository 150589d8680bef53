// Text in the sheet's own capital-letter font, and the 32 drifting backdrop rocks.
#pragma once
#include <cstdint>

#include "base/game.h"

namespace vorna {

extern const int32_t GlyphStartTable[27];

int DrawSheetText(Game& g, const char* text, int32_t x, int32_t y);
int UpdateBackdrop(Game& g, int reset);

} // namespace vorna
