// Effect pools: first-free spawning, silent drops, lifetimes and the lean of the drift.
#include <gtest/gtest.h>

#include "play/cells.h"
#include "play/effects.h"
#include "support/play_fixture.h"

using namespace vorna;
using vorna::testing::PlayFixture;

using EffectsTest = PlayFixture;

TEST_F(EffectsTest, SpawnTakesTheFirstFreeSlotAndDropsWhenFull) {
    for (int i = 0; i < kExplosionSlots; ++i) SpawnExplosion(g, i, 0);
    EXPECT_EQ(Explosions(), kExplosionSlots);
    g.play.pools.ExplosionPool[5].Active = 0;
    SpawnExplosion(g, 99, 98);
    EXPECT_EQ(g.play.pools.ExplosionPool[5].X, 99);
    const uint32_t state = g.random.state;
    SpawnExplosion(g, 1, 1); // full: dropped without a draw
    EXPECT_EQ(g.random.state, state);
    EXPECT_EQ(g.play.pools.ExplosionPool[31].X, 31);
}

TEST_F(EffectsTest, FullExplosionPoolStillLetsHitBlockSparksThrough) {
    for (int i = 0; i < kExplosionSlots; ++i) SpawnExplosion(g, 0, 0);
    g.play.CellType[0] = 0;
    g.play.CellHits[0] = -1;
    g.play.globe.Speed = 1.0f;
    EXPECT_EQ(HitBlock(g, 0, 0), 1);
    EXPECT_EQ(Sparks(), 32);
    EXPECT_EQ(Explosions(), kExplosionSlots);
}

TEST_F(EffectsTest, StarsAtMissionStartFillOnlyTheFreeSlots) {
    SpawnStars(g, 40);
    EXPECT_EQ(Stars(), 40);
    SpawnStars(g, 32);
    EXPECT_EQ(Stars(), kStarSlots);
}

TEST_F(EffectsTest, ExplosionLivesFourTimesPeriodPlusOneUpdates) {
    for (int32_t period : {1, 8}) {
        g.play.pools = EffectPools{};
        SpawnExplosion(g, 0, 0);
        g.play.pools.ExplosionPool[0].Period = period;
        int updates = 0;
        while (g.play.pools.ExplosionPool[0].Active != 0) {
            UpdateExplosions(g);
            ++updates;
        }
        EXPECT_EQ(updates, 4 * (period + 1)) << period; // counting the update that frees it
    }
}

TEST_F(EffectsTest, SparkSpiralsOutForSixtyFourFrames) {
    SpawnSparks(g, 100, 200, 1);
    const EffectObject& s = g.play.pools.SparkPool[0];
    EXPECT_GE(s.Spin, 2);
    EXPECT_LE(s.Spin, 9);
    int updates = 0;
    while (s.Active != 0) {
        UpdateSparks(g);
        ++updates;
        if (s.Active != 0) {
            EXPECT_LE(std::abs(s.X - 100) + std::abs(s.Y - 200), 2 * s.Age);
        }
    }
    EXPECT_EQ(updates, 65);
}

TEST_F(EffectsTest, DriftLeansUpAndLeft) {
    int32_t lowest = 0, highest = 0;
    for (int round = 0; round < 200; ++round) {
        g.play.pools = EffectPools{};
        SpawnDebris(g, 0, 0, kDebrisSlots);
        SpawnStars(g, kStarSlots);
        for (const EffectObject& o : g.play.pools.DebrisPool) {
            lowest = std::min({lowest, o.VX, o.VY});
            highest = std::max({highest, o.VX, o.VY});
        }
        for (const EffectObject& o : g.play.pools.StarPool) {
            lowest = std::min({lowest, o.VX, o.VY});
            highest = std::max({highest, o.VX, o.VY});
            EXPECT_LE(o.XPeriod, 7);
            EXPECT_LE(o.FrameCounter, 15);
        }
    }
    EXPECT_EQ(lowest, -9);
    EXPECT_EQ(highest, 3);
}

TEST_F(EffectsTest, DebrisMovesEverySecondUpdateAndEndsAfterEightFrames) {
    SpawnDebris(g, 50, 50, 1);
    EffectObject& d = g.play.pools.DebrisPool[0];
    d.VX = 2;
    d.VY = -9;
    d.Period = 2;
    UpdateDebris(g);
    EXPECT_EQ(d.X, 52);
    EXPECT_EQ(d.Y, 41);
    UpdateDebris(g);
    EXPECT_EQ(d.X, 52);
    int updates = 2;
    while (d.Active != 0) {
        UpdateDebris(g);
        ++updates;
    }
    EXPECT_EQ(updates, 8 * 3);
}

TEST_F(EffectsTest, StarsGrowThroughEightFramesAndTakeADrawPerFrameChange) {
    SpawnStars(g, 1);
    EffectObject& s = g.play.pools.StarPool[0];
    s.FrameCounter = 16;
    const uint32_t state = g.random.state;
    UpdateStars(g);
    EXPECT_EQ(s.Frame, 1);
    EXPECT_NE(g.random.state, state);
    EXPECT_LE(s.FrameCounter, 3);
    s.Frame = 7;
    s.FrameCounter = 16;
    const int32_t x = s.X;
    UpdateStars(g);
    EXPECT_EQ(s.Active, 0);
    EXPECT_EQ(s.X, x); // freed without a move
}
