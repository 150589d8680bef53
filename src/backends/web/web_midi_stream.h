// The page's MIDI stream device: the 12-byte stream events fall due in the page's sample time and are
// handed, with their offsets into each audio block, to the synthesizer the page runs.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/midi_message.h"
#include "platform/midi_stream.h"
#include "platform/midi_stream_queue.h"

namespace vorna {

// The page has one thread: the audio block is pulled while the game's loop waits, so buffers come back
// (and are refilled) inside TakeBlock, and a stop hands them back inside Stop.
class WebMidiStream : private MidiEventSink, public QueuedMidiStreamDevice {
public:
    // A block's events: the sample offset into the block and the channel message (status in the low byte).
    struct DueEvent {
        uint32_t offset;
        uint32_t message;
    };
    // More events than this in one block are dropped rather than let the list grow during play.
    static constexpr size_t kMaxEventsPerBlock = 4096;
    // Messages that come between blocks (stops, resets) are kept only up to this many, so that a page
    // whose audio has not started yet never fills the room the first block's song needs.
    static constexpr size_t kMaxOverdueEvents = 256;

    explicit WebMidiStream(uint32_t sampleRate);

    uint32_t Open(MidiStreamCallback callback, void* context) override;
    uint32_t Stop() override;
    uint32_t Reset() override;
    uint32_t Close() override;
    SyncEvent* CreateEvent() override;
    void DestroyEvent(SyncEvent* event) override;

    // Lets a block of frames pass and returns the channel messages due in it, in order. Messages that came
    // between blocks (a stop's notes-off) come first, at offset 0. Valid until the next call.
    const std::vector<DueEvent>& TakeBlock(uint32_t frames);
    uint64_t NowFrames() { return stream_.Now(); }

private:
    void PlayEvent(uint64_t offset, uint64_t time, uint32_t word) override;
    void Add(uint32_t offset, uint32_t message);
    void AddToEveryChannel(uint32_t controller);

    std::vector<DueEvent> pending_; // gathered since the last block
    std::vector<DueEvent> block_;   // the last block's, handed to the page
    // Events the stream plays during TakeBlock carry their offset; any other time they are overdue.
    bool inBlock_ = false;
    uint64_t blockStart_ = 0;
    const uint32_t sampleRate_;
};

} // namespace vorna
