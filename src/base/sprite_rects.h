// The named rectangles of the graphics sheet that the scenes draw.
#pragma once
#include <cstdint>

namespace vorna {

struct SpriteRect {
    int32_t x, y, w, h;
};

enum SpriteIndex : int {
    TitleLogo = 0,
    TitleLogoColour = 1,
    MakerLogo = 2,
    GameOverPicture = 3,
    IntroGlobeSprite = 4, // 3 entries
    GlobeSprite = 7,      // 3 entries
    BlockSprite = 10,     // 4 entries
    VornaSprite = 14,     // 2 entries
    ExplosionSprite = 16, // 4 entries
    RockSprite = 20,      // 2 entries
    UpArrowSprite = 22,
    DownArrowSprite = 23,
    DebrisSprite = 24, // 8 entries
    StarSprite = 32,   // 8 entries
    GaugeSprite = 40,  // 4 entries
    SparkSprite = 44,
};

constexpr int kSpriteRectCount = 45;
extern const SpriteRect SpriteRectTable[kSpriteRectCount];

// The sheet's free corner that play uses as the minimap canvas.
constexpr SpriteRect MinimapArea{0, 208, 22, 32};

} // namespace vorna
