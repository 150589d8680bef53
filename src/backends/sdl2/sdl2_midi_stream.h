// The SDL2 MIDI stream device: 12-byte stream events scheduled in sample time and played on FluidSynth.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/midi_stream.h"

typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_hashtable_t fluid_settings_t;

namespace vorna {

// Buffers are consumed inside the audio callback (Render, with the engine's mix lock held) and handed
// back through a notifier thread of the device's own, never from inside the audio callback.
class Sdl2MidiStream : public MidiStreamDevice {
public:
    // openOutput: called by Open to make sure the shared audio output runs; false when it cannot.
    Sdl2MidiStream(int sampleRate, std::mutex& mixLock, std::function<bool()> openOutput, const char* soundFont);
    ~Sdl2MidiStream() override;

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

    // Called with the mix lock held: plays the due events and renders the synthesizer into the mix.
    void RenderInto(float* stereo, int frames);
    bool HasSynth() const { return synth_ != nullptr; }

private:
    void Notify(MidiHeader* header); // with the mix lock held
    void NotifierMain();
    void Send(uint32_t message);
    void Synthesize(float* stereo, int frames);

    int rate_;
    std::mutex& mix_;
    std::function<bool()> openOutput_;
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    std::vector<float> scratch_;

    // Under the mix lock.
    bool open_ = false, paused_ = true;
    MidiStreamCallback callback_ = nullptr;
    void* context_ = nullptr;
    std::deque<MidiHeader*> queue_;
    uint32_t eventIndex_ = 0;
    bool waiting_ = false;   // the head event's wait has been computed
    double waitSamples_ = 0; // samples until the head event, fraction carried
    uint32_t tempo_ = 500000, division_ = 96;

    // The notifier.
    std::mutex delivery_; // held while the game's callback runs; Stop and Close wait for it
    std::mutex pendingLock_;
    std::condition_variable pendingChanged_;
    std::deque<MidiHeader*> pending_;
    bool quit_ = false;
    std::thread notifier_;
};

} // namespace vorna
