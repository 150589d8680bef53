// The command line, the paced message loop and the frame driver's phases.
#include <gtest/gtest.h>

#include "app/shell.h"
#include "base/game_math.h"
#include "gfx/backdrop.h"
#include "gfx/sheet_text.h"
#include "support/fakes.h"

using namespace vorna;
using namespace vorna::testing;

namespace {

struct Switches {
    int32_t emulation, fullScreen, systemMemory, skip;
};

Switches Parse(const char* text) {
    Game g;
    // Whatever was there before, the parser starts from the defaults.
    g.display.EmulationOnly = 0;
    g.display.FullScreenMode = 1;
    g.display.SystemMemorySurfaces = 0;
    g.app.FrameSkipPeriod = 7;
    g.app.FrameSkipCountdown = 3;
    g.app.LastTickTime = 99;
    EXPECT_EQ(ParseCommandLine(g, text), 1);
    EXPECT_EQ(g.app.FrameSkipCountdown, 0);
    EXPECT_EQ(g.app.LastTickTime, 0u);
    return {g.display.EmulationOnly, g.display.FullScreenMode, g.display.SystemMemorySurfaces, g.app.FrameSkipPeriod};
}

void ExpectSwitches(const char* text, Switches want) {
    const Switches got = Parse(text);
    EXPECT_EQ(got.emulation, want.emulation) << text;
    EXPECT_EQ(got.fullScreen, want.fullScreen) << text;
    EXPECT_EQ(got.systemMemory, want.systemMemory) << text;
    EXPECT_EQ(got.skip, want.skip) << text;
}

} // namespace

TEST(CommandLine, SwitchesAreCaseInsensitiveAndFoundAnywhere) {
    ExpectSwitches("", {1, 0, 1, 0});
    ExpectSwitches(nullptr, {1, 0, 1, 0});
    ExpectSwitches("/f", {1, 1, 1, 0});
    ExpectSwitches("/F", {1, 1, 1, 0});
    ExpectSwitches("/F/S", {1, 1, 1, 20});
    ExpectSwitches("abc/e", {0, 0, 1, 0});
    ExpectSwitches("/m", {1, 0, 0, 0});
    ExpectSwitches("  /s  /E ", {0, 0, 1, 20});
}

TEST(CommandLine, UnknownSwitchConsumesOnlyItsSlash) {
    ExpectSwitches("/x", {1, 0, 1, 0});
    ExpectSwitches("//f", {1, 1, 1, 0}); // the second slash starts a switch of its own
    ExpectSwitches("/fm", {1, 1, 1, 0}); // what follows the letter is plain text
    ExpectSwitches("/Fe/m", {1, 1, 0, 0});
    ExpectSwitches("/", {1, 0, 1, 0}); // a slash at the very end reads nothing beyond the text
    ExpectSwitches("e/", {1, 0, 1, 0});
}

TEST(AppState, StartsInTheStartupPhaseAtTheBootScene) {
    Game g;
    g.app.InitFailureFlags = 5;
    EXPECT_EQ(InitAppState(g), 1);
    EXPECT_EQ(g.app.InitFailureFlags, 0);
    EXPECT_EQ(g.app.AppPhase, PhaseStartup);
    EXPECT_EQ(g.scene.Scene, uint32_t(SceneBoot));
}

namespace {

// A game wired to fake devices; its scene code runs no routine, so only the shell's own work is seen.
struct LoopFixture : ::testing::Test {
    Game g;
    FakeClock clock;
    FakePump pump{clock};
    FakePresenter presenter;
    RecordingShell shell;
    RecordingObserver observer;
    FakeKeyboard keyboard;

    struct FrameSeen {
        uint32_t start;
        uint32_t frameCounter;
    };
    std::vector<FrameSeen> frames;
    uint32_t frameMs = 0;
    size_t stopAfter = 5;

    void SetUp() override {
        g.platform.clock = &clock;
        g.platform.pump = &pump;
        g.platform.presenter = &presenter;
        g.platform.shell = &shell;
        g.platform.observer = &observer;
        g.platform.keyboard = &keyboard;
        clock.now = 1000;
        observer.onFrame = [this] {
            frames.push_back({clock.now, g.app.FrameCounter});
            clock.Advance(frameMs);
            if (frames.size() == stopAfter) pump.PostQuit(0);
        };
    }
    int Run(const char* commandLine = "") {
        ParseCommandLine(g, commandLine);
        InitAppState(g);
        g.scene.Scene = 99;
        g.app.AppActive = 1;
        return MessageLoop(g);
    }
};

} // namespace

TEST_F(LoopFixture, FirstSceneFrameIsTheSecondTick) {
    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(frames.size(), 5u);
    EXPECT_EQ(frames[0].frameCounter, 2u);
    EXPECT_EQ(frames[0].start, 1000u + 2 * 13);
    EXPECT_EQ(g.app.AppPhase, PhaseRunning);
    EXPECT_EQ(g.input.JoystickCount, 0); // the start-up tick detected the (absent) joystick
}

TEST_F(LoopFixture, GateCountsFromTheEndOfTheFrame) {
    frameMs = 30;
    Run();
    ASSERT_EQ(frames.size(), 5u);
    for (size_t i = 1; i < frames.size(); ++i) {
        EXPECT_EQ(frames[i].start - (frames[i - 1].start + 30), 13u) << i;
        EXPECT_EQ(frames[i].frameCounter, frames[i - 1].frameCounter + 1);
    }
}

TEST_F(LoopFixture, SlowMotionSkipsTwentyTicksBetweenFrames) {
    stopAfter = 3;
    Run("/S");
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].frameCounter, 22u); // tick 1 starts up, ticks 2..21 are skipped
    EXPECT_EQ(frames[1].frameCounter, 43u);
    EXPECT_EQ(frames[2].frameCounter, 64u);
    EXPECT_EQ(frames[0].start, 1000u + 22 * 13); // skipped ticks still wait their 13 ms
    EXPECT_EQ(frames[1].start - frames[0].start, 21u * 13);
}

TEST_F(LoopFixture, WaitsInsteadOfSpinning) {
    stopAfter = 50;
    frameMs = 5; // the gate still counts 13 ms from the frame's end
    observer.onFrame = [this] {
        frames.push_back({clock.now, g.app.FrameCounter});
        clock.Advance(frameMs);
        // A message handled 5 ms after this frame leaves 8 ms of the gate to wait.
        if (frames.size() == 10) pump.Post([this] { clock.Advance(5); });
        if (frames.size() == stopAfter) pump.PostQuit(0);
    };
    Run();
    ASSERT_EQ(frames.size(), 50u);
    // One wait per tick (51 with the start-up), and one look at the queue before and after each.
    ASSERT_EQ(pump.waits.size(), 51u);
    EXPECT_LE(pump.peeks, 2 * 51 + 2);
    for (size_t i = 0; i < pump.waits.size(); ++i) EXPECT_EQ(pump.waits[i], i == 11 ? 8u : 13u) << i;
    EXPECT_EQ(frames[10].start - frames[9].start, 5u + 13u);
}

TEST_F(LoopFixture, NoTickWhileInactive) {
    int foreverWaits = 0;
    std::vector<uint32_t> countersWhileInactive;
    pump.onWaitForever = [&] {
        ++foreverWaits;
        countersWhileInactive.push_back(g.app.FrameCounter);
        clock.Advance(5000); // a long time passes without any message
        pump.Post([&] { g.app.AppActive = 1; });
    };
    observer.onFrame = [&] {
        frames.push_back({clock.now, g.app.FrameCounter});
        if (frames.size() == 2) pump.Post([&] { g.app.AppActive = 0; });
        if (frames.size() == 4) pump.PostQuit(3);
    };
    ParseCommandLine(g, "");
    InitAppState(g);
    g.scene.Scene = 99;
    EXPECT_EQ(MessageLoop(g), 3);
    EXPECT_EQ(foreverWaits, 2);
    EXPECT_EQ(countersWhileInactive, (std::vector<uint32_t>{0, 3}));
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[2].frameCounter, 4u); // the inactive time added no ticks
    EXPECT_EQ(pump.waits.front(), kWaitForever);
}

TEST_F(LoopFixture, MessagesGoFirstAndQuitEndsTheLoopWithItsCode) {
    std::vector<uint32_t> countersAtDispatch;
    for (int i = 0; i < 3; ++i) pump.Post([&] { countersAtDispatch.push_back(g.app.FrameCounter); });
    pump.PostQuit(42);
    EXPECT_EQ(Run(), 42);
    EXPECT_EQ(countersAtDispatch, (std::vector<uint32_t>{0, 0, 0}));
    EXPECT_EQ(g.app.FrameCounter, 0u);
    EXPECT_EQ(g.app.LastTickTime, 1000u); // taken at loop entry
}

TEST_F(LoopFixture, PacingSurvivesTheClockWrapping) {
    clock.now = 0xFFFFFFF0u;
    Run();
    ASSERT_EQ(frames.size(), 5u);
    for (size_t i = 1; i < frames.size(); ++i) EXPECT_EQ(frames[i].start - frames[i - 1].start, 13u);
}

TEST(MessageLoop, WithoutClockOrPumpEndsAtOnce) {
    Game g;
    EXPECT_EQ(MessageLoop(g), 0);
}

TEST_F(LoopFixture, FailedPhaseReportsOnceThenShutsDown) {
    InitAppState(g);
    g.app.AppPhase = PhaseFailed;
    g.app.InitFailureFlags = 2;
    EXPECT_EQ(FrameDriver(g), 1);
    EXPECT_EQ(g.app.AppPhase, PhaseShutdown);
    ASSERT_EQ(shell.boxes.size(), 1u);
    EXPECT_NE(shell.boxes[0].text.find("0001:DirectDraw"), std::string::npos);
    FrameDriver(g);
    EXPECT_EQ(g.app.AppPhase, PhaseStopped);
    FrameDriver(g);
    EXPECT_EQ(g.app.AppPhase, PhaseStopped);
    // Closing the window afterwards runs the shutdown a second time, harmlessly.
    EXPECT_EQ(RequestShutdown(g), 1);
    EXPECT_EQ(g.app.AppPhase, PhaseStopped);
    EXPECT_EQ(shell.boxes.size(), 1u);
    EXPECT_EQ(observer.frames, 0);
}

TEST_F(LoopFixture, FailedPhaseWithoutFlagsShowsNothingButStillShutsDown) {
    g.app.AppPhase = PhaseFailed;
    FrameDriver(g);
    EXPECT_TRUE(shell.boxes.empty());
    EXPECT_EQ(g.app.AppPhase, PhaseShutdown);
}

TEST_F(LoopFixture, RunningTicksRunOneSceneFrameEach) {
    InitAppState(g);
    g.scene.Scene = 99;
    FrameDriver(g);
    EXPECT_EQ(g.app.AppPhase, PhaseRunning);
    EXPECT_EQ(observer.frames, 0); // the start-up tick draws nothing
    keyboard.down = {VK_X_KEY};
    FrameDriver(g);
    FrameDriver(g);
    EXPECT_EQ(observer.frames, 2);
    EXPECT_EQ(g.scene.InputNow, 0x20u);
    RequestShutdown(g);
    EXPECT_EQ(g.app.AppPhase, PhaseStopped);
    FrameDriver(g);
    EXPECT_EQ(observer.frames, 2);
}

TEST_F(LoopFixture, UnknownPhaseDoesNothing) {
    g.app.AppPhase = 77;
    FrameDriver(g);
    EXPECT_EQ(g.app.AppPhase, 77);
    EXPECT_EQ(observer.frames, 0);
    EXPECT_EQ(g.input.JoystickCount, -1);
}

namespace {
// The random state after a boot frame seeded with the given value (the logo's entry re-seeds the rocks).
uint32_t StateAfterBoot(int32_t seed) {
    Game h;
    SeedRandom(h, seed);
    UpdateBackdrop(h, 1);
    return h.random.state;
}
} // namespace

TEST_F(LoopFixture, BootFrameSeedsWithTheTickCount) {
    stopAfter = 1;
    ParseCommandLine(g, "");
    InitAppState(g);
    g.app.AppActive = 1;
    MessageLoop(g);
    EXPECT_EQ(g.scene.Scene, uint32_t(SceneLogo));
    EXPECT_EQ(g.random.state, StateAfterBoot(2));
}

TEST_F(LoopFixture, SlowMotionBootFrameSeedsWithTwentyTwo) {
    stopAfter = 1;
    ParseCommandLine(g, "/s");
    InitAppState(g);
    g.app.AppActive = 1;
    MessageLoop(g);
    EXPECT_EQ(g.random.state, StateAfterBoot(22));
}
