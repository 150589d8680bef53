// Sound through DirectSound and music through the winmm MIDI stream with its callback thread.
#include "backends/win32/win32_headers.h"

#include "backends/win32/win32_audio.h"

#include <cstring>

namespace vorna {
namespace {

// The player's stop waits on this auto-reset event; the callback thread sets it.
class Win32Event : public SyncEvent {
public:
    explicit Win32Event(HANDLE handle) : handle_(handle) {}
    ~Win32Event() override { CloseHandle(handle_); }
    void Set() override { SetEvent(handle_); }
    bool Wait(uint32_t timeoutMs) override { return WaitForSingleObject(handle_, timeoutMs) == WAIT_OBJECT_0; }

private:
    HANDLE handle_;
};

MIDIHDR* NativeHeader(MidiHeader* header) {
    return header != nullptr ? static_cast<MIDIHDR*>(header->deviceData) : nullptr;
}

} // namespace

Win32SoundDevice::~Win32SoundDevice() {
    Release();
}

IDirectSoundBuffer* Win32SoundDevice::Get(int handle) const {
    if (handle < 0 || static_cast<size_t>(handle) >= buffers_.size()) return nullptr;
    return buffers_[static_cast<size_t>(handle)];
}

int Win32SoundDevice::Keep(IDirectSoundBuffer* buffer) {
    for (size_t i = 0; i < buffers_.size(); ++i) {
        if (buffers_[i] == nullptr) {
            buffers_[i] = buffer;
            return static_cast<int>(i);
        }
    }
    buffers_.push_back(buffer);
    return static_cast<int>(buffers_.size() - 1);
}

bool Win32SoundDevice::Create() {
    if (ds_ != nullptr) return true;
    if (DirectSoundCreate(nullptr, &ds_, nullptr) != DS_OK) {
        ds_ = nullptr;
        return false;
    }
    ds_->SetCooperativeLevel(window_, DSSCL_NORMAL);
    // The primary buffer is kept for the object's life; it is neither played nor given a format.
    DSBUFFERDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DSBCAPS_PRIMARYBUFFER;
    if (ds_->CreateSoundBuffer(&desc, &primary_, nullptr) != DS_OK) primary_ = nullptr;
    return true;
}

int Win32SoundDevice::CreateBuffer(const WaveFormat& format, uint32_t bytes) {
    if (ds_ == nullptr) return kNoSoundBuffer;
    WAVEFORMATEX wave;
    std::memset(&wave, 0, sizeof wave);
    wave.wFormatTag = format.formatTag;
    wave.nChannels = format.channels;
    wave.nSamplesPerSec = format.samplesPerSec;
    wave.nAvgBytesPerSec = format.avgBytesPerSec;
    wave.nBlockAlign = format.blockAlign;
    wave.wBitsPerSample = format.bitsPerSample;
    DSBUFFERDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    desc.dwBufferBytes = bytes;
    desc.lpwfxFormat = &wave;
    IDirectSoundBuffer* buffer = nullptr;
    if (ds_->CreateSoundBuffer(&desc, &buffer, nullptr) != DS_OK || buffer == nullptr) return kNoSoundBuffer;
    return Keep(buffer);
}

bool Win32SoundDevice::FillBuffer(int buffer, const uint8_t* data, uint32_t size) {
    IDirectSoundBuffer* b = Get(buffer);
    if (b == nullptr || (data == nullptr && size != 0)) return false;
    void* part1 = nullptr;
    void* part2 = nullptr;
    DWORD size1 = 0, size2 = 0;
    if (b->Lock(0, size, &part1, &size1, &part2, &size2, 0) != DS_OK) return false;
    // The lock may hand back less than was asked for; never copy more than it gave.
    const DWORD first = size1 < size ? size1 : size;
    std::memcpy(part1, data, first);
    if (part2 != nullptr && size > first) std::memcpy(part2, data + first, size - first < size2 ? size - first : size2);
    return b->Unlock(part1, size1, part2, size2) == DS_OK;
}

void Win32SoundDevice::ReleaseBuffer(int buffer) {
    IDirectSoundBuffer* b = Get(buffer);
    if (b == nullptr) return;
    b->Release();
    buffers_[static_cast<size_t>(buffer)] = nullptr;
}

int Win32SoundDevice::Duplicate(int buffer) {
    IDirectSoundBuffer* b = Get(buffer);
    if (ds_ == nullptr || b == nullptr) return kNoSoundBuffer;
    IDirectSoundBuffer* copy = nullptr;
    if (ds_->DuplicateSoundBuffer(b, &copy) != DS_OK || copy == nullptr) return kNoSoundBuffer;
    return Keep(copy);
}

bool Win32SoundDevice::GetStatus(int voice, uint32_t& status) {
    IDirectSoundBuffer* b = Get(voice);
    DWORD s = 0;
    if (b == nullptr || b->GetStatus(&s) != DS_OK) return false;
    status = s;
    return true;
}

void Win32SoundDevice::Stop(int voice) {
    if (IDirectSoundBuffer* b = Get(voice)) b->Stop();
}

void Win32SoundDevice::SetCurrentPosition(int voice, uint32_t position) {
    if (IDirectSoundBuffer* b = Get(voice)) b->SetCurrentPosition(position);
}

void Win32SoundDevice::SetPan(int voice, int32_t pan) {
    if (IDirectSoundBuffer* b = Get(voice)) b->SetPan(pan);
}

void Win32SoundDevice::SetVolume(int voice, int32_t volume) {
    if (IDirectSoundBuffer* b = Get(voice)) b->SetVolume(volume);
}

void Win32SoundDevice::Play(int voice) {
    if (IDirectSoundBuffer* b = Get(voice)) b->Play(0, 0, 0);
}

void Win32SoundDevice::Release() {
    for (IDirectSoundBuffer*& b : buffers_) {
        if (b != nullptr) b->Release();
        b = nullptr;
    }
    buffers_.clear();
    if (primary_ != nullptr) primary_->Release();
    primary_ = nullptr;
    if (ds_ != nullptr) ds_->Release();
    ds_ = nullptr;
}

uint32_t WinmmStreamOpener::OpenStream(void** handle, void* instance) {
    HMIDISTRM stream = nullptr;
    UINT device = MIDI_MAPPER;
    const MMRESULT r =
        midiStreamOpen(&stream, &device, 1, callback_, reinterpret_cast<DWORD_PTR>(instance), CALLBACK_FUNCTION);
    if (r == MMSYSERR_NOERROR) *handle = stream;
    return r;
}

uint32_t WinmmStreamOpener::CloseStream(void* handle) {
    return midiStreamClose(static_cast<HMIDISTRM>(handle));
}

void WinmmStreamOpener::SilenceStream(void* handle) {
    midiOutReset(static_cast<HMIDIOUT>(handle));
}

Win32MidiStreamDevice::Win32MidiStreamDevice() : opener_(reinterpret_cast<DWORD_PTR>(&StreamProc)) {}

void CALLBACK Win32MidiStreamDevice::StreamProc(HMIDIOUT, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                                                DWORD_PTR) {
    auto* self = reinterpret_cast<Win32MidiStreamDevice*>(instance);
    if (self == nullptr || self->callback_ == nullptr || message != MOM_DONE) return;
    MIDIHDR* native = reinterpret_cast<MIDIHDR*>(param1);
    if (native == nullptr) return;
    self->callback_(self->context_, MOM_DONE, reinterpret_cast<MidiHeader*>(native->dwUser));
}

uint32_t Win32MidiStreamDevice::Open(MidiStreamCallback callback, void* context) {
    if (Stream() != nullptr) return MMSYSERR_ALLOCATED;
    callback_ = callback;
    context_ = context;
    return stream_.Open(this);
}

uint32_t Win32MidiStreamDevice::SetTimeDivision(uint32_t ticksPerQuarter) {
    if (Stream() == nullptr) return MMSYSERR_INVALHANDLE;
    MIDIPROPTIMEDIV prop;
    prop.cbStruct = sizeof prop;
    prop.dwTimeDiv = ticksPerQuarter;
    return midiStreamProperty(Stream(), reinterpret_cast<LPBYTE>(&prop), MIDIPROP_SET | MIDIPROP_TIMEDIV);
}

uint32_t Win32MidiStreamDevice::PrepareHeader(MidiHeader* header) {
    if (Stream() == nullptr) return MMSYSERR_INVALHANDLE;
    if (header == nullptr || header->data == nullptr) return MMSYSERR_INVALPARAM;
    MIDIHDR* native = NativeHeader(header);
    if (native == nullptr) {
        native = new MIDIHDR;
        header->deviceData = native;
    }
    std::memset(native, 0, sizeof *native);
    native->lpData = reinterpret_cast<LPSTR>(header->data);
    native->dwBufferLength = header->bufferLength;
    native->dwBytesRecorded = header->bytesRecorded;
    native->dwUser = reinterpret_cast<DWORD_PTR>(header);
    const MMRESULT r = midiOutPrepareHeader(reinterpret_cast<HMIDIOUT>(Stream()), native, sizeof *native);
    header->flags = native->dwFlags;
    return r;
}

uint32_t Win32MidiStreamDevice::UnprepareHeader(MidiHeader* header) {
    MIDIHDR* native = NativeHeader(header);
    if (native == nullptr) return MMSYSERR_NOERROR;
    MMRESULT r = MMSYSERR_NOERROR;
    if (Stream() != nullptr) r = midiOutUnprepareHeader(reinterpret_cast<HMIDIOUT>(Stream()), native, sizeof *native);
    if (r != MMSYSERR_NOERROR && r != MMSYSERR_INVALHANDLE) return r; // still queued: keep it
    delete native;
    header->deviceData = nullptr;
    header->flags = 0;
    return MMSYSERR_NOERROR;
}

uint32_t Win32MidiStreamDevice::Out(MidiHeader* header) {
    MIDIHDR* native = NativeHeader(header);
    if (Stream() == nullptr) return MMSYSERR_INVALHANDLE;
    if (native == nullptr) return MIDIERR_UNPREPARED;
    // The player refills a prepared buffer in place and only then says how much of it is used.
    native->dwBytesRecorded = header->bytesRecorded;
    return midiStreamOut(Stream(), native, sizeof *native);
}

uint32_t Win32MidiStreamDevice::Restart() {
    return Stream() != nullptr ? midiStreamRestart(Stream()) : MMSYSERR_INVALHANDLE;
}

uint32_t Win32MidiStreamDevice::Stop() {
    return Stream() != nullptr ? midiStreamStop(Stream()) : MMSYSERR_INVALHANDLE;
}

uint32_t Win32MidiStreamDevice::Reset() {
    return Stream() != nullptr ? midiOutReset(reinterpret_cast<HMIDIOUT>(Stream())) : MMSYSERR_INVALHANDLE;
}

uint32_t Win32MidiStreamDevice::Close() {
    return stream_.Close();
}

SyncEvent* Win32MidiStreamDevice::CreateEvent() {
    HANDLE handle = CreateEventA(nullptr, FALSE, FALSE, "Wait For Buffer Return");
    return handle != nullptr ? new Win32Event(handle) : nullptr;
}

void Win32MidiStreamDevice::DestroyEvent(SyncEvent* event) {
    delete event;
}

} // namespace vorna
