// The MIDI stream device with winmm's semantics, and the event the player's stop waits on.
#pragma once
#include <cstdint>

namespace vorna {

// The Windows build's mmsystem.h defines these as macros with the same values.
#ifndef MMSYSERR_NOERROR
constexpr uint32_t MMSYSERR_NOERROR = 0;
#endif
#ifndef MMSYSERR_ERROR
constexpr uint32_t MMSYSERR_ERROR = 1;
#endif
#ifndef MMSYSERR_ALLOCATED
constexpr uint32_t MMSYSERR_ALLOCATED = 4;
#endif
#ifndef MMSYSERR_INVALHANDLE
constexpr uint32_t MMSYSERR_INVALHANDLE = 5;
#endif
#ifndef MMSYSERR_INVALPARAM
constexpr uint32_t MMSYSERR_INVALPARAM = 11;
#endif
#ifndef MIDIERR_UNPREPARED
constexpr uint32_t MIDIERR_UNPREPARED = 64;
#endif
#ifndef MIDIERR_STILLPLAYING
constexpr uint32_t MIDIERR_STILLPLAYING = 65;
#endif
#ifndef MOM_DONE
constexpr unsigned MOM_DONE = 0x3C9;
#endif

// MidiHeader::flags bits, with MHDR_PREPARED's and MHDR_INQUEUE's values.
constexpr uint32_t kMidiHeaderPrepared = 2;
constexpr uint32_t kMidiHeaderQueued = 4;
// A stream event is three little-endian words: delta ticks, stream id, event (its type in the top byte).
constexpr uint32_t kMidiStreamEventBytes = 12;
constexpr uint32_t kMidiEventShort = 0;            // MEVT_SHORTMSG: a channel message in the low three bytes
constexpr uint32_t kMidiEventTempo = 1;            // MEVT_TEMPO: microseconds per quarter note in the low three bytes
constexpr int kMidiEventTypeShift = 24;            // the event word's type byte
constexpr uint32_t kMidiEventValueMask = 0xFFFFFF; // and its value below it
// A stream's tempo until its first tempo event: 120 quarter notes a minute.
constexpr uint32_t kMidiDefaultTempo = 500000;

// The part of MIDIHDR the player uses.
struct MidiHeader {
    uint8_t* data;
    uint32_t bufferLength;
    uint32_t bytesRecorded;
    uint32_t flags;   // owned by the device
    void* deviceData; // owned by the device
};

// Called on the device's own thread (never the game's) with MOM_DONE when a queued buffer comes back.
using MidiStreamCallback = void (*)(void* context, unsigned message, MidiHeader* header);

class SyncEvent {
public:
    virtual ~SyncEvent() = default;
    virtual void Set() = 0;
    // Auto-reset wait: true when signalled within timeoutMs (the signal is consumed), false on time-out.
    virtual bool Wait(uint32_t timeoutMs) = 0;
};

// Results are MMRESULT values: MMSYSERR_NOERROR on success.
// The stream starts paused; Out queues; Restart starts or resumes; Stop returns every queued buffer.
class MidiStreamDevice {
public:
    virtual ~MidiStreamDevice() = default;
    virtual uint32_t Open(MidiStreamCallback callback, void* context) = 0;
    virtual uint32_t SetTimeDivision(uint32_t ticksPerQuarter) = 0;
    virtual uint32_t PrepareHeader(MidiHeader* header) = 0;
    virtual uint32_t UnprepareHeader(MidiHeader* header) = 0;
    virtual uint32_t Out(MidiHeader* header) = 0;
    virtual uint32_t Restart() = 0;
    virtual uint32_t Stop() = 0;
    virtual uint32_t Reset() = 0;
    virtual uint32_t Close() = 0;
    // The auto-reset event "Wait For Buffer Return"; null on failure. Owned by the caller until DestroyEvent.
    virtual SyncEvent* CreateEvent() = 0;
    virtual void DestroyEvent(SyncEvent* event) = 0;
};

} // namespace vorna
