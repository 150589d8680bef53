// A fresh game aggregate starts as a fresh process would.
#include <gtest/gtest.h>

#include "base/game.h"

TEST(GameAggregate, StartsLikeAFreshProcess) {
    vorna::Game g;
    EXPECT_EQ(g.scene.Scene, 0u);
    EXPECT_EQ(g.random.state, 0u);
    EXPECT_EQ(g.input.JoystickCount, -1);
    EXPECT_EQ(g.display.EmulationOnly, 1);
    vorna::Game copy = g;
    EXPECT_EQ(copy.play.counters.Score, 0);
}
