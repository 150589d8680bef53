// The page's music stream: messages at their sample in each audio block, refills inside a block, stops.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "backends/web/web_midi_stream.h"

namespace vorna {
namespace {

constexpr uint32_t kRate = 48000;
constexpr uint32_t kDivision = 96;
// At the default tempo (half a second a quarter note) one tick of 96 is 250 samples at 48 kHz.
constexpr uint32_t kFramesPerTick = 250;
constexpr uint32_t kBlock = 1024;
constexpr uint32_t kNoteOn = 0x00643C90u;  // channel 0, middle C, velocity 100
constexpr uint32_t kNoteOff = 0x00003C80u; // its release
constexpr uint32_t kTempoEvent = (kMidiEventTempo << 24) | 250000u;
constexpr uint32_t kNopEvent = 0x02000000u | kNoteOn; // MEVT_NOP's type over a message's bytes
constexpr uint32_t kAllNotesOffChannel0 = 0x00007BB0u;

struct StreamBuffer {
    std::vector<uint8_t> data;
    MidiHeader header{};
    void Put(uint32_t delta, uint32_t word) {
        uint8_t event[kMidiStreamEventBytes] = {};
        for (int i = 0; i < 4; ++i) {
            event[i] = uint8_t(delta >> (8 * i));
            event[8 + i] = uint8_t(word >> (8 * i));
        }
        data.insert(data.end(), event, event + kMidiStreamEventBytes);
        header = MidiHeader{data.data(), uint32_t(data.size()), uint32_t(data.size()), 0, nullptr};
    }
};

// A player that queues its refill when a buffer comes back, as the game's does, and counts the returns.
struct Refiller {
    WebMidiStream* stream = nullptr;
    StreamBuffer* refill = nullptr;
    int returned = 0;
    SyncEvent* done = nullptr;
    static void Callback(void* context, unsigned message, MidiHeader*) {
        auto& r = *static_cast<Refiller*>(context);
        if (message != MOM_DONE) return;
        r.returned += 1;
        if (r.done) r.done->Set();
        if (r.refill) {
            StreamBuffer* next = r.refill;
            r.refill = nullptr;
            r.stream->PrepareHeader(&next->header);
            r.stream->Out(&next->header);
        }
    }
};

void Start(WebMidiStream& s, Refiller& r, StreamBuffer& first) {
    r.stream = &s;
    ASSERT_EQ(s.Open(Refiller::Callback, &r), MMSYSERR_NOERROR);
    ASSERT_EQ(s.SetTimeDivision(kDivision), MMSYSERR_NOERROR);
    ASSERT_EQ(s.PrepareHeader(&first.header), MMSYSERR_NOERROR);
    ASSERT_EQ(s.Out(&first.header), MMSYSERR_NOERROR);
    ASSERT_EQ(s.Restart(), MMSYSERR_NOERROR);
}

std::vector<WebMidiStream::DueEvent> Messages(const std::vector<WebMidiStream::DueEvent>& block) {
    std::vector<WebMidiStream::DueEvent> kept;
    // The controller resets an open sends every channel are not the song's.
    for (const auto& e : block)
        if ((e.message & 0xF0) != 0xB0) kept.push_back(e);
    return kept;
}

TEST(WebMidiStream, EachMessageComesInItsBlockAtItsSample) {
    WebMidiStream s(kRate);
    Refiller r;
    StreamBuffer song;
    song.Put(0, kNoteOn);
    song.Put(4, kNoteOff); // 1000 samples in: still the first block
    song.Put(1, kNoteOn);  // 1250: the second block, 226 samples into it
    Start(s, r, song);

    const auto first = Messages(s.TakeBlock(kBlock));
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].offset, 0u);
    EXPECT_EQ(first[0].message, kNoteOn);
    EXPECT_EQ(first[1].offset, 4 * kFramesPerTick);
    EXPECT_EQ(first[1].message, kNoteOff);
    const auto second = Messages(s.TakeBlock(kBlock));
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].offset, 5 * kFramesPerTick - kBlock);
    EXPECT_EQ(s.NowFrames(), 2 * kBlock);
}

TEST(WebMidiStream, RefillQueuedWhenABufferComesBackPlaysOnInTheSameBlock) {
    WebMidiStream s(kRate);
    Refiller r;
    StreamBuffer song, refill;
    song.Put(0, kNoteOn);
    song.Put(2, kNoteOff);  // the first buffer runs out at 500 samples
    refill.Put(1, kNoteOn); // its refill's first note a tick later: 750
    r.refill = &refill;
    Start(s, r, song);

    const auto block = Messages(s.TakeBlock(kBlock));
    // Both handed back inside the block (the refill plays out at 750), not left for a thread the page lacks.
    EXPECT_EQ(r.returned, 2);
    ASSERT_EQ(block.size(), 3u);
    // The offset runs on across the hand-back: it is the block's, not the slice's after the return.
    EXPECT_EQ(block[2].offset, 3 * kFramesPerTick);
    EXPECT_EQ(block[2].message, kNoteOn);
}

TEST(WebMidiStream, OnlyChannelMessagesReachThePageAndTempoStillCounts) {
    WebMidiStream s(kRate);
    Refiller r;
    StreamBuffer song;
    song.Put(0, kTempoEvent); // twice as fast: a tick is 125 samples
    song.Put(4, kNopEvent);   // takes its time, but is nothing to play
    song.Put(0, kNoteOn);
    Start(s, r, song);
    const auto block = Messages(s.TakeBlock(kBlock));
    ASSERT_EQ(block.size(), 1u);
    EXPECT_EQ(block[0].offset, 4 * kFramesPerTick / 2);
    EXPECT_EQ(block[0].message, kNoteOn);
}

TEST(WebMidiStream, StopHandsBuffersBackAtOnceAndSilencesTheNextBlock) {
    WebMidiStream s(kRate);
    Refiller r;
    StreamBuffer song;
    song.Put(0, kNoteOn);
    song.Put(96 * 16, kNoteOff); // far beyond the stop
    Start(s, r, song);
    r.done = s.CreateEvent();
    ASSERT_NE(r.done, nullptr);
    s.TakeBlock(kBlock);
    const uint64_t before = s.NowFrames();

    ASSERT_EQ(s.Stop(), MMSYSERR_NOERROR);
    EXPECT_EQ(r.returned, 1);
    // The player's wait for the return finds it signalled: no stream time passes for it.
    EXPECT_TRUE(r.done->Wait(100));
    EXPECT_EQ(s.NowFrames(), before);
    // Nothing signalled now: the wait lets its time pass in samples, then reports the time-out.
    EXPECT_FALSE(r.done->Wait(10));
    EXPECT_EQ(s.NowFrames(), before + kRate / 100);

    const auto& next = s.TakeBlock(kBlock);
    ASSERT_EQ(next.size(), 16u); // all notes off on every channel, before anything else
    EXPECT_EQ(next[0].offset, 0u);
    EXPECT_EQ(next[0].message, kAllNotesOffChannel0);
    EXPECT_EQ(next[15].message, kAllNotesOffChannel0 | 15u);
    EXPECT_TRUE(s.TakeBlock(kBlock).empty()); // the stopped song's note-off never comes
    s.DestroyEvent(r.done);
    EXPECT_EQ(s.Close(), MMSYSERR_NOERROR);
}

TEST(WebMidiStream, AStreamNotOpenRefusesAndGivesNothing) {
    WebMidiStream s(kRate);
    EXPECT_EQ(s.Stop(), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(s.Reset(), MMSYSERR_INVALHANDLE);
    EXPECT_TRUE(s.TakeBlock(kBlock).empty());
}

TEST(WebMidiStream, AFloodOfMessagesInOneBlockIsCappedNotGrown) {
    WebMidiStream s(kRate);
    Refiller r;
    StreamBuffer song;
    for (size_t i = 0; i < WebMidiStream::kMaxEventsPerBlock + 100; ++i) song.Put(0, kNoteOn);
    Start(s, r, song);
    EXPECT_EQ(s.TakeBlock(kBlock).size(), WebMidiStream::kMaxEventsPerBlock);
    EXPECT_EQ(r.returned, 1); // the rest of the buffer still plays out and comes back
}

TEST(WebMidiStream, StopsPiledUpBeforeTheAudioStartsLeaveRoomForTheSong) {
    WebMidiStream s(kRate);
    Refiller r;
    StreamBuffer song;
    song.Put(0, 0x000005C0u); // the song's instrument, its very first message
    song.Put(0, kNoteOn);
    // The page's audio waits for a key: songs start and stop many times without a block being pulled.
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(s.Open(Refiller::Callback, &r), MMSYSERR_NOERROR);
        ASSERT_EQ(s.Stop(), MMSYSERR_NOERROR);
        ASSERT_EQ(s.Close(), MMSYSERR_NOERROR);
    }
    Start(s, r, song);
    const auto& block = s.TakeBlock(kBlock);
    ASSERT_GE(block.size(), 2u);
    EXPECT_EQ(block[block.size() - 2].message, 0x000005C0u);
    EXPECT_EQ(block.back().message, kNoteOn);
}

} // namespace
} // namespace vorna
