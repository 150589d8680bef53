// The scene state machine: input edges, dispatch and scene entry.
#include <gtest/gtest.h>

#include "base/game_math.h"
#include "input/input.h"
#include "scenes/scene_machine.h"
#include "support/fakes.h"

using namespace vorna;
using vorna::testing::FakeKeyboard;
using vorna::testing::MakeTestSurface;

namespace {

constexpr uint32_t kUnlistedScene = 99;

struct SceneFixture : ::testing::Test {
    Game g;
    FakeKeyboard keyboard;
    void SetUp() override {
        g.platform.keyboard = &keyboard;
        DetectJoystick(g.input, g.platform.joystick); // no joystick: keyboard only
        g.scene.Scene = kUnlistedScene;
    }
    uint32_t FrameWithKeys(std::set<int> keys) {
        keyboard.down = std::move(keys);
        EXPECT_EQ(SceneFrame(g), 1);
        return g.scene.InputPressed;
    }
};

} // namespace

TEST_F(SceneFixture, HeldButtonIsPressedOnlyInItsFirstFrame) {
    EXPECT_EQ(FrameWithKeys({VK_Z_KEY}), 0x10u);
    EXPECT_EQ(g.scene.InputNow, 0x10u);
    EXPECT_EQ(FrameWithKeys({VK_Z_KEY}), 0u);
    EXPECT_EQ(g.scene.InputNow, 0x10u);
    EXPECT_EQ(FrameWithKeys({}), 0u);
    EXPECT_EQ(FrameWithKeys({VK_Z_KEY}), 0x10u);
}

TEST_F(SceneFixture, EdgesAreTakenPerBitOverSixteenBits) {
    EXPECT_EQ(FrameWithKeys({VK_Z_KEY, VK_ESCAPE_KEY}), 0x8010u);
    EXPECT_EQ(FrameWithKeys({VK_Z_KEY, VK_X_KEY, VK_ESCAPE_KEY}), 0x20u);
    EXPECT_EQ(FrameWithKeys({VK_X_KEY, VK_UP_KEY}), 0x1u);
    EXPECT_EQ(g.scene.InputPrevious, 0x21u);
    EXPECT_EQ(g.scene.Input.InputBits, 0x21);
    EXPECT_EQ(g.scene.Input.YOffset, -1); // the frame keeps the whole input record
}

TEST_F(SceneFixture, UnlistedCodeReadsInputButDrawsAndChangesNothing) {
    MakeTestSurface(g.display.BackBuffer, 320, 240, 0);
    MakeTestSurface(g.display.SheetSurface, 320, 240, 7);
    g.scene.SceneTimer = 5;
    g.random.state = 1234;
    const Game before = g;
    FrameWithKeys({VK_Z_KEY});
    EXPECT_EQ(g.scene.InputPressed, 0x10u);
    EXPECT_EQ(g.scene.Scene, kUnlistedScene);
    EXPECT_EQ(g.scene.SceneTimer, 5u);
    EXPECT_EQ(g.random.state, 1234u);
    EXPECT_EQ(g.display.BackBuffer.pixels, before.display.BackBuffer.pixels);
}

TEST_F(SceneFixture, CodesWithoutEntryRoutineAreRecordedAsTheyAre) {
    for (uint32_t code : {1u, 8u, 32u, 0u, 77u, 0xFFFFFFFFu}) {
        g.scene.SceneTimer = 42;
        g.scene.SceneStep = 3;
        g.random.state = 99;
        EXPECT_EQ(EnterScene(g, code), 1);
        EXPECT_EQ(g.scene.Scene, code);
        EXPECT_EQ(g.scene.SceneTimer, 42u) << code;
        EXPECT_EQ(g.scene.SceneStep, 3) << code;
        EXPECT_EQ(g.random.state, 99u) << code;
    }
}

namespace {

using vorna::testing::RecordingObserver;

// A game with a frame, a plain sheet and an observer, at the given scene and timer.
struct SceneRun {
    Game g;
    FakeKeyboard keyboard;
    RecordingObserver observer;
    explicit SceneRun(uint32_t scene, uint32_t timer = 5) {
        g.platform.keyboard = &keyboard;
        g.platform.observer = &observer;
        DetectJoystick(g.input, g.platform.joystick);
        MakeTestSurface(g.display.BackBuffer, 320, 240, 0);
        MakeTestSurface(g.display.SheetSurface, 320, 240, 7);
        SeedRandom(g, 2);
        PlaceBackdrop();
        g.scene.Scene = scene;
        g.scene.SceneTimer = timer;
    }
    void PlaceBackdrop() {
        for (int i = 0; i < kBackdropCount; ++i) g.backdrop[i] = {10 * i, 7 * i, i & 1, 1, 1, 20, 0};
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) SceneFrame(g);
    }
};

void ExpectSameFrames(SceneRun& a, SceneRun& b) {
    EXPECT_EQ(a.g.scene.Scene == 8 || a.g.scene.Scene == 32 ? a.g.scene.Scene * 2 : a.g.scene.Scene, b.g.scene.Scene);
    EXPECT_EQ(a.g.scene.SceneTimer, b.g.scene.SceneTimer);
    EXPECT_EQ(a.g.scene.SceneStep, b.g.scene.SceneStep);
    EXPECT_EQ(a.g.random.state, b.g.random.state);
    EXPECT_EQ(a.g.display.BackBuffer.pixels, b.g.display.BackBuffer.pixels);
    EXPECT_EQ(a.observer.sounds, b.observer.sounds);
    EXPECT_EQ(a.observer.music, b.observer.music);
}

} // namespace

TEST(SceneDispatch, CodeEightRunsTheTitleFrameAndThirtyTwoTheIntroFrame) {
    for (auto [alias, scene] : {std::pair{8u, 16u}, std::pair{32u, 64u}}) {
        SceneRun a(alias), b(scene);
        a.Frames(3);
        b.Frames(3);
        EXPECT_EQ(a.g.scene.SceneTimer, 8u) << alias; // both frame routines advance the timer
        EXPECT_EQ(a.g.scene.Scene, alias);
        ExpectSameFrames(a, b);
    }
}

TEST(SceneDispatch, TitleAliasLeavesForTheStoryLikeTheTitle) {
    SceneRun a(8, 801), b(16, 801);
    a.Frames(1);
    b.Frames(1);
    EXPECT_EQ(a.g.scene.Scene, uint32_t(SceneStory));
    ExpectSameFrames(a, b);
}

TEST(SceneDispatch, AliasesAreEnteredWithoutEntryRoutine) {
    SceneRun a(4), b(4);
    EnterScene(a.g, 8);
    EnterScene(b.g, 16);
    EXPECT_EQ(a.g.scene.SceneTimer, 5u);
    EXPECT_TRUE(a.observer.music.empty());
    EXPECT_EQ(b.g.scene.SceneTimer, 0u); // the title's entry ran
    EXPECT_FALSE(b.observer.music.empty());
    SceneRun c(16), d(16);
    EnterScene(c.g, 32);
    EnterScene(d.g, 64);
    EXPECT_EQ(c.g.random.state, SceneRun(16).g.random.state);
    EXPECT_EQ(c.g.scene.SceneTimer, 5u);
    EXPECT_EQ(d.g.scene.SceneTimer, 0u);
}

TEST(EnterScene, EntryRoutineRunsWhileTheOldCodeIsStillSet) {
    SceneRun run(SceneBoot);
    std::vector<uint32_t> sceneAtSound;
    run.observer.onSound = [&](int) { sceneAtSound.push_back(run.g.scene.Scene); };
    run.g.scene.SceneTimer = 9;
    EXPECT_EQ(EnterScene(run.g, SceneLogo), 1);
    EXPECT_EQ(run.observer.sounds, std::vector<int>{4}); // the logo's entry sound
    EXPECT_EQ(sceneAtSound, std::vector<uint32_t>{SceneBoot});
    EXPECT_EQ(run.g.scene.Scene, uint32_t(SceneLogo));
    EXPECT_EQ(run.g.scene.SceneTimer, 0u);
}

TEST(EnterScene, NewSceneFirstRunsInTheNextFrame) {
    // The boot frame does not advance the timer: the logo's first frame sees 0.
    SceneRun boot(SceneBoot);
    boot.Frames(1);
    EXPECT_EQ(boot.g.scene.Scene, uint32_t(SceneLogo));
    EXPECT_EQ(boot.g.scene.SceneTimer, 0u);

    // A button ends the logo; its frame finishes after the title's entry, so the title starts at 1 and
    // this frame still shows the logo's drawing and no title music beyond the entry's.
    SceneRun logo(SceneLogo, 200);
    logo.g.scene.SceneStep = 1;
    logo.keyboard.down = {VK_Z_KEY};
    logo.Frames(1);
    EXPECT_EQ(logo.g.scene.Scene, uint32_t(SceneTitle));
    EXPECT_EQ(logo.g.scene.SceneTimer, 1u);
    EXPECT_EQ(logo.observer.sounds, std::vector<int>{1});
}
