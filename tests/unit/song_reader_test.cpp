// The song reader and stream conversion: header and track rules, merging, buffer limits, tempo, payloads.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <map>
#include <set>
#include <string>

#include "support/song_driver.h"

using namespace vorna;
using namespace vorna::testing;

namespace {

struct SongFixture : ::testing::Test {
    AudioGame a;
    Game& g() { return a.g(); }
    void Put(const Bytes& song) { a.files.files["song"] = song; }
    Conversion Convert(int maxBuffers = 1000000) { return ConvertSong(g(), "song", maxBuffers); }
    void TearDown() override {
        CloseSong(g().music, g().platform.files);
        EXPECT_EQ(g().music.song.PayloadCount.load(), 0);
        EXPECT_EQ(a.files.OpenCount(), 0);
    }
};

constexpr uint32_t Short(uint8_t s, uint8_t d1, uint8_t d2) {
    return uint32_t(s) | uint32_t(d1) << 8 | uint32_t(d2) << 16;
}

} // namespace

TEST_F(SongFixture, HeaderLengthFiveIsRefusedTenIsAccepted) {
    TrackBuilder t;
    t.Note(0, 0x90, 60, 100).End();
    Put(Song({t}, 96, 5));
    EXPECT_EQ(OpenSong(g().music, g().platform.files, "song"), 1);
    EXPECT_EQ(g().music.song.tracks, nullptr);
    Bytes ten = Song({t}, 96, 10);
    ten[14 + 2] = 0xAB; // the extra bytes are ignored
    Put(ten);
    Conversion c = Convert();
    EXPECT_EQ(c.openResult, 0);
    EXPECT_EQ(c.lastResult, FillEnd);
    EXPECT_EQ(c.events, (std::vector<ConvertedEvent>{{0, Short(0x90, 60, 100)}}));
}

TEST_F(SongFixture, OpenRefusesMissingFilesWrongTagsAndShortTracks) {
    EXPECT_EQ(OpenSong(g().music, g().platform.files, "missing"), 1);
    TrackBuilder t;
    t.Note(0, 0x90, 60, 100).End();
    Bytes song = Song({t, t});
    Bytes wrongTag = song;
    wrongTag[0] = 'X';
    Put(wrongTag);
    EXPECT_EQ(OpenSong(g().music, g().platform.files, "song"), 1);
    Bytes secondTrackTag = song;
    secondTrackTag[14 + 8 + t.data.size()] = 'X';
    Put(secondTrackTag);
    EXPECT_EQ(OpenSong(g().music, g().platform.files, "song"), 1);
    for (size_t n = 0; n < song.size(); ++n) {
        Put(Bytes(song.begin(), song.begin() + long(n)));
        int32_t r = OpenSong(g().music, g().platform.files, "song");
        // Only a cut inside the last track's data may open; its fill then fails.
        if (r == 0) {
            EXPECT_GT(n, 14 + 8 + t.data.size() + 8);
            Conversion c = Convert();
            EXPECT_EQ(c.lastResult, FillCorrupt) << n;
        }
        CloseSong(g().music, g().platform.files);
    }
    EXPECT_EQ(a.files.OpenCount(), 0);
}

TEST_F(SongFixture, TiesGoToTheEarlierTrackAndDeltasAccumulate) {
    TrackBuilder t0, t1;
    t0.Note(10, 0x90, 60, 1).Note(20, 0x80, 60, 0).End();
    t1.Note(10, 0x91, 64, 2).Note(5, 0x81, 64, 0).Note(15, 0x91, 65, 3).End();
    Put(Song({t0, t1}));
    Conversion c = Convert();
    std::vector<ConvertedEvent> expected = {{10, Short(0x90, 60, 1)},
                                            {10, Short(0x91, 64, 2)},
                                            {15, Short(0x81, 64, 0)},
                                            {30, Short(0x80, 60, 0)},
                                            {30, Short(0x91, 65, 3)}};
    EXPECT_EQ(c.events, expected);
}

TEST_F(SongFixture, RunningStatusAndSkippedEventsPassTheirDeltaOn) {
    TrackBuilder t;
    t.Note(0, 0x90, 60, 100)
        .Raw(4, {62, 90})
        .Raw(0, {0xC0, 5})
        .Raw(2, {7}) // program change keeps one data byte
        .Meta(3, 0x01, {'h', 'i'})
        .Raw(1, {0xF0, 0x00}) // empty system exclusive: written never, counted as one payload
        .Raw(5, {0xC0 & 0xF0, 9})
        .End(7);
    Put(Song({t}));
    Conversion c = Convert();
    std::vector<ConvertedEvent> expected = {{0, Short(0x90, 60, 100)},
                                            {4, Short(0x90, 62, 90)},
                                            {4, Short(0xC0, 5, 0)},
                                            {6, Short(0xC0, 7, 0)},
                                            {15, Short(0xC0, 9, 0)}};
    EXPECT_EQ(c.events, expected);
    EXPECT_EQ(c.lastResult, FillEnd);
    // Running status without an earlier status byte is a read failure.
    TrackBuilder bad;
    bad.Raw(0, {60, 100}).End();
    Put(Song({bad}));
    EXPECT_EQ(Convert().lastResult, FillCorrupt);
}

TEST_F(SongFixture, EightyFiveEventsFillABuffer) {
    TrackBuilder t;
    for (int i = 0; i < 200; ++i) t.Note(0, 0x90, uint8_t(i & 0x7F), 1);
    t.End();
    Put(Song({t}));
    Conversion c = Convert();
    ASSERT_GE(c.eventsPerBuffer.size(), 3u);
    EXPECT_EQ(c.eventsPerBuffer[0], 85u);
    EXPECT_EQ(c.eventsPerBuffer[1], 85u);
    EXPECT_EQ(c.eventsPerBuffer[2], 30u);
    EXPECT_EQ(c.events.size(), 200u);
}

TEST_F(SongFixture, ZeroBufferTickLengthTakesTheStartTimeEventsAndTwoMore) {
    g().music.song.dwBufferTickLength = 0;
    TrackBuilder t;
    t.Note(0, 0x90, 1, 1).Note(0, 0x90, 2, 1).Note(5, 0x90, 3, 1).Note(5, 0x90, 4, 1).Note(5, 0x90, 5, 1).End();
    Put(Song({t}));
    Conversion c = Convert();
    // Buffer one: the two at tick 0, then the one at 5 (span exceeded once), then the one at 10.
    ASSERT_GE(c.eventsPerBuffer.size(), 2u);
    EXPECT_EQ(c.eventsPerBuffer[0], 4u);
    EXPECT_EQ(c.eventsPerBuffer[1], 1u);
    EXPECT_EQ(c.events.size(), 5u);
}

TEST_F(SongFixture, TempoSetsTheSpanAndFollowsTheTempoPercent) {
    TrackBuilder t;
    t.Tempo(0, 500000);
    for (int i = 0; i < 40; ++i) t.Note(24, 0x90, 60, 1);
    t.End();
    Put(Song({t}, 96));
    Conversion c = Convert();
    // 96 ticks a quarter at 500 ms a quarter: 60 ms are 11 ticks; a buffer spans 11 ticks and one event more.
    EXPECT_EQ(g().music.song.dwBufferTickLength, 96u * 60000u / 500000u);
    EXPECT_EQ(c.events[0].word, (1u << 24) | 500000u);
    EXPECT_EQ(c.eventsPerBuffer[0], 3u);
    EXPECT_EQ(c.eventsPerBuffer[1], 2u);
    g().music.TempoPercent.store(150);
    c = Convert();
    EXPECT_EQ(c.events[0].word, (1u << 24) | (500000u * 100 / 150));
    EXPECT_EQ(g().music.song.CurrentTempo, 500000u);
}

TEST_F(SongFixture, UnusableTemposAreDroppedAndTheOldTempoStays) {
    TrackBuilder t;
    t.Tempo(0, 400000).Meta(5, 0x51, {0x07, 0xA1}).Tempo(5, 0).Note(5, 0x90, 60, 1).End();
    Put(Song({t}));
    Conversion c = Convert();
    ASSERT_EQ(c.events.size(), 2u);
    EXPECT_EQ(c.events[0].word, (1u << 24) | 400000u);
    EXPECT_EQ(c.events[1], (ConvertedEvent{15, Short(0x90, 60, 1)}));
    EXPECT_EQ(g().music.song.CurrentTempo, 400000u);
    g().music.TempoPercent.store(0);
    c = Convert();
    ASSERT_EQ(c.events.size(), 1u); // nothing can be divided by a zero percentage
    EXPECT_EQ(c.events[0].tick, 15u);
}

TEST_F(SongFixture, LoopingRewindsAndDropsTheEndOfTrackDelta) {
    TrackBuilder t0, t1;
    t0.Note(3, 0x90, 60, 1).End(50);
    t1.Note(7, 0x91, 61, 1).End();
    Put(Song({t0, t1}));
    ASSERT_EQ(OpenSong(g().music, g().platform.files, "song"), 0);
    g().music.LoopSong.store(1);
    uint8_t data[kStreamBufferBytes];
    StreamBuffer b{};
    b.header.data = data;
    b.maxLength = kStreamBufferBytes;
    std::vector<ConvertedEvent> seen;
    uint32_t tick = 0;
    for (int i = 0; i < 3; ++i) {
        b.SpanExceeded = 0;
        ASSERT_EQ(FillStreamBuffer(g().music, g().platform.files, i == 0, b), 0);
        for (uint32_t k = 0; k < b.bytesFilled / 12; ++k) {
            StreamEventRecord r = StreamEventAt(data, k);
            tick += r.delta;
            seen.push_back({tick, r.event});
        }
    }
    // The second pass starts right after the first pass's last written event, each track at its own time.
    std::vector<ConvertedEvent> expected = {{3, Short(0x90, 60, 1)},  {7, Short(0x91, 61, 1)},
                                            {10, Short(0x90, 60, 1)}, {14, Short(0x91, 61, 1)},
                                            {17, Short(0x90, 60, 1)}, {21, Short(0x91, 61, 1)}};
    ASSERT_GE(seen.size(), 6u);
    seen.resize(6);
    EXPECT_EQ(seen, expected);
}

TEST_F(SongFixture, LongTracksAreReadThroughTheirWindows) {
    TrackBuilder t0, t1;
    for (int i = 0; i < 1500; ++i) t0.Note(1, 0x90, uint8_t(i & 0x7F), 1);
    t0.End();
    t1.Raw(0, {0xF0, 0x83, 0x10}); // a 400-byte system exclusive message across window edges
    t1.data.insert(t1.data.end(), 400, 0x11);
    for (int i = 0; i < 700; ++i) t1.Note(2, 0x91, uint8_t(i & 0x7F), 2);
    t1.End();
    Put(Song({t0, t1}));
    Conversion c = Convert();
    EXPECT_EQ(c.lastResult, FillEnd);
    ASSERT_EQ(c.events.size(), 2200u);
    uint32_t previous = 0;
    for (const ConvertedEvent& e : c.events) {
        EXPECT_GE(e.tick, previous);
        previous = e.tick;
    }
    EXPECT_EQ(c.events.back().tick, 1500u);
}

TEST_F(SongFixture, FailuresAreStuckAndFreeEverything) {
    TrackBuilder t;
    t.Note(0, 0x90, 60, 1).Meta(0, 0x01, Bytes(30, 'x')).Raw(0, {0xF4}).End();
    Put(Song({t}));
    Conversion c = Convert();
    EXPECT_EQ(c.lastResult, FillCorrupt);
    // A missing end of track is a failure too, and so is a read that fails half-way.
    TrackBuilder noEnd;
    noEnd.Note(0, 0x90, 60, 1).Note(1, 0x80, 60, 0);
    Put(Song({noEnd}));
    EXPECT_EQ(Convert().lastResult, FillCorrupt);
    TrackBuilder longOne;
    for (int i = 0; i < 1000; ++i) longOne.Meta(1, 0x01, {'a', 'b', 'c'});
    longOne.End();
    Put(Song({longOne}));
    a.files.failReadsAfter = 8;
    EXPECT_EQ(Convert().lastResult, FillCorrupt);
    a.files.failReadsAfter = -1;
    // After a failure every fill reports the stuck converter until a new song.
    ASSERT_EQ(OpenSong(g().music, g().platform.files, "song"), 0);
    uint8_t data[kStreamBufferBytes];
    StreamBuffer b{};
    b.header.data = data;
    b.maxLength = kStreamBufferBytes;
    g().music.song.ConverterStatus = kConverterStuck;
    EXPECT_EQ(FillStreamBuffer(g().music, g().platform.files, 0, b), FillStuck);
    CloseSong(g().music, g().platform.files);
    EXPECT_EQ(FillStreamBuffer(g().music, g().platform.files, 1, b), FillStuck); // closed: nothing to read
}

TEST_F(SongFixture, APayloadClaimingMoreThanTheFileHoldsIsRefusedWithoutAllocating) {
    TrackBuilder t;
    t.Raw(0, {0xF0, 0x85, 0xFF, 0xFF, 0xFF, 0x7F}); // about 1.5 GB
    t.data.insert(t.data.end(), 2000, 0x01);
    Bytes song = Song({t});
    // The track claims to be enormous as well.
    song[18] = 0x7F;
    song[19] = 0xFF;
    song[20] = 0xFF;
    song[21] = 0xFF;
    Put(song);
    EXPECT_EQ(Convert().lastResult, FillCorrupt);
}

TEST_F(SongFixture, SongsWithoutEventsGiveEmptyBuffers) {
    Put(Song({}));
    Conversion c = Convert();
    EXPECT_EQ(c.openResult, 0);
    EXPECT_EQ(c.buffers, 1);
    EXPECT_EQ(c.lastResult, FillEnd);
    Put(Song({TrackBuilder{}, TrackBuilder{}}));
    c = Convert();
    EXPECT_EQ(c.events.size(), 0u);
    EXPECT_EQ(c.lastResult, FillEnd);
}

// Every shared song: none crashes; where mido reads a song and we convert it to its end, both give the
// same merged events. The files we refuse hold status bytes a Standard MIDI File may not carry, or are
// cut short, or are no song at all.
TEST(SongReaderFiles, AgreeWithMido) {
    const std::string root = std::string(VORNA_TESTDATA_DIR) + "/midi/";
    const std::string tool = std::string(VORNA_SOURCE_DIR) + "/tests/tools/mido_events.py";
    const std::set<std::string> refused = {
        "test-corrupt-file-missing-byte.mid", "test-empty-file.mid",
        "test-not-a-midi-file.mid",           "test-non-midi-track.mid",
        "test-illegal-message-all.mid",       "test-illegal-message-f1-xx.mid",
        "test-illegal-message-f2-xx-xx.mid",  "test-illegal-message-f3-xx.mid",
        "test-illegal-message-f4.mid",        "test-illegal-message-f5.mid",
        "test-illegal-message-f6.mid",        "test-illegal-message-f8.mid",
        "test-illegal-message-f9.mid",        "test-illegal-message-fa.mid",
        "test-illegal-message-fb.mid",        "test-illegal-message-fc.mid",
        "test-illegal-message-fd.mid",        "test-illegal-message-fe.mid",
    };
    std::map<std::string, std::vector<ConvertedEvent>> ours;
    DIR* d = opendir(root.c_str());
    ASSERT_NE(d, nullptr);
    std::string paths;
    while (dirent* e = readdir(d)) {
        std::string name = e->d_name;
        if (name.size() < 4 || name.substr(name.size() - 4) != ".mid") continue;
        AudioGame a;
        a.files.files["song"] = ReadFileBytes(root + name);
        Conversion c = ConvertSong(a.g(), "song");
        EXPECT_EQ(a.g().music.song.PayloadCount.load(), 0) << name;
        bool converted = c.openResult == 0 && c.lastResult == FillEnd;
        EXPECT_EQ(converted, !refused.count(name)) << name << " open " << c.openResult << " last " << c.lastResult;
        if (!converted) continue;
        ours[name] = c.events;
        paths += " '" + root + name + "'";
    }
    closedir(d);
    EXPECT_GT(ours.size(), 50u);
    if (std::system("/usr/bin/python3 -c 'import mido' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3-mido is missing";
    std::FILE* p = popen(("/usr/bin/python3 " + tool + paths).c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::map<std::string, std::vector<ConvertedEvent>> theirs;
    std::set<std::string> refusedByMido;
    std::string current;
    char line[512];
    while (std::fgets(line, sizeof line, p)) {
        char name[400];
        unsigned long tick, word;
        if (std::sscanf(line, "file %399s", name) == 1) {
            current = name;
            theirs[current];
        } else if (std::strncmp(line, "refused", 7) == 0) {
            refusedByMido.insert(current);
        } else if (std::sscanf(line, "%lu %lu", &tick, &word) == 2) {
            theirs[current].push_back({uint32_t(tick), uint32_t(word)});
        }
    }
    EXPECT_EQ(pclose(p), 0);
    int compared = 0;
    for (const auto& [name, events] : ours) {
        if (refusedByMido.count(name)) continue;
        EXPECT_EQ(events, theirs[name]) << name;
        ++compared;
    }
    EXPECT_GT(compared, 50);
}
