// The reader's bounded work: size limit, per-fill budgets, merge order over many tracks, silent songs.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

#include "support/hostile_songs.h"
#include "support/song_driver.h"

using namespace vorna;
using namespace vorna::testing;

namespace {

// At most one event's bytes past the budget: a message that straddles a window edge refills once more.
constexpr uint32_t kFillByteCeiling = kFillByteBudget + 2 * kTrackWindowBytes;

struct LoopingReader : ::testing::Test {
    AudioGame a;
    uint8_t data[kStreamBufferBytes] = {};
    StreamBuffer b{};
    std::vector<ConvertedEvent> events;
    uint32_t tick = 0;
    int fills = 0;

    Game& g() { return a.g(); }
    void Open(const Bytes& song, bool loop) {
        a.files.files["song"] = song;
        g().music.LoopSong.store(loop ? 1 : 0);
        ASSERT_EQ(OpenSong(g().music, g().platform.files, "song"), 0);
    }
    int32_t Fill() {
        b.header.data = data;
        b.header.bufferLength = kStreamBufferBytes;
        b.startOffset = 0;
        b.maxLength = kStreamBufferBytes;
        b.startTime = 0;
        b.SpanExceeded = 0;
        int32_t r = FillStreamBuffer(g().music, g().platform.files, fills++ == 0, b);
        const ConverterWork& w = g().music.song.work;
        EXPECT_LE(w.eventsRead, kFillEventBudget) << "fill " << fills;
        EXPECT_LE(w.bytesRead, kFillByteCeiling) << "fill " << fills;
        for (uint32_t k = 0; k < b.bytesFilled / kStreamEventBytes; ++k) {
            StreamEventRecord e = StreamEventAt(data, k);
            tick += e.delta;
            events.push_back({tick, e.event});
        }
        return r;
    }
    void TearDown() override {
        CloseSong(g().music, g().platform.files);
        EXPECT_EQ(g().music.song.PayloadCount.load(), 0);
        EXPECT_EQ(a.files.OpenCount(), 0);
    }
};

} // namespace

TEST_F(LoopingReader, SongsOfOnlyEndedTracksFallSilentWithoutRereadingThemselves) {
    // 65,535 end-of-track events take many budgeted fills rather than one long one.
    const int endOnlyFills = int(kMostTracks / kFillEventBudget);
    for (auto [song, leastFills] :
         {std::pair{EndOnlyTracksSong(), endOnlyFills}, std::pair{EmptyChunksSong(), 1}, std::pair{Song({}), 1}}) {
        CloseSong(g().music, g().platform.files);
        fills = 0;
        Open(song, true);
        int32_t r = 0;
        int n = 0;
        while (r == 0 && n < 1000) r = Fill(), ++n;
        EXPECT_EQ(r, FillEnd);
        EXPECT_GE(n, leastFills);
        EXPECT_TRUE(events.empty());
        // Once silent, a fill reads nothing at all: the callback cannot spin on the file.
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(Fill(), FillEnd);
            EXPECT_EQ(g().music.song.work.bytesRead, 0u);
            EXPECT_EQ(g().music.song.work.eventsRead, 0u);
        }
    }
}

TEST_F(LoopingReader, AHugeLoopingSongSpreadsItsRewindOverBudgetedFills) {
    Open(OneNotePerTrackSong(), true);
    EXPECT_EQ(g().music.song.work.tracksPrimed, kMostTracks);
    size_t firstPass = 0;
    int emptyFills = 0;
    uint32_t mostPrimedInAFill = 0;
    for (int i = 0; i < 5000 && events.size() < 2 * size_t(kMostTracks); ++i) {
        ASSERT_EQ(Fill(), 0);
        if (b.bytesFilled == 0) ++emptyFills;
        if (g().music.song.ConverterStatus & kConverterDone) firstPass = firstPass ? firstPass : events.size();
        mostPrimedInAFill = std::max(mostPrimedInAFill, g().music.song.work.tracksPrimed);
    }
    ASSERT_EQ(events.size(), 2 * size_t(kMostTracks));
    EXPECT_EQ(firstPass, size_t(kMostTracks));
    EXPECT_GT(emptyFills, 0); // rewinding fills that wrote nothing yet
    EXPECT_GT(mostPrimedInAFill, 0u);
    EXPECT_LT(mostPrimedInAFill, kMostTracks);
    // The second pass plays the same notes, one tick after the first pass's notes.
    for (size_t i = 0; i < kMostTracks; ++i) {
        EXPECT_EQ(events[i].word, events[i + kMostTracks].word);
        EXPECT_EQ(events[i].tick, 1u);
        EXPECT_EQ(events[i + kMostTracks].tick, 2u);
    }
}

TEST_F(LoopingReader, ASongThatTakesNoTimeIsPlayedOnceNotLoopedForEver) {
    Open(TimelessSong(), true);
    int32_t r = 0;
    for (int i = 0; i < 100 && r == 0; ++i) r = Fill();
    EXPECT_EQ(r, FillEnd);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].tick, 0u);
    EXPECT_EQ(Fill(), FillEnd);
    EXPECT_EQ(g().music.song.work.bytesRead, 0u);
}

TEST_F(LoopingReader, BudgetedFillsKeepEveryEventAndItsTime) {
    // 5,000 text events at tick 0 exhaust the event budget before the notes behind them are reached.
    TrackBuilder texts;
    for (int i = 0; i < 5000; ++i) texts.Meta(0, 0x01, {'x'});
    TrackBuilder notes;
    for (int i = 0; i < 200; ++i) notes.Note(3, kNoteOn, uint8_t(i & 0x7F), kLoud);
    Open(Song({texts.End(), notes.End()}), false);
    std::vector<uint32_t> perFill;
    int32_t r = 0;
    while ((r = Fill()) == 0) perFill.push_back(b.bytesFilled / kStreamEventBytes);
    EXPECT_EQ(r, FillEnd);
    ASSERT_GE(perFill.size(), 3u);
    EXPECT_EQ(perFill[0], 0u);
    ASSERT_EQ(events.size(), 200u);
    for (size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].tick, 3u * uint32_t(i + 1));
        EXPECT_EQ(events[i].word, uint32_t(kNoteOn) | uint32_t(i & 0x7F) << 8 | uint32_t(kLoud) << 16);
    }
}

// Random tracks: the merged stream is every note ordered by absolute tick, then track, then place in track.
TEST(SongMerge, ManyTracksMergeByTickThenTrackOrder) {
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        const int trackCount = 1 + int(random() % 300);
        std::vector<TrackBuilder> tracks(static_cast<size_t>(trackCount));
        std::vector<std::tuple<uint32_t, int, int, uint32_t>> expected;
        for (int t = 0; t < trackCount; ++t) {
            uint32_t time = 0;
            const int notes = int(random() % 12);
            for (int k = 0; k < notes; ++k) {
                uint32_t delta = random() % 4 == 0 ? 0 : random() % 50;
                time += delta;
                uint8_t key = uint8_t(random() % 128);
                tracks[size_t(t)].Note(delta, kNoteOn, key, kLoud);
                expected.emplace_back(time, t, k, uint32_t(kNoteOn) | uint32_t(key) << 8 | uint32_t(kLoud) << 16);
            }
            tracks[size_t(t)].End();
        }
        std::sort(expected.begin(), expected.end());
        AudioGame a;
        a.files.files["song"] = Song(tracks);
        Conversion c = ConvertSong(a.g(), "song");
        ASSERT_EQ(c.lastResult, FillEnd);
        ASSERT_EQ(c.events.size(), expected.size()) << "round " << round;
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(c.events[i].tick, std::get<0>(expected[i])) << "round " << round << " event " << i;
            EXPECT_EQ(c.events[i].word, std::get<3>(expected[i])) << "round " << round << " event " << i;
        }
    }
}

TEST(SongLimits, FilesBeyondOneMebibyteAreRefusedAndTheLargestIsOpenedWithinBudget) {
    AudioGame a;
    Bytes largest = OneNotePerTrackSong();
    ASSERT_LE(largest.size(), size_t(kMaxSongFileBytes));
    a.files.files["song"] = largest;
    EXPECT_EQ(OpenSong(a.g().music, a.g().platform.files, "song"), 0);
    // The open reads the file once: headers and first windows, nothing twice.
    EXPECT_LE(a.g().music.song.work.bytesRead, uint32_t(largest.size()));
    CloseSong(a.g().music, a.g().platform.files);
    Bytes over = Song({TrackBuilder{}.Meta(0, 0x01, Bytes(kMaxSongFileBytes, 'x')).End()});
    a.files.files["song"] = over;
    EXPECT_EQ(OpenSong(a.g().music, a.g().platform.files, "song"), 1);
    EXPECT_EQ(a.files.OpenCount(), 0);
    // Exactly at the limit is still a song.
    Bytes exact = Song({TrackBuilder{}.Meta(0, 0x01, Bytes(kMaxSongFileBytes - 32, 'x')).End()});
    ASSERT_EQ(exact.size(), size_t(kMaxSongFileBytes));
    a.files.files["song"] = exact;
    EXPECT_EQ(OpenSong(a.g().music, a.g().platform.files, "song"), 0);
    CloseSong(a.g().music, a.g().platform.files);
}

TEST_F(LoopingReader, HostileSongsKeepEveryFillWithinBudget) {
    for (const Bytes& song : HostileSongs()) {
        CloseSong(g().music, g().platform.files);
        fills = 0;
        events.clear();
        a.files.files["song"] = song;
        g().music.LoopSong.store(1);
        if (OpenSong(g().music, g().platform.files, "song") != 0) continue;
        int32_t r = 0;
        for (int i = 0; i < 3000 && r == 0; ++i) r = Fill();
        // Each either plays on through its budgeted fills or has ended, failed or fallen silent for good.
        if (r != 0) {
            EXPECT_NE(Fill(), 0);
        }
    }
}
