// The scene state machine: input edges, dispatch and scene entry.
#include <gtest/gtest.h>

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
        DetectJoystick(g); // no joystick: keyboard only
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
