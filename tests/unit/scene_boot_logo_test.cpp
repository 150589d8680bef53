// The boot frame and the maker's logo: seed, counters, the growing strip, the hold and the way out.
#include <gtest/gtest.h>

#include "scenes/boot_logo.h"
#include "support/scene_fixture.h"

using namespace vorna;
using vorna::testing::SceneGame;
using vorna::testing::SheetPixel;

namespace {

// Height of the logo strip standing on y = 112: rows above it that hold logo pixels in column 100.
int32_t StripHeight(const SceneGame& run) {
    int32_t h = 0;
    while (h < 112 && run.At(100, 111 - h) != 0) ++h;
    return h;
}

} // namespace

TEST(BootFrame, SeedsClearsTheCountersAndEntersTheLogoWithoutAdvancingTheTimer) {
    SceneGame run;
    run.g.app.FrameCounter = 0x30002; // only the low 16 bits seed
    run.g.play.counters = {7, 8, 9, 10, 11, 12, 13, 14, 15};
    run.g.scene.SceneTimer = 77;
    run.Frame();
    const PlayCounters& c = run.g.play.counters;
    EXPECT_EQ(c.Score, 0);
    EXPECT_EQ(c.HiScore, 2000);
    for (int32_t v :
         {c.MissionTime, c.MissionCleared, c.MissionFailed, c.BlocksLeft, c.MissionOver, c.MissionNumber, c.Level})
        EXPECT_EQ(v, 0);
    EXPECT_EQ(run.g.scene.Scene, uint32_t(SceneLogo));
    EXPECT_EQ(run.g.scene.SceneTimer, 0u);
    EXPECT_EQ(run.g.scene.SceneStep, 0);
    EXPECT_EQ(run.TakeSounds(), std::vector<int>{4});
    EXPECT_EQ(run.TakeMusic(), std::vector<std::string>{"tempo 100"});
    // The re-seed of StartLogo draws from state 11: the first rock rises from the bottom at x 281.
    const BackdropObject& first = run.g.backdrop[0];
    EXPECT_EQ(first.x, 282);
    EXPECT_EQ(first.y, 233);
    EXPECT_EQ(first.dy, -7);
    EXPECT_EQ(first.kind, 1);
    EXPECT_EQ(first.size, 28);
    for (const BackdropObject& o : run.g.backdrop) EXPECT_EQ(o.phase, 8);
}

TEST(BootFrame, MissingSheetStillReachesTheLogo) {
    SceneGame run;
    run.g.display.SheetSurface = Surface{}; // no display device either: the load simply fails
    run.Frames(3);
    EXPECT_EQ(run.g.scene.Scene, uint32_t(SceneLogo));
    EXPECT_EQ(run.g.scene.SceneTimer, 2u);
}

TEST(LogoFrame, StripGrowsOnePixelEveryFourFramesOnItsBaseline) {
    SceneGame run;
    run.Boot();
    for (uint32_t t = 0; t <= 128; ++t) {
        ASSERT_EQ(run.g.scene.SceneTimer, t);
        run.TakeSounds();
        run.Frame();
        const int32_t h = static_cast<int32_t>(t / 4);
        EXPECT_EQ(StripHeight(run), h) << "t " << t;
        if (h > 0) {
            // The whole logo squeezed: its top row on top of the strip, its bottom row on the baseline.
            EXPECT_EQ(run.At(72, 112 - h), SheetPixel(0, 144)) << "t " << t;
            EXPECT_EQ(run.At(247, 112 - h), SheetPixel(175, 144)) << "t " << t;
            EXPECT_EQ(run.At(71, 111), 0) << "t " << t;
            EXPECT_EQ(run.At(248, 111), 0) << "t " << t;
        }
        EXPECT_EQ(run.g.scene.SceneStep, t == 128 ? 1 : 0) << "t " << t;
        EXPECT_EQ(run.TakeSounds(), t == 128 ? std::vector<int>{6} : std::vector<int>{}) << "t " << t;
    }
    // The hold: the logo unscaled at y 80 and the maker's line under it, nothing at the old baseline row.
    run.Frame();
    EXPECT_EQ(run.At(72, 80), SheetPixel(0, 144));
    EXPECT_EQ(run.At(247, 111), SheetPixel(175, 175));
    EXPECT_EQ(run.At(100, 79), 0);
    EXPECT_TRUE(run.ShowsText("2000 QUILLBEX DRAVO PRESENT", 32, 128));
    EXPECT_TRUE(run.TakeSounds().empty());
}

TEST(LogoFrame, WithoutInputTheTitleFollowsAfter402Frames) {
    SceneGame run;
    run.Boot();
    run.TakeSounds();
    run.TakeMusic();
    EXPECT_EQ(run.FramesUntilSceneChange(1000), 402);
    EXPECT_EQ(run.g.scene.Scene, uint32_t(SceneTitle));
    EXPECT_EQ(run.g.scene.SceneTimer, 1u); // the logo's frame advanced the title's fresh timer
    EXPECT_EQ(run.TakeSounds(), (std::vector<int>{6, 1}));
    EXPECT_EQ(run.TakeMusic(), (std::vector<std::string>{"tempo 100", "play 0"}));
}

TEST(LogoFrame, ButtonInTheFirstFrameLeavesAtOnceWithoutTheRevealSound) {
    SceneGame run;
    run.Boot();
    run.Frame({VK_Z_KEY});
    EXPECT_EQ(run.g.scene.Scene, uint32_t(SceneTitle));
    EXPECT_EQ(run.g.scene.SceneTimer, 1u);
    EXPECT_EQ(run.TakeSounds(), (std::vector<int>{4, 1}));
    EXPECT_EQ(run.TakeMusic(), (std::vector<std::string>{"tempo 100", "tempo 100", "play 0"}));
    EXPECT_EQ(StripHeight(run), 0); // the presented frame is still the logo's, and empty
}

TEST(LogoFrame, ButtonHeldSinceBootDoesNotSkipItButANewPressDoes) {
    SceneGame run;
    run.Boot({VK_Z_KEY});
    for (int i = 0; i < 200; ++i) run.Frame({VK_Z_KEY});
    EXPECT_EQ(run.g.scene.Scene, uint32_t(SceneLogo));
    EXPECT_EQ(run.g.scene.SceneTimer, 200u);
    run.Frame();
    EXPECT_EQ(run.g.scene.Scene, uint32_t(SceneLogo));
    run.Frame({VK_X_KEY, VK_Z_KEY});
    EXPECT_EQ(run.g.scene.Scene, uint32_t(SceneTitle));
}

TEST(LogoFrame, DirectionsAndEscAreNoButtons) {
    SceneGame run;
    run.Boot();
    for (int key : {VK_UP_KEY, VK_DOWN_KEY, VK_LEFT_KEY, VK_RIGHT_KEY, VK_ESCAPE_KEY, VK_NUMPAD8_KEY}) {
        run.Frame({key});
        run.Frame();
    }
    EXPECT_EQ(run.g.scene.Scene, uint32_t(SceneLogo));
}

TEST(LogoFrame, LogoReachedFromTheStoryLasts401Frames) {
    SceneGame run;
    run.g.scene.Scene = SceneStory;
    run.g.scene.SceneTimer = 901;
    run.Frame();
    ASSERT_EQ(run.g.scene.Scene, uint32_t(SceneLogo));
    EXPECT_EQ(run.g.scene.SceneTimer, 1u);
    EXPECT_EQ(run.FramesUntilSceneChange(1000), 401);
}
