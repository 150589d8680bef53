// A fake MIDI stream device in virtual time: it "plays" the 12-byte events and hands buffers back.
#include "backends/headless/headless_midi.h"

#include <limits>

namespace vorna {

namespace {
constexpr uint64_t kForever = std::numeric_limits<uint64_t>::max();

uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
} // namespace

void HeadlessSyncEvent::Set() {
    std::lock_guard<std::mutex> s(device_.state_);
    signalled_ = true;
    device_.changed_.notify_all();
}

bool HeadlessSyncEvent::Wait(uint32_t timeoutMs) {
    std::unique_lock<std::mutex> s(device_.state_);
    if (!device_.threaded_) {
        if (signalled_) {
            signalled_ = false;
            return true;
        }
        s.unlock();
        device_.Advance(timeoutMs);
        s.lock();
    } else {
        // Real time stands still while notifications are on their way; once the device has nothing more
        // to say, the rest of the wait passes in virtual time.
        device_.changed_.wait(s, [&] { return signalled_ || device_.IdleLocked(); });
        if (!signalled_) device_.nowUs_ += uint64_t(timeoutMs) * 1000;
    }
    if (signalled_) {
        signalled_ = false;
        return true;
    }
    device_.timeouts += 1;
    return false;
}

HeadlessMidiStreamDevice::~HeadlessMidiStreamDevice() {
    StopThread();
}

uint32_t HeadlessMidiStreamDevice::Open(MidiStreamCallback callback, void* context) {
    std::lock_guard<std::mutex> d(delivery_);
    std::lock_guard<std::mutex> s(state_);
    if (failOpen) return MMSYSERR_ERROR;
    if (open) return MMSYSERR_ERROR; // one stream at a time, like the MIDI mapper
    callback_ = callback;
    context_ = context;
    open = true;
    paused = true;
    opens += 1;
    eventIndex_ = 0;
    tempo = 500000;
    return MMSYSERR_NOERROR;
}

uint32_t HeadlessMidiStreamDevice::SetTimeDivision(uint32_t ticksPerQuarter) {
    std::lock_guard<std::mutex> s(state_);
    if (!open) return MMSYSERR_INVALHANDLE;
    if (failTimeDivision) return MMSYSERR_ERROR;
    timeDivision = ticksPerQuarter;
    return MMSYSERR_NOERROR;
}

uint32_t HeadlessMidiStreamDevice::PrepareHeader(MidiHeader* header) {
    std::lock_guard<std::mutex> s(state_);
    if (!open) return MMSYSERR_INVALHANDLE;
    if (failPrepare || !header || !header->data) return MMSYSERR_ERROR;
    header->flags |= kMidiHeaderPrepared;
    return MMSYSERR_NOERROR;
}

uint32_t HeadlessMidiStreamDevice::UnprepareHeader(MidiHeader* header) {
    std::lock_guard<std::mutex> s(state_);
    if (!header) return MMSYSERR_ERROR;
    if (header->flags & kMidiHeaderQueued) return MIDIERR_STILLPLAYING;
    header->flags &= ~kMidiHeaderPrepared;
    return MMSYSERR_NOERROR;
}

uint32_t HeadlessMidiStreamDevice::Out(MidiHeader* header) {
    std::lock_guard<std::mutex> s(state_);
    if (!open) return MMSYSERR_INVALHANDLE;
    if (!header || !(header->flags & kMidiHeaderPrepared)) return MIDIERR_UNPREPARED;
    if (failOutAfter == 0) return MMSYSERR_ERROR;
    if (failOutAfter > 0) --failOutAfter;
    header->flags |= kMidiHeaderQueued;
    queue_.push_back(header);
    outs += 1;
    changed_.notify_all();
    return MMSYSERR_NOERROR;
}

uint32_t HeadlessMidiStreamDevice::Restart() {
    std::lock_guard<std::mutex> s(state_);
    if (!open) return MMSYSERR_INVALHANDLE;
    if (failRestart) return MMSYSERR_ERROR;
    paused = false;
    restarts += 1;
    changed_.notify_all();
    return MMSYSERR_NOERROR;
}

uint32_t HeadlessMidiStreamDevice::Stop() {
    // Waits for a callback in progress: a refill it queues is handed back with the rest.
    std::lock_guard<std::mutex> d(delivery_);
    std::unique_lock<std::mutex> s(state_);
    if (!open) return MMSYSERR_INVALHANDLE;
    if (failStop) return MMSYSERR_ERROR;
    stops += 1;
    paused = true;
    eventIndex_ = 0;
    while (!queue_.empty()) {
        MidiHeader* h = queue_.front();
        queue_.erase(queue_.begin());
        NotifyLocked(h, s);
    }
    if (!threaded_) DeliverPendingInline(s);
    return MMSYSERR_NOERROR;
}

uint32_t HeadlessMidiStreamDevice::Reset() {
    std::lock_guard<std::mutex> s(state_);
    if (!open) return MMSYSERR_INVALHANDLE;
    resets += 1;
    return MMSYSERR_NOERROR;
}

uint32_t HeadlessMidiStreamDevice::Close() {
    std::lock_guard<std::mutex> d(delivery_);
    std::lock_guard<std::mutex> s(state_);
    if (!open) return MMSYSERR_INVALHANDLE;
    // Buffers still queued are dropped without a notification: their memory may go right after this.
    for (MidiHeader* h : queue_) h->flags &= ~kMidiHeaderQueued;
    queue_.clear();
    pending_.clear();
    open = false;
    paused = true;
    closes += 1;
    callback_ = nullptr;
    context_ = nullptr;
    changed_.notify_all();
    return MMSYSERR_NOERROR;
}

SyncEvent* HeadlessMidiStreamDevice::CreateEvent() {
    if (failCreateEvent) return nullptr;
    eventsCreated += 1;
    return new HeadlessSyncEvent(*this);
}

void HeadlessMidiStreamDevice::DestroyEvent(SyncEvent* event) {
    if (!event) return;
    eventsDestroyed += 1;
    delete event;
}

void HeadlessMidiStreamDevice::StartThread(bool freeRunning) {
    StopThread();
    {
        std::lock_guard<std::mutex> s(state_);
        threaded_ = true;
        freeRunning_ = freeRunning;
        quit_ = false;
    }
    thread_ = std::thread([this] { ThreadMain(); });
}

void HeadlessMidiStreamDevice::StopThread() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard<std::mutex> s(state_);
        quit_ = true;
        changed_.notify_all();
    }
    thread_.join();
    std::lock_guard<std::mutex> s(state_);
    threaded_ = false;
    freeRunning_ = false;
}

void HeadlessMidiStreamDevice::Advance(uint32_t ms) {
    std::unique_lock<std::mutex> s(state_);
    uint64_t until = nowUs_ + uint64_t(ms) * 1000;
    // A looping song whose every event lies at one tick comes round without time passing; like a real
    // driver, give it the rest of the slice instead of spinning for ever.
    uint64_t lastNow = nowUs_;
    int roundsWithoutTime = 0;
    for (;;) {
        PlayLocked(until, s);
        if (threaded_ || pending_.empty()) break;
        DeliverPendingInline(s);
        roundsWithoutTime = nowUs_ == lastNow ? roundsWithoutTime + 1 : 0;
        lastNow = nowUs_;
        if (roundsWithoutTime > 1000) {
            nowUs_ = until;
            break;
        }
    }
}

void HeadlessMidiStreamDevice::WaitIdle() {
    std::unique_lock<std::mutex> s(state_);
    changed_.wait(s, [&] { return !threaded_ || IdleLocked(); });
}

uint64_t HeadlessMidiStreamDevice::NowUs() {
    std::lock_guard<std::mutex> s(state_);
    return nowUs_;
}

std::vector<HeadlessMidiStreamDevice::PlayedEvent> HeadlessMidiStreamDevice::Played() {
    std::lock_guard<std::mutex> s(state_);
    return played_;
}

// Plays events up to untilUs; returns early when a buffer has been handed back, so that a refill made
// in its callback is scheduled from the moment the buffer ran out.
void HeadlessMidiStreamDevice::PlayLocked(uint64_t untilUs, std::unique_lock<std::mutex>& lock) {
    for (;;) {
        if (!CanPlayLocked()) {
            if (untilUs != kForever && nowUs_ < untilUs) nowUs_ = untilUs;
            return;
        }
        MidiHeader* h = queue_.front();
        uint32_t count = h->bytesRecorded / 12;
        if (count > h->bufferLength / 12) count = h->bufferLength / 12;
        if (eventIndex_ >= count) {
            queue_.erase(queue_.begin());
            eventIndex_ = 0;
            NotifyLocked(h, lock);
            return;
        }
        const uint8_t* p = h->data + eventIndex_ * 12;
        uint32_t delta = Le32(p);
        uint32_t word = Le32(p + 8);
        uint32_t division = timeDivision ? timeDivision : 96;
        uint64_t due = lastEventUs_ + uint64_t(delta) * tempo / division;
        if (due < nowUs_) due = nowUs_;
        if (due > untilUs) {
            nowUs_ = untilUs;
            return;
        }
        nowUs_ = due;
        lastEventUs_ = due;
        if ((word >> 24) == 1) tempo = word & 0xFFFFFF;
        if (played_.size() < playedLimit) played_.push_back({due, word});
        eventIndex_ += 1;
    }
}

void HeadlessMidiStreamDevice::NotifyLocked(MidiHeader* header, std::unique_lock<std::mutex>&) {
    header->flags &= ~kMidiHeaderQueued;
    returned += 1;
    pending_.push_back(header);
    changed_.notify_all();
}

void HeadlessMidiStreamDevice::DeliverPendingInline(std::unique_lock<std::mutex>& lock) {
    while (!pending_.empty()) {
        MidiHeader* h = pending_.front();
        pending_.erase(pending_.begin());
        MidiStreamCallback cb = callback_;
        void* ctx = context_;
        inCallback_ = true;
        lock.unlock();
        if (cb) cb(ctx, MOM_DONE, h);
        lock.lock();
        inCallback_ = false;
    }
    changed_.notify_all();
}

void HeadlessMidiStreamDevice::ThreadMain() {
    std::unique_lock<std::mutex> s(state_);
    for (;;) {
        changed_.wait(s, [&] { return quit_ || !pending_.empty() || (freeRunning_ && CanPlayLocked()); });
        if (quit_) return;
        s.unlock();
        std::unique_lock<std::mutex> d(delivery_);
        s.lock();
        if (!pending_.empty()) {
            MidiHeader* h = pending_.front();
            pending_.erase(pending_.begin());
            MidiStreamCallback cb = callback_;
            void* ctx = context_;
            inCallback_ = true;
            s.unlock();
            if (cb) cb(ctx, MOM_DONE, h);
            s.lock();
            inCallback_ = false;
            changed_.notify_all();
        } else if (freeRunning_ && CanPlayLocked()) {
            PlayLocked(kForever, s);
        }
    }
}

} // namespace vorna
