// The results scene (bonus, count-up, the two presses, mission ten's way to the ending) and the continue scene.
#include <gtest/gtest.h>

#include "scenes/continue_scene.h"
#include "scenes/results.h"
#include "scenes/scene_machine.h"
#include "support/after_play_fixture.h"

using namespace vorna;

namespace {

struct AfterMission : vorna::testing::AfterPlayFixture {
    // One frame of the current scene with the given new presses, as the scene machine would run it.
    void Frame(uint32_t pressed = 0) {
        g.scene.InputPressed = pressed;
        observer.sounds.clear();
        if (g.scene.Scene == SceneResults) {
            ResultsFrame(g);
        } else if (g.scene.Scene == SceneContinue) {
            ContinueFrame(g);
        } else {
            FAIL() << "scene " << g.scene.Scene;
        }
    }
    void Enter(uint32_t scene) {
        observer.sounds.clear();
        observer.music.clear();
        EnterScene(g, scene);
    }
    int Count(int sound) const {
        int n = 0;
        for (int s : observer.sounds) n += s == sound;
        return n;
    }
};

constexpr uint32_t kButton = 0x10;

TEST_F(AfterMission, ResultsEntryFreezesPlayAndPlaysTheFanfare) {
    Start(3);
    Enter(SceneResults);
    EXPECT_EQ(g.play.counters.MissionOver, 1);
    EXPECT_EQ(g.scene.SceneTimer, 0u);
    EXPECT_EQ(observer.sounds, std::vector<int>{6});
    ASSERT_EQ(observer.music.size(), 1u);
    EXPECT_EQ(observer.music[0].second, 100);
}

TEST_F(AfterMission, CountUpByFourThenTwoPressesToTheNextMission) {
    Start(3, 1);
    g.play.counters.Score = 1000;
    g.play.counters.MissionTime = 1234; // 12
    g.play.globe.Energy = 517;          // 51
    Enter(SceneResults);
    const int32_t bonus = 150 + 12 + 51;

    for (int i = 0; i < 49; ++i) {
        Frame(kButton); // presses during "GOOD FIGHT" do nothing
        EXPECT_EQ(g.scene.SceneStep, 0) << i;
    }
    Frame();
    ASSERT_EQ(g.scene.SceneStep, 1);
    EXPECT_EQ(g.play.ScoreTarget, 1000 + bonus);
    EXPECT_EQ(g.play.counters.Score, 1000);

    // ceil(213 / 4) = 54 frames of count-up; the tick sounds on even timers while still below the target.
    int frames = 0;
    while (g.play.counters.Score < g.play.ScoreTarget) {
        const uint32_t t = g.scene.SceneTimer;
        Frame(frames == 10 ? kButton : 0); // a press before arriving is lost
        ++frames;
        const bool below = g.play.counters.Score < g.play.ScoreTarget;
        EXPECT_EQ(Count(9), below && (t & 1) == 0 ? 1 : 0) << t;
        ASSERT_LT(frames, 100);
    }
    EXPECT_EQ(frames, 54);
    EXPECT_EQ(g.play.counters.Score, 1000 + bonus);
    EXPECT_EQ(g.scene.SceneStep, 1);

    Frame();
    EXPECT_EQ(g.scene.SceneStep, 1);
    Frame(kButton);
    EXPECT_EQ(g.scene.SceneStep, 2);
    EXPECT_EQ(observer.sounds, std::vector<int>{1});
    Frame();
    Frame(0x4); // a direction is no button
    EXPECT_EQ(g.scene.Scene, static_cast<uint32_t>(SceneResults));
    Frame(kButton);
    EXPECT_EQ(g.scene.Scene, static_cast<uint32_t>(ScenePlay));
    EXPECT_EQ(g.play.counters.MissionNumber, 4);
    EXPECT_EQ(g.play.counters.Level, 1);
    EXPECT_EQ(g.play.counters.Score, 1000 + bonus);
    // The coast after the scene change: the new mission's globe starts at 0.9 and stands.
    EXPECT_EQ(g.play.globe.Speed, 1.0f - 0.1f);
    EXPECT_EQ(g.scene.SceneTimer, 1u);
}

TEST_F(AfterMission, PressOnTheFrameTheCountArrivesMovesOn) {
    Start(0);
    g.play.counters.MissionTime = 0;
    g.play.globe.Energy = 0; // bonus 100 at level 0
    Enter(SceneResults);
    for (int i = 0; i < 50; ++i) Frame();
    for (int i = 0; i < 24; ++i) Frame(kButton);
    EXPECT_EQ(g.scene.SceneStep, 1);
    Frame(kButton); // the 25th adds the last 4
    EXPECT_EQ(g.scene.SceneStep, 2);
    EXPECT_EQ(g.play.counters.Score, 100);
}

TEST_F(AfterMission, MissionTenCountsTheClearPointAndGoesStraightToTheEnding) {
    Start(9, 0);
    g.play.counters.Score = 0;
    g.play.counters.MissionTime = 0;
    g.play.globe.Energy = 0;
    Enter(SceneResults);
    for (int i = 0; i < 50; ++i) Frame();
    EXPECT_EQ(g.play.ScoreTarget, 100 + 1000);
    while (g.play.counters.Score < g.play.ScoreTarget) Frame();
    Frame(kButton);
    EXPECT_EQ(g.scene.SceneStep, 2);
    EXPECT_EQ(observer.sounds.back(), 1);
    Frame(); // no second press needed: sound 1 again on the next frame
    EXPECT_EQ(Count(1), 1);
    EXPECT_EQ(g.scene.Scene, static_cast<uint32_t>(SceneEnding));
    EXPECT_EQ(g.play.counters.MissionNumber, 0);
    EXPECT_EQ(g.play.counters.Level, 1);
}

TEST_F(AfterMission, ContinueIgnoresF3AndButtonsWhileTheLetteringDrops) {
    Start(4, 2);
    g.play.counters.Score = 777;
    Enter(SceneContinue);
    EXPECT_EQ(observer.music.back().first, GameObserver::MusicCall::Play);
    EXPECT_EQ(observer.music.back().second, 11);
    keyboard.down.insert(VK_F3_KEY);
    for (int i = 0; i < 65; ++i) Frame(kButton);
    EXPECT_EQ(g.scene.Scene, static_cast<uint32_t>(SceneContinue));
    EXPECT_EQ(g.scene.SceneStep, 1);
    EXPECT_EQ(g.scene.SceneTimer, 65u);
    // The lettering stands unscaled at (80, 72): the sheet's plain colour, under the full mesh.
    EXPECT_EQ(Pixel(g.display.BackBuffer, 81, 72), 7);
}

TEST_F(AfterMission, HeldF3RestartsTheMissionAtTheOldLevelThenClearsScoreAndLevel) {
    Start(9, 2);
    g.play.counters.Score = 777;
    Enter(SceneContinue);
    for (int i = 0; i < 65; ++i) Frame();
    keyboard.down.insert(VK_F3_KEY); // held, never pressed as an input bit
    Frame();
    EXPECT_EQ(g.scene.Scene, static_cast<uint32_t>(ScenePlay));
    EXPECT_EQ(g.play.counters.MissionNumber, 9);
    EXPECT_EQ(g.play.counters.Score, 0);
    EXPECT_EQ(g.play.counters.Level, 0);
    EXPECT_EQ(g.play.vorna.Energy, 3000 + 1500 * 2); // built before the reset
    EXPECT_EQ(g.play.counters.HiScore, 2000);
}

TEST_F(AfterMission, ButtonRecordsTheHighScoreButNotTogetherWithF3) {
    Start(4);
    g.play.counters.Score = 2500;
    Enter(SceneContinue);
    for (int i = 0; i < 65; ++i) Frame();
    Frame(kButton);
    EXPECT_EQ(g.scene.Scene, static_cast<uint32_t>(SceneTitle));
    EXPECT_EQ(g.play.counters.HiScore, 2500);

    Start(4);
    g.play.counters.Score = 3000;
    Enter(SceneContinue);
    for (int i = 0; i < 65; ++i) Frame();
    keyboard.down.insert(VK_F3_KEY);
    Frame(kButton);
    // The mission was entered and the score cleared; then the button led to the title.
    EXPECT_EQ(g.scene.Scene, static_cast<uint32_t>(SceneTitle));
    EXPECT_EQ(g.play.counters.Score, 0);
    EXPECT_EQ(g.play.counters.HiScore, 2500);
}

TEST_F(AfterMission, ContinueBurstsAroundTheGlobeEveryFrame) {
    Start(4);
    Enter(SceneContinue);
    for (EffectObject& o : g.play.pools.ExplosionPool) o = EffectObject{};
    Frame();
    const int32_t x = g.play.globe.X, y = g.play.globe.Y;
    const EffectObject& e = g.play.pools.ExplosionPool[0];
    ASSERT_EQ(e.Active, 1);
    EXPECT_GE(e.X, x - 32);
    EXPECT_LE(e.X, x - 1);
    EXPECT_GE(e.Y, y - 32);
    EXPECT_LE(e.Y, y - 1);
}

} // namespace

namespace {

// Through the scene machine: the ram that defeats VORNA clears mission ten in its own frame, the results
// count the clear point in, and the press that ends the count-up leads straight on to the ending.
TEST_F(AfterMission, DefeatingVornaLeadsThroughTheResultsToTheEnding) {
    g.input.JoystickCount = 0; // the keyboard alone, as after a start without a joystick
    Start(9);
    g.play.vorna.Energy = 5;
    g.play.globe.X = 150;
    g.play.globe.Y = 150;
    SceneFrame(g);
    EXPECT_EQ(g.scene.Scene, static_cast<uint32_t>(SceneResults));
    EXPECT_EQ(g.play.vorna.HurtTimer, 9999);
    EXPECT_EQ(g.play.counters.Score, 5);

    uint32_t frames = 0;
    while (g.scene.Scene == SceneResults && frames < 2000) {
        // Z pressed anew every second frame.
        if ((++frames & 1) != 0) {
            keyboard.down.insert(VK_Z_KEY);
        } else {
            keyboard.down.clear();
        }
        SceneFrame(g);
    }
    EXPECT_EQ(g.scene.Scene, static_cast<uint32_t>(SceneEnding));
    // 100 for level 0, 49 for 4999 frames left, 80 for full energy, 1000 for the clear.
    EXPECT_EQ(g.play.counters.Score, 5 + 1229);
    EXPECT_EQ(g.play.counters.MissionNumber, 0);
    EXPECT_EQ(g.play.counters.Level, 1);
    // 49 frames of "GOOD FIGHT", one to switch, ceil(1229 / 4) = 308 of count-up, the press, the way on.
    EXPECT_LE(frames, 49u + 1 + 308 + 2 + 1);
}

} // namespace
