// The globe: movement at low speed, steering and forms, walls with their quirk, cell contact and energy.
#include <gtest/gtest.h>

#include "play/globe.h"
#include "support/play_fixture.h"

using namespace vorna;
using vorna::testing::PlayFixture;

namespace {

struct GlobeTest : PlayFixture {
    void SetUp() override {
        PlayFixture::SetUp();
        Start(0);
        ClearCells();
    }
    void Steer(uint32_t held, uint32_t pressed = 0) {
        g.scene.InputNow = held;
        g.scene.InputPressed = pressed;
        SteerGlobe(g);
    }
    // Puts the globe at (x, y), coming from (px, py), with a heading.
    void Place(int32_t x, int32_t y, int32_t px, int32_t py, int32_t heading) {
        g.play.globe.X = x;
        g.play.globe.Y = y;
        g.play.globe.PrevX = px;
        g.play.globe.PrevY = py;
        g.play.globe.Heading = heading;
    }
};

} // namespace

TEST_F(GlobeTest, AtSpeedOneOnlyHeadingsNearTheAxesMove) {
    for (int32_t h = 0; h < 256; ++h) {
        g.play.globe.Speed = 1.0f;
        Place(160, 400, 160, 400, h);
        g.scene.InputNow = g.scene.InputPressed = 0;
        PlayFrame(g);
        const int32_t fromAxis = std::min(h % 64, 64 - h % 64);
        const bool moved = g.play.globe.X != 160 || g.play.globe.Y != 400;
        EXPECT_EQ(moved, fromAxis <= 4) << "heading " << h;
        if (moved) {
            EXPECT_EQ(std::abs(g.play.globe.X - 160) + std::abs(g.play.globe.Y - 400), 1) << h;
        }
    }
}

TEST_F(GlobeTest, SpeedStepsInSinglePrecisionWithTheirLimits) {
    Steer(InputDown); // 1.0 is below the 2.0 floor: nothing happens
    EXPECT_EQ(g.play.globe.Speed, 1.0f);
    int steps = 0;
    while (static_cast<double>(g.play.globe.Speed) < 16.0) {
        Steer(InputUp);
        ++steps;
    }
    EXPECT_EQ(steps, 76);
    const float top = g.play.globe.Speed;
    EXPECT_GT(top, 16.1f);
    Steer(InputUp);
    EXPECT_EQ(g.play.globe.Speed, top);
    Steer(InputUp | InputDown); // at 16.0 or more the DOWN branch runs
    EXPECT_LT(g.play.globe.Speed, top);
    Steer(InputUp | InputDown); // below 16.0 up wins
    EXPECT_EQ(g.play.globe.Speed, top);
    while (static_cast<double>(g.play.globe.Speed) > 2.0) Steer(InputDown);
    EXPECT_NEAR(g.play.globe.Speed, 1.8f, 0.01f);
    EXPECT_EQ(static_cast<int32_t>(g.play.globe.Speed), 1);
}

TEST_F(GlobeTest, TurningRightWinsAndWraps) {
    g.play.globe.Heading = 254;
    EXPECT_EQ(SteerGlobe(g), 0);
    g.scene.InputNow = InputRight | InputLeft;
    EXPECT_EQ(SteerGlobe(g), 1);
    EXPECT_EQ(g.play.globe.Heading, 2);
    Steer(InputLeft);
    Steer(InputLeft);
    EXPECT_EQ(g.play.globe.Heading, 250);
}

TEST_F(GlobeTest, FormsToggleAndMoonReturnsToTheFormItLeft) {
    Steer(0, InputButton2);
    EXPECT_EQ(g.play.globe.Form, TERA);
    Steer(InputButton1, InputButton1);
    EXPECT_EQ(g.play.globe.Form, MOON);
    EXPECT_EQ(g.play.globe.SavedForm, TERA);
    Steer(InputButton1 | InputButton2, InputButton2); // ignored while MOON is held
    EXPECT_EQ(g.play.globe.Form, MOON);
    EXPECT_EQ(g.play.globe.SavedForm, TERA);
    Steer(InputButton2, 0); // release: back to TERA, silently, and X still held is no new press
    EXPECT_EQ(g.play.globe.Form, TERA);
    EXPECT_EQ(observer.sounds, (std::vector<int>{7, 7}));
    Steer(0, InputButton2);
    EXPECT_EQ(g.play.globe.Form, SUN);
}

TEST_F(GlobeTest, RightWallMirrorsOneStepShortForTheLeftHalfOfTheTurn) {
    Place(330, 200, 318, 200, 200);
    g.play.globe.Energy = 800;
    EXPECT_EQ(CollideGlobe(g), 1);
    EXPECT_EQ(g.play.globe.X, 319);
    EXPECT_EQ(g.play.globe.Heading, 183); // 383 - 200, not the mirror 184
    EXPECT_EQ(g.play.globe.Energy, 798);
    EXPECT_EQ(observer.sounds, std::vector<int>{3});

    Place(325, 200, 318, 200, 20);
    CollideGlobe(g);
    EXPECT_EQ(g.play.globe.Heading, 108);
    Place(-3, 200, 1, 200, 138);
    CollideGlobe(g);
    EXPECT_EQ(g.play.globe.X, 0);
    EXPECT_EQ(g.play.globe.Heading, 246);
    Place(10, 500, 10, 478, 70); // bottom: vertical mirror
    CollideGlobe(g);
    EXPECT_EQ(g.play.globe.Y, 479);
    EXPECT_EQ(g.play.globe.Heading, 186);
    Place(330, -5, 318, 2, 160); // corner: the top wall mirrors the heading the side wall left
    CollideGlobe(g);
    EXPECT_EQ(g.play.globe.Heading, (-(383 - 160)) & 255);
}

TEST_F(GlobeTest, FirstCellInRowMajorOrderIsHitAndGhostsLetThrough) {
    g.play.CellType[1] = 0;
    g.play.CellType[5] = 2;
    g.play.CellHits[1] = 50;
    g.play.CellHits[5] = 50;
    g.play.CellType[0] = 10;    // a ghost before them is passed through
    Place(64, 48, 70, 60, 192); // corner shared by cells 0, 1, 5, 6
    EXPECT_EQ(FirstSolidCellAt(g, 64, 48), 1);
    EXPECT_EQ(CollideGlobe(g), 0);
    EXPECT_EQ(g.play.CellHits[1], 50 - 2 * 4);
    EXPECT_EQ(g.play.CellHits[5], 50);
    EXPECT_EQ(g.play.globe.X, 70);
    EXPECT_EQ(g.play.globe.Y, 60);
    EXPECT_EQ(g.play.globe.Heading, 64);
    EXPECT_EQ(observer.sounds, std::vector<int>{2});
    EXPECT_EQ(Explosions(), 2);
    EXPECT_EQ(Sparks(), 2);

    observer.sounds.clear();
    g.play.CellType[1] = 13;
    g.play.CellType[5] = 4;
    Place(64, 48, 70, 60, 192);
    CollideGlobe(g);
    EXPECT_EQ(g.play.globe.X, 64);
    EXPECT_TRUE(observer.sounds.empty());
    EXPECT_EQ(FirstSolidCellAt(g, 320, 480), -1);
}

TEST_F(GlobeTest, StoneCostsFiveAndTheWallTwoMore) {
    g.play.CellType[4] = 3;
    Place(325, 10, 300, 10, 0);
    g.play.globe.Energy = 100;
    EXPECT_EQ(CollideGlobe(g), 1);
    EXPECT_EQ(g.play.globe.Energy, 93);
    EXPECT_EQ(observer.sounds, (std::vector<int>{5, 3}));
    EXPECT_EQ(Debris(), 8);
    EXPECT_EQ(g.play.globe.X, 300);
}

TEST_F(GlobeTest, EnergyExactlyZeroGoesOnAndBelowZeroFails) {
    g.play.globe.Energy = 2;
    EXPECT_EQ(ChangeEnergy(g, -2), 0);
    EXPECT_EQ(g.play.globe.Energy, 0);
    EXPECT_EQ(g.play.counters.MissionFailed, 0);
    EXPECT_EQ(ChangeEnergy(g, -2), 1);
    EXPECT_EQ(g.play.globe.Energy, 0);
    EXPECT_EQ(g.play.counters.MissionFailed, 1);
}

TEST_F(GlobeTest, OverMissionStillSoundsAndSpawnsButChangesNothing) {
    g.play.counters.MissionOver = 1;
    g.play.CellType[0] = 0;
    g.play.CellHits[0] = 5;
    g.play.globe.Energy = 1;
    Place(-2, 10, 5, 10, 128);
    EXPECT_EQ(CollideGlobe(g), 1);
    EXPECT_EQ(g.play.globe.Energy, 1);
    EXPECT_EQ(g.play.CellHits[0], 5);
    EXPECT_EQ(g.play.CellType[0], 0);
    EXPECT_EQ(g.play.counters.Score, 0);
    EXPECT_EQ(observer.sounds, (std::vector<int>{2, 3}));
    EXPECT_EQ(Explosions(), 2);
    EXPECT_EQ(ChangeEnergy(g, -5), 0);
    EXPECT_EQ(g.play.counters.MissionFailed, 0);
}
