// The game's random generator, the 256-step trigonometric tables, distance and the rectangle builder.
#pragma once
#include <cstdint>

#include "base/game.h"
#include "base/surface.h"

namespace vorna {

extern const double SinTable[256];
extern const double CosTable[256];

int32_t GameRandom(Game& g);
int32_t SeedRandom(Game& g, int32_t value);
int32_t ScaledSin(int32_t angle, int32_t radius);
int32_t ScaledCos(int32_t angle, int32_t radius);
int32_t Distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
ScreenRect& MakeScreenRect(ScreenRect& rect, int32_t x, int32_t y, int32_t width, int32_t height);

} // namespace vorna
