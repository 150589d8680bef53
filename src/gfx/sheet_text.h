// Text in the sheet's own capital-letter font.
#pragma once
#include <cstdint>

#include "base/display_state.h"

namespace vorna {

extern const int32_t GlyphStartTable[27];

int DrawSheetText(const DisplayContext& display, const char* text, int32_t x, int32_t y);

} // namespace vorna
