// A game ready for play tests: a frame, a plain sheet, an observer of sounds and music, a mission started.
#pragma once
#include <gtest/gtest.h>

#include "base/scene_state.h"
#include "fakes.h"
#include "scenes/play_frame.h"

namespace vorna::testing {

struct PlayFixture : ::testing::Test {
    Game g;
    RecordingObserver observer;

    void SetUp() override {
        MakeTestSurface(g.display.BackBuffer, 320, 240, 0);
        MakeTestSurface(g.display.SheetSurface, 320, 240, 7);
        g.platform.observer = &observer;
        g.random.state = 2;
        g.play.counters.HiScore = 2000;
    }

    // Enters mission number as the scene machine does, with the first play frame seeing SceneTimer 1.
    void Start(int32_t number, int32_t level = 0) {
        g.play.counters.MissionNumber = number;
        g.play.counters.Level = level;
        StartMission(g);
        g.scene.Scene = ScenePlay;
        g.scene.SceneTimer += 1;
        observer.sounds.clear();
        observer.music.clear();
    }

    // An empty field: every cell type 4.
    void ClearCells() {
        for (int32_t& t : g.play.CellType) t = 4;
        g.play.counters.BlocksLeft = 0;
    }

    int LiveCount(const EffectObject* pool, int slots) const {
        int n = 0;
        for (int i = 0; i < slots; ++i) n += pool[i].Active;
        return n;
    }
    int Explosions() const { return LiveCount(g.play.pools.ExplosionPool, kExplosionSlots); }
    int Sparks() const { return LiveCount(g.play.pools.SparkPool, kSparkSlots); }
    int Debris() const { return LiveCount(g.play.pools.DebrisPool, kDebrisSlots); }
    int Stars() const { return LiveCount(g.play.pools.StarPool, kStarSlots); }
};

} // namespace vorna::testing
