// The MIDI stream rules every device without winmm shares: header flags, the queue, stop and close, the
// stream's clock, and done-notifications handed back off the caller's thread.
#include "platform/midi_stream_queue.h"

namespace vorna {

namespace {

constexpr uint64_t kMicrosecondsPerSecond = 1000000;
// SMPTE divisions (top bit set) have no meaning for a stream of ticks per quarter note.
constexpr uint32_t kSmpteDivisionBit = 0x8000;
// Reserved room for the buffers a player keeps in flight, with plenty to spare.
constexpr size_t kQueueRoom = 16;
// A looping song whose events all lie at one tick comes round without time passing; after this many rounds
// the rest of the slice passes in silence, as a real driver would let it, instead of spinning for ever.
constexpr int kMaxRoundsWithoutTime = 1000;

uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

MidiStreamQueue::MidiStreamQueue(uint32_t unitsPerSecond, MidiEventSink& sink)
    : unitsPerSecond_(unitsPerSecond == 0                   ? 1
                      : unitsPerSecond > kMaxUnitsPerSecond ? kMaxUnitsPerSecond
                                                            : unitsPerSecond),
      sink_(sink) {
    queue_.reserve(kQueueRoom);
    pending_.reserve(kQueueRoom);
}

MidiStreamQueue::~MidiStreamQueue() {
    StopNotifier();
}

uint32_t MidiStreamQueue::Open(MidiStreamCallback callback, void* context) {
    std::lock_guard<std::mutex> d(delivery_);
    std::lock_guard<std::mutex> s(state_);
    if (open_) return MMSYSERR_ALLOCATED; // one stream at a time, like the MIDI mapper
    open_ = true;
    paused_ = true;
    callback_ = callback;
    context_ = context;
    queue_.clear();
    pending_.clear();
    tempo_ = kMidiDefaultTempo;
    division_ = kDefaultDivision;
    ResetTimingLocked();
    return MMSYSERR_NOERROR;
}

uint32_t MidiStreamQueue::SetTimeDivision(uint32_t ticksPerQuarter) {
    std::lock_guard<std::mutex> s(state_);
    if (!open_) return MMSYSERR_INVALHANDLE;
    // No tick of a zero division ever ends: refusing it keeps the song from playing rather than dividing by 0.
    if (ticksPerQuarter == 0 || ticksPerQuarter >= kSmpteDivisionBit) return MMSYSERR_INVALPARAM;
    division_ = ticksPerQuarter;
    carry_ = 0; // a fraction of the old division means nothing in the new one
    return MMSYSERR_NOERROR;
}

uint32_t MidiStreamQueue::PrepareHeader(MidiHeader* header) {
    std::lock_guard<std::mutex> s(state_);
    if (!open_) return MMSYSERR_INVALHANDLE;
    if (header == nullptr || header->data == nullptr) return MMSYSERR_INVALPARAM;
    header->flags |= kMidiHeaderPrepared;
    return MMSYSERR_NOERROR;
}

uint32_t MidiStreamQueue::UnprepareHeader(MidiHeader* header) {
    std::lock_guard<std::mutex> s(state_);
    if (header == nullptr) return MMSYSERR_INVALPARAM;
    if (header->flags & kMidiHeaderQueued) return MIDIERR_STILLPLAYING;
    header->flags &= ~kMidiHeaderPrepared;
    return MMSYSERR_NOERROR;
}

uint32_t MidiStreamQueue::Out(MidiHeader* header) {
    std::lock_guard<std::mutex> s(state_);
    if (!open_) return MMSYSERR_INVALHANDLE;
    if (header == nullptr || !(header->flags & kMidiHeaderPrepared)) return MIDIERR_UNPREPARED;
    // Queued twice, one header would be played and handed back twice, the second time while refilled.
    if (header->flags & kMidiHeaderQueued) return MIDIERR_STILLPLAYING;
    header->flags |= kMidiHeaderQueued;
    queue_.push_back(header);
    changed_.notify_all();
    return MMSYSERR_NOERROR;
}

uint32_t MidiStreamQueue::Restart() {
    std::lock_guard<std::mutex> s(state_);
    if (!open_) return MMSYSERR_INVALHANDLE;
    paused_ = false;
    changed_.notify_all();
    return MMSYSERR_NOERROR;
}

uint32_t MidiStreamQueue::Stop() {
    // Waits for a callback in progress: a refill it queues is handed back with the rest.
    std::lock_guard<std::mutex> d(delivery_);
    std::unique_lock<std::mutex> s(state_);
    if (!open_) return MMSYSERR_INVALHANDLE;
    paused_ = true;
    for (MidiHeader* h : queue_) HandBackLocked(h, false);
    queue_.clear();
    ResetTimingLocked();
    if (!threaded_) DeliverPendingLocked(s);
    return MMSYSERR_NOERROR;
}

uint32_t MidiStreamQueue::CheckOpen() {
    std::lock_guard<std::mutex> s(state_);
    return open_ ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
}

uint32_t MidiStreamQueue::Close() {
    std::lock_guard<std::mutex> d(delivery_);
    std::lock_guard<std::mutex> s(state_);
    if (!open_) return MMSYSERR_INVALHANDLE;
    // Buffers still queued or on their way back are dropped silently: their memory may go right after this.
    for (MidiHeader* h : queue_) h->flags &= ~kMidiHeaderQueued;
    queue_.clear();
    pending_.clear();
    open_ = false;
    paused_ = true;
    callback_ = nullptr;
    context_ = nullptr;
    ResetTimingLocked();
    changed_.notify_all();
    return MMSYSERR_NOERROR;
}

// Every way a stream starts again (open, stop, close) comes through here, so no part of an old song's
// position can delay the next song's first event.
void MidiStreamQueue::ResetTimingLocked() {
    eventIndex_ = 0;
    waiting_ = false;
    waitLeft_ = 0;
    carry_ = 0;
}

// ticks * tempo / division microseconds in clock units, exactly: the remainder is carried to the next event,
// so that rounding never drifts. Every product stays below 2^56.
uint64_t MidiStreamQueue::UnitsForTicks(uint32_t ticks) {
    const uint64_t denominator = uint64_t(division_) * kMicrosecondsPerSecond;
    const uint64_t tickMicros = uint64_t(ticks) * tempo_;
    const uint64_t whole = tickMicros / denominator;
    const uint64_t part = (tickMicros % denominator) * unitsPerSecond_ + carry_;
    carry_ = part % denominator;
    return whole * unitsPerSecond_ + part / denominator;
}

uint64_t MidiStreamQueue::Play(uint64_t units, bool stopAtReturn) {
    std::lock_guard<std::mutex> s(state_);
    return PlayLocked(units, stopAtReturn);
}

uint64_t MidiStreamQueue::PlayLocked(uint64_t units, bool stopAtReturn) {
    const uint64_t start = now_;
    uint64_t used = 0;
    for (;;) {
        if (!CanPlayLocked()) {
            // A paused or starved stream's clock stands; the time still passes.
            if (units != kAsFarAsItGoes) used = units;
            break;
        }
        MidiHeader* h = queue_.front();
        const uint32_t bytes = h->bytesRecorded < h->bufferLength ? h->bytesRecorded : h->bufferLength;
        if (eventIndex_ >= bytes / kMidiStreamEventBytes) {
            queue_.erase(queue_.begin());
            eventIndex_ = 0; // the next buffer goes on from here, fraction carried
            waiting_ = false;
            HandBackLocked(h, true);
            if (stopAtReturn) break;
            continue;
        }
        const uint8_t* event = h->data + size_t(eventIndex_) * kMidiStreamEventBytes;
        if (!waiting_) {
            waitLeft_ = UnitsForTicks(Le32(event));
            waiting_ = true;
        }
        const uint64_t left = units - used;
        if (waitLeft_ > left) {
            waitLeft_ -= left;
            used = units;
            break;
        }
        used += waitLeft_;
        waitLeft_ = 0;
        waiting_ = false;
        eventIndex_ += 1;
        const uint32_t word = Le32(event + 8);
        // A tempo of 0 would make every later event due at once, for ever: it is ignored.
        if ((word >> kMidiEventTypeShift) == kMidiEventTempo && (word & kMidiEventValueMask) != 0)
            tempo_ = word & kMidiEventValueMask;
        sink_.PlayEvent(used, start + used, word);
    }
    now_ = start + used;
    return used;
}

void MidiStreamQueue::HandBackLocked(MidiHeader* header, bool playedOutToEnd) {
    header->flags &= ~kMidiHeaderQueued;
    (playedOutToEnd ? playedOut : handedBackByStop) += 1;
    sink_.BufferReturned(playedOutToEnd);
    pending_.push_back(header);
    changed_.notify_all();
}

void MidiStreamQueue::DeliverOneLocked(std::unique_lock<std::mutex>& lock) {
    MidiHeader* h = pending_.front();
    pending_.erase(pending_.begin());
    MidiStreamCallback callback = callback_;
    void* context = context_;
    inCallback_ = true;
    lock.unlock();
    if (callback != nullptr) callback(context, MOM_DONE, h);
    lock.lock();
    inCallback_ = false;
    changed_.notify_all();
}

void MidiStreamQueue::DeliverPendingLocked(std::unique_lock<std::mutex>& lock) {
    while (!pending_.empty()) DeliverOneLocked(lock);
}

void MidiStreamQueue::RunFor(uint64_t units) {
    std::unique_lock<std::mutex> s(state_);
    uint64_t left = units;
    int roundsWithoutTime = 0;
    for (;;) {
        const uint64_t used = PlayLocked(left, !threaded_);
        left -= used;
        if (threaded_ || pending_.empty()) break;
        DeliverPendingLocked(s);
        roundsWithoutTime = used == 0 ? roundsWithoutTime + 1 : 0;
        if (roundsWithoutTime > kMaxRoundsWithoutTime) {
            now_ += left;
            break;
        }
    }
}

void MidiStreamQueue::StartNotifier(bool freeRunning) {
    StopNotifier();
    {
        std::lock_guard<std::mutex> s(state_);
        threaded_ = true;
        freeRunning_ = freeRunning;
        quit_ = false;
    }
    notifier_ = std::thread([this] { NotifierMain(); });
}

void MidiStreamQueue::StopNotifier() {
    if (!notifier_.joinable()) return;
    {
        std::lock_guard<std::mutex> s(state_);
        quit_ = true;
        changed_.notify_all();
    }
    notifier_.join();
    std::lock_guard<std::mutex> s(state_);
    threaded_ = false;
    freeRunning_ = false;
}

void MidiStreamQueue::WaitIdle() {
    std::unique_lock<std::mutex> s(state_);
    changed_.wait(s, [&] { return !threaded_ || IdleLocked(); });
}

void MidiStreamQueue::NotifierMain() {
    std::unique_lock<std::mutex> s(state_);
    for (;;) {
        changed_.wait(s, [&] { return quit_ || !pending_.empty() || (freeRunning_ && CanPlayLocked()); });
        if (quit_) return;
        // Lock order: delivery before state, as in Stop and Close.
        s.unlock();
        std::lock_guard<std::mutex> d(delivery_);
        s.lock();
        if (!pending_.empty()) {
            DeliverOneLocked(s);
        } else if (freeRunning_ && CanPlayLocked()) {
            PlayLocked(kAsFarAsItGoes, true);
        }
    }
}

bool MidiStreamQueue::WaitVirtual(bool& signalled, uint64_t timeoutUnits) {
    std::unique_lock<std::mutex> s(state_);
    if (!threaded_) {
        if (!signalled) {
            s.unlock();
            RunFor(timeoutUnits);
            s.lock();
        }
    } else {
        // Real time stands still while notifications are on their way; once the stream has nothing more
        // to say, the rest of the wait passes in virtual time.
        changed_.wait(s, [&] { return signalled || IdleLocked(); });
        if (!signalled) now_ += timeoutUnits;
    }
    const bool came = signalled;
    signalled = false;
    return came;
}

void MidiStreamQueue::Signal(bool& signalled) {
    std::lock_guard<std::mutex> s(state_);
    signalled = true;
    changed_.notify_all();
}

bool MidiStreamQueue::IsOpen() {
    std::lock_guard<std::mutex> s(state_);
    return open_;
}

bool MidiStreamQueue::IsPaused() {
    std::lock_guard<std::mutex> s(state_);
    return paused_;
}

uint32_t MidiStreamQueue::Tempo() {
    std::lock_guard<std::mutex> s(state_);
    return tempo_;
}

uint32_t MidiStreamQueue::TimeDivision() {
    std::lock_guard<std::mutex> s(state_);
    return division_;
}

uint64_t MidiStreamQueue::Now() {
    std::lock_guard<std::mutex> s(state_);
    return now_;
}

} // namespace vorna
