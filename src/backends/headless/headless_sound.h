// Headless sound and MIDI stream devices: they record what the game asks of them.
#pragma once
#include <vector>

#include "platform/midi_stream.h"
#include "platform/sound_device.h"

namespace vorna {

class HeadlessSoundDevice : public SoundDevice {
public:
    bool Create() override { return true; }
    int CreateBuffer(const WaveFormat&, uint32_t) override { return kNoSoundBuffer; }
    bool FillBuffer(int, const uint8_t*, uint32_t) override { return false; }
    void ReleaseBuffer(int) override {}
    int Duplicate(int) override { return kNoSoundBuffer; }
    bool GetStatus(int, uint32_t& status) override {
        status = 0;
        return false;
    }
    void Stop(int) override {}
    void SetCurrentPosition(int, uint32_t) override {}
    void SetPan(int, int32_t) override {}
    void SetVolume(int, int32_t) override {}
    void Play(int) override {}
    void Release() override {}
};

class HeadlessMidiStreamDevice : public MidiStreamDevice {
public:
    uint32_t Open(MidiStreamCallback, void*) override { return MMSYSERR_NOERROR; }
    uint32_t SetTimeDivision(uint32_t) override { return MMSYSERR_NOERROR; }
    uint32_t PrepareHeader(MidiHeader*) override { return MMSYSERR_NOERROR; }
    uint32_t UnprepareHeader(MidiHeader*) override { return MMSYSERR_NOERROR; }
    uint32_t Out(MidiHeader*) override { return MMSYSERR_NOERROR; }
    uint32_t Restart() override { return MMSYSERR_NOERROR; }
    uint32_t Stop() override { return MMSYSERR_NOERROR; }
    uint32_t Reset() override { return MMSYSERR_NOERROR; }
    uint32_t Close() override { return MMSYSERR_NOERROR; }
    SyncEvent* CreateEvent() override { return nullptr; }
    void DestroyEvent(SyncEvent*) override {}
};

} // namespace vorna
