// A fake MIDI stream device in virtual time: it "plays" the 12-byte events and hands buffers back.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/midi_stream.h"

namespace vorna {

constexpr uint32_t MIDIERR_UNPREPARED = 64;
constexpr uint32_t MIDIERR_STILLPLAYING = 65;
constexpr uint32_t MMSYSERR_INVALHANDLE = 5;
constexpr uint32_t kMidiHeaderPrepared = 2; // MHDR_PREPARED
constexpr uint32_t kMidiHeaderQueued = 4;   // MHDR_INQUEUE

class HeadlessMidiStreamDevice;

// The auto-reset event; a wait that times out lets the device's virtual time pass instead of real time.
class HeadlessSyncEvent : public SyncEvent {
public:
    explicit HeadlessSyncEvent(HeadlessMidiStreamDevice& device) : device_(device) {}
    void Set() override;
    bool Wait(uint32_t timeoutMs) override;

private:
    friend class HeadlessMidiStreamDevice;
    HeadlessMidiStreamDevice& device_;
    bool signalled_ = false;
};

// Without a thread (the default) buffers come back only inside Advance, Stop and Wait, on the caller's
// thread. With StartThread every done-notification is delivered on the device's own thread, as a real
// driver does; a free-running device also lets its virtual time run by itself as fast as it can.
class HeadlessMidiStreamDevice : public MidiStreamDevice {
public:
    HeadlessMidiStreamDevice() {
        queue_.reserve(16);
        pending_.reserve(16);
    }
    HeadlessMidiStreamDevice(const HeadlessMidiStreamDevice&) = delete;
    HeadlessMidiStreamDevice& operator=(const HeadlessMidiStreamDevice&) = delete;
    ~HeadlessMidiStreamDevice() override;

    uint32_t Open(MidiStreamCallback callback, void* context) override;
    uint32_t SetTimeDivision(uint32_t ticksPerQuarter) override;
    uint32_t PrepareHeader(MidiHeader* header) override;
    uint32_t UnprepareHeader(MidiHeader* header) override;
    uint32_t Out(MidiHeader* header) override;
    uint32_t Restart() override;
    uint32_t Stop() override;
    uint32_t Reset() override;
    uint32_t Close() override;
    SyncEvent* CreateEvent() override;
    void DestroyEvent(SyncEvent* event) override;

    void StartThread(bool freeRunning);
    void StopThread();
    // Lets ms of virtual time pass while the stream plays.
    void Advance(uint32_t ms);
    // Threaded: returns once no notification is pending or being delivered.
    void WaitIdle();

    struct PlayedEvent {
        uint64_t timeUs;
        uint32_t word; // the event word as queued (type in the top byte)
    };
    // Observations; read them when the device is idle.
    uint64_t NowUs();
    std::vector<PlayedEvent> Played();
    size_t playedLimit = 200000;
    uint32_t tempo = 500000; // microseconds per quarter note, the stream's default
    uint32_t timeDivision = 0;
    // Counters, safe to read from any thread.
    std::atomic<int> outs{0}, returned{0}, stops{0}, resets{0}, opens{0}, closes{0}, restarts{0};
    std::atomic<int> eventsCreated{0}, eventsDestroyed{0}, timeouts{0};
    bool open = false;
    bool paused = true;

    // Fault injection.
    bool failOpen = false, failTimeDivision = false, failPrepare = false, failRestart = false;
    bool failStop = false, failCreateEvent = false;
    int failOutAfter = -1; // >= 0: that many Out calls succeed, then they fail

private:
    friend class HeadlessSyncEvent;
    void PlayLocked(uint64_t untilUs, std::unique_lock<std::mutex>& lock);
    void NotifyLocked(MidiHeader* header, std::unique_lock<std::mutex>& lock);
    void DeliverPendingInline(std::unique_lock<std::mutex>& lock);
    bool CanPlayLocked() const { return open && !paused && !queue_.empty(); }
    bool IdleLocked() const { return pending_.empty() && !inCallback_ && !(freeRunning_ && CanPlayLocked()); }
    void ThreadMain();

    std::mutex delivery_; // held while a callback runs; Stop and Close wait for it
    std::mutex state_;
    std::condition_variable changed_;
    MidiStreamCallback callback_ = nullptr;
    void* context_ = nullptr;
    // Vectors with room reserved up front: queuing and handing back must not allocate in a game frame.
    std::vector<MidiHeader*> queue_;
    std::vector<MidiHeader*> pending_;
    std::vector<PlayedEvent> played_;
    uint32_t eventIndex_ = 0; // next event of the buffer at the head of the queue
    uint64_t nowUs_ = 0;
    uint64_t lastEventUs_ = 0; // when the previous event played
    bool threaded_ = false, freeRunning_ = false, quit_ = false, inCallback_ = false;
    std::thread thread_;
};

} // namespace vorna
