// The subsystems over their own parts of the game: what the upper layers hand down, and two players apart.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backends/headless/headless_midi.h"
#include "backends/headless/memory_files.h"
#include "base/game.h"
#include "music/music_player.h"
#include "support/audio_fixtures.h"
#include "support/fakes.h"

using namespace vorna;
using namespace vorna::testing;

namespace {

constexpr uint32_t kQuarterUs = 500000;
constexpr uint32_t kTicksPerQuarter = 96;
constexpr int kNotesPerPass = 8;
constexpr uint32_t kNoteOn = 0x90;

// A looping song of quarter notes, all on one key, so that a player's output names its song.
Bytes OneKeySong(uint8_t key) {
    TrackBuilder t;
    t.Tempo(0, kQuarterUs);
    for (int i = 0; i < kNotesPerPass; ++i) t.Note(i ? kTicksPerQuarter : 0, kNoteOn, key, 100);
    t.End(kTicksPerQuarter);
    return Song({t}, kTicksPerQuarter);
}

// One player with its own state and devices, and no Game around it.
struct LonePlayer {
    MusicState music;
    HeadlessMidiStreamDevice midi;
    MemoryFileSystem files;
    MusicContext Context() { return MusicContext{music, &midi, &files, nullptr}; }
    std::vector<uint32_t> KeysPlayed() {
        std::vector<uint32_t> keys;
        for (const auto& e : midi.Played())
            if ((e.word >> 24) == 0 && (e.word & 0xF0) == kNoteOn) keys.push_back((e.word >> 8) & 0x7F);
        return keys;
    }
};

} // namespace

// The done-callback's context is the player's own music state: each stream must refill from its own song
// through its own files and device, however many players run at once.
TEST(NarrowState, TwoPlayersSideBySideRefillOnlyTheirOwnSongs) {
    LonePlayer first, second;
    first.files.files["song.dat"] = OneKeySong(40);
    second.files.files["song.dat"] = OneKeySong(70);
    for (LonePlayer* p : {&first, &second}) {
        ASSERT_EQ(OpenMusic(p->Context()), 1);
        ASSERT_EQ(LoadSong(p->Context(), "song.dat"), 1);
        ASSERT_EQ(StartSong(p->Context(), 1), 1);
    }
    // Two passes and more: both streams have handed buffers back and been refilled by their callbacks.
    constexpr uint32_t kTwoPassesMs = 2 * (kNotesPerPass + 1) * kQuarterUs / 1000 + 10;
    first.midi.Advance(kTwoPassesMs);
    second.midi.Advance(kTwoPassesMs);
    for (LonePlayer* p : {&first, &second}) EXPECT_GT(p->midi.outs.load(), 2);
    const std::vector<uint32_t> firstKeys = first.KeysPlayed(), secondKeys = second.KeysPlayed();
    ASSERT_GE(firstKeys.size(), 2u * kNotesPerPass);
    ASSERT_GE(secondKeys.size(), 2u * kNotesPerPass);
    for (uint32_t k : firstKeys) EXPECT_EQ(k, 40u);
    for (uint32_t k : secondKeys) EXPECT_EQ(k, 70u);

    for (LonePlayer* p : {&first, &second}) {
        EXPECT_EQ(StopMusic(p->Context()), 1);
        EXPECT_EQ(CloseMusic(p->Context()), 1);
        EXPECT_EQ(p->music.song.PayloadCount.load(), 0);
        EXPECT_EQ(p->files.OpenCount(), 0);
        EXPECT_FALSE(p->midi.IsOpen());
    }
}

TEST(NarrowState, ClientAreaOfKeepsEachSideOfTheWindow) {
    WindowState w;
    w.ClientX = 11;
    w.ClientY = 22;
    w.ClientWidth = 333;
    w.ClientHeight = 444;
    const ClientArea a = ClientAreaOf(w);
    EXPECT_EQ(a.x, 11);
    EXPECT_EQ(a.y, 22);
    EXPECT_EQ(a.width, 333);
    EXPECT_EQ(a.height, 444);
}

// The parts refer to the game's own records, never copies, so that what a subsystem changes stays in the game.
TEST(NarrowState, ThePartsHandDownTheGamesOwnRecordsAndServices) {
    Game g;
    HeadlessMidiStreamDevice midi;
    MemoryFileSystem files;
    RecordingObserver observer;
    RecordingShell shell;
    g.platform.midi = &midi;
    g.platform.files = &files;
    g.platform.observer = &observer;
    g.platform.shell = &shell;

    const DisplayContext display = DisplayOf(g);
    EXPECT_EQ(&display.display, &g.display);
    EXPECT_EQ(display.presenter, nullptr);
    EXPECT_EQ(display.shell, &shell);

    const SoundContext sound = SoundOf(g);
    EXPECT_EQ(&sound.sound, &g.sound);
    EXPECT_EQ(sound.device, nullptr);
    EXPECT_EQ(sound.files, &files);
    EXPECT_EQ(sound.observer, &observer);

    const MusicContext music = MusicOf(g);
    EXPECT_EQ(&music.music, &g.music);
    EXPECT_EQ(music.midi, &midi);
    EXPECT_EQ(music.files, &files);
    EXPECT_EQ(music.observer, &observer);

    // What goes through a part lands in the game: the tempo, and the observer hears the call.
    SetMusicTempo(MusicOf(g), 150);
    EXPECT_EQ(g.music.TempoPercent.load(), 150);
    ASSERT_EQ(observer.music.size(), 1u);
    EXPECT_EQ(observer.music[0].second, 150);
}
