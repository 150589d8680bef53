// The MIDI stream player: one looping song at a time, two buffers in flight.
#include "music/music_player.h"

#include <cstring>
#include <new>

#include "music/song_reader.h"

namespace vorna {

const char* const MusicFileTable[kMusicCount] = {"m00.dat", "m01.dat", "m02.dat", "m03.dat", "m04.dat",
                                                 "m07.dat", "m08.dat", "m09.dat", "m0a.dat", "m0b.dat",
                                                 "m0c.dat", "m0d.dat", "m05.dat", "m06.dat"};

namespace {

// The stream and the event it is waited on with. The event also serves streams that PrepareSong opens
// after a failed OpenMusic, so that a stop always has something to wait on.
bool OpenStream(const MusicContext& c) {
    MusicState& m = c.music;
    MidiStreamDevice* midi = c.midi;
    if (!midi) return false;
    if (!m.BufferReturnEvent) m.BufferReturnEvent = midi->CreateEvent();
    if (!m.BufferReturnEvent) return false;
    m.callbackMidi = midi;
    m.callbackFiles = c.files;
    if (midi->Open(StreamCallback, &m) != MMSYSERR_NOERROR) {
        midi->DestroyEvent(m.BufferReturnEvent);
        m.BufferReturnEvent = nullptr;
        return false;
    }
    m.StreamOpen = true;
    return true;
}

void ResetFillBookkeeping(StreamBuffer& b) {
    b.startOffset = 0;
    b.maxLength = kStreamBufferBytes;
    b.startTime = 0;
    b.SpanExceeded = 0;
}

} // namespace

int OpenMusic(const MusicContext& c) {
    c.music.TempoPercent.store(100);
    return OpenStream(c) ? 1 : 0;
}

int CloseMusic(const MusicContext& c) {
    MusicState& m = c.music;
    MidiStreamDevice* midi = c.midi;
    if (m.StreamOpen) StopSong(c);
    FreeStreamBuffers(m, midi);
    if (m.StreamOpen) {
        if (midi->Close() != MMSYSERR_NOERROR) return 0;
        m.StreamOpen = false;
    }
    // A stop that gave up early leaves its song open; with the stream closed no callback can touch it.
    CloseSong(m, c.files);
    m.SongLoaded.store(0);
    if (m.BufferReturnEvent) {
        midi->DestroyEvent(m.BufferReturnEvent);
        m.BufferReturnEvent = nullptr;
    }
    return 1;
}

bool BuildMusicPath(FileSystem* files, int number, char (&path)[kSongPathBytes]) {
    path[0] = '\0';
    if (number < 0 || number >= kMusicCount || !files) return false;
    uint32_t n = files->ModuleFileName(path, kSongPathBytes);
    // A full buffer may mean a cut-off path, which would name another file.
    if (n >= kSongPathBytes - 1) return false;
    path[n] = '\0';
    char* cut = nullptr;
    for (char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/') cut = p + 1;
    size_t keep = cut ? size_t(cut - path) : 0;
    const char* name = MusicFileTable[number];
    size_t nameLength = std::strlen(name);
    if (keep + nameLength + 1 > kSongPathBytes) return false;
    std::memcpy(path + keep, name, nameLength + 1);
    return true;
}

int PlayMusic(const MusicContext& c, int number) {
    if (c.music.MusicOn) StopMusic(c);
    if (c.observer) c.observer->MusicCalled(GameObserver::MusicCall::Play, number);
    char path[kSongPathBytes];
    if (BuildMusicPath(c.files, number, path)) LoadSong(c, path);
    int result = StartSong(c, 1);
    c.music.MusicOn = 1;
    return result;
}

int StopMusic(const MusicContext& c) {
    if (c.observer) c.observer->MusicCalled(GameObserver::MusicCall::Stop, 0);
    int result = StopSong(c);
    c.music.MusicOn = 0;
    return result;
}

int SetMusicTempo(const MusicContext& c, int percent) {
    if (c.observer) c.observer->MusicCalled(GameObserver::MusicCall::Tempo, percent);
    c.music.TempoPercent.store(percent);
    return 1;
}

int LoadSong(const MusicContext& c, const char* path) {
    if (!path || std::strlen(path) >= kSongPathBytes) return 0;
    std::memcpy(c.music.SongPath, path, std::strlen(path) + 1);
    if (PrepareSong(c) != 0) return 0;
    c.music.SongLoaded.store(1);
    return 1;
}

int32_t PrepareSong(const MusicContext& c) {
    MusicState& m = c.music;
    if (!m.StreamOpen && !OpenStream(c)) return 1;
    MidiStreamDevice* midi = c.midi;
    for (StreamBuffer& b : m.buffers) {
        b.header.bufferLength = kStreamBufferBytes;
        // A block left from a song that failed to prepare is reused rather than lost.
        if (!b.header.data) b.header.data = new (std::nothrow) uint8_t[kStreamBufferBytes]();
        if (!b.header.data) return -1;
        std::memset(b.header.data, 0, kStreamBufferBytes);
    }
    if (OpenSong(m, c.files, m.SongPath) != 0) return 1;
    if (midi->SetTimeDivision(m.song.TimeDivision) != MMSYSERR_NOERROR) {
        CloseSong(m, c.files);
        return 1;
    }
    m.ReturnedBuffers.store(0);
    m.NextBuffer.store(0);
    bool ended = false;
    for (int i = 0; i < 2; ++i) {
        StreamBuffer& b = m.buffers[i];
        ResetFillBookkeeping(b);
        int32_t r = FillStreamBuffer(m, c.files, i == 0 ? 1 : 0, b);
        if (r == FillEnd) {
            ended = true;
        } else if (r != 0) {
            CloseSong(m, c.files);
            return 1;
        }
        b.header.bytesRecorded = b.bytesFilled;
        if (!m.HeadersPrepared && midi->PrepareHeader(&b.header) != MMSYSERR_NOERROR) {
            if (i == 1) midi->UnprepareHeader(&m.buffers[0].header);
            CloseSong(m, c.files);
            return 1;
        }
        if (midi->Out(&b.header) != MMSYSERR_NOERROR || ended) break;
    }
    m.NextBuffer.store(0);
    m.HeadersPrepared = 1;
    return 0;
}

int StartSong(const MusicContext& c, int loop) {
    MusicState& m = c.music;
    if (!m.SongLoaded.load()) {
        m.SongPlaying.store(0);
        return 0;
    }
    m.PlayerState.store(PlayerPlaying);
    // The flags go up before the stream starts: a buffer that came back before them would be dropped
    // unrefilled by the callback, and the stop would then wait in vain for it.
    m.LoopSong.store(loop);
    m.SongPlaying.store(1);
    if (c.midi->Restart() != MMSYSERR_NOERROR) {
        m.SongPlaying.store(0);
        return 0;
    }
    return 1;
}

void StreamCallback(void* context, unsigned message, MidiHeader*) {
    if (message != MOM_DONE || !context) return;
    MusicState& m = *static_cast<MusicState*>(context);
    if (m.PlayerState.load() == PlayerStopped) return;
    int32_t returned = m.ReturnedBuffers.fetch_add(1) + 1;
    if (m.PlayerState.load() == PlayerStopping) {
        if (returned >= 2) {
            m.PlayerState.store(PlayerStopped);
            m.BufferReturnEvent->Set();
        }
        return;
    }
    if (!m.SongPlaying.load()) return;
    StreamBuffer& b = m.buffers[m.NextBuffer.load()];
    ResetFillBookkeeping(b);
    b.bytesFilled = 0;
    // A looping song reports FillEnd only when a whole pass wrote nothing: the buffer stays back and the
    // song stays silent until the stop, rather than the callback spinning through empty buffers.
    if (FillStreamBuffer(m, m.callbackFiles, 0, b) != 0) {
        CloseSong(m, m.callbackFiles);
        return;
    }
    b.header.bytesRecorded = b.bytesFilled;
    if (m.callbackMidi->Out(&b.header) != MMSYSERR_NOERROR) {
        CloseSong(m, m.callbackFiles);
        return;
    }
    m.NextBuffer.store((m.NextBuffer.load() + 1) % 2);
    m.ReturnedBuffers.fetch_sub(1);
}

int StopSong(const MusicContext& c) {
    MusicState& m = c.music;
    if (m.SongLoaded.load() || m.SongPlaying.load() || m.PlayerState.load() != PlayerStopped) {
        // Stopping goes up before SongPlaying comes down: a buffer that comes back in between must be
        // counted towards the stop, or a free-running device could hand both buffers back to a callback
        // that neither refills nor counts them, and the stop would wait out its time.
        int32_t playing = PlayerPlaying;
        m.PlayerState.compare_exchange_strong(playing, PlayerStopping);
        m.SongPlaying.store(0);
        MidiStreamDevice* midi = c.midi;
        if (!m.StreamOpen || midi->Stop() != MMSYSERR_NOERROR) return 0;
        if (midi->Reset() != MMSYSERR_NOERROR) return 0;
        bool came = m.BufferReturnEvent && m.BufferReturnEvent->Wait(kStopWaitMs);
        if (came && m.PlayerState.load() != PlayerStopped) return 1;
    }
    m.PlayerState.store(PlayerPlaying);
    if (m.SongLoaded.load()) {
        CloseSong(m, c.files);
        FreeStreamBuffers(m, c.midi);
        if (m.StreamOpen) {
            c.midi->Close();
            m.StreamOpen = false;
        }
        m.SongLoaded.store(0);
    }
    return 1;
}

void FreeStreamBuffers(MusicState& m, MidiStreamDevice* midi) {
    if (m.HeadersPrepared) {
        if (midi)
            for (StreamBuffer& b : m.buffers) midi->UnprepareHeader(&b.header);
        m.HeadersPrepared = 0;
    }
    for (StreamBuffer& b : m.buffers) {
        delete[] b.header.data;
        b.header.data = nullptr;
    }
}

} // namespace vorna
