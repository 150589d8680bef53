// The play view: scroll, the percentage scale, the gauges, the scroll arrows, the minimap dot and the aim marker.
#include <gtest/gtest.h>

#include "play/play_view.h"
#include "support/after_play_fixture.h"

using namespace vorna;

namespace {

struct PlayView : vorna::testing::AfterPlayFixture {
    void EmptyField() {
        for (int32_t& t : g.play.CellType) t = 4;
    }
    // The gauge piece a cell shows, read from a column that the next cell does not cover.
    int PieceAt(int x, int y) { return Frame(x + 2, y + 7) - 100; }
    int RowsOf(int x, uint8_t colour) {
        int rows = 0;
        for (int y = 0; y < 240; ++y) rows += Frame(x, y) == colour;
        return rows;
    }
};

TEST_F(PlayView, ScrollFollowsTheGlobeWithinTheField) {
    EmptyField();
    const int32_t cases[][3] = {{100, 0, 76}, {240, 120, 96}, {470, 240, 206}, {0, 0, -24}, {479, 240, 215}};
    for (const auto& c : cases) {
        g.play.globe.Y = c[0];
        EXPECT_EQ(ViewScroll(g), c[1]) << "Y " << c[0];
        DrawPlayView(g);
        EXPECT_EQ(g.play.GlobeScreenY, c[2]) << "Y " << c[0];
    }
}

TEST_F(PlayView, PercentScaleUsesTheSinglePrecisionHundredth) {
    // 48 rows at 75 % give 35 (the exact hundredth would give 36); 64 columns at 99 % give 63.
    PaintSheet(BlockSprite, 50);
    g.play.globe.Y = 100; // no scroll
    const SpriteRect& r = SpriteRectTable[BlockSprite];
    DrawFieldSpriteScaled(g, 10, 20, r.x, r.y, r.w, r.h, 99, 75);
    EXPECT_EQ(RowsOf(10, 50), 35);
    int columns = 0;
    for (int x = 0; x < 320; ++x) columns += Frame(x, 20) == 50;
    EXPECT_EQ(columns, 63);
}

TEST_F(PlayView, FieldSpritesScrollAndTheMeshCopiesEverySecondPixel) {
    PaintSheet(BlockSprite + 3, 60);
    g.play.globe.Y = 300; // scroll 180
    const SpriteRect& r = SpriteRectTable[BlockSprite + 3];
    DrawFieldSprite(g, 0, 200, r.x, r.y, r.w, r.h);
    EXPECT_EQ(Frame(0, 20), 60);
    EXPECT_EQ(Frame(0, 19), 0);
    EXPECT_EQ(RowsOf(0, 60), 48);
    ClearFrame();
    DrawFieldSpriteMesh(g, 100, 200, r.x, r.y, r.w, r.h);
    EXPECT_EQ(Frame(100, 20), 60);
    EXPECT_EQ(Frame(101, 20), 0);
    EXPECT_EQ(Frame(100, 21), 0);
    EXPECT_EQ(RowsOf(100, 60), 24);
}

TEST_F(PlayView, GaugeCellsStandForFourUnits) {
    DrawGauge(g, 10, 100, 5, 4); // 3 then 1, then empty
    EXPECT_EQ(PieceAt(10, 100), 3);
    EXPECT_EQ(PieceAt(21, 100), 1);
    EXPECT_EQ(PieceAt(32, 100), 0);
    EXPECT_EQ(PieceAt(43, 100), 0);
    EXPECT_EQ(Frame(43 + 14, 107), 100); // the last cell ends 15 wide
    EXPECT_EQ(Frame(43 + 15, 107), 0);

    ClearFrame();
    DrawGauge(g, 10, 100, 31, 8); // energy 799
    for (int i = 0; i < 8; ++i) EXPECT_EQ(PieceAt(10 + 11 * i, 100), 3) << i;
    ClearFrame();
    DrawGauge(g, 10, 100, -7, 2);
    EXPECT_EQ(PieceAt(10, 100), 0);
    ClearFrame();
    EXPECT_EQ(DrawGauge(g, 10, 100, 16, 0), 1);
    EXPECT_EQ(RowsOf(12, 103), 0);
}

TEST_F(PlayView, HudGaugesShowSpeedAndEnergy) {
    EmptyField();
    g.play.globe.Y = 200;
    g.play.globe.Speed = 1.0f;
    g.play.globe.Energy = 24;
    DrawPlayView(g);
    EXPECT_EQ(PieceAt(50, 223), 1);
    EXPECT_EQ(PieceAt(61, 223), 0);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(PieceAt(168 + 11 * i, 223), 0) << i;
}

TEST_F(PlayView, ScrollArrowsShowWhereMoreFieldLies) {
    EmptyField();
    const int32_t cases[][3] = {{120, 0, 1}, {121, 1, 1}, {359, 1, 1}, {360, 1, 0}};
    for (const auto& c : cases) {
        ClearFrame();
        g.play.globe.Y = c[0];
        g.play.globe.X = 0; // keeps the globe sprite away from the arrows
        DrawPlayView(g);
        EXPECT_EQ(Frame(152 + 7, 20 + 7) == 110, c[1] == 1) << "Y " << c[0];
        EXPECT_EQ(Frame(152 + 7, 204 + 7) == 111, c[2] == 1) << "Y " << c[0];
    }
}

TEST_F(PlayView, MinimapDotForTheFarCornerStaysInsideTheCopy) {
    EmptyField();
    g.play.globe.X = 319;
    g.play.globe.Y = 479;
    DrawPlayView(g);
    EXPECT_EQ(Frame(312, 216), 255);
}

TEST_F(PlayView, AimMarkerPointsAlongTheHeading) {
    g.play.GlobeScreenX = 100;
    g.play.GlobeScreenY = 100;
    g.play.globe.Heading = 0;
    DrawAimMarker(g);
    // Centre (124, 124): line to (252, 124), a 16-box around its end, an 8-box 64 out.
    EXPECT_EQ(Frame(200, 124), 24);
    EXPECT_EQ(Frame(244, 116), 24);
    EXPECT_EQ(Frame(259, 131), 24);
    EXPECT_EQ(Frame(184, 120), 24);
    EXPECT_EQ(Frame(191, 127), 24);
    EXPECT_EQ(Frame(124, 124), 0); // the line never plots its start point
}

TEST_F(PlayView, CrosshairOnlyWhileTheTimeIsOdd) {
    EmptyField();
    g.play.globe.X = 100;
    g.play.globe.Y = 100;
    g.play.counters.MissionTime = 4999;
    DrawPlayView(g);
    EXPECT_EQ(Frame(300, 100), 24);
    ClearFrame();
    g.play.counters.MissionTime = 4998;
    DrawPlayView(g);
    EXPECT_EQ(Frame(300, 100), 0);
}

} // namespace
