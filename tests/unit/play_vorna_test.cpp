// VORNA: steering, the calm regain and block laying, walls, the full cell scan, ramming and defeat.
#include <gtest/gtest.h>

#include "play/cells.h"
#include "play/vorna.h"
#include "support/after_play_fixture.h"

using namespace vorna;
using vorna::testing::RandomAfter;

namespace {

struct Vorna : vorna::testing::AfterPlayFixture {
    void SetUp() override {
        AfterPlayFixture::SetUp();
        Start(9);
        // The globe far away in the bottom-left corner, out of VORNA's way.
        g.play.globe.X = 10;
        g.play.globe.Y = 470;
    }
    VornaRecord& v() { return g.play.vorna; }
    void At(uint32_t timer) { g.scene.SceneTimer = timer; }
};

TEST_F(Vorna, StandsStillUntilTheGlobeComesNear) {
    for (uint32_t t = 1; t < 200; ++t) {
        At(t);
        UpdateVorna(g);
    }
    EXPECT_EQ(v().X, 160);
    EXPECT_EQ(v().Y, 160);
    EXPECT_EQ(v().Speed, 0.0f);
    // Energy regained once every 16 frames while calm: 12 times in 1..199.
    EXPECT_EQ(v().Energy, 3000 + 12);

    g.play.globe.X = 200;
    g.play.globe.Y = 200; // distance 56 to the top-left corner
    At(201);
    UpdateVorna(g);
    EXPECT_EQ(v().Speed, 0.2f);
}

TEST_F(Vorna, SteerIsChosenEverySixteenFramesAwayFromTheGlobe) {
    v().Heading = 64; // not strictly inside 64..192
    At(15);
    UpdateVorna(g);
    EXPECT_EQ(v().Steer, 0);
    EXPECT_EQ(v().Heading, 64);
    At(16);
    UpdateVorna(g); // VORNA is above the globe: turn toward 192 by the short side, -4
    EXPECT_EQ(v().Steer, 4);
    EXPECT_EQ(v().Heading, 60);
    At(17);
    UpdateVorna(g); // the choice keeps acting between decisions
    EXPECT_EQ(v().Heading, 56);

    g.play.globe.Y = 10;
    v().Heading = 100;
    At(32);
    UpdateVorna(g); // now below the globe, heading in the left half: turn toward 64
    EXPECT_EQ(v().Steer, 4);
    EXPECT_EQ(v().Heading, 96);
}

TEST_F(Vorna, LaysItsFirstBlockUnderItselfAtFrame256AndIsPushedOut) {
    for (uint32_t t = 1; t <= 256; ++t) {
        At(t);
        UpdateVorna(g);
    }
    EXPECT_TRUE(g.play.CellType[17] == 0 || g.play.CellType[17] == 2);
    EXPECT_EQ(g.play.CellHits[17], 32);
    EXPECT_EQ(g.play.counters.BlocksLeft, 0);
    EXPECT_EQ(Sheet(2 * 4 + 1, 3 * 3 + 209), 255); // its minimap mark
    At(257);
    UpdateVorna(g); // standing on the block: a contact, pushed 8 down
    EXPECT_EQ(v().Y, 168);
    EXPECT_EQ(v().HurtTimer, -1);
}

TEST_F(Vorna, BlocksLaidAtAHigherLevelAreHarder) {
    Start(9, 2);
    g.play.globe.Y = 470;
    At(256);
    UpdateVorna(g);
    EXPECT_EQ(g.play.CellHits[17], 80 * 2 + 32);
}

TEST_F(Vorna, RightWallMirrorsOneStepShort) {
    v().X = 290;
    v().Y = 300;
    v().Speed = 0.0f;
    v().Heading = 200;
    FillPools();
    const uint32_t before = g.random.state;
    At(1);
    UpdateVorna(g);
    // Clamped to 287 with heading 183 (not 184), then the hurt reaction moves and turns it at random.
    const int32_t r1 = static_cast<int32_t>(RandomAfter(before, 1));
    const int32_t r2 = static_cast<int32_t>(RandomAfter(before, 2));
    EXPECT_EQ(v().X, 287 + (r1 & 15) - 8);
    EXPECT_EQ(v().Y, 292);
    EXPECT_EQ(v().Heading, (183 + (r2 & 31) - 15) & 255);
    EXPECT_EQ(v().HurtTimer, -1);
}

TEST_F(Vorna, EveryTouchedCellReversesTheHeadingAgain) {
    // Its centre on the edge shared by cells 0 and 1: both are touched, the heading turns back twice.
    g.play.CellType[0] = 3;
    g.play.CellType[1] = 3;
    v().X = 48;
    v().Y = 8;
    v().Heading = 10;
    FillPools();
    const uint32_t before = g.random.state;
    At(1);
    UpdateVorna(g);
    EXPECT_EQ(g.random.state, RandomAfter(before, 2)); // only the hurt reaction's two draws
    const int32_t r1 = static_cast<int32_t>(RandomAfter(before, 1));
    const int32_t r2 = static_cast<int32_t>(RandomAfter(before, 2));
    EXPECT_EQ(v().X, 48 + (r1 & 15) - 8);
    EXPECT_EQ(v().Y, 16);
    EXPECT_EQ(v().Heading, (10 + (r2 & 31) - 15) & 255);
}

TEST_F(Vorna, RamInMoonFormAtTopSpeedTakes170) {
    v().Speed = 0.0f;
    g.play.globe.X = 150;
    g.play.globe.Y = 150; // 150 < 184 < 198 on both axes
    g.play.globe.Speed = 16.2f;
    g.play.globe.Form = MOON;
    At(3);
    UpdateVorna(g);
    EXPECT_EQ(v().Energy, 3000 - 170);
    EXPECT_EQ(g.play.counters.Score, 5);
    EXPECT_EQ(v().Speed, 9.0f);
    EXPECT_EQ(v().HurtTimer, 31);
    EXPECT_EQ(observer.sounds, std::vector<int>{10});
    EXPECT_EQ(g.play.counters.MissionCleared, 0);
}

TEST_F(Vorna, DefeatIsNoticedInTheFrameOfTheRam) {
    v().Energy = 5;
    g.play.globe.X = 150;
    g.play.globe.Y = 150;
    g.play.globe.Speed = 1.0f; // SUN: (1 + 1) x 5 = 10
    At(3);
    UpdateVorna(g);
    EXPECT_EQ(v().Energy, 0);
    EXPECT_EQ(v().HurtTimer, 9999);
    EXPECT_EQ(g.play.counters.MissionCleared, 1);
}

TEST_F(Vorna, NoRammingWhileTheMissionIsOver) {
    g.play.counters.MissionOver = 1;
    g.play.globe.X = 150;
    g.play.globe.Y = 150;
    At(3);
    UpdateVorna(g);
    EXPECT_EQ(v().Energy, 3000);
    EXPECT_EQ(g.play.counters.Score, 0);
    EXPECT_TRUE(observer.sounds.empty());
}

TEST_F(Vorna, ExplosionsAcrossTheFieldEveryThirtyTwoFramesAndEveryFrameAfterDefeat) {
    FillPools();
    uint32_t before = g.random.state;
    At(31);
    UpdateVorna(g);
    EXPECT_EQ(g.random.state, before);
    At(32);
    UpdateVorna(g);
    EXPECT_EQ(g.random.state, RandomAfter(before, 2));

    g.play.counters.MissionCleared = 1;
    before = g.random.state;
    At(33);
    UpdateVorna(g);
    EXPECT_EQ(g.random.state, RandomAfter(before, 2));
}

TEST_F(Vorna, WarningSquaresWithinRangeAndTheEnergyText) {
    g.play.GlobeScreenX = 100;
    g.play.GlobeScreenY = 100;
    g.play.globe.X = 100;
    g.play.globe.Y = 300; // 141 from (160, 160)
    At(1);
    UpdateVorna(g);
    EXPECT_EQ(Frame(92, 92), 224);
    EXPECT_EQ(Frame(84, 84), 224);
    EXPECT_EQ(Frame(72 + 2, 160 + 2), 7); // "VORNA ENERGY ..." from the sheet

    ClearFrame();
    g.play.globe.Y = 320; // 160 away: no squares
    v().Energy = 0;
    At(2);
    UpdateVorna(g);
    EXPECT_EQ(Frame(92, 92), 0);
    EXPECT_EQ(Frame(72 + 2, 160 + 2), 0);
}

// Only VORNA's defeat clears mission ten; destroying its laid blocks drives BlocksLeft below 0 and no further.
TEST_F(Vorna, LaidBlocksNeverClearMissionTen) {
    At(256);
    UpdateVorna(g);
    const int32_t type = g.play.CellType[17];
    ASSERT_TRUE(type == 0 || type == 2);
    g.play.globe.Form = MOON;
    g.play.globe.Speed = 16.2f;
    EXPECT_EQ(HitBlock(g, 17, type), 1);
    EXPECT_EQ(g.play.counters.BlocksLeft, -1);
    EXPECT_EQ(g.play.counters.MissionCleared, 0);
}

} // namespace
