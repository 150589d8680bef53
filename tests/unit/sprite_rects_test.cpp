// The sheet rectangle table: the named entries and that all of them lie on the sheet.
#include <gtest/gtest.h>

#include "base/sprite_rects.h"

using namespace vorna;

namespace {
void ExpectRect(int index, int32_t x, int32_t y, int32_t w, int32_t h) {
    const SpriteRect& r = SpriteRectTable[index];
    EXPECT_EQ(r.x, x) << index;
    EXPECT_EQ(r.y, y) << index;
    EXPECT_EQ(r.w, w) << index;
    EXPECT_EQ(r.h, h) << index;
}
} // namespace

TEST(SpriteRectTable, NamedEntriesHoldTheirCells) {
    ExpectRect(TitleLogo, 0, 32, 176, 48);
    ExpectRect(TitleLogoColour, 0, 80, 176, 64);
    ExpectRect(MakerLogo, 0, 144, 176, 32);
    ExpectRect(GameOverPicture, 0, 176, 160, 32);
    ExpectRect(BlockSprite + 0, 176, 80, 64, 48);
    ExpectRect(BlockSprite + 1, 240, 80, 64, 48);
    ExpectRect(BlockSprite + 2, 176, 128, 64, 48);
    ExpectRect(BlockSprite + 3, 240, 128, 64, 48);
    ExpectRect(VornaSprite + 1, 208, 208, 32, 32);
    ExpectRect(ExplosionSprite + 3, 272, 176, 32, 32);
    ExpectRect(RockSprite + 0, 240, 208, 31, 31);
    ExpectRect(RockSprite + 1, 272, 208, 31, 31);
    ExpectRect(UpArrowSprite, 288, 0, 15, 15);
    ExpectRect(DownArrowSprite, 304, 0, 15, 15);
    ExpectRect(SparkSprite, 176, 16, 15, 15);
}

TEST(SpriteRectTable, GroupsStepAcrossTheSheet) {
    for (int i = 0; i < 3; ++i) {
        ExpectRect(IntroGlobeSprite + i, 176 + 48 * i, 32, 47, 47);
        ExpectRect(GlobeSprite + i, 176 + 48 * i, 32, 47, 47);
    }
    for (int i = 0; i < 4; ++i) ExpectRect(GaugeSprite + i, 112 + 16 * i, 16, 15, 15);
    for (int i = 0; i < 8; ++i) {
        ExpectRect(DebrisSprite + i, 192 + 16 * i, 16, 15, 15);
        ExpectRect(StarSprite + i, 48 + 16 * i, 224, 15, 15);
    }
}

TEST(SpriteRectTable, EveryEntryLiesOnTheSheetAndAwayFromTheMinimap) {
    for (const SpriteRect& r : SpriteRectTable) {
        EXPECT_GE(r.x, 0);
        EXPECT_GE(r.y, 0);
        EXPECT_GT(r.w, 0);
        EXPECT_GT(r.h, 0);
        EXPECT_LE(r.x + r.w, 320);
        EXPECT_LE(r.y + r.h, 240);
        const bool overlapsMinimap = r.x < MinimapArea.x + MinimapArea.w && MinimapArea.x < r.x + r.w &&
                                     r.y < MinimapArea.y + MinimapArea.h && MinimapArea.y < r.y + r.h;
        EXPECT_FALSE(overlapsMinimap) << r.x << "," << r.y;
    }
}
