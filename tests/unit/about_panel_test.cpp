// The about box's credit panel: the roll's restart, the sun's wrap, the star field and the random state it leaves.
#include <gtest/gtest.h>

#include <memory>

#include "app/about_panel.h"

using namespace vorna;

namespace {

std::unique_ptr<Game> FreshGame() {
    return std::make_unique<Game>();
}

uint32_t StateAfterSteps(uint32_t seed, int steps) {
    uint32_t x = seed;
    for (int i = 0; i < steps; ++i) x = x * 5u + 1u;
    return x;
}

} // namespace

TEST(AboutPanel, RollHasTwentyNineRowsWithTheirHeaders) {
    int n = 0;
    while (CreditRoll[n] != nullptr) ++n;
    EXPECT_EQ(n, kCreditRowCount);
    EXPECT_STREQ(CreditRoll[1], " VORNA-TESSIK version 1.53");
    EXPECT_STREQ(CreditRoll[6], " プログラム - Program -");
    EXPECT_STREQ(CreditRoll[18], "Try game team colleagues..");
    EXPECT_STREQ(CreditRoll[24], "and you.");
    EXPECT_STREQ(CreditRoll[28], "Thank you for playing..");
}

// Every paint re-seeds with 11 and draws 768 values: the game goes on from one fixed state.
TEST(AboutPanel, PaintLeavesTheRandomGeneratorInItsFixedState) {
    auto g = FreshGame();
    g->random.state = 0xDEADBEEFu;
    AboutDialogOpened(*g);
    AboutPanelPlan plan;
    PlanAboutPanel(*g, 338, 171, plan);
    EXPECT_EQ(g->random.state, StateAfterSteps(11, 769));
}

TEST(AboutPanel, StarsAreTheSameFieldShiftedDownEachPaint) {
    auto g = FreshGame();
    AboutDialogOpened(*g);
    AboutPanelPlan first, second;
    PlanAboutPanel(*g, 300, 150, first);
    PlanAboutPanel(*g, 300, 150, second);
    EXPECT_EQ(g->about.StarScroll, 2);
    for (int i = 0; i < kAboutStarCount; ++i) {
        EXPECT_EQ(first.stars[i].x, second.stars[i].x);
        EXPECT_EQ(first.stars[i].grey, second.stars[i].grey);
        EXPECT_GE(first.stars[i].grey, 128);
        const int32_t expect = first.stars[i].y + 1 > 150 ? first.stars[i].y + 1 - 150 : first.stars[i].y + 1;
        EXPECT_EQ(second.stars[i].y, expect) << i;
    }
    // The offset wraps once it passes the panel's height, and survives a reopening.
    g->about.StarScroll = 150;
    PlanAboutPanel(*g, 300, 150, first);
    EXPECT_EQ(g->about.StarScroll, 0);
    g->about.StarScroll = 40;
    AboutDialogOpened(*g);
    EXPECT_EQ(g->about.StarScroll, 40);
}

TEST(AboutPanel, SunStartsNearTheLeftAndWrapsAfterPassingTheRightEdge) {
    auto g = FreshGame();
    AboutDialogOpened(*g);
    AboutPanelPlan plan;
    PlanAboutPanel(*g, 300, 150, plan);
    EXPECT_EQ(plan.sprites[0].x, 10);
    EXPECT_EQ(plan.sprites[0].y, 1);
    EXPECT_EQ(plan.sprites[0].sheetX, 176);
    EXPECT_EQ(plan.sprites[2].sheetX, 272);
    g->about.OrbitX = 500;
    PlanAboutPanel(*g, 300, 150, plan);
    EXPECT_EQ(plan.sprites[0].x, 500);
    AboutTimerTick(*g);
    PlanAboutPanel(*g, 300, 150, plan);
    EXPECT_EQ(plan.sprites[0].x, -200);
    EXPECT_EQ(plan.sprites[0].y, -25); // truncating division
}

TEST(AboutPanel, RollEntersFromBelowAndRestartsAfterItsLastRowHasLeft) {
    auto g = FreshGame();
    AboutDialogOpened(*g);
    AboutPanelPlan plan;
    PlanAboutPanel(*g, 300, 150, plan);
    ASSERT_EQ(plan.rowCount, kCreditRowCount);
    EXPECT_EQ(plan.rows[0].top, 150);
    EXPECT_TRUE(plan.rows[0].header);
    EXPECT_FALSE(plan.rows[4].header);
    EXPECT_EQ(plan.rows[28].top, 150 + 28 * 32);
    // The last row's bottom is at 150 + 928 - scroll: still on the edge at scroll 1078, gone at 1079.
    g->about.CreditScroll = 150 + 928;
    PlanAboutPanel(*g, 300, 150, plan);
    EXPECT_EQ(plan.rowCount, kCreditRowCount);
    EXPECT_EQ(g->about.CreditScroll, 150 + 928);
    AboutTimerTick(*g);
    PlanAboutPanel(*g, 300, 150, plan);
    EXPECT_EQ(plan.rowCount, kCreditRowCount - 1);
    EXPECT_EQ(g->about.CreditScroll, 0);
}
