// The one stream handle a winmm-style device holds: refused while held, forgotten after any close.
#include "platform/midi_stream_handle.h"

namespace vorna {

MidiStreamHandle::~MidiStreamHandle() {
    if (handle_ == nullptr) return;
    opener_.SilenceStream(handle_);
    opener_.CloseStream(handle_);
}

uint32_t MidiStreamHandle::Open(void* instance) {
    if (handle_ != nullptr) return MMSYSERR_ALLOCATED;
    void* opened = nullptr;
    const uint32_t r = opener_.OpenStream(&opened, instance);
    if (r == MMSYSERR_NOERROR) handle_ = opened;
    return r;
}

uint32_t MidiStreamHandle::Close() {
    if (handle_ == nullptr) return MMSYSERR_INVALHANDLE;
    void* closing = handle_;
    handle_ = nullptr;
    return opener_.CloseStream(closing);
}

} // namespace vorna
