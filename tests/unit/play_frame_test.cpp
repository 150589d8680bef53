// The play frame: mission start, the banner, danger, the end tests and their order, the frozen timer.
#include <gtest/gtest.h>

#include "play/effects.h"
#include "play/missions.h"
#include "support/play_fixture.h"

using namespace vorna;
using vorna::testing::PlayFixture;

using Music = GameObserver::MusicCall;

namespace {

struct PlayFrameTest : PlayFixture {
    bool HasMusic(Music call, int argument) const {
        for (const auto& m : observer.music)
            if (m.first == call && m.second == argument) return true;
        return false;
    }
};

} // namespace

TEST_F(PlayFrameTest, StartMissionSetsUpGlobeVornaCountersAndMusic) {
    g.play.pools.ExplosionPool[3].Active = 1;
    g.play.pools.SparkPool[3].Active = 1;
    g.play.counters.MissionNumber = 6;
    g.play.counters.Level = 2;
    g.play.counters.Score = 55;
    g.play.counters.MissionFailed = 1;
    StartMission(g);
    const GlobeRecord& globe = g.play.globe;
    EXPECT_EQ(globe.X, 32);
    EXPECT_EQ(globe.Y, 456);
    EXPECT_EQ(globe.Heading, 192);
    EXPECT_EQ(globe.Speed, 1.0f);
    EXPECT_EQ(globe.Energy, 800);
    EXPECT_EQ(g.play.vorna.Energy, 6000);
    EXPECT_EQ(g.play.vorna.X, 160);
    EXPECT_EQ(g.play.vorna.Heading, 64);
    EXPECT_EQ(g.play.counters.MissionTime, 5000);
    EXPECT_EQ(g.play.counters.MissionFailed, 0);
    EXPECT_EQ(g.play.counters.Score, 55);
    EXPECT_EQ(g.play.pools.ExplosionPool[3].Active, 0);
    EXPECT_EQ(g.play.pools.SparkPool[3].Active, 1);
    EXPECT_EQ(Stars(), 32);
    EXPECT_EQ(g.scene.SceneStep, 255);
    EXPECT_EQ(g.scene.SceneTimer, 0u);
    EXPECT_EQ(observer.sounds, std::vector<int>{4});
    EXPECT_TRUE(HasMusic(Music::Play, 8));
    EXPECT_TRUE(HasMusic(Music::Tempo, 100));

    observer.sounds.clear();
    g.play.counters.MissionNumber = 9;
    StartMission(g);
    EXPECT_EQ(observer.sounds, std::vector<int>{8});
    EXPECT_TRUE(HasMusic(Music::Play, 12));
    EXPECT_EQ(g.play.counters.BlocksLeft, 0);
}

TEST_F(PlayFrameTest, BannerShowsForTwoHundredAndOneFrames) {
    Start(0);
    int bannerFrames = 0;
    while (g.scene.SceneStep == 255) {
        PlayFrame(g);
        ++bannerFrames;
        ASSERT_LT(bannerFrames, 1000);
    }
    EXPECT_EQ(bannerFrames, 201); // SceneTimer 1..201: the frame at 201 still draws it, then ends it
    EXPECT_EQ(g.scene.SceneTimer, 202u);
}

TEST_F(PlayFrameTest, LastTimeFrameFailsAndEntersContinue) {
    Start(0);
    g.play.counters.MissionTime = 1;
    PlayFrame(g);
    EXPECT_EQ(g.play.counters.MissionTime, 0);
    EXPECT_EQ(g.play.counters.MissionFailed, 1);
    EXPECT_EQ(g.scene.Scene, static_cast<uint32_t>(SceneContinue));
    ASSERT_FALSE(observer.music.empty());
    EXPECT_EQ(observer.music.front().first, Music::Stop);
}

TEST_F(PlayFrameTest, ClearedBeatsFailedInTheSameFrame) {
    Start(0);
    ClearCells();
    g.play.CellType[0] = 0;
    g.play.CellHits[0] = 0;
    g.play.counters.BlocksLeft = 1;
    g.play.globe.X = 30;
    g.play.globe.Y = 48;
    g.play.globe.Heading = 192;
    g.play.counters.MissionTime = 1;
    PlayFrame(g);
    EXPECT_EQ(g.play.CellType[0], 4);
    EXPECT_EQ(g.play.counters.MissionCleared, 1);
    EXPECT_EQ(g.play.counters.MissionFailed, 1);
    EXPECT_EQ(g.scene.Scene, static_cast<uint32_t>(SceneResults));
}

TEST_F(PlayFrameTest, OverMissionFreezesTimerTimeAndSteering) {
    Start(0);
    g.play.counters.MissionOver = 1;
    g.play.counters.MissionTime = 1500; // danger, too
    g.play.globe.Form = MOON;
    g.scene.SceneTimer = 40;
    g.scene.InputNow = InputRight | InputUp;
    for (int i = 0; i < 10; ++i) PlayFrame(g);
    EXPECT_EQ(g.scene.SceneTimer, 40u);
    EXPECT_EQ(g.play.counters.MissionTime, 1500);
    EXPECT_EQ(g.play.globe.Energy, 800);
    EXPECT_EQ(g.play.globe.Heading, 192);
    EXPECT_EQ(g.play.globe.Speed, 1.0f);
    EXPECT_EQ(g.play.globe.Y, 456 - 10); // still moving
    EXPECT_EQ(g.scene.Scene, static_cast<uint32_t>(ScenePlay));
    EXPECT_TRUE(observer.music.empty()); // no danger tempo either
}

TEST_F(PlayFrameTest, MoonDrainsThreeAFrame) {
    Start(0);
    g.scene.InputNow = InputButton1;
    PlayFrame(g);
    EXPECT_EQ(g.play.globe.Form, MOON);
    EXPECT_EQ(g.play.globe.Energy, 797);
    EXPECT_EQ(g.play.counters.MissionTime, 4999);
}

TEST_F(PlayFrameTest, DangerPulsesRedEveryFourthFrameInFullScreen) {
    Start(0);
    g.display.FullScreenMode = 1;
    g.play.counters.MissionTime = 2000; // 1999 after this frame's count: danger
    g.scene.SceneTimer = 4 * 13 + 1;    // (t & 63) = 53: not a multiple of 4
    PlayFrame(g);
    EXPECT_EQ(Explosions(), 0);
    EXPECT_TRUE(observer.music.empty());
    PlayFrame(g);
    PlayFrame(g);
    PlayFrame(g); // t = 56
    EXPECT_EQ(Explosions(), 1);
    EXPECT_TRUE(HasMusic(Music::Tempo, 150));
    const PaletteEntry& e = g.display.PaletteEntries[0];
    EXPECT_EQ(e.red, std::abs(56 * 4 - 128));
    EXPECT_EQ(e.green, 0);
    EXPECT_EQ(e.blue, 0);
}

TEST_F(PlayFrameTest, NoDangerWithEnoughEnergyAndTime) {
    Start(0);
    g.display.FullScreenMode = 1;
    g.display.PaletteEntries[0] = PaletteEntry{};
    g.play.counters.MissionTime = 2001;
    g.play.globe.Energy = 320;
    g.scene.SceneTimer = 52;
    PlayFrame(g);
    EXPECT_EQ(Explosions(), 0);
    EXPECT_EQ(g.display.PaletteEntries[0].red, 0);
    EXPECT_TRUE(observer.music.empty());
}

TEST_F(PlayFrameTest, MissionTenMovesStarsTwiceAFrame) {
    Start(9);
    g.play.pools = EffectPools{};
    SpawnStars(g, 1);
    g.play.pools.StarPool[0].XPeriod = 0;
    g.play.pools.StarPool[0].VX = -2;
    g.play.pools.StarPool[0].FrameCounter = 0;
    PlayFrame(g);
    EXPECT_EQ(g.play.pools.StarPool[0].X, 160 - 4);
    EXPECT_EQ(g.play.pools.StarPool[0].FrameCounter, 2);
}
