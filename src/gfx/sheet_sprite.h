// Copies a named cell of the graphics sheet into the frame, at its own size or stretched.
#pragma once
#include <cstdint>

#include "base/game.h"
#include "base/game_math.h"
#include "base/sprite_rects.h"
#include "gfx/primitives.h"

namespace vorna {

inline int DrawSheetCell(Game& g, int entry, int32_t x, int32_t y, int32_t width, int32_t height) {
    const SpriteRect& cell = SpriteRectTable[entry];
    ScreenRect source;
    ScreenRect destination;
    return gf_DD_Blt(g, SheetOf(g), MakeScreenRect(source, cell.x, cell.y, cell.w, cell.h), BackBufferOf(g),
                     MakeScreenRect(destination, x, y, width, height));
}

inline int DrawSheetCell(Game& g, int entry, int32_t x, int32_t y) {
    const SpriteRect& cell = SpriteRectTable[entry];
    return DrawSheetCell(g, entry, x, y, cell.w, cell.h);
}

} // namespace vorna
