// The ending: the drifting earth, the roll that cannot be skipped, the swaying title and the way into the next level.
#include <gtest/gtest.h>

#include <cstring>

#include "scenes/ending.h"
#include "support/scene_fixture.h"

using namespace vorna;
using vorna::testing::SceneGame;
using vorna::testing::SheetPixel;

namespace {

void EnterEnding(SceneGame& run) {
    run.g.play.counters.Score = 12345;
    run.g.play.counters.HiScore = 20000;
    run.g.play.counters.Level = 1;
    run.g.scene.Scene = SceneResults;
    EnterScene(run.g, SceneEnding);
    run.TakeSounds();
    run.TakeMusic();
}

// Runs the ending's frames until SceneTimer reaches t (each with the given keys).
void RunTo(SceneGame& run, uint32_t t, const std::set<int>& keys = {}) {
    while (run.g.scene.SceneTimer < t) run.Frame(keys);
}

} // namespace

TEST(EndingRoll, FortyOneRowsWithOurOwnNames) {
    int rows = 0;
    while (EndingRoll[rows] != nullptr) ++rows;
    ASSERT_EQ(rows, 41);
    for (int i = 0; i < rows; ++i)
        for (const char* p = EndingRoll[i]; *p; ++p)
            EXPECT_TRUE((*p >= 'A' && *p <= 'Z') || (*p >= '0' && *p <= '9') || *p == ' ') << i;
    EXPECT_STREQ(EndingRoll[0], "CONGRATULATION");
    EXPECT_STREQ(EndingRoll[4], "  MOTHER OBJECT");
    EXPECT_STREQ(EndingRoll[5], "  V O R N A");
    EXPECT_STREQ(EndingRoll[10], "PLAN");
    EXPECT_STREQ(EndingRoll[27], "1997 2000");
    EXPECT_STREQ(EndingRoll[28], " PRESENT");
    EXPECT_STREQ(EndingRoll[29], "     QUILLBEX");
    EXPECT_STREQ(EndingRoll[34], "THANK YOU PLAYING");
    EXPECT_STREQ(EndingRoll[40], "GOODLUCK");
    const std::string staff = EndingRoll[11];
    ASSERT_GT(staff.size(), 4u);
    EXPECT_EQ(staff.substr(0, 4), "    ");
    EXPECT_NE(staff[4], ' ');
    for (int i : {14, 17, 20}) EXPECT_EQ(EndingRoll[i], staff) << i;
    EXPECT_EQ(EndingRoll[31], " " + staff);
    for (int i : {23, 24}) {
        const std::string thanks = EndingRoll[i];
        EXPECT_EQ(thanks.substr(0, 4), "    ") << i;
        EXPECT_GT(thanks.size(), 4u) << i;
    }
    for (int i : {1, 2, 6, 7, 8, 9, 12, 15, 18, 21, 25, 26, 32, 33, 35, 36, 38, 39})
        EXPECT_STREQ(EndingRoll[i], "") << i;
}

TEST(StartEnding, StartsTheEndingMusicAndLeavesTheRocksAlone) {
    SceneGame run;
    run.g.random.state = 4242;
    run.g.backdrop[3] = {10, 20, 1, -1, 3, 25, 64};
    run.g.scene.SceneTimer = 77;
    run.g.scene.SceneStep = 2;
    run.g.scene.Scene = SceneResults;
    EnterScene(run.g, SceneEnding);
    EXPECT_EQ(run.g.scene.SceneTimer, 0u);
    EXPECT_EQ(run.g.scene.SceneStep, 0);
    EXPECT_EQ(run.TakeMusic(), (std::vector<std::string>{"tempo 100", "play 13"}));
    EXPECT_EQ(run.g.random.state, 4242u);
    EXPECT_EQ(run.g.backdrop[3].phase, 64);
}

TEST(EndingFrame, RollRowsRiseThirtyPixelsApart) {
    SceneGame run;
    EnterEnding(run);
    RunTo(run, 29);
    run.Frame(); // t = 29: row 0 only
    EXPECT_TRUE(run.ShowsText("CONGRATULATION", 64, 211));
    EXPECT_EQ(run.FontRows().front(), 211);
    EXPECT_EQ(run.FontRows().back(), 226);
    RunTo(run, 1210);
    run.Frame(); // t = 1210: GOODLUCK at 230, TRY THE NEXT LEVEL at 140
    EXPECT_TRUE(run.ShowsText("GOODLUCK", 64, 230));
    EXPECT_TRUE(run.ShowsText("TRY THE NEXT LEVEL", 64, 140));
    EXPECT_TRUE(run.ShowsText("THANK YOU PLAYING", 64, 50));
    RunTo(run, 1500);
    run.Frame();
    EXPECT_EQ(run.g.scene.SceneStep, 0);
    run.Frame(); // t = 1501: the last roll frame (GOODLUCK at -61, off the top) switches to the title
    EXPECT_EQ(run.g.scene.SceneStep, 1);
    EXPECT_TRUE(run.FontRows().empty());
    EXPECT_EQ(run.g.scene.Scene, uint32_t(SceneEnding));
}

TEST(EndingFrame, EarthDriftsUntil920AndStays) {
    SceneGame run;
    EnterEnding(run);
    run.Frame(); // t = 0: at (-64, -32), four times its size
    EXPECT_EQ(run.At(0, 0), SheetPixel(224 + 16, 32 + 8));
    RunTo(run, 919);
    run.Frame(); // (165, 121)
    EXPECT_EQ(run.At(165, 230), SheetPixel(224, 32 + 27));
    run.Frame(); // (166, 121)
    EXPECT_EQ(run.At(166, 230), SheetPixel(224, 32 + 27));
    run.g.scene.SceneTimer = 5000;
    run.g.scene.SceneStep = 1;
    run.Frame();
    EXPECT_EQ(run.At(166, 230), SheetPixel(224, 32 + 27));
    EXPECT_EQ(run.At(319, 239), SheetPixel(224 + 38, 32 + 29));
}

TEST(EndingFrame, RollCannotBeSkippedAndTheFirstPressCountsFromT1502) {
    SceneGame run;
    EnterEnding(run);
    while (run.g.scene.SceneTimer < 1502) {
        run.Frame(run.g.scene.SceneTimer % 2 == 0 ? std::set<int>{VK_Z_KEY} : std::set<int>{});
        ASSERT_EQ(run.g.scene.Scene, uint32_t(SceneEnding)) << run.g.scene.SceneTimer;
    }
    EXPECT_TRUE(run.TakeSounds().empty());
    EXPECT_TRUE(run.TakeMusic().empty());
    run.Frame({VK_Z_KEY}); // t = 1502
    EXPECT_EQ(run.g.scene.Scene, uint32_t(ScenePlay));
    const auto sounds = run.TakeSounds();
    const auto music = run.TakeMusic();
    ASSERT_FALSE(sounds.empty());
    EXPECT_EQ(sounds.front(), 1);
    ASSERT_FALSE(music.empty());
    EXPECT_EQ(music.front(), "stop");
    EXPECT_EQ(run.g.play.counters.HiScore, 20000);
    EXPECT_EQ(run.g.play.counters.Score, 12345); // the score carries into the next level
    EXPECT_EQ(run.g.play.counters.Level, 1);
}

TEST(EndingFrame, AButtonHeldAcrossTheEndOfTheRollMustBePressedAgain) {
    SceneGame run;
    EnterEnding(run);
    RunTo(run, 1490);
    RunTo(run, 1520, {VK_X_KEY});
    EXPECT_EQ(run.g.scene.Scene, uint32_t(SceneEnding));
    run.Frame();
    run.Frame({VK_UP_KEY, VK_ESCAPE_KEY});
    EXPECT_EQ(run.g.scene.Scene, uint32_t(SceneEnding));
    run.Frame({VK_X_KEY});
    EXPECT_EQ(run.g.scene.Scene, uint32_t(ScenePlay));
}

TEST(EndingFrame, TitleSwaysWithItsPrompts) {
    SceneGame run;
    EnterEnding(run);
    run.g.scene.SceneStep = 1;
    run.g.scene.SceneTimer = 2048 + 8; // F = cos 8, G = cos 64 = 0; the prompt hidden
    run.Frame();
    EXPECT_FALSE(run.ShowsText("PRESS ANY TO NEXT LEVEL", 52, 160));
    EXPECT_TRUE(run.ShowsText("THANK YOU FOR PLAYING", 56, 184));
    EXPECT_TRUE(run.ShowsText("2000 QUILLBEX DRAVO PRESENT", 32, 212));
    run.g.scene.SceneTimer = 2048; // F = 32, G = 16
    run.Frame();
    EXPECT_EQ(run.At(104, 72), SheetPixel(0, 80));              // coloured lettering at (F + 72, G + 56)
    EXPECT_EQ(run.At(108 + 175, 80 + 47), SheetPixel(175, 79)); // grey lettering at (F + 76, G + 64)
    EXPECT_EQ(run.At(88, 134 + 15), SheetPixel(229, 15));       // the V of the name line at (F + 56, G + 118)
    run.g.scene.SceneTimer = 2048 + 9;
    run.Frame();
    EXPECT_TRUE(run.ShowsText("PRESS ANY TO NEXT LEVEL", 52, 160));
}
