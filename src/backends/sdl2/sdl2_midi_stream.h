// The SDL2 MIDI stream device: 12-byte stream events scheduled in sample time and played on FluidSynth.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "backends/sdl2/midi_channel_memory.h"
#include "platform/midi_message.h"
#include "platform/midi_stream.h"
#include "platform/midi_stream_queue.h"

typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_hashtable_t fluid_settings_t;

namespace vorna {

// Buffers are consumed inside the audio callback (RenderInto, with the engine's mix lock held) and handed
// back through the stream queue's notifier thread, never from inside the audio callback.
class Sdl2MidiStream : private MidiEventSink, public QueuedMidiStreamDevice {
public:
    // openOutput: called by Open to make sure the shared audio output runs; false when it cannot.
    // The SoundFont loads on a thread of its own (a General MIDI font can take a second): the stream runs
    // at once, silent until the synthesizer is there, and the music is heard from then on.
    Sdl2MidiStream(int sampleRate, std::mutex& mixLock, std::function<bool()> openOutput, const char* soundFont);
    ~Sdl2MidiStream() override;

    uint32_t Open(MidiStreamCallback callback, void* context) override;
    uint32_t Stop() override;
    uint32_t Reset() override;
    uint32_t Close() override;
    SyncEvent* CreateEvent() override;
    void DestroyEvent(SyncEvent* event) override;

    // Called with the mix lock held: plays the due events and renders the synthesizer into the mix.
    void RenderInto(float* stereo, int frames);
    // Waits for the SoundFont's load to end; true when a synthesizer plays the music.
    bool HasSynth();

private:
    void PlayEvent(uint64_t offset, uint64_t time, uint32_t word) override;
    void Send(uint32_t message); // remembered for a late synthesizer, and played when there is one
    void ToSynth(uint32_t message);
    void Synthesize(float* stereo, int frames);
    void LoadSynth(int sampleRate, const std::string& soundFont);

    std::mutex& mix_;
    std::function<bool()> openOutput_;
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr; // set once, under the mix lock, when the SoundFont has loaded
    bool loadEnded_ = false;         // under the mix lock
    std::condition_variable loaded_;
    MidiChannelMemory channels_; // under the mix lock: what a late synthesizer must be told
    std::thread loader_;
    std::vector<float> scratch_;
    // The block RenderInto is filling, and how much of it the synthesizer has rendered (under the mix lock).
    float* block_ = nullptr;
    int rendered_ = 0;
};

} // namespace vorna
