// The shared MIDI stream rules: timing after a stop and a reopen, refused divisions, the handle's lifetime.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/midi_stream_handle.h"
#include "platform/midi_stream_queue.h"

namespace vorna {
namespace {

struct NotedEvent {
    uint64_t time;
    uint32_t word;
};

class NotingSink : public MidiEventSink {
public:
    void PlayEvent(uint64_t, uint64_t time, uint32_t word) override { events.push_back({time, word}); }
    std::vector<NotedEvent> events;
};

void NoCallback(void*, unsigned, MidiHeader*) {}

void PutEvent(uint8_t* data, int index, uint32_t delta, uint32_t word) {
    uint8_t* p = data + 12 * index;
    std::memset(p, 0, 12);
    for (int i = 0; i < 4; ++i) {
        p[i] = uint8_t(delta >> (8 * i));
        p[8 + i] = uint8_t(word >> (8 * i));
    }
}

constexpr uint32_t kNoteOn = 0x007F3C90u;
constexpr uint32_t kUnitsPerSecond = 1000; // one unit a millisecond: 96 ticks at the default tempo are 500

TEST(MidiStreamQueue, AfterAStopAndAReopenTheFirstEventSoundsAtItsOwnDelta) {
    NotingSink sink;
    MidiStreamQueue q(kUnitsPerSecond, sink);
    uint8_t first[24], second[12];
    PutEvent(first, 0, 0, kNoteOn);
    PutEvent(first, 1, 96 * 8, kNoteOn); // four seconds away: the stop comes long before
    MidiHeader a{first, 24, 24, 0, nullptr};
    ASSERT_EQ(q.Open(NoCallback, nullptr), MMSYSERR_NOERROR);
    ASSERT_EQ(q.SetTimeDivision(96), MMSYSERR_NOERROR);
    ASSERT_EQ(q.PrepareHeader(&a), MMSYSERR_NOERROR);
    ASSERT_EQ(q.Out(&a), MMSYSERR_NOERROR);
    ASSERT_EQ(q.Restart(), MMSYSERR_NOERROR);
    q.RunFor(1000);
    ASSERT_EQ(sink.events.size(), 1u);
    ASSERT_EQ(q.Stop(), MMSYSERR_NOERROR);
    ASSERT_EQ(q.Close(), MMSYSERR_NOERROR);

    PutEvent(second, 0, 96, kNoteOn); // a quarter note after the start
    MidiHeader b{second, 12, 12, 0, nullptr};
    ASSERT_EQ(q.Open(NoCallback, nullptr), MMSYSERR_NOERROR);
    ASSERT_EQ(q.SetTimeDivision(96), MMSYSERR_NOERROR);
    ASSERT_EQ(q.PrepareHeader(&b), MMSYSERR_NOERROR);
    ASSERT_EQ(q.Out(&b), MMSYSERR_NOERROR);
    const uint64_t start = q.Now();
    ASSERT_EQ(q.Restart(), MMSYSERR_NOERROR);
    q.RunFor(2000);
    ASSERT_EQ(sink.events.size(), 2u);
    EXPECT_EQ(sink.events[1].time - start, 500u);

    // A stop without a close, then the same buffer again: the old gap is gone as well.
    PutEvent(second, 0, 96 * 8, kNoteOn);
    ASSERT_EQ(q.Out(&b), MMSYSERR_NOERROR);
    q.RunFor(1000);
    ASSERT_EQ(q.Stop(), MMSYSERR_NOERROR);
    PutEvent(second, 0, 96, kNoteOn);
    ASSERT_EQ(q.Out(&b), MMSYSERR_NOERROR);
    const uint64_t again = q.Now();
    ASSERT_EQ(q.Restart(), MMSYSERR_NOERROR);
    q.RunFor(2000);
    ASSERT_EQ(sink.events.size(), 3u);
    EXPECT_EQ(sink.events[2].time - again, 500u);
}

TEST(MidiStreamQueue, TicksBecomeUnitsExactlyWithoutDrift) {
    NotingSink sink;
    MidiStreamQueue q(44100, sink);
    // 1 tick at 96 ticks a quarter and 120 beats a minute is 229.6875 samples: 300 of them are 68906.25.
    std::vector<uint8_t> data(12 * 80);
    for (int i = 0; i < 80; ++i) PutEvent(data.data(), i, 1, kNoteOn);
    MidiHeader h{data.data(), uint32_t(data.size()), uint32_t(data.size()), 0, nullptr};
    ASSERT_EQ(q.Open(NoCallback, nullptr), MMSYSERR_NOERROR);
    ASSERT_EQ(q.PrepareHeader(&h), MMSYSERR_NOERROR);
    ASSERT_EQ(q.Out(&h), MMSYSERR_NOERROR);
    ASSERT_EQ(q.Restart(), MMSYSERR_NOERROR);
    for (int i = 0; i < 200; ++i) q.Play(97, false);
    ASSERT_EQ(sink.events.size(), 80u);
    EXPECT_EQ(sink.events[79].time, 80u * 229u + 80u * 11u / 16u); // 18375 = 80 * 229.6875
    EXPECT_EQ(q.playedOut.load(), 1);
}

TEST(MidiStreamQueue, RefusesWhatCannotPlay) {
    NotingSink sink;
    MidiStreamQueue q(kUnitsPerSecond, sink);
    uint8_t data[12] = {};
    MidiHeader h{data, 12, 12, 0, nullptr};
    EXPECT_EQ(q.SetTimeDivision(96), MMSYSERR_INVALHANDLE);
    ASSERT_EQ(q.Open(NoCallback, nullptr), MMSYSERR_NOERROR);
    EXPECT_EQ(q.Open(NoCallback, nullptr), MMSYSERR_ALLOCATED);
    EXPECT_EQ(q.SetTimeDivision(0), MMSYSERR_INVALPARAM);
    EXPECT_EQ(q.SetTimeDivision(0x8000 | 25 << 8 | 40), MMSYSERR_INVALPARAM); // SMPTE
    EXPECT_EQ(q.TimeDivision(), 96u);
    EXPECT_EQ(q.Out(&h), MIDIERR_UNPREPARED);
    ASSERT_EQ(q.PrepareHeader(&h), MMSYSERR_NOERROR);
    ASSERT_EQ(q.Out(&h), MMSYSERR_NOERROR);
    EXPECT_EQ(q.Out(&h), MIDIERR_STILLPLAYING); // one header queued twice would come back twice
    EXPECT_EQ(q.UnprepareHeader(&h), MIDIERR_STILLPLAYING);
    ASSERT_EQ(q.Stop(), MMSYSERR_NOERROR);
    EXPECT_EQ(q.handedBackByStop.load(), 1);
    EXPECT_EQ(q.UnprepareHeader(&h), MMSYSERR_NOERROR);
}

TEST(MidiStreamQueue, AZeroTempoIsIgnored) {
    NotingSink sink;
    MidiStreamQueue q(kUnitsPerSecond, sink);
    uint8_t data[24];
    PutEvent(data, 0, 0, uint32_t(kMidiEventTempo) << 24);
    PutEvent(data, 1, 96, kNoteOn);
    MidiHeader h{data, 24, 24, 0, nullptr};
    ASSERT_EQ(q.Open(NoCallback, nullptr), MMSYSERR_NOERROR);
    ASSERT_EQ(q.PrepareHeader(&h), MMSYSERR_NOERROR);
    ASSERT_EQ(q.Out(&h), MMSYSERR_NOERROR);
    ASSERT_EQ(q.Restart(), MMSYSERR_NOERROR);
    q.RunFor(400);
    EXPECT_EQ(q.Tempo(), kMidiDefaultTempo);
    EXPECT_EQ(sink.events.size(), 1u); // the note is still 100 units away
}

class FakeOpener : public MidiStreamOpener {
public:
    uint32_t OpenStream(void** handle, void*) override {
        ++opens;
        if (failOpen) return MMSYSERR_ERROR;
        *handle = &token;
        return MMSYSERR_NOERROR;
    }
    uint32_t CloseStream(void*) override {
        ++closes;
        return failClose ? MMSYSERR_ERROR : MMSYSERR_NOERROR;
    }
    void SilenceStream(void*) override { ++silences; }
    int token = 0, opens = 0, closes = 0, silences = 0;
    bool failOpen = false, failClose = false;
};

TEST(MidiStreamHandle, AFailedCloseForgetsTheStreamSoTheNextOpenWorks) {
    FakeOpener opener;
    {
        MidiStreamHandle handle(opener);
        ASSERT_EQ(handle.Open(nullptr), MMSYSERR_NOERROR);
        EXPECT_EQ(handle.Open(nullptr), MMSYSERR_ALLOCATED);
        opener.failClose = true;
        EXPECT_EQ(handle.Close(), MMSYSERR_ERROR);
        EXPECT_EQ(handle.Get(), nullptr);
        opener.failClose = false;
        EXPECT_EQ(handle.Open(nullptr), MMSYSERR_NOERROR);
        EXPECT_EQ(handle.Close(), MMSYSERR_NOERROR);
        EXPECT_EQ(handle.Close(), MMSYSERR_INVALHANDLE);
        opener.failOpen = true;
        EXPECT_EQ(handle.Open(nullptr), MMSYSERR_ERROR);
        EXPECT_EQ(handle.Get(), nullptr);
        opener.failOpen = false;
        ASSERT_EQ(handle.Open(nullptr), MMSYSERR_NOERROR);
    }
    EXPECT_EQ(opener.silences, 1); // the stream still held at the end was silenced and closed
    EXPECT_EQ(opener.closes, 3);
}

} // namespace
} // namespace vorna
