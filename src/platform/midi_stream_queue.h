// The MIDI stream rules every device without winmm shares: header flags, the queue, stop and close, the
// stream's clock, and done-notifications handed back off the caller's thread.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/midi_stream.h"

namespace vorna {

// What a device does with the events as they fall due; called with the queue's lock held, so it must not
// call back into the queue.
class MidiEventSink {
public:
    virtual ~MidiEventSink() = default;
    // offset: clock units into the slice being played; time: units since the queue was made. Tempo events
    // come here too, after the queue took them.
    virtual void PlayEvent(uint64_t offset, uint64_t time, uint32_t word) = 0;
    // A buffer goes back to its owner: played to its end, or handed back by a stop.
    virtual void BufferReturned(bool playedOut) { (void)playedOut; }
};

// One stream with winmm's semantics. The device decides what a clock unit is (a sample, a microsecond) and
// when time passes (Play); the queue decides everything else.
class MidiStreamQueue {
public:
    // Units beyond this would overflow the exact tick arithmetic.
    static constexpr uint32_t kMaxUnitsPerSecond = 1000000;
    // Play's "as far as the stream goes": the clock does not jump when the stream stands.
    static constexpr uint64_t kAsFarAsItGoes = std::numeric_limits<uint64_t>::max();

    MidiStreamQueue(uint32_t unitsPerSecond, MidiEventSink& sink);
    MidiStreamQueue(const MidiStreamQueue&) = delete;
    MidiStreamQueue& operator=(const MidiStreamQueue&) = delete;
    ~MidiStreamQueue();

    // MidiStreamDevice's calls, with its results.
    uint32_t Open(MidiStreamCallback callback, void* context);
    uint32_t SetTimeDivision(uint32_t ticksPerQuarter);
    uint32_t PrepareHeader(MidiHeader* header);
    uint32_t UnprepareHeader(MidiHeader* header);
    uint32_t Out(MidiHeader* header);
    uint32_t Restart();
    uint32_t Stop();
    uint32_t CheckOpen();
    uint32_t Close();

    // Lets units of stream time pass, playing what falls due. With stopAtReturn it ends at the first buffer
    // played out, so that the refill its callback queues is timed from that moment. Returns the units used.
    uint64_t Play(uint64_t units, bool stopAtReturn);
    // Virtual time: lets units pass, handing buffers back on the caller's thread as they run out (unless a
    // notifier delivers them) and playing their refills in the same slice.
    void RunFor(uint64_t units);

    // Done-notifications on the queue's own thread from now on; freeRunning also lets the stream's clock
    // run by itself as fast as it can. Without a notifier they come inside Stop and RunFor.
    void StartNotifier(bool freeRunning);
    void StopNotifier();
    // With a notifier: returns once no notification is pending or being delivered.
    void WaitIdle();

    // A wait on an event set by a done-callback: true when signalled. In virtual time a wait that times
    // out lets the stream's time pass instead of real time.
    bool WaitVirtual(bool& signalled, uint64_t timeoutUnits);
    void Signal(bool& signalled);

    // Observations.
    bool IsOpen();
    bool IsPaused();
    uint32_t Tempo();
    uint32_t TimeDivision();
    uint64_t Now(); // units since the queue was made
    std::atomic<int> playedOut{0}, handedBackByStop{0};

private:
    bool CanPlayLocked() const { return open_ && !paused_ && !queue_.empty(); }
    bool IdleLocked() const { return pending_.empty() && !inCallback_ && !(freeRunning_ && CanPlayLocked()); }
    void ResetTimingLocked();
    uint64_t UnitsForTicks(uint32_t ticks);
    uint64_t PlayLocked(uint64_t units, bool stopAtReturn);
    void HandBackLocked(MidiHeader* header, bool playedOut);
    void DeliverOneLocked(std::unique_lock<std::mutex>& lock);
    void DeliverPendingLocked(std::unique_lock<std::mutex>& lock);
    void NotifierMain();

    const uint64_t unitsPerSecond_;
    MidiEventSink& sink_;
    std::mutex delivery_; // held while a done-callback runs; Open, Stop and Close wait for it
    std::mutex state_;
    std::condition_variable changed_;

    MidiStreamCallback callback_ = nullptr;
    void* context_ = nullptr;
    bool open_ = false, paused_ = true;
    // Room reserved up front: queuing and handing back must not allocate during play.
    std::vector<MidiHeader*> queue_;
    std::vector<MidiHeader*> pending_;
    static constexpr uint32_t kDefaultDivision = 96; // ticks per quarter until the stream is told
    uint32_t tempo_ = kMidiDefaultTempo, division_ = kDefaultDivision;
    // The stream's position, all reset together: the next event, the units left before it falls due, and
    // the fraction of a unit carried from the events before (in units of 1 / (division * 1e6)).
    uint32_t eventIndex_ = 0;
    bool waiting_ = false;
    uint64_t waitLeft_ = 0;
    uint64_t carry_ = 0;
    uint64_t now_ = 0;

    bool threaded_ = false, freeRunning_ = false, quit_ = false, inCallback_ = false;
    std::thread notifier_;
};

// A MIDI stream device whose stream rules are all the queue's: a backend only says what playing an event
// means (the sink, which it constructs first) and what its synthesizer needs on open, stop, reset and close.
class QueuedMidiStreamDevice : public MidiStreamDevice {
public:
    uint32_t SetTimeDivision(uint32_t ticksPerQuarter) override { return stream_.SetTimeDivision(ticksPerQuarter); }
    uint32_t PrepareHeader(MidiHeader* header) override { return stream_.PrepareHeader(header); }
    uint32_t UnprepareHeader(MidiHeader* header) override { return stream_.UnprepareHeader(header); }
    uint32_t Out(MidiHeader* header) override { return stream_.Out(header); }
    uint32_t Restart() override { return stream_.Restart(); }

protected:
    QueuedMidiStreamDevice(uint32_t unitsPerSecond, MidiEventSink& sink) : stream_(unitsPerSecond, sink) {}

    MidiStreamQueue stream_;
};

} // namespace vorna
