// Sheet text layout and the drifting backdrop's re-seeding and motion.
#include <gtest/gtest.h>

#include "base/game_math.h"
#include "gfx/backdrop.h"
#include "gfx/sheet_text.h"
#include "support/fakes.h"

using namespace vorna;

TEST(GlyphStartTable, GivesTheLetterWidths) {
    const int32_t widths[26] = {10, 10, 10, 10, 9,  9, 10, 11, 7,  10, 11, 8,  14,
                                12, 9,  11, 10, 10, 8, 9,  10, 10, 14, 10, 10, 10};
    for (int i = 0; i < 26; ++i) EXPECT_EQ(GlyphStartTable[i + 1] - GlyphStartTable[i] - 1, widths[i]) << char('A' + i);
    EXPECT_EQ(GlyphStartTable[0], 0);
    EXPECT_EQ(GlyphStartTable[26], 288);
}

TEST(DrawSheetText, EmptyOrForeignTextDrawsNothing) {
    Game g;
    vorna::testing::MakeTestSurface(g.display.BackBuffer, 320, 240, 0);
    vorna::testing::MakeTestSurface(g.display.SheetSurface, 320, 240, 9);
    EXPECT_EQ(DrawSheetText(DisplayOf(g), "", 10, 10), 1);
    EXPECT_EQ(DrawSheetText(DisplayOf(g), "abc.,!\xe3\x81\x82", 10, 10), 1);
    EXPECT_EQ(DrawSheetText(DisplayOf(g), nullptr, 10, 10), 1);
    EXPECT_EQ(std::count(g.display.BackBuffer.pixels.begin(), g.display.BackBuffer.pixels.end(), 0), 320 * 240);
}

namespace {

// The generator's next value, computed on its own so the backdrop's draw order can be checked.
int32_t NextRandom(uint32_t& state) {
    state = state * 5u + 1u;
    return static_cast<int32_t>(state);
}

} // namespace

TEST(UpdateBackdrop, ResetReseedsEveryObjectAndMovesItOnce) {
    Game g;
    SeedRandom(g, 2);
    UpdateBackdrop(g, 1);
    for (const BackdropObject& o : g.backdrop) {
        EXPECT_EQ(o.phase, 8);
        EXPECT_TRUE(o.kind == 0 || o.kind == 1);
        EXPECT_GE(o.size, 17);
        EXPECT_LE(o.size, 32);
        if (o.dx == -1) { // falling
            EXPECT_GE(o.dy, 1);
            EXPECT_LE(o.dy, 8);
            EXPECT_EQ(o.y, -30 + o.dy);
        } else {
            EXPECT_EQ(o.dx, 1);
            EXPECT_GE(o.dy, -8);
            EXPECT_LE(o.dy, -1);
            EXPECT_EQ(o.y, 240 + o.dy);
        }
        EXPECT_GT(o.x + 1, -300);
        EXPECT_LT(o.x - 1, 300);
    }
}

TEST(UpdateBackdrop, DrawsRandomNumbersInTheGamesOrder) {
    Game g;
    SeedRandom(g, 2);
    uint32_t s = g.random.state;
    UpdateBackdrop(g, 1);
    for (const BackdropObject& o : g.backdrop) {
        const bool falling = (NextRandom(s) & 255) > 128;
        const int32_t x = NextRandom(s) % 300;
        const int32_t dy = falling ? (NextRandom(s) & 7) + 1 : -1 - (NextRandom(s) & 7);
        const int32_t kind = (NextRandom(s) >> 2) & 1;
        const int32_t size = 32 - (NextRandom(s) & 15);
        EXPECT_EQ(o.x, x + (falling ? -1 : 1));
        EXPECT_EQ(o.dy, dy);
        EXPECT_EQ(o.kind, kind);
        EXPECT_EQ(o.size, size);
    }
    EXPECT_EQ(g.random.state, s); // five numbers per object, nothing else
}

TEST(UpdateBackdrop, ReseedsOnlyObjectsThatLeftTheBand) {
    Game g;
    UpdateBackdrop(g, 1);
    for (BackdropObject& o : g.backdrop) o = {100, 100, 0, 1, 2, 20, 8};
    g.backdrop[0] = {50, 241, 1, 1, -3, 20, 8};  // below the band: re-seeded
    g.backdrop[1] = {50, 240, 1, 1, -3, 20, 8};  // on its edge: kept
    g.backdrop[2] = {50, -32, 0, -1, 3, 20, 16}; // kept
    g.backdrop[3] = {50, -33, 0, -1, 3, 20, 16}; // re-seeded
    const uint32_t before = g.random.state;
    UpdateBackdrop(g, 0);
    EXPECT_EQ(g.backdrop[0].phase, 8);
    EXPECT_EQ(g.backdrop[1].phase, 16);
    EXPECT_EQ(g.backdrop[1].y, 237);
    EXPECT_EQ(g.backdrop[1].x, 51);
    EXPECT_EQ(g.backdrop[2].phase, 24);
    EXPECT_EQ(g.backdrop[2].y, -29);
    EXPECT_EQ(g.backdrop[3].phase, 8);
    EXPECT_EQ(g.backdrop[4].y, 102);
    uint32_t s = before;
    for (int i = 0; i < 10; ++i) NextRandom(s);
    EXPECT_EQ(g.random.state, s); // exactly two objects drew their five numbers
}

TEST(UpdateBackdrop, ObjectDriftsOffTheSideUntilItLeavesVertically) {
    Game g;
    for (BackdropObject& o : g.backdrop) o = {0, 0, 0, -1, 1, 20, 0};
    for (int frame = 0; frame < 240; ++frame) UpdateBackdrop(g, 0);
    EXPECT_EQ(g.backdrop[0].x, -240);
    EXPECT_EQ(g.backdrop[0].y, 240);
    EXPECT_EQ(g.random.state, 0u);
    UpdateBackdrop(g, 0);
    EXPECT_EQ(g.random.state, 0u); // y 241 now: the next call re-seeds
    UpdateBackdrop(g, 0);
    EXPECT_NE(g.random.state, 0u);
}
