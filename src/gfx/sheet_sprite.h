// Copies a named cell of the graphics sheet into the frame, at its own size or stretched.
#pragma once
#include <cstdint>

#include "base/display_state.h"
#include "base/sprite_rects.h"
#include "gfx/primitives.h"

namespace vorna {

inline int DrawSheetCell(const DisplayContext& c, int entry, int32_t x, int32_t y, int32_t width, int32_t height) {
    const SpriteRect& cell = SpriteRectTable[entry];
    return gf_DD_Blt(c, SheetOf(c.display), ScreenRect{cell.x, cell.y, cell.w, cell.h}, BackBufferOf(c.display),
                     ScreenRect{x, y, width, height});
}

inline int DrawSheetCell(const DisplayContext& c, int entry, int32_t x, int32_t y) {
    const SpriteRect& cell = SpriteRectTable[entry];
    return DrawSheetCell(c, entry, x, y, cell.w, cell.h);
}

} // namespace vorna
