// The about box's credit panel: the roll's restart, the sun's wrap, the star field and the random state it leaves.
#include <gtest/gtest.h>

#include <memory>
#include <string>

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
    // The one version of the build description, never one written into the code.
    EXPECT_EQ(std::string(CreditRoll[1]), std::string(" VORNA-TESSIK version ") + VORNA_PROJECT_VERSION);
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

TEST(AboutPanel, HeadersDrawShadowLightAndFaceOverABarAndNamesGreyThenLight) {
    auto g = FreshGame();
    AboutDialogOpened(*g);
    AboutPanelPlan plan;
    PlanAboutPanel(*g, 301, 151, plan);
    EXPECT_EQ(plan.width, 301);
    const AboutRow& header = plan.rows[3];
    ASSERT_TRUE(header.hasBar);
    EXPECT_EQ(header.bar.left, 75);
    EXPECT_EQ(header.bar.right, 301 - 75);
    EXPECT_EQ(header.bar.top, header.top + 8);
    EXPECT_EQ(header.bar.bottom, header.top + 20);
    ASSERT_EQ(header.textCount, 3);
    EXPECT_EQ(header.texts[0].rgb, 0x000000u);
    EXPECT_EQ(header.texts[0].box.left, 0);
    EXPECT_EQ(header.texts[0].box.right, 301);
    EXPECT_EQ(header.texts[0].box.bottom, header.top + kCreditRowHeight);
    EXPECT_EQ(header.texts[1].rgb, 0xD0D0D0u);
    EXPECT_EQ(header.texts[1].box.left, -2);
    EXPECT_EQ(header.texts[1].box.top, header.top - 2);
    EXPECT_EQ(header.texts[2].rgb, 0xFFFFFFu);
    EXPECT_EQ(header.texts[2].box.left, -1);
    EXPECT_EQ(header.texts[2].box.top, header.top - 2);

    const AboutRow& name = plan.rows[4];
    EXPECT_FALSE(name.hasBar);
    ASSERT_EQ(name.textCount, 2);
    EXPECT_STREQ(name.texts[0].text, CreditRoll[4]);
    EXPECT_EQ(name.texts[0].rgb, 0x808080u);
    EXPECT_EQ(name.texts[1].rgb, 0xD0D0D0u);
    EXPECT_EQ(name.texts[1].box.left, 1);
    EXPECT_EQ(name.texts[1].box.top, name.top);
    EXPECT_EQ(plan.rows[2].textCount, 0); // an empty row draws nothing
}

// Both programs show this one roll: the makers and years beside the panel are the roll's own line, and
// the ending's makers and staff stand in it.
TEST(AboutPanel, TheBoxNamesTheMakersOfTheEndingOnce) {
    EXPECT_STREQ(CreditRoll[0], " ヴォルナ・テシック Improve");
    EXPECT_STREQ(CreditRoll[26], kAboutMakersLine);
    EXPECT_NE(std::string(kAboutMakersLine).find("1997-2000"), std::string::npos);
    EXPECT_NE(std::string(kAboutMakersLine).find("Quillbex"), std::string::npos);
    EXPECT_EQ(std::string(kAboutTitleLine), std::string("VORNA-TESSIK Improve  version ") + VORNA_PROJECT_VERSION);
    for (int i : {0, 1, 3, 6, 9, 12, 15}) EXPECT_EQ(CreditRoll[i][0], ' ') << i;
    for (int i : {2, 5, 8, 11, 14, 25, 27}) EXPECT_STREQ(CreditRoll[i], "") << i;
}

TEST(AboutPanel, TimerTicksMoveTheSunAndTheRollOnePixelEach) {
    auto g = FreshGame();
    g->about.OrbitX = 77;
    g->about.CreditScroll = 55;
    AboutDialogOpened(*g);
    EXPECT_EQ(g->about.OrbitX, 10);
    EXPECT_EQ(g->about.CreditScroll, 0);
    AboutTimerTick(*g);
    AboutTimerTick(*g);
    EXPECT_EQ(g->about.OrbitX, 12);
    EXPECT_EQ(g->about.CreditScroll, 2);
    AboutPanelPlan plan;
    PlanAboutPanel(*g, 300, 150, plan);
    EXPECT_EQ(plan.rows[0].top, 148);
    EXPECT_EQ(plan.sprites[0].x, 12);
}
