// The sound-effect device: DirectSound-like static buffers, duplicates and voice control.
#pragma once
#include <cstdint>

namespace vorna {

// The "fmt " chunk's contents read as a wave format record (little-endian fields).
struct WaveFormat {
    uint16_t formatTag;
    uint16_t channels;
    uint32_t samplesPerSec;
    uint32_t avgBytesPerSec;
    uint16_t blockAlign;
    uint16_t bitsPerSample;
};

constexpr int kNoSoundBuffer = -1;
constexpr uint32_t kSoundStatusPlaying = 1; // DSBSTATUS_PLAYING

class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    // DirectSoundCreate, cooperative level and the primary buffer. False when no device.
    virtual bool Create() = 0;
    // A static buffer of the given format and size; kNoSoundBuffer on failure.
    virtual int CreateBuffer(const WaveFormat& format, uint32_t bytes) = 0;
    // Lock, copy, unlock. False on failure.
    virtual bool FillBuffer(int buffer, const uint8_t* data, uint32_t size) = 0;
    virtual void ReleaseBuffer(int buffer) = 0;
    // A voice that shares the buffer's data; kNoSoundBuffer on failure.
    virtual int Duplicate(int buffer) = 0;
    virtual bool GetStatus(int voice, uint32_t& status) = 0;
    virtual void Stop(int voice) = 0;
    virtual void SetCurrentPosition(int voice, uint32_t position) = 0;
    virtual void SetPan(int voice, int32_t pan) = 0;
    virtual void SetVolume(int voice, int32_t volume) = 0;
    virtual void Play(int voice) = 0; // once, not looping
    // IDirectSound::Release: ends every buffer and voice.
    virtual void Release() = 0;
};

} // namespace vorna
