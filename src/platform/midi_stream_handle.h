// The one stream handle a winmm-style device holds: refused while held, forgotten after any close.
#pragma once
#include <cstdint>

#include "platform/midi_stream.h"

namespace vorna {

// The operating system's open and close of a stream, behind an interface so that the handle's rules hold
// (and are tested) the same everywhere.
class MidiStreamOpener {
public:
    virtual ~MidiStreamOpener() = default;
    // On success *handle is the new stream; instance goes to the stream's callback.
    virtual uint32_t OpenStream(void** handle, void* instance) = 0;
    virtual uint32_t CloseStream(void* handle) = 0;
    virtual void SilenceStream(void* handle) = 0;
};

class MidiStreamHandle {
public:
    explicit MidiStreamHandle(MidiStreamOpener& opener) : opener_(opener) {}
    MidiStreamHandle(const MidiStreamHandle&) = delete;
    MidiStreamHandle& operator=(const MidiStreamHandle&) = delete;
    // A stream still held at the end is silenced and closed.
    ~MidiStreamHandle();

    // MMSYSERR_ALLOCATED while a stream is held.
    uint32_t Open(void* instance);
    // The system's result; the handle is forgotten whatever it says, as the player forgets the stream:
    // a handle kept after a failed close would refuse every later Open and leave the run without music.
    uint32_t Close();
    void* Get() const { return handle_; }

private:
    MidiStreamOpener& opener_;
    void* handle_ = nullptr;
};

} // namespace vorna
