// The gf_DD_ drawing family: the examples of each primitive, clipping, messages and the retry and restore rules.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>
#include <utility>

#include "gfx/sheet.h"
#include "support/gfx_fakes.h"

using namespace vorna;
using vorna::gfx_testing::GfxFixtureGame;

namespace {

const char* const kScrFillMessage = "gf_DD_ScrFill:サーフェース情報が壊れています\n";
const char* const kBoxFillMessage = "gf_DD_BoxFill:ｻｰﾌｪｰｽ情報が壊れています\n";
const char* const kBoxDrawMessage = "gf_DD_BoxDraw:ｻｰﾌｪｰｽ情報が壊れています\n";
const char* const kPDrawMessage = "gf_DD_PDraw:ｻｰﾌｪｰｽ情報が壊れています\n";
const char* const kBltSourceMessage = "gf_DD_Blt:転送元ｻｰﾌｪｰｽ情報が壊れています\n";
const char* const kBltDestinationMessage = "gf_DD_Blt:転送先ｻｰﾌｪｰｽ情報が壊れています\n";
const char* const kGlidMessage = "gf_DD_Glid:ｻｰﾌｪｰｽ情報が壊れています\n";

using Points = std::set<std::pair<int, int>>;

Points PixelsOf(GfxFixtureGame& t, Surface& s, uint8_t value) {
    Points p;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            if (t.at(s, x, y) == value) p.insert({x, y});
    return p;
}

// The line exactly as the game describes it, step by step, for comparison.
Points ReferenceLine(int x0, int y0, int x1, int y1) {
    Points p;
    const long long dx = std::llabs(static_cast<long long>(x0) - x1), dy = std::llabs(static_cast<long long>(y0) - y1);
    const bool xMajor = dx > dy;
    const long long major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    const int sx = x1 > x0 ? 1 : x1 < x0 ? -1 : 0, sy = y1 > y0 ? 1 : y1 < y0 ? -1 : 0;
    long long x = x0, y = y0, err = 0;
    for (long long n = 0; n < major; ++n) {
        err += minor;
        if (xMajor) {
            x += sx;
            if (err > dx) err -= dx, y += sy;
        } else {
            y += sy;
            if (err > dy) err -= dy, x += sx;
        }
        if (x >= 0 && x <= 319 && y >= 0 && y <= 239) p.insert({static_cast<int>(x), static_cast<int>(y)});
    }
    return p;
}

} // namespace

TEST(GfxPrimitives, MissingSurfacesWriteTheirMessageAndDrawNothing) {
    GfxFixtureGame t;
    Game& g = t.g;
    Surface missing;
    Surface* frame = BackBufferOf(g.display);
    const ScreenRect r{0, 0, 4, 4};
    EXPECT_EQ(gf_DD_ScrFill(DisplayOf(g), nullptr, 0), 0);
    EXPECT_EQ(gf_DD_BoxFill(DisplayOf(g), &missing, 0, 0, 4, 4, 1), 0);
    EXPECT_EQ(gf_DD_BoxFill(DisplayOf(g), nullptr, 0, 0, 4, 4, 2, 2, 1), 0);
    EXPECT_EQ(gf_DD_BoxDraw(DisplayOf(g), nullptr, 0, 0, 4, 4, 1), 0);
    EXPECT_EQ(gf_DD_PDraw(DisplayOf(g), nullptr, 0, 0, 4, 4, 1), 0);
    EXPECT_EQ(gf_DD_PDraw(DisplayOf(g), nullptr, 1, 1, 1), 0);
    EXPECT_EQ(gf_DD_Blt(DisplayOf(g), nullptr, r, nullptr, r), 0); // both missing: only the source is named
    EXPECT_EQ(gf_DD_Blt(DisplayOf(g), frame, r, nullptr, r), 0);
    EXPECT_EQ(gf_DD_Glid(DisplayOf(g), frame, 0, 0, 4, 4, nullptr, 0, 0, 1, 1), 0);
    EXPECT_EQ(gf_DD_Glid(DisplayOf(g), nullptr, 0, 0, 4, 4, frame, 0, 0, 1, 1), 0);
    const std::vector<std::string> expected = {
        kScrFillMessage, kBoxFillMessage,   kBoxFillMessage,        kBoxDrawMessage, kPDrawMessage,
        kPDrawMessage,   kBltSourceMessage, kBltDestinationMessage, kGlidMessage,    kGlidMessage};
    EXPECT_EQ(t.shell.lines, expected);
    g.platform.shell = nullptr; // no shell: the messages are skipped
    EXPECT_EQ(gf_DD_ScrFill(DisplayOf(g), nullptr, 0), 0);
}

TEST(GfxPrimitives, FillsAreClippedToTheFrameAndRefusedOutsideSurfacesWithoutAClipper) {
    GfxFixtureGame t;
    Game& g = t.g;
    Surface* frame = BackBufferOf(g.display);
    EXPECT_EQ(gf_DD_ScrFill(DisplayOf(g), frame, 0x37), 1);
    EXPECT_EQ(t.count(*frame, 0x37), 320 * 240);
    EXPECT_EQ(gf_DD_BoxFill(DisplayOf(g), frame, 310, -5, 20, 10, 9), 1);
    EXPECT_EQ(PixelsOf(t, *frame, 9).size(), 10u * 5);
    EXPECT_EQ(t.at(*frame, 319, 4), 9);

    Surface sheet;
    ASSERT_TRUE(CreateSurface(sheet, 32, 32));
    EXPECT_EQ(gf_DD_BoxFill(DisplayOf(g), &sheet, 30, 0, 4, 4, 9), 0); // no clipper: refused
    EXPECT_EQ(gf_DD_BoxFill(DisplayOf(g), &sheet, 0, 0, 0, 4, 9), 0);  // empty
    EXPECT_EQ(t.count(sheet, 9), 0);
    EXPECT_EQ(gf_DD_BoxFill(DisplayOf(g), &sheet, 0, 208 - 208, 22, 32, 9), 1);
    EXPECT_EQ(t.count(sheet, 9), 22 * 32);
}

TEST(GfxPrimitives, BoxDrawDrawsAnOutlineAndThinBoxesStillSucceed) {
    GfxFixtureGame t;
    Game& g = t.g;
    Surface* frame = BackBufferOf(g.display);
    EXPECT_EQ(gf_DD_BoxDraw(DisplayOf(g), frame, 10, 20, 5, 4, 7), 1);
    Points want;
    for (int x = 10; x < 15; ++x) want.insert({x, 20}), want.insert({x, 23});
    for (int y = 20; y < 24; ++y) want.insert({10, y}), want.insert({14, y});
    EXPECT_EQ(PixelsOf(t, *frame, 7), want);
    EXPECT_EQ(gf_DD_BoxDraw(DisplayOf(g), frame, 50, 50, 1, 3, 8), 1);
    EXPECT_EQ(PixelsOf(t, *frame, 8), (Points{{50, 50}, {50, 51}, {50, 52}}));
    EXPECT_EQ(gf_DD_BoxDraw(DisplayOf(g), frame, 60, 60, 0, 0, 9), 1); // every edge refused, still 1
    EXPECT_EQ(t.count(*frame, 9), 0);
}

TEST(GfxPrimitives, BusyBlitterIsWaitedForAndALostSurfaceIsRestoredAndDropped) {
    GfxFixtureGame t;
    Game& g = t.g;
    Surface* frame = BackBufferOf(g.display);
    frame->injectBusy = 5;
    EXPECT_EQ(gf_DD_BoxFill(DisplayOf(g), frame, 0, 0, 2, 2, 3), 1);
    EXPECT_EQ(frame->injectBusy, 0);
    EXPECT_EQ(t.count(*frame, 3), 4);

    frame->injectLost = true;
    EXPECT_EQ(gf_DD_ScrFill(DisplayOf(g), frame, 4), 0);
    EXPECT_EQ(t.count(*frame, 4), 0);
    EXPECT_FALSE(frame->lost); // RestoreSurfaces ran
    EXPECT_EQ(t.presenter.restores, 1);
    EXPECT_EQ(t.presenter.attaches, 2);                  // and reattached the palette (the set-up attached it first)
    EXPECT_EQ(gf_DD_ScrFill(DisplayOf(g), frame, 4), 1); // the next call draws again

    // BoxDraw: the lost top edge is dropped, the other three edges follow.
    gf_DD_ScrFill(DisplayOf(g), frame, 0);
    frame->injectLost = true;
    EXPECT_EQ(gf_DD_BoxDraw(DisplayOf(g), frame, 10, 10, 4, 4, 6), 1);
    EXPECT_EQ(t.presenter.restores, 2);
    EXPECT_EQ(t.at(*frame, 12, 10), 0);
    EXPECT_EQ(t.at(*frame, 13, 12), 6);
    EXPECT_EQ(t.at(*frame, 10, 12), 6);
    EXPECT_EQ(t.at(*frame, 12, 13), 6);
    frame->injectBusy = 3; // busy edges are repeated, not skipped
    EXPECT_EQ(gf_DD_BoxDraw(DisplayOf(g), frame, 30, 30, 4, 4, 5), 1);
    EXPECT_EQ(t.count(*frame, 5), 12);

    Surface sheet;
    ASSERT_TRUE(CreateSurface(sheet, 8, 8));
    sheet.hasColourKey = true;
    sheet.injectLost = true; // a lost source drops a copy as well
    EXPECT_EQ(gf_DD_Blt(DisplayOf(g), &sheet, ScreenRect{0, 0, 8, 8}, frame, ScreenRect{0, 0, 8, 8}), 0);
    EXPECT_EQ(t.presenter.restores, 3);
}

TEST(GfxPrimitives, BltDoublesASpriteKeepsKeyPixelsTransparentAndClipsToTheFrame) {
    GfxFixtureGame t;
    Game& g = t.g;
    Surface* frame = BackBufferOf(g.display);
    Surface sheet;
    ASSERT_TRUE(CreateSurface(sheet, 8, 8));
    gf_DD_SetSrcKey(g.display, &sheet, 0x000000);
    t.at(sheet, 1, 1) = 40;
    t.at(sheet, 2, 1) = 41;
    gf_DD_ScrFill(DisplayOf(g), frame, 90);
    EXPECT_EQ(gf_DD_Blt(DisplayOf(g), &sheet, ScreenRect{1, 1, 2, 2}, frame, ScreenRect{100, 100, 4, 4}), 1);
    EXPECT_EQ(PixelsOf(t, *frame, 40), (Points{{100, 100}, {101, 100}, {100, 101}, {101, 101}}));
    EXPECT_EQ(PixelsOf(t, *frame, 41).size(), 4u);
    EXPECT_EQ(t.at(*frame, 100, 102), 90); // black row of the source stays transparent
    EXPECT_EQ(gf_DD_Blt(DisplayOf(g), &sheet, ScreenRect{1, 1, 2, 1}, frame, ScreenRect{-1, 239, 2, 1}), 1);
    EXPECT_EQ(t.at(*frame, 0, 239), 41);
    EXPECT_EQ(gf_DD_Blt(DisplayOf(g), &sheet, ScreenRect{6, 6, 4, 4}, frame, ScreenRect{0, 0, 4, 4}),
              0); // source outside
}

TEST(GfxPrimitives, LineExamples) {
    GfxFixtureGame t;
    Game& g = t.g;
    Surface* frame = BackBufferOf(g.display);
    EXPECT_EQ(gf_DD_PDraw(DisplayOf(g), frame, 0, 0, 4, 2, 1), 1);
    EXPECT_EQ(PixelsOf(t, *frame, 1), (Points{{1, 0}, {2, 0}, {3, 1}, {4, 1}}));
    EXPECT_EQ(gf_DD_PDraw(DisplayOf(g), frame, 0, 0, 4, 4, 2), 1);
    EXPECT_EQ(PixelsOf(t, *frame, 2), (Points{{0, 1}, {1, 2}, {2, 3}, {3, 4}}));
    EXPECT_EQ(gf_DD_PDraw(DisplayOf(g), frame, 5, 5, 5, 5, 3), 1);
    EXPECT_EQ(t.count(*frame, 3), 0);
    EXPECT_EQ(gf_DD_PDraw(DisplayOf(g), frame, 0, 10, 319, 10, 4), 1);
    Points row;
    for (int x = 1; x <= 319; ++x) row.insert({x, 10});
    EXPECT_EQ(PixelsOf(t, *frame, 4), row);
    EXPECT_EQ(gf_DD_PDraw(DisplayOf(g), frame, 300, 230, 340, 250, 5), 1); // leaves the frame
    for (const auto& p : PixelsOf(t, *frame, 5)) EXPECT_TRUE(p.first <= 319 && p.second <= 239);
    EXPECT_EQ(PixelsOf(t, *frame, 5), ReferenceLine(300, 230, 340, 250));
}

TEST(GfxPrimitives, LineMatchesTheStepByStepRuleEverywhere) {
    GfxFixtureGame t;
    Game& g = t.g;
    Surface* frame = BackBufferOf(g.display);
    std::mt19937 random(11);
    for (int n = 0; n < 300; ++n) {
        const int range = n < 200 ? 400 : 4000;
        const int x0 = static_cast<int>(random() % range) - range / 4,
                  y0 = static_cast<int>(random() % range) - range / 4;
        const int x1 = static_cast<int>(random() % range) - range / 4,
                  y1 = static_cast<int>(random() % range) - range / 4;
        gf_DD_ScrFill(DisplayOf(g), frame, 0);
        gf_DD_PDraw(DisplayOf(g), frame, x0, y0, x1, y1, 7);
        ASSERT_EQ(PixelsOf(t, *frame, 7), ReferenceLine(x0, y0, x1, y1)) << x0 << "," << y0 << "-" << x1 << "," << y1;
    }
    // Far-away end points finish at once and still plot the visible part.
    gf_DD_ScrFill(DisplayOf(g), frame, 0);
    EXPECT_EQ(gf_DD_PDraw(DisplayOf(g), frame, INT32_MIN, 5, INT32_MAX, 5, 7), 1);
    EXPECT_EQ(t.count(*frame, 7), 320);
    gf_DD_ScrFill(DisplayOf(g), frame, 0);
    EXPECT_EQ(gf_DD_PDraw(DisplayOf(g), frame, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN, 7), 1);
}

TEST(GfxPrimitives, UnclippedPrimitivesStayInsideSmallSurfaces) {
    GfxFixtureGame t;
    Game& g = t.g;
    Surface small;
    ASSERT_TRUE(CreateSurface(small, 30, 20)); // pitch 32: the padding must stay untouched too
    EXPECT_EQ(gf_DD_PDraw(DisplayOf(g), &small, 0, 0, 100, 60, 1), 1);
    Points inside;
    for (const auto& p : ReferenceLine(0, 0, 100, 60))
        if (p.first < 30 && p.second < 20) inside.insert(p);
    EXPECT_EQ(PixelsOf(t, small, 1), inside);
    EXPECT_EQ(gf_DD_PDraw(DisplayOf(g), &small, 35, 5, 2), 1);
    EXPECT_EQ(gf_DD_PDraw(DisplayOf(g), &small, -1, 5, 2), 1);
    EXPECT_EQ(gf_DD_BoxFill(DisplayOf(g), &small, -7, -3, 319, 239, 2, 2, 3), 0);
    for (int y = 0; y < 20; ++y)
        for (int x = 30; x < 32; ++x) EXPECT_EQ(t.at(small, x, y), 0);
    EXPECT_EQ(t.count(small, 2), 0);
    // Offsets still count from the rectangle's own corner (-7, -3): the visible dots are the odd columns and rows.
    EXPECT_EQ(t.at(small, 1, 1), 3);
    EXPECT_EQ(t.at(small, 0, 0), 0);
    EXPECT_EQ(t.count(small, 3), 15 * 10);
}

TEST(GfxPrimitives, SteppedFillDrawsMeshesAndAlwaysReportsZero) {
    GfxFixtureGame t;
    Game& g = t.g;
    Surface* frame = BackBufferOf(g.display);
    EXPECT_EQ(gf_DD_BoxFill(DisplayOf(g), frame, 0, 0, 319, 16, 2, 2, 5), 0); // the HUD strip
    EXPECT_EQ(t.count(*frame, 5), 160 * 8);
    EXPECT_EQ(t.at(*frame, 318, 14), 5);
    EXPECT_EQ(t.at(*frame, 319, 14), 0);
    EXPECT_EQ(t.at(*frame, 1, 0), 0);
    gf_DD_ScrFill(DisplayOf(g), frame, 0);
    EXPECT_EQ(gf_DD_BoxFill(DisplayOf(g), frame, 3, 4, 5, 6, 0, 0, 6), 0); // steps 0 count as 1
    EXPECT_EQ(t.count(*frame, 6), 30);
    gf_DD_ScrFill(DisplayOf(g), frame, 0);
    EXPECT_EQ(gf_DD_BoxFill(DisplayOf(g), frame, 3, 4, 5, 6, -2, -9, 7), 0); // negative steps: no endless loop
    EXPECT_EQ(t.count(*frame, 7), 30);
}

TEST(GfxPrimitives, PointDrawsOnePixel) {
    GfxFixtureGame t;
    Game& g = t.g;
    Surface* frame = BackBufferOf(g.display);
    EXPECT_EQ(gf_DD_PDraw(DisplayOf(g), frame, 319, 239, 0x1FF), 1);
    EXPECT_EQ(PixelsOf(t, *frame, 0xFF), (Points{{319, 239}}));
    EXPECT_EQ(gf_DD_PDraw(DisplayOf(g), frame, 320, 0, 3), 1);
    EXPECT_EQ(t.count(*frame, 3), 0);
}

TEST(GfxPrimitives, GlidCopiesEverySteppedPixelAndClipsTheDestinationOnly) {
    GfxFixtureGame t;
    Game& g = t.g;
    Surface* frame = BackBufferOf(g.display);
    Surface sheet;
    ASSERT_TRUE(CreateSurface(sheet, 16, 16));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) t.at(sheet, x, y) = static_cast<uint8_t>(x + 16 * y);
    gf_DD_ScrFill(DisplayOf(g), frame, 200);
    EXPECT_EQ(gf_DD_Glid(DisplayOf(g), &sheet, 2, 3, 6, 4, frame, -3, 10, 1, 1), 1);
    for (int j = 0; j < 4; ++j)
        for (int i = 3; i < 6; ++i) EXPECT_EQ(t.at(*frame, i - 3, 10 + j), (2 + i) + 16 * (3 + j));
    EXPECT_EQ(t.count(*frame, 200), 320 * 240 - 12);

    gf_DD_ScrFill(DisplayOf(g), frame, 200);
    EXPECT_EQ(gf_DD_Glid(DisplayOf(g), &sheet, 0, 0, 4, 4, frame, 50, 60, 2, 2), 1); // one in four, black included
    EXPECT_EQ(t.at(*frame, 50, 60), 0);
    EXPECT_EQ(t.at(*frame, 52, 62), 2 + 32);
    EXPECT_EQ(t.at(*frame, 51, 60), 200);
    EXPECT_EQ(t.count(*frame, 200), 320 * 240 - 4);

    gf_DD_ScrFill(DisplayOf(g), frame, 200);
    EXPECT_EQ(gf_DD_Glid(DisplayOf(g), &sheet, 12, 12, 8, 8, frame, 316, 236, 0, 0), 1); // source and frame edges
    EXPECT_EQ(t.count(*frame, 200), 320 * 240 - 16);
    EXPECT_EQ(t.at(*frame, 319, 239), 15 + 16 * 15);

    // The second lock fails: the first surface is unlocked again and nothing is drawn.
    frame->injectBusy = 1;
    EXPECT_EQ(gf_DD_Glid(DisplayOf(g), &sheet, 0, 0, 4, 4, frame, 0, 0, 1, 1), 0);
    EXPECT_FALSE(sheet.locked);
    EXPECT_FALSE(frame->locked);
}

TEST(GfxPrimitives, LockPrimitivesDoNotWaitAndDrawNothingWhenTheLockFails) {
    GfxFixtureGame t;
    Game& g = t.g;
    Surface* frame = BackBufferOf(g.display);
    frame->injectBusy = 1;
    EXPECT_EQ(gf_DD_PDraw(DisplayOf(g), frame, 1, 1, 9), 0);
    frame->injectLost = true;
    EXPECT_EQ(gf_DD_PDraw(DisplayOf(g), frame, 0, 0, 5, 0, 9), 0);
    EXPECT_EQ(gf_DD_BoxFill(DisplayOf(g), frame, 0, 0, 5, 5, 1, 1, 9), 0);
    EXPECT_EQ(t.count(*frame, 9), 0);
    EXPECT_FALSE(frame->locked);
}
