// Cells and blocks: building a mission, hit points by Level, HitBlock's damage and scoring, the minimap.
#include <gtest/gtest.h>

#include "base/game_math.h"
#include "play/cells.h"
#include "play/missions.h"
#include "support/play_fixture.h"

using namespace vorna;
using vorna::testing::PlayFixture;

namespace {

struct CellsTest : PlayFixture {
    uint8_t SheetAt(int32_t x, int32_t y) const {
        return g.display.SheetSurface.pixels[static_cast<size_t>(y) * 320 + static_cast<size_t>(x)];
    }
    uint8_t MarkOf(int index) const { return SheetAt(MinimapCellX(index), MinimapCellY(index)); }
};

} // namespace

TEST_F(CellsTest, MissionTableHoldsItsNamesAndFields) {
    EXPECT_STREQ(MissionNames[0], "RED OR BLUE");
    EXPECT_STREQ(MissionNames[9], "MOTHER OF VORNA");
    for (int m = 0; m < 10; ++m) {
        EXPECT_EQ(MissionNames[m], MissionTable[m].name);
        for (int32_t t : MissionTable[m].cells) EXPECT_TRUE(t <= 4 || (t >= 10 && t <= 13)) << m;
    }
    EXPECT_EQ(MissionTable[6].startX, 0);
    EXPECT_EQ(MissionTable[4].cells[24], 13);
    EXPECT_EQ(MissionTable[6].cells[49], 0);
}

TEST_F(CellsTest, BuildingDrawsOnePerBlockInCellOrder) {
    g.play.CellHits[0] = 77; // empty and stone cells keep what they held
    g.play.counters.MissionNumber = 4;
    g.play.counters.Level = 2;
    Game expected = g;
    BuildMissionCells(g);
    int blocks = 0;
    for (int i = 0; i < kCellCount; ++i) {
        const int32_t t = MissionTable[4].cells[i];
        EXPECT_EQ(g.play.CellType[i], t);
        if (t <= 2) {
            ++blocks;
            EXPECT_EQ(g.play.CellHits[i], StartingHits(expected, t)) << i;
        }
        if (t >= 10) {
            EXPECT_EQ(g.play.CellHits[i], -1);
        }
        EXPECT_EQ(MarkOf(i), t <= 3 ? 255 : 10) << i;
    }
    EXPECT_EQ(g.play.CellHits[0], -1); // a ghost there
    EXPECT_EQ(g.play.counters.BlocksLeft, blocks);
    EXPECT_EQ(g.random.state, expected.random.state);
    EXPECT_EQ(SheetAt(0, 208), 24); // the frame
    EXPECT_EQ(SheetAt(21, 239), 24);
    EXPECT_EQ(SheetAt(20, 238), 10); // background beyond the last mark
    EXPECT_EQ(SheetAt(22, 208), 7);  // nothing outside the minimap
}

TEST_F(CellsTest, HitPointsGrowWithLevel) {
    for (int32_t level : {0, 3}) {
        for (int i = 0; i < 200; ++i) {
            const int32_t red = StartingHits(g, 0);
            const int32_t green = StartingHits(g, 1);
            EXPECT_GE(red, 32 + 80 * level);
            EXPECT_LE(red, 39 + 80 * level);
            EXPECT_GE(green, 96 + 160 * level);
            EXPECT_LE(green, 111 + 160 * level);
        }
        g.play.counters.Level = 3;
    }
}

TEST_F(CellsTest, RedBlockOfThirtyTwoStandsFourTouchesAtSunSpeedOne) {
    Start(0);
    g.play.CellHits[12] = 32;
    g.play.globe.Speed = 1.9f;
    for (int touch = 0; touch < 4; ++touch) EXPECT_EQ(HitBlock(g, 12, 0), 0) << touch;
    EXPECT_EQ(g.play.CellHits[12], 0); // exactly 0 still stands
    EXPECT_EQ(g.play.CellType[12], 0);
    EXPECT_EQ(g.play.counters.Score, 4);
    const uint32_t before = g.random.state;
    EXPECT_EQ(HitBlock(g, 12, 0), 1);
    EXPECT_EQ(g.play.CellType[12], 4);
    EXPECT_EQ(g.play.counters.Score, 4 + 1 + 10);
    EXPECT_EQ(g.play.counters.BlocksLeft, 8);
    EXPECT_EQ(MarkOf(12), 10);
    EXPECT_EQ(observer.sounds, (std::vector<int>{0, 11}));
    EXPECT_EQ(Explosions(), 8);
    EXPECT_EQ(Sparks(), 32);
    // Sixteen draws for the bursts and, through the spawns, eight explosions' and 32 sparks' own.
    Game replay = g;
    replay.random.state = before;
    for (int i = 0; i < 16 + 8 + 64; ++i) GameRandom(replay);
    EXPECT_EQ(g.random.state, replay.random.state);
    EXPECT_EQ(g.play.counters.MissionCleared, 0);
}

TEST_F(CellsTest, DamageTableByFormAndSpeed) {
    Start(0);
    struct Case {
        int32_t form, type;
        float speed;
        int32_t damage;
    } cases[] = {{SUN, 0, 1.0f, 8},   {SUN, 1, 1.0f, 2},  {SUN, 2, 3.2f, 4},     {TERA, 0, 1.0f, 2},
                 {TERA, 2, 2.0f, 15}, {TERA, 1, 1.0f, 2}, {MOON, 1, 16.2f, 136}, {MOON, 0, 16.0f, 136}};
    for (const Case& c : cases) {
        g.play.CellHits[11] = 1000;
        g.play.globe.Form = c.form;
        g.play.globe.Speed = c.speed;
        HitBlock(g, 11, c.type);
        EXPECT_EQ(1000 - g.play.CellHits[11], c.damage) << c.form << " " << c.type;
    }
}

TEST_F(CellsTest, MoonAtTopSpeedBreaksEveryLevelZeroBlockAtOnce) {
    Start(2);
    g.play.globe.Form = MOON;
    g.play.globe.Speed = 16.1999893f;
    for (int i = 0; i < kCellCount; ++i) {
        const int32_t t = g.play.CellType[i];
        if (t <= 2) {
            EXPECT_EQ(HitBlock(g, i, t), 1) << i;
        }
    }
    EXPECT_EQ(g.play.counters.BlocksLeft, 0);
    EXPECT_EQ(g.play.counters.MissionCleared, 1);
    EXPECT_EQ(g.play.counters.Score, 7 * (1 + 10) + 4 * (1 + 40)); // seven red blocks and four green ones
}

TEST_F(CellsTest, GreenScoresFortyAndOverMissionNeitherScoresNorDamages) {
    Start(2);
    g.play.globe.Form = MOON;
    g.play.globe.Speed = 16.0f;
    EXPECT_EQ(HitBlock(g, 6, 1), 1);
    EXPECT_EQ(g.play.counters.Score, 41);
    g.play.counters.MissionOver = 1;
    EXPECT_EQ(HitBlock(g, 7, 1), 0);
    EXPECT_EQ(g.play.counters.Score, 41);
    EXPECT_EQ(g.play.CellType[7], 1);
}

TEST_F(CellsTest, LaidBlocksNeverClearMissionTen) {
    Start(9);
    EXPECT_EQ(g.play.counters.BlocksLeft, 0);
    g.play.CellType[17] = 2;
    g.play.CellHits[17] = 0;
    EXPECT_EQ(HitBlock(g, 17, 2), 1);
    EXPECT_EQ(g.play.counters.BlocksLeft, -1);
    EXPECT_EQ(g.play.counters.MissionCleared, 0);
}

TEST_F(CellsTest, DrawingTakesFourDrawsPerStandingBlockOnly) {
    Start(1); // 6 destructible blocks, stones and empties
    uint32_t state = g.random.state;
    DrawCells(g);
    Game replay = g;
    replay.random.state = state;
    for (int i = 0; i < 6 * 4; ++i) GameRandom(replay);
    EXPECT_EQ(g.random.state, replay.random.state);
    ClearCells();
    g.play.CellType[3] = 3;
    g.play.CellType[8] = 12;
    state = g.random.state;
    DrawCells(g);
    EXPECT_EQ(g.random.state, state);
}
