// The MIDI stream player over the fake stream device: preparation, refills, looping, stops and the 2000 ms wait.
#include <gtest/gtest.h>

#include <string>

#include "music/music_player.h"
#include "support/song_driver.h"

using namespace vorna;
using namespace vorna::testing;

namespace {

// A song of n quarter notes at 96 ticks a quarter, 500 ms a quarter.
Bytes Quarters(int n, uint8_t key = 60, uint32_t tempo = 500000) {
    TrackBuilder t;
    t.Tempo(0, tempo);
    for (int i = 0; i < n; ++i) t.Note(i ? 96 : 0, 0x90, key, 100);
    t.End(96);
    return Song({t}, 96);
}

struct PlayerFixture : ::testing::Test {
    AudioGame a;
    Game& g() { return a.g(); }
    void SetUp() override {
        a.files.modulePath = "/opt/game/vorna";
        for (int i = 0; i < 14; ++i)
            a.files.files[std::string("/opt/game/") + MusicFileTable[i]] = Quarters(8, uint8_t(40 + i));
    }
    void TearDown() override {
        CloseMusic(MusicOf(g()));
        EXPECT_EQ(g().music.song.PayloadCount.load(), 0);
        EXPECT_EQ(a.files.OpenCount(), 0);
        EXPECT_FALSE(a.midi.IsOpen());
        EXPECT_EQ(a.midi.eventsCreated.load(), a.midi.eventsDestroyed.load());
        EXPECT_EQ(g().music.buffers[0].header.data, nullptr);
    }
    std::vector<uint32_t> NotesPlayed() {
        std::vector<uint32_t> keys;
        for (const auto& e : a.midi.Played())
            if ((e.word >> 24) == 0 && (e.word & 0xF0) == 0x90) keys.push_back((e.word >> 8) & 0x7F);
        return keys;
    }
};

} // namespace

TEST_F(PlayerFixture, MusicNumbersMapToTheFilesBesideTheProgram) {
    ASSERT_EQ(OpenMusic(MusicOf(g())), 1);
    const char* expected[14] = {"m00", "m01", "m02", "m03", "m04", "m07", "m08",
                                "m09", "m0a", "m0b", "m0c", "m0d", "m05", "m06"};
    for (int n = 0; n < 14; ++n) {
        a.files.opened.clear();
        EXPECT_EQ(PlayMusic(MusicOf(g()), n), 1);
        ASSERT_FALSE(a.files.opened.empty());
        EXPECT_EQ(a.files.opened[0], std::string("/opt/game/") + expected[n] + ".dat");
    }
    StopMusic(MusicOf(g()));
    EXPECT_EQ(g().music.MusicOn, 0);
    // Out of range: no song, but the game-level flag still goes up.
    a.files.opened.clear();
    EXPECT_EQ(PlayMusic(MusicOf(g()), 14), 0);
    EXPECT_TRUE(a.files.opened.empty());
    EXPECT_EQ(g().music.MusicOn, 1);
}

TEST_F(PlayerFixture, APathTooLongForTheBufferIsRefusedNotCut) {
    std::string folder = "/" + std::string(252, 'd') + "/";
    a.files.modulePath = folder + "vo";
    a.files.files[folder + "m00.dat"] = Quarters(4);
    a.files.files[(folder + "m00.dat").substr(0, 259)] = Quarters(4);
    OpenMusic(MusicOf(g()));
    EXPECT_EQ(PlayMusic(MusicOf(g()), 0), 0);
    EXPECT_TRUE(a.files.opened.empty());
    // A program path that fills the whole buffer may itself be cut: refused as well.
    a.files.modulePath = "/" + std::string(300, 'e');
    char path[kSongPathBytes];
    EXPECT_FALSE(BuildMusicPath(g().platform.files, 0, path));
    a.files.modulePath = "vorna";
    ASSERT_TRUE(BuildMusicPath(g().platform.files, 3, path));
    EXPECT_STREQ(path, "m03.dat");
}

TEST_F(PlayerFixture, PreparesTwoBuffersPausedThenRefillsAndLoops) {
    ASSERT_EQ(OpenMusic(MusicOf(g())), 1);
    ASSERT_EQ(LoadSong(MusicOf(g()), "/opt/game/m00.dat"), 1);
    EXPECT_EQ(a.midi.outs.load(), 2);
    EXPECT_EQ(a.midi.TimeDivision(), 96u);
    EXPECT_TRUE(a.midi.IsPaused());
    a.midi.Advance(1000);
    EXPECT_TRUE(a.midi.Played().empty()); // paused until the song starts
    ASSERT_EQ(StartSong(MusicOf(g()), 1), 1);
    a.midi.Advance(8 * 500 + 500 + 8 * 500 + 10); // a pass, the end's quarter, a second pass
    std::vector<uint32_t> keys = NotesPlayed();
    ASSERT_GE(keys.size(), 16u);
    // The second pass starts right after the first pass's last note: the end-of-track delta is dropped.
    auto played = a.midi.Played();
    std::vector<uint64_t> noteTimes;
    for (const auto& e : played)
        if ((e.word >> 24) == 0) noteTimes.push_back(e.timeUs);
    EXPECT_EQ(noteTimes[1] - noteTimes[0], 500000u);
    EXPECT_EQ(noteTimes[8] - noteTimes[7], 0u);
    EXPECT_GT(a.midi.outs.load(), 10);
    EXPECT_EQ(StopMusic(MusicOf(g())), 1);
    EXPECT_FALSE(a.midi.IsOpen());
    EXPECT_EQ(a.midi.timeouts.load(), 0);
    EXPECT_EQ(g().music.SongLoaded.load(), 0);
    EXPECT_EQ(g().music.PlayerState.load(), PlayerPlaying);
}

TEST_F(PlayerFixture, StopAfterStopFailsAtOnce) {
    OpenMusic(MusicOf(g()));
    PlayMusic(MusicOf(g()), 2);
    a.midi.Advance(700);
    uint64_t before = a.midi.NowUs();
    EXPECT_EQ(StopMusic(MusicOf(g())), 1);
    EXPECT_EQ(StopMusic(MusicOf(g())), 0); // the stream is already closed
    EXPECT_EQ(a.midi.NowUs(), before);
    EXPECT_EQ(a.midi.timeouts.load(), 0);
    // The next song opens a fresh stream.
    EXPECT_EQ(PlayMusic(MusicOf(g()), 3), 1);
    EXPECT_EQ(a.midi.opens.load(), 2);
}

TEST_F(PlayerFixture, StopWithNothingQueuedWaitsTheFullTwoSeconds) {
    OpenMusic(MusicOf(g()));
    a.files.files.erase("/opt/game/m00.dat");
    EXPECT_EQ(PlayMusic(MusicOf(g()), 0), 0);
    uint64_t before = a.midi.NowUs();
    EXPECT_EQ(StopMusic(MusicOf(g())), 1);
    EXPECT_EQ(a.midi.NowUs() - before, 2000u * 1000u);
    EXPECT_EQ(a.midi.timeouts.load(), 1);
    EXPECT_TRUE(a.midi.IsOpen()); // nothing was loaded, so the stream stays
}

TEST_F(PlayerFixture, TheSameSongTwiceRestartsIt) {
    OpenMusic(MusicOf(g()));
    PlayMusic(MusicOf(g()), 4);
    a.midi.Advance(2600);
    EXPECT_EQ(NotesPlayed().size(), 6u);
    PlayMusic(MusicOf(g()), 4);
    EXPECT_EQ(a.midi.stops.load(), 1);
    a.midi.Advance(10);
    std::vector<uint32_t> keys = NotesPlayed();
    ASSERT_EQ(keys.size(), 7u);
    EXPECT_EQ(keys[6], keys[0]);
}

TEST_F(PlayerFixture, TempoPercentAppliesAtTheNextTempoEvent) {
    OpenMusic(MusicOf(g()));
    SetMusicTempo(MusicOf(g()), 100);
    PlayMusic(MusicOf(g()), 0);
    a.midi.Advance(100);
    EXPECT_EQ(a.midi.Tempo(), 500000u);
    SetMusicTempo(MusicOf(g()), 150);
    a.midi.Advance(3000);
    EXPECT_EQ(a.midi.Tempo(), 500000u); // no tempo event yet
    a.midi.Advance(2000);               // the next pass begins with one
    EXPECT_EQ(a.midi.Tempo(), 500000u * 100 / 150);
    // A song started after SetMusicTempo(100) plays at normal speed from its first event.
    SetMusicTempo(MusicOf(g()), 100);
    PlayMusic(MusicOf(g()), 1);
    a.midi.Advance(1);
    EXPECT_EQ(a.midi.Tempo(), 500000u);
}

TEST_F(PlayerFixture, AFirstSongEndingInItsFirstBufferQueuesAnEmptySecond) {
    TrackBuilder t;
    t.Tempo(0, 500000).Note(0, 0x90, 60, 1).Note(0, 0x90, 64, 1).Note(96, 0x80, 64, 0).End(96);
    a.files.files["/opt/game/m00.dat"] = Song({t}, 96);
    OpenMusic(MusicOf(g()));
    ASSERT_EQ(g().music.LoopSong.load(), 0);
    LoadSong(MusicOf(g()), "/opt/game/m00.dat");
    EXPECT_EQ(g().music.buffers[0].header.bytesRecorded, 48u);
    EXPECT_EQ(g().music.buffers[1].header.bytesRecorded, 0u);
    EXPECT_EQ(a.midi.outs.load(), 2);
    StartSong(MusicOf(g()), 1);
    a.midi.Advance(10000);
    EXPECT_GE(NotesPlayed().size(), 40u); // looping began with the first refill, without a gap
    auto played = a.midi.Played();
    EXPECT_EQ(played[4].timeUs, played[3].timeUs); // the second pass follows the last note at once
    EXPECT_EQ(played[4].word, played[0].word);
    StopMusic(MusicOf(g()));
}

TEST_F(PlayerFixture, CloseMusicTwiceOrWithoutOpenIsHarmless) {
    EXPECT_EQ(CloseMusic(MusicOf(g())), 1);
    OpenMusic(MusicOf(g()));
    PlayMusic(MusicOf(g()), 0);
    a.midi.Advance(300);
    EXPECT_EQ(CloseMusic(MusicOf(g())), 1);
    EXPECT_EQ(CloseMusic(MusicOf(g())), 1);
    EXPECT_EQ(a.midi.closes.load(), 1);
    EXPECT_EQ(StopMusic(MusicOf(g())), 0);
}

TEST_F(PlayerFixture, ACorruptSongFallsSilentAndTheNextStopCleansUp) {
    TrackBuilder t;
    for (int i = 0; i < 300; ++i) t.Note(10, 0x90, 60, 1);
    t.Raw(0, {0xF4}).End();
    a.files.files["/opt/game/m00.dat"] = Song({t});
    OpenMusic(MusicOf(g()));
    EXPECT_EQ(PlayMusic(MusicOf(g()), 0), 1);
    a.midi.Advance(60000);
    EXPECT_EQ(g().music.song.file, kNoFile); // closed inside the callback
    // The notes of the buffer whose fill failed are lost with it.
    EXPECT_GT(NotesPlayed().size(), 280u);
    EXPECT_LT(NotesPlayed().size(), 300u);
    uint64_t before = a.midi.NowUs();
    EXPECT_EQ(StopMusic(MusicOf(g())), 1);
    EXPECT_EQ(a.midi.NowUs() - before, 2000u * 1000u); // the buffers did not come back
    EXPECT_EQ(g().music.SongLoaded.load(), 0);
}

TEST_F(PlayerFixture, DeviceFailuresLeaveNothingBehind) {
    a.midi.failOpen = true;
    EXPECT_EQ(OpenMusic(MusicOf(g())), 0);
    EXPECT_EQ(PlayMusic(MusicOf(g()), 0), 0);
    a.midi.failOpen = false;
    a.midi.failTimeDivision = true;
    EXPECT_EQ(PlayMusic(MusicOf(g()), 0), 0);
    a.midi.failTimeDivision = false;
    a.midi.failPrepare = true;
    EXPECT_EQ(PlayMusic(MusicOf(g()), 1), 0);
    a.midi.failPrepare = false;
    a.midi.failRestart = true;
    EXPECT_EQ(PlayMusic(MusicOf(g()), 2), 0);
    EXPECT_EQ(g().music.SongPlaying.load(), 0);
    a.midi.failRestart = false;
    a.midi.failOutAfter = 3;
    EXPECT_EQ(PlayMusic(MusicOf(g()), 3), 1);
    a.midi.Advance(5000);
    EXPECT_EQ(g().music.song.file, kNoFile);
    a.midi.failOutAfter = -1;
    EXPECT_EQ(PlayMusic(MusicOf(g()), 4), 1);
    a.midi.Advance(5000);
    EXPECT_GT(NotesPlayed().size(), 8u);
    Game none;
    EXPECT_EQ(OpenMusic(MusicOf(none)), 0);
    EXPECT_EQ(PlayMusic(MusicOf(none), 0), 0);
    EXPECT_EQ(StopMusic(MusicOf(none)), 0);
    EXPECT_EQ(CloseMusic(MusicOf(none)), 1);
}

TEST_F(PlayerFixture, ObserverHearsTheGameLevelCalls) {
    struct Recorder : GameObserver {
        std::vector<std::string> calls;
        void SoundRequested(int) override {}
        void MusicCalled(MusicCall c, int n) override {
            calls.push_back(c == MusicCall::Play   ? "play " + std::to_string(n)
                            : c == MusicCall::Stop ? "stop"
                                                   : "tempo " + std::to_string(n));
        }
    } recorder;
    g().platform.observer = &recorder;
    OpenMusic(MusicOf(g()));
    SetMusicTempo(MusicOf(g()), 150);
    PlayMusic(MusicOf(g()), 1);
    PlayMusic(MusicOf(g()), 2);
    StopMusic(MusicOf(g()));
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"tempo 150", "play 1", "stop", "play 2", "stop"}));
    g().platform.observer = nullptr;
}
