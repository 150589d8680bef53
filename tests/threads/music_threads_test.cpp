// The music player against stream devices that answer on threads of their own (run under ThreadSanitizer too).
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "../unit/support/audio_fixtures.h"
#include "music/music_player.h"
#include "music/song_reader.h"
#include "stop_cycles.h"

using namespace vorna;
using namespace vorna::testing;

namespace {

Bytes Tune(int notes, uint8_t key) {
    TrackBuilder t, u;
    t.Tempo(0, 400000);
    for (int i = 0; i < notes; ++i)
        t.Note(i ? 48 : 0, 0x90, uint8_t(key + i % 12), 100).Note(24, 0x80, uint8_t(key + i % 12), 0);
    t.End(24);
    u.Meta(0, 0x03, {'b', 'a', 's', 's'});
    for (int i = 0; i < notes / 2; ++i)
        u.Note(i ? 144 : 0, 0x91, uint8_t(key - 12), 90).Note(48, 0x81, uint8_t(key - 12), 0);
    u.End();
    return Song({t, u}, 96);
}

struct ThreadedPlayer : ::testing::Test {
    AudioGame a;
    Game& g() { return a.g(); }
    void SetUp() override {
        a.files.modulePath = "/opt/game/vorna";
        for (int i = 0; i < 14; ++i)
            a.files.files[std::string("/opt/game/") + MusicFileTable[i]] = Tune(20 + 10 * i, uint8_t(50 + i));
    }
    void TearDown() override {
        EXPECT_EQ(CloseMusic(MusicOf(g())), 1);
        a.midi.StopThread();
        EXPECT_EQ(g().music.song.PayloadCount.load(), 0);
        EXPECT_EQ(a.files.OpenCount(), 0);
        EXPECT_EQ(a.midi.eventsCreated.load(), a.midi.eventsDestroyed.load());
    }
};

} // namespace

// The whole protocol for real: refills on the device's thread while the game thread changes the tempo,
// stops, and starts the next song. Every stop must find both buffers back, never time out.
TEST_F(ThreadedPlayer, PlayTempoStopCyclesNeverWaitOutTheStop) {
    a.midi.StartThread(true);
    ASSERT_EQ(OpenMusic(MusicOf(g())), 1);
    const int cycles = StopCycles();
    LongestStop longest;
    for (int i = 0; i < cycles; ++i) {
        ASSERT_EQ(PlayMusic(MusicOf(g()), i % 14), 1) << i;
        SetMusicTempo(MusicOf(g()), i % 3 == 0 ? 150 : 100);
        // Let a few refills happen (more on some rounds than on others).
        int target = a.midi.outs.load() + (i % 7);
        for (int spin = 0; spin < 1000 && a.midi.outs.load() < target; ++spin) std::this_thread::yield();
        if (i % 5 == 0) SetMusicTempo(MusicOf(g()), 100);
        ASSERT_EQ(longest.Time([&] { return StopMusic(MusicOf(g())); }), 1) << i;
        ASSERT_EQ(g().music.SongLoaded.load(), 0);
        ASSERT_EQ(a.midi.timeouts.load(), 0) << "stop " << i << " waited out its time";
    }
    a.midi.WaitIdle();
    longest.Report(cycles);
    EXPECT_GE(a.midi.returned.load(), 2 * cycles);
}

// The stop's wait passes in virtual time once the device has nothing more to hand back.
TEST_F(ThreadedPlayer, StopWithNothingQueuedWaitsTwoVirtualSeconds) {
    a.midi.StartThread(false);
    OpenMusic(MusicOf(g()));
    a.files.files.erase("/opt/game/m05.dat");
    EXPECT_EQ(PlayMusic(MusicOf(g()), 12), 0);
    uint64_t before = a.midi.NowUs();
    auto realStart = std::chrono::steady_clock::now();
    EXPECT_EQ(StopMusic(MusicOf(g())), 1);
    EXPECT_EQ(a.midi.NowUs() - before, 2000000u);
    EXPECT_LT(std::chrono::steady_clock::now() - realStart, std::chrono::milliseconds(1500));
    EXPECT_EQ(a.midi.timeouts.load(), 1);
}

// Driven step by step: buffers come back on the device's thread as their events are played.
TEST_F(ThreadedPlayer, RefillsHappenOnTheDeviceThread) {
    a.midi.StartThread(false);
    OpenMusic(MusicOf(g()));
    ASSERT_EQ(PlayMusic(MusicOf(g()), 0), 1);
    for (int i = 0; i < 50; ++i) {
        a.midi.Advance(20);
        a.midi.WaitIdle();
    }
    EXPECT_GT(a.midi.outs.load(), 4);
    EXPECT_GT(a.midi.Played().size(), 10u);
    EXPECT_EQ(StopMusic(MusicOf(g())), 1);
    EXPECT_EQ(a.midi.timeouts.load(), 0);
}
