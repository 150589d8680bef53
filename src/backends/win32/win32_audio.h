// Sound through DirectSound and music through the winmm MIDI stream with its callback thread.
#pragma once
#include "backends/win32/win32_headers.h"

#include <vector>

#include "platform/midi_stream.h"
#include "platform/midi_stream_handle.h"
#include "platform/sound_device.h"

namespace vorna {

class Win32SoundDevice : public SoundDevice {
public:
    ~Win32SoundDevice() override;
    void SetWindow(HWND window) { window_ = window; }

    bool Create() override;
    int CreateBuffer(const WaveFormat& format, uint32_t bytes) override;
    bool FillBuffer(int buffer, const uint8_t* data, uint32_t size) override;
    void ReleaseBuffer(int buffer) override;
    int Duplicate(int buffer) override;
    bool GetStatus(int voice, uint32_t& status) override;
    void Stop(int voice) override;
    void SetCurrentPosition(int voice, uint32_t position) override;
    void SetPan(int voice, int32_t pan) override;
    void SetVolume(int voice, int32_t volume) override;
    void Play(int voice) override;
    void Release() override;

private:
    IDirectSoundBuffer* Get(int handle) const;
    int Keep(IDirectSoundBuffer* buffer);

    HWND window_ = nullptr;
    IDirectSound* ds_ = nullptr;
    IDirectSoundBuffer* primary_ = nullptr;
    std::vector<IDirectSoundBuffer*> buffers_;
};

// midiStreamOpen on the MIDI mapper with a callback function, and its close.
class WinmmStreamOpener : public MidiStreamOpener {
public:
    explicit WinmmStreamOpener(DWORD_PTR callback) : callback_(callback) {}
    uint32_t OpenStream(void** handle, void* instance) override;
    uint32_t CloseStream(void* handle) override;
    void SilenceStream(void* handle) override;

private:
    DWORD_PTR callback_;
};

class Win32MidiStreamDevice : public MidiStreamDevice {
public:
    Win32MidiStreamDevice();
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

private:
    static void CALLBACK StreamProc(HMIDIOUT out, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2);
    HMIDISTRM Stream() const { return static_cast<HMIDISTRM>(stream_.Get()); }

    MidiStreamCallback callback_ = nullptr;
    void* context_ = nullptr;
    WinmmStreamOpener opener_;
    MidiStreamHandle stream_{opener_}; // after the opener: it closes a stream still held when it goes
};

} // namespace vorna
