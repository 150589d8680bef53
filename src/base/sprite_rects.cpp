// The named rectangles of the graphics sheet that the scenes draw.
#include "base/sprite_rects.h"

namespace vorna {

// x, y, width, height on the sheet; groups are consecutive and indexed from their first entry.
const SpriteRect SpriteRectTable[kSpriteRectCount] = {
    // TitleLogo (grey), TitleLogoColour, MakerLogo, GameOverPicture
    {0, 32, 176, 48},
    {0, 80, 176, 64},
    {0, 144, 176, 32},
    {0, 176, 160, 32},
    // IntroGlobeSprite sun, earth, moon; then GlobeSprite SUN, TERA, MOON: the play view's own copy
    {176, 32, 47, 47},
    {224, 32, 47, 47},
    {272, 32, 47, 47},
    {176, 32, 47, 47},
    {224, 32, 47, 47},
    {272, 32, 47, 47},
    // BlockSprite red, green, blue, stone
    {176, 80, 64, 48},
    {240, 80, 64, 48},
    {176, 128, 64, 48},
    {240, 128, 64, 48},
    // VornaSprite 0..1
    {176, 208, 32, 32},
    {208, 208, 32, 32},
    // ExplosionSprite 0..3
    {176, 176, 32, 32},
    {208, 176, 32, 32},
    {240, 176, 32, 32},
    {272, 176, 32, 32},
    // RockSprite 0..1 (the drifting backdrop)
    {240, 208, 31, 31},
    {272, 208, 31, 31},
    // UpArrowSprite, DownArrowSprite
    {288, 0, 15, 15},
    {304, 0, 15, 15},
    // DebrisSprite 0..7
    {192, 16, 15, 15},
    {208, 16, 15, 15},
    {224, 16, 15, 15},
    {240, 16, 15, 15},
    {256, 16, 15, 15},
    {272, 16, 15, 15},
    {288, 16, 15, 15},
    {304, 16, 15, 15},
    // StarSprite 0..7
    {48, 224, 15, 15},
    {64, 224, 15, 15},
    {80, 224, 15, 15},
    {96, 224, 15, 15},
    {112, 224, 15, 15},
    {128, 224, 15, 15},
    {144, 224, 15, 15},
    {160, 224, 15, 15},
    // GaugeSprite 0..3, empty to full
    {112, 16, 15, 15},
    {128, 16, 15, 15},
    {144, 16, 15, 15},
    {160, 16, 15, 15},
    // SparkSprite
    {176, 16, 15, 15},
};

} // namespace vorna
