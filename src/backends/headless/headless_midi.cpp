// A MIDI stream device in virtual time: it "plays" the 12-byte events by noting them and hands buffers back.
#include "backends/headless/headless_midi.h"

namespace vorna {

void HeadlessSyncEvent::Set() {
    device_.stream_.Signal(signalled_);
}

bool HeadlessSyncEvent::Wait(uint32_t timeoutMs) {
    if (device_.stream_.WaitVirtual(signalled_,
                                    uint64_t(timeoutMs) * HeadlessMidiStreamDevice::kMicrosecondsPerMillisecond))
        return true;
    device_.timeouts += 1;
    return false;
}

HeadlessMidiStreamDevice::~HeadlessMidiStreamDevice() {
    stream_.StopNotifier();
}

uint32_t HeadlessMidiStreamDevice::Open(MidiStreamCallback callback, void* context) {
    if (failOpen) return MMSYSERR_ERROR;
    const uint32_t r = stream_.Open(callback, context);
    if (r == MMSYSERR_NOERROR) opens += 1;
    return r;
}

uint32_t HeadlessMidiStreamDevice::SetTimeDivision(uint32_t ticksPerQuarter) {
    if (failTimeDivision && stream_.IsOpen()) return MMSYSERR_ERROR;
    return stream_.SetTimeDivision(ticksPerQuarter);
}

uint32_t HeadlessMidiStreamDevice::PrepareHeader(MidiHeader* header) {
    if (failPrepare && stream_.IsOpen()) return MMSYSERR_ERROR;
    return stream_.PrepareHeader(header);
}

uint32_t HeadlessMidiStreamDevice::Out(MidiHeader* header) {
    if (failOutAfter == 0 && stream_.IsOpen()) return MMSYSERR_ERROR;
    const uint32_t r = stream_.Out(header);
    if (r != MMSYSERR_NOERROR) return r;
    int left = failOutAfter.load();
    while (left > 0 && !failOutAfter.compare_exchange_weak(left, left - 1)) {
    }
    outs += 1;
    return r;
}

uint32_t HeadlessMidiStreamDevice::Restart() {
    if (failRestart && stream_.IsOpen()) return MMSYSERR_ERROR;
    const uint32_t r = stream_.Restart();
    if (r == MMSYSERR_NOERROR) restarts += 1;
    return r;
}

uint32_t HeadlessMidiStreamDevice::Stop() {
    if (failStop && stream_.IsOpen()) return MMSYSERR_ERROR;
    const uint32_t r = stream_.Stop();
    if (r == MMSYSERR_NOERROR) stops += 1;
    return r;
}

uint32_t HeadlessMidiStreamDevice::Reset() {
    const uint32_t r = stream_.CheckOpen();
    if (r == MMSYSERR_NOERROR) resets += 1;
    return r;
}

uint32_t HeadlessMidiStreamDevice::Close() {
    const uint32_t r = stream_.Close();
    if (r == MMSYSERR_NOERROR) closes += 1;
    return r;
}

SyncEvent* HeadlessMidiStreamDevice::CreateEvent() {
    if (failCreateEvent) return nullptr;
    eventsCreated += 1;
    return new HeadlessSyncEvent(*this);
}

void HeadlessMidiStreamDevice::DestroyEvent(SyncEvent* event) {
    if (event == nullptr) return;
    eventsDestroyed += 1;
    delete event;
}

std::vector<HeadlessMidiStreamDevice::PlayedEvent> HeadlessMidiStreamDevice::Played() {
    std::lock_guard<std::mutex> lock(playedLock_);
    return played_;
}

void HeadlessMidiStreamDevice::PlayEvent(uint64_t, uint64_t time, uint32_t word) {
    std::lock_guard<std::mutex> lock(playedLock_);
    if (played_.size() < playedLimit) played_.push_back({time, word});
}

void HeadlessMidiStreamDevice::BufferReturned(bool) {
    returned += 1;
}

} // namespace vorna
