// A new game and the mission intro: the counters, the three globes, the lines every 60 frames and the way into play.
#include <gtest/gtest.h>

#include "scenes/intro.h"
#include "support/scene_fixture.h"

using namespace vorna;
using vorna::testing::SceneGame;
using vorna::testing::SheetPixel;

namespace {

// A game started from the title with a press of key: the intro's first frame runs with t = 1.
void StartFromTheTitle(SceneGame& run, int key = VK_Z_KEY) {
    run.g.scene.Scene = SceneTitle;
    run.g.scene.SceneTimer = 30;
    run.Frame();
    run.Frame({key});
    ASSERT_EQ(run.g.scene.Scene, uint32_t(SceneMissionIntro));
    ASSERT_EQ(run.g.scene.SceneTimer, 1u);
    run.TakeSounds();
    run.TakeMusic();
}

} // namespace

TEST(NewGame, ResetsTheGameCountersAndTheRocksButStartsNoMusic) {
    SceneGame run;
    run.g.play.counters = {450, 9000, 11, 0, 0, 3, 0, 7, 2};
    run.g.scene.SceneTimer = 99;
    NewGame(run.g);
    const PlayCounters& c = run.g.play.counters;
    EXPECT_EQ(c.Score, 0);
    EXPECT_EQ(c.MissionNumber, 0);
    EXPECT_EQ(c.Level, 0);
    EXPECT_EQ(c.HiScore, 9000);
    EXPECT_EQ(run.g.scene.SceneTimer, 0u);
    for (const BackdropObject& o : run.g.backdrop) EXPECT_EQ(o.phase, 8);
    EXPECT_EQ(run.TakeMusic(), std::vector<std::string>{"tempo 100"});
    EXPECT_TRUE(run.TakeSounds().empty());
}

TEST(MissionIntro, EndsInTheFrameWithT481) {
    SceneGame run;
    StartFromTheTitle(run);
    EXPECT_EQ(run.FramesUntilSceneChange(1000), 481);
    EXPECT_EQ(run.g.scene.Scene, uint32_t(ScenePlay));
}

TEST(MissionIntro, NeitherDirectionsNorTheHeldStartButtonSkipIt) {
    SceneGame run;
    StartFromTheTitle(run);
    run.Frames(50, {VK_Z_KEY}); // still held from the title
    const int keys[] = {VK_UP_KEY, VK_DOWN_KEY, VK_LEFT_KEY, VK_RIGHT_KEY, VK_NUMPAD4_KEY, VK_ESCAPE_KEY};
    for (uint32_t t = 51; t < 480; t += 2) {
        run.Frame({keys[t % 6]});
        run.Frame();
    }
    ASSERT_EQ(run.g.scene.SceneTimer, 481u);
    EXPECT_EQ(run.g.scene.Scene, uint32_t(SceneMissionIntro));
    run.Frame({VK_UP_KEY});
    EXPECT_EQ(run.g.scene.Scene, uint32_t(ScenePlay));
}

TEST(MissionIntro, ANewButtonPressGoesStraightIntoPlay) {
    SceneGame run;
    StartFromTheTitle(run);
    run.Frames(10);
    run.Frame({VK_X_KEY});
    EXPECT_EQ(run.g.scene.Scene, uint32_t(ScenePlay));
}

TEST(MissionIntro, LinesAppearEverySixtyFramesOneUnderTheOther) {
    SceneGame run;
    StartFromTheTitle(run);
    run.g.scene.SceneTimer = 59;
    run.Frame();
    EXPECT_TRUE(run.FontRows().empty());
    run.Frame(); // t = 60
    EXPECT_TRUE(run.ShowsText("KEEP", 48, 100));
    EXPECT_EQ(run.FontRows().front(), 100);
    EXPECT_EQ(run.FontRows().back(), 115);
    run.g.scene.SceneTimer = 300;
    run.Frame();
    EXPECT_TRUE(run.ShowsText("KEEP", 48, 100));
    EXPECT_TRUE(run.ShowsText("THE", 48, 116));
    EXPECT_TRUE(run.ShowsText("GLOBE", 48, 132));
    EXPECT_TRUE(run.ShowsText("GOOD LUCK", 48, 164));
    EXPECT_EQ(run.FontRows().back(), 179);
    // The guide lines come last, over everything; the line primitive leaves out its start point.
    EXPECT_EQ(run.At(1, 180), 24);
    EXPECT_EQ(run.At(319, 180), 24);
    EXPECT_EQ(run.At(44, 1), 24);
    EXPECT_EQ(run.At(44, 239), 24);
}

TEST(MissionIntro, EarthMoonAndSunAtTheirPlacesAndSizes) {
    SceneGame run;
    StartFromTheTitle(run);
    run.g.scene.SceneTimer = 64;
    run.Frame();
    // Earth: (128 + 16 + 160, 0 + 16 + 124) = (304, 140), twice its size.
    EXPECT_EQ(run.At(304, 140), SheetPixel(224, 32));
    EXPECT_EQ(run.At(310, 150), SheetPixel(224 + 3, 32 + 5));
    // Moon: (304 + 0, 140 + 48) at its own size, over the earth.
    EXPECT_EQ(run.At(310, 200), SheetPixel(272 + 6, 32 + 12));
    // Sun: (-80 - 10, -64 - 8), four times its size: the screen corner shows its pixel (22, 18).
    EXPECT_EQ(run.At(0, 0), SheetPixel(176 + 22, 32 + 18));
    EXPECT_EQ(run.At(97, 20), SheetPixel(176 + 46, 32 + 23));
}

TEST(MissionIntro, AFrameWithAHugeTimerReadsOnlyTheNineEntries) {
    SceneGame run;
    run.g.scene.Scene = 32; // the intro's frame without its entry: nothing bounds the timer
    run.g.scene.SceneTimer = 100000;
    run.Frame();
    EXPECT_TRUE(run.ShowsText("GOOD LUCK", 48, 164));
    EXPECT_EQ(run.g.scene.Scene, uint32_t(ScenePlay));
}
