// The page's MIDI stream device: the 12-byte stream events fall due in the page's sample time and are
// handed, with their offsets into each audio block, to the synthesizer the page runs.
#include "backends/web/web_midi_stream.h"

namespace vorna {

// The auto-reset event. With one thread a wait cannot be woken from elsewhere: one that finds no signal
// lets the stream's time pass instead, which hands back what the wait is for.
class WebSyncEvent : public SyncEvent {
public:
    WebSyncEvent(MidiStreamQueue& stream, uint32_t framesPerSecond) : stream_(stream), rate_(framesPerSecond) {}
    void Set() override { stream_.Signal(signalled_); }
    bool Wait(uint32_t timeoutMs) override {
        return stream_.WaitVirtual(signalled_, uint64_t(timeoutMs) * rate_ / kMillisecondsPerSecond);
    }

private:
    static constexpr uint64_t kMillisecondsPerSecond = 1000;
    MidiStreamQueue& stream_;
    const uint64_t rate_;
    bool signalled_ = false;
};

// The queue takes a rate of 0 as 1 by itself; the events' waits convert time with the same rate.
WebMidiStream::WebMidiStream(uint32_t sampleRate)
    : QueuedMidiStreamDevice(sampleRate, *this), sampleRate_(sampleRate > 0 ? sampleRate : 1) {
    pending_.reserve(kMaxEventsPerBlock);
    block_.reserve(kMaxEventsPerBlock);
}

uint32_t WebMidiStream::Open(MidiStreamCallback callback, void* context) {
    const uint32_t r = stream_.Open(callback, context);
    // A new song starts from the synthesizer's defaults, as the desktop's does.
    if (r == MMSYSERR_NOERROR) AddToEveryChannel(kMidiResetAllControllers);
    return r;
}

uint32_t WebMidiStream::Stop() {
    const uint32_t r = stream_.Stop();
    if (r == MMSYSERR_NOERROR) AddToEveryChannel(kMidiAllNotesOff);
    return r;
}

uint32_t WebMidiStream::Reset() {
    const uint32_t r = stream_.CheckOpen();
    if (r == MMSYSERR_NOERROR) AddToEveryChannel(kMidiAllSoundOff);
    return r;
}

uint32_t WebMidiStream::Close() {
    const uint32_t r = stream_.Close();
    if (r == MMSYSERR_NOERROR) AddToEveryChannel(kMidiAllSoundOff);
    return r;
}

SyncEvent* WebMidiStream::CreateEvent() {
    return new WebSyncEvent(stream_, sampleRate_);
}

void WebMidiStream::DestroyEvent(SyncEvent* event) {
    delete event;
}

const std::vector<WebMidiStream::DueEvent>& WebMidiStream::TakeBlock(uint32_t frames) {
    blockStart_ = stream_.Now();
    inBlock_ = true;
    stream_.RunFor(frames);
    inBlock_ = false;
    block_.swap(pending_);
    pending_.clear();
    return block_;
}

void WebMidiStream::PlayEvent(uint64_t, uint64_t time, uint32_t word) {
    if ((word >> kMidiEventTypeShift) != kMidiEventShort) return;
    // RunFor plays in slices (one per buffer returned), so the offset is taken from the stream's clock.
    Add(inBlock_ ? uint32_t(time - blockStart_) : 0, word & kMidiEventValueMask);
}

void WebMidiStream::Add(uint32_t offset, uint32_t message) {
    if (pending_.size() < (inBlock_ ? kMaxEventsPerBlock : kMaxOverdueEvents)) pending_.push_back({offset, message});
}

void WebMidiStream::AddToEveryChannel(uint32_t controller) {
    for (int channel = 0; channel < kMidiChannelCount; ++channel)
        Add(0, MidiMessage(kMidiControlChange, channel, int(controller), 0));
}

} // namespace vorna
