// A MIDI stream device in virtual time: it "plays" the 12-byte events by noting them and hands buffers back.
#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "backends/headless/headless_clock.h"
#include "platform/midi_stream.h"
#include "platform/midi_stream_queue.h"

namespace vorna {

class HeadlessMidiStreamDevice;

// The auto-reset event; a wait that times out lets the device's virtual time pass instead of real time.
class HeadlessSyncEvent : public SyncEvent {
public:
    explicit HeadlessSyncEvent(HeadlessMidiStreamDevice& device) : device_(device) {}
    void Set() override;
    bool Wait(uint32_t timeoutMs) override;

private:
    HeadlessMidiStreamDevice& device_;
    bool signalled_ = false; // under the device's stream lock
};

// Without a thread (the default) buffers come back only inside Advance, Stop and Wait, on the caller's
// thread. With StartThread every done-notification is delivered on the device's own thread, as a real
// driver does; a free-running device also lets its virtual time run by itself as fast as it can.
// Following a virtual clock, the stream plays on as the frames' time passes.
class HeadlessMidiStreamDevice : private MidiEventSink, public QueuedMidiStreamDevice, public VirtualTimeFollower {
public:
    HeadlessMidiStreamDevice() : QueuedMidiStreamDevice(kMicrosecondsPerSecond, *this) {}
    ~HeadlessMidiStreamDevice() override;

    uint32_t Open(MidiStreamCallback callback, void* context) override;
    uint32_t SetTimeDivision(uint32_t ticksPerQuarter) override;
    uint32_t PrepareHeader(MidiHeader* header) override;
    uint32_t Out(MidiHeader* header) override;
    uint32_t Restart() override;
    uint32_t Stop() override;
    uint32_t Reset() override;
    uint32_t Close() override;
    SyncEvent* CreateEvent() override;
    void DestroyEvent(SyncEvent* event) override;

    void StartThread(bool freeRunning) { stream_.StartNotifier(freeRunning); }
    void StopThread() { stream_.StopNotifier(); }
    // Lets ms of virtual time pass while the stream plays.
    void Advance(uint32_t ms) { stream_.RunFor(uint64_t(ms) * kMicrosecondsPerMillisecond); }
    void TimePassed(uint32_t ms) override { Advance(ms); }
    // Threaded: returns once no notification is pending or being delivered.
    void WaitIdle() { stream_.WaitIdle(); }

    struct PlayedEvent {
        uint64_t timeUs;
        uint32_t word; // the event word as queued (type in the top byte)
    };
    // Observations.
    uint64_t NowUs() { return stream_.Now(); }
    std::vector<PlayedEvent> Played();
    size_t playedLimit = 200000; // 0 notes nothing, so that playing never allocates
    bool IsOpen() { return stream_.IsOpen(); }
    bool IsPaused() { return stream_.IsPaused(); }
    uint32_t Tempo() { return stream_.Tempo(); }
    uint32_t TimeDivision() { return stream_.TimeDivision(); }
    // Buffers played to their end (each one a refill for a playing song), and handed back by stops.
    int BuffersPlayedOut() const { return stream_.playedOut.load(); }
    int BuffersHandedBackByStop() const { return stream_.handedBackByStop.load(); }
    // Counters, safe to read from any thread.
    std::atomic<int> outs{0}, returned{0}, stops{0}, resets{0}, opens{0}, closes{0}, restarts{0};
    std::atomic<int> eventsCreated{0}, eventsDestroyed{0}, timeouts{0};

    // Fault injection.
    std::atomic<bool> failOpen{false}, failTimeDivision{false}, failPrepare{false}, failRestart{false};
    std::atomic<bool> failStop{false}, failCreateEvent{false};
    std::atomic<int> failOutAfter{-1}; // >= 0: that many Out calls succeed, then they fail

private:
    friend class HeadlessSyncEvent;
    static constexpr uint32_t kMicrosecondsPerSecond = 1000000;
    static constexpr uint64_t kMicrosecondsPerMillisecond = 1000;
    void PlayEvent(uint64_t offset, uint64_t time, uint32_t word) override;
    void BufferReturned(bool playedOut) override;

    std::mutex playedLock_;
    std::vector<PlayedEvent> played_;
};

} // namespace vorna
