// What the sheet text and the drifting backdrop put on the frame: glyph cells, pen advance, sway and size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "base/game_math.h"
#include "gfx/backdrop.h"
#include "gfx/sheet_text.h"
#include "support/gfx_fakes.h"

using namespace vorna;
using vorna::gfx_testing::GfxFixtureGame;

namespace {

// Every sheet pixel tells where it came from (never 0, the key).
uint8_t SheetValue(int x, int y) {
    return static_cast<uint8_t>(1 + (x * 7 + y * 13) % 255);
}

struct TextGame : GfxFixtureGame {
    TextGame() {
        Surface& sheet = g.display.SheetSurface;
        EXPECT_TRUE(CreateSurface(sheet, 320, 240));
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x) at(sheet, x, y) = SheetValue(x, y);
        sheet.hasColourKey = true;
        sheet.keyLow = sheet.keyHigh = 0;
        gf_DD_ScrFill(DisplayOf(g), BackBufferOf(g.display), 0);
    }
    // True when frame columns [x, x + width) at rows [y, y + 16) show sheet columns from sx on, rows from sy on.
    bool Shows(int x, int y, int width, int sx, int sy) {
        for (int j = 0; j < 16; ++j)
            for (int i = 0; i < width; ++i)
                if (at(frame(), x + i, y + j) != SheetValue(sx + i, sy + j)) return false;
        return true;
    }
    int Columns() { // frame columns holding anything on row 40
        int n = 0;
        for (int x = 0; x < 320; ++x) n += at(frame(), x, 40) != 0;
        return n;
    }
};

} // namespace

TEST(DrawSheetText, LettersStandEdgeToEdgeAndSpacesAdvanceEight) {
    TextGame t;
    EXPECT_EQ(DrawSheetText(DisplayOf(t.g), "AB", 10, 40), 1);
    EXPECT_TRUE(t.Shows(10, 40, 10, 0, 0));  // A: sheet columns 0..9
    EXPECT_TRUE(t.Shows(20, 40, 10, 11, 0)); // B right after it, without the separating column
    EXPECT_EQ(t.Columns(), 20);

    TextGame spaced;
    DrawSheetText(DisplayOf(spaced.g), "A B", 10, 40);
    EXPECT_TRUE(spaced.Shows(28, 40, 10, 11, 0));
    EXPECT_EQ(spaced.Columns(), 20);

    // Lower case and punctuation are dropped without moving the pen.
    TextGame dotted;
    DrawSheetText(DisplayOf(dotted.g),
                  "a.A\xe3"
                  "B!",
                  10, 40);
    EXPECT_TRUE(dotted.Shows(10, 40, 10, 0, 0));
    EXPECT_TRUE(dotted.Shows(20, 40, 10, 11, 0));
    EXPECT_EQ(dotted.Columns(), 20);

    // The widest and the last letter come from their own cells.
    TextGame wz;
    DrawSheetText(DisplayOf(wz.g), "WZ", 0, 40);
    EXPECT_TRUE(wz.Shows(0, 40, 14, GlyphStartTable[22], 0));
    EXPECT_TRUE(wz.Shows(14, 40, 10, GlyphStartTable[25], 0));
}

TEST(DrawSheetText, DigitsAreEightWideFromTheirOwnRow) {
    TextGame t;
    DrawSheetText(DisplayOf(t.g), "2019", 100, 40);
    const int digits[4] = {2, 0, 1, 9};
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(t.Shows(100 + 8 * k, 40, 8, 48 + 8 * digits[k], 208)) << k;
    EXPECT_EQ(t.Columns(), 32);
    // A text reaching past the frame's edge is clipped, never written beyond it.
    TextGame edge;
    DrawSheetText(DisplayOf(edge.g), "WWWWWWWWWWWWWWWWWWWWWWWWW", 300, 230);
    EXPECT_EQ(edge.count(edge.frame(), 0), 320 * 240 - 20 * 10);
}

TEST(UpdateBackdrop, DrawsEachRockSwayedAndShrunkToItsSize) {
    TextGame t;
    Surface& sheet = t.g.display.SheetSurface;
    for (int y = 208; y < 239; ++y)
        for (int x = 240; x < 303; ++x) t.at(sheet, x, y) = x < 272 ? 50 : 60;            // kind 0 and kind 1 cells
    for (BackdropObject& o : t.g.backdrop) o = BackdropObject{2000, 100, 0, 1, 0, 20, 0}; // far off to the right
    t.g.backdrop[0] = BackdropObject{100, 50, 0, -1, 2, 17, 0};
    t.g.backdrop[1] = BackdropObject{200, 150, 1, 1, -3, 32, 56};
    const uint32_t randomBefore = t.g.random.state;
    UpdateBackdrop(t.g, 0);
    EXPECT_EQ(t.g.random.state, randomBefore); // nobody left the band

    // Object 0: moved to (99, 52), phase 8; object 1: to (201, 147), phase 64.
    auto box = [&](uint8_t value, int& left, int& top, int& right, int& bottom) {
        left = top = 1 << 30;
        right = bottom = -1;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                if (t.at(t.frame(), x, y) == value) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                    right = std::max(right, x + 1);
                    bottom = std::max(bottom, y + 1);
                }
    };
    int l, tp, r, b;
    box(50, l, tp, r, b);
    EXPECT_EQ(l, 99 + ScaledCos(8, 16));
    EXPECT_EQ(tp, 52);
    EXPECT_EQ(r - l, 17);
    EXPECT_EQ(b - tp, 17);
    box(60, l, tp, r, b);
    EXPECT_EQ(l, 201 + ScaledCos(64, 16));
    EXPECT_EQ(tp, 147);
    EXPECT_EQ(r - l, 32);
    EXPECT_EQ(b - tp, 32);
    EXPECT_EQ(t.g.backdrop[0].x, 99); // the sway is not stored
    EXPECT_EQ(t.g.backdrop[1].phase, 64);
}
