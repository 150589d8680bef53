// The game's random generator, scaled lookups in the trigonometric tables, distance and the rectangle builder.
#include "base/game_math.h"

#include <cmath>
#include <limits>

namespace vorna {

// x = x * 5 + 1 modulo 2^32; unsigned arithmetic gives the wraparound without overflow.
int32_t GameRandom(Game& g) {
    g.random.state = g.random.state * 5u + 1u;
    return static_cast<int32_t>(g.random.state);
}

int32_t SeedRandom(Game& g, int32_t value) {
    g.random.state = static_cast<uint32_t>(value);
    return GameRandom(g);
}

// One double multiply and a truncation: the stored table values sit slightly off their hundredths, and
// the truncation of that product is what the game's movements are built on.
int32_t ScaledSin(int32_t angle, int32_t radius) {
    return static_cast<int32_t>(static_cast<double>(radius) * SinTable[angle & 255]);
}

int32_t ScaledCos(int32_t angle, int32_t radius) {
    return static_cast<int32_t>(static_cast<double>(radius) * CosTable[angle & 255]);
}

namespace {

// |a - b| without overflow: points 2^31 or more apart still give their true distance.
uint32_t AbsoluteDifference(int32_t a, int32_t b) {
    return a >= b ? static_cast<uint32_t>(a) - static_cast<uint32_t>(b)
                  : static_cast<uint32_t>(b) - static_cast<uint32_t>(a);
}

} // namespace

int32_t Distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const double dx = AbsoluteDifference(x1, x2);
    const double dy = AbsoluteDifference(y1, y2);
    const double length = std::sqrt(dx * dx + dy * dy);
    // Far-apart points saturate instead of wrapping to a negative distance.
    constexpr double largest = std::numeric_limits<int32_t>::max();
    return length >= largest ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(length);
}

ScreenRect& MakeScreenRect(ScreenRect& rect, int32_t x, int32_t y, int32_t width, int32_t height) {
    rect = {x, y, width, height};
    return rect;
}

} // namespace vorna
