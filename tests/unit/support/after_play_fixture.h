// A game for the play view, VORNA, results and continue tests: a frame, a sheet whose HUD pieces have
// colours of their own, an observer, a keyboard, and a mission entered as the scene machine enters it.
#pragma once
#include <gtest/gtest.h>

#include "base/scene_state.h"
#include "base/sprite_rects.h"
#include "fakes.h"
#include "scenes/play_frame.h"

namespace vorna::testing {

struct AfterPlayFixture : ::testing::Test {
    Game g;
    RecordingObserver observer;
    FakeKeyboard keyboard;

    void SetUp() override {
        MakeTestSurface(g.display.BackBuffer, 320, 240, 0);
        MakeTestSurface(g.display.SheetSurface, 320, 240, 7);
        // Pieces that the tests tell apart by colour.
        for (int piece = 0; piece < 4; ++piece) PaintSheet(GaugeSprite + piece, static_cast<uint8_t>(100 + piece));
        PaintSheet(UpArrowSprite, 110);
        PaintSheet(DownArrowSprite, 111);
        g.platform.observer = &observer;
        g.platform.keyboard = &keyboard;
        g.random.state = 2;
        g.play.counters.HiScore = 2000;
    }

    void PaintSheet(int entry, uint8_t colour) {
        const SpriteRect& r = SpriteRectTable[entry];
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x) Sheet(x, y) = colour;
    }
    uint8_t& Sheet(int x, int y) { return Pixel(g.display.SheetSurface, x, y); }
    uint8_t& Frame(int x, int y) { return Pixel(g.display.BackBuffer, x, y); }
    static uint8_t& Pixel(Surface& s, int x, int y) { return s.pixels[static_cast<size_t>(y) * s.pitch + x]; }
    void ClearFrame() { std::fill(g.display.BackBuffer.pixels.begin(), g.display.BackBuffer.pixels.end(), 0); }

    // Enters mission number as the scene machine does: the first play frame sees SceneTimer 1.
    void Start(int32_t number, int32_t level = 0) {
        g.play.counters.MissionNumber = number;
        g.play.counters.Level = level;
        StartMission(g);
        g.scene.Scene = ScenePlay;
        g.scene.SceneTimer += 1;
        observer.sounds.clear();
        observer.music.clear();
    }

    // Every slot taken: further spawns are dropped and draw no random numbers.
    void FillPools() {
        for (EffectObject& o : g.play.pools.ExplosionPool) o.Active = 1;
        for (EffectObject& o : g.play.pools.SparkPool) o.Active = 1;
        for (EffectObject& o : g.play.pools.DebrisPool) o.Active = 1;
    }
};

// The generator's state after n more draws from state.
inline uint32_t RandomAfter(uint32_t state, int n) {
    for (int i = 0; i < n; ++i) state = state * 5u + 1u;
    return state;
}

} // namespace vorna::testing
