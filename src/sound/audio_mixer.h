// The effect voices of an audio engine: static PCM buffers, duplicates, and their resampling mix.
#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/sound_device.h"

namespace vorna {

class AudioMixer {
public:
    explicit AudioMixer(int deviceRate) : deviceRate_(deviceRate) {}
    // Accepts PCM of 8 (unsigned) or 16 (signed) bits, mono or stereo, at any rate from 1 Hz to 384 kHz.
    int CreateBuffer(const WaveFormat& format, uint32_t bytes);
    bool FillBuffer(int buffer, const uint8_t* data, uint32_t size);
    void ReleaseBuffer(int buffer);
    int Duplicate(int buffer);
    bool GetStatus(int voice, uint32_t& status);
    void Stop(int voice);
    void SetCurrentPosition(int voice, uint32_t position);
    void SetPan(int voice, int32_t pan);
    void SetVolume(int voice, int32_t volume);
    void Play(int voice);
    void ReleaseAll();
    // Adds every playing voice into the stereo float mix; called with the engine's mix lock held.
    void MixInto(float* stereo, int frames);
    int PlayingVoices() const;

private:
    struct Voice {
        bool alive = false;
        std::shared_ptr<std::vector<uint8_t>> data;
        WaveFormat format{};
        bool playing = false;
        uint64_t position = 0; // source frames, 32.32 fixed point
        uint64_t step = 0;     // source frames per device frame, 32.32 fixed point
        float left = 1, right = 1;
        int32_t pan = 0, volume = 0;
    };
    Voice* Live(int id);
    void UpdateGains(Voice& v);
    int deviceRate_;
    std::vector<Voice> voices_;

public:
    std::mutex mutex; // the engine's mix lock: the audio callback and every call above
};

// A sound device whose voices are the mixer's; each engine says how its output is opened (Create).
class MixerSoundDevice : public SoundDevice {
public:
    explicit MixerSoundDevice(AudioMixer& mixer) : mixer_(mixer) {}
    int CreateBuffer(const WaveFormat& f, uint32_t bytes) override { return mixer_.CreateBuffer(f, bytes); }
    bool FillBuffer(int b, const uint8_t* d, uint32_t n) override { return mixer_.FillBuffer(b, d, n); }
    void ReleaseBuffer(int b) override { mixer_.ReleaseBuffer(b); }
    int Duplicate(int b) override { return mixer_.Duplicate(b); }
    bool GetStatus(int v, uint32_t& s) override { return mixer_.GetStatus(v, s); }
    void Stop(int v) override { mixer_.Stop(v); }
    void SetCurrentPosition(int v, uint32_t p) override { mixer_.SetCurrentPosition(v, p); }
    void SetPan(int v, int32_t p) override { mixer_.SetPan(v, p); }
    void SetVolume(int v, int32_t vol) override { mixer_.SetVolume(v, vol); }
    void Play(int v) override { mixer_.Play(v); }
    void Release() override { mixer_.ReleaseAll(); }

private:
    AudioMixer& mixer_;
};

} // namespace vorna
