// Reads a Standard MIDI File track by track through small windows and converts it into stream buffers.
#include "music/song_reader.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace vorna {

namespace {

uint32_t BigEndian32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}
uint32_t BigEndian16(const uint8_t* p) {
    return uint32_t(p[0]) << 8 | uint32_t(p[1]);
}

void PutLittleEndian32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

// Reads exactly count bytes from the song file; anything less is a failure.
bool ReadExactly(MusicState& m, FileSystem* files, void* buffer, uint32_t count) {
    uint8_t* out = static_cast<uint8_t*>(buffer);
    while (count > 0) {
        int32_t got = files->Read(m.song.file, out, count);
        if (got <= 0) return false;
        m.song.work.bytesRead += uint32_t(got);
        out += got;
        count -= static_cast<uint32_t>(got);
    }
    return true;
}

uint32_t BytesLeft(const TrackReader& t) {
    return t.bytesInWindow + t.bytesNotYetRead;
}

// What the file can really still deliver for this track: a track length that claims more than the
// file holds must not make us allocate a payload the file cannot fill.
uint64_t BytesReallyLeft(const MusicState& m, const TrackReader& t) {
    const SongState& s = m.song;
    uint64_t inFile = s.FileSize > t.nextFileOffset ? s.FileSize - t.nextFileOffset : 0;
    if (inFile > t.bytesNotYetRead) inFile = t.bytesNotYetRead;
    return uint64_t(t.bytesInWindow) + inFile;
}

void FreePayload(MusicState& m, TrackEvent& e) {
    if (e.payload) {
        delete[] e.payload;
        e.payload = nullptr;
        m.song.PayloadCount.fetch_sub(1);
    }
}

bool ReadPayload(MusicState& m, FileSystem* files, TrackReader& t, TrackEvent& e) {
    if (BytesLeft(t) < e.length || BytesReallyLeft(m, t) < e.length) {
        t.flags |= kTrackEnded;
        return false;
    }
    // A zero-length system-exclusive message still owns a (one-byte) payload.
    e.payload = new (std::nothrow) uint8_t[e.length ? e.length : 1];
    if (!e.payload) return false;
    m.song.PayloadCount.fetch_add(1);
    if (e.length > m.song.work.largestPayload) m.song.work.largestPayload = e.length;
    for (uint32_t i = 0; i < e.length; ++i) {
        if (!ReadTrackByte(m, files, t, e.payload[i])) return false;
    }
    return true;
}

// Fills the window from the track's data start and reads the first delta time (steps shared by open and
// rewind). The file position is left after the bytes read.
bool PrimeTrack(MusicState& m, FileSystem* files, TrackReader& t) {
    uint32_t n = t.length < kTrackWindowBytes ? t.length : kTrackWindowBytes;
    if (n > 0 && !ReadExactly(m, files, t.window, n)) return false;
    t.bytesNotYetRead = t.length - n;
    t.bytesInWindow = n;
    t.nextFileOffset = t.dataStart + n;
    t.readPointer = t.window;
    t.flags = 0;
    t.runningStatus = 0;
    t.time = 0;
    if (t.bytesInWindow == 0 && t.bytesNotYetRead == 0) {
        t.flags |= kTrackEnded;
        return true;
    }
    return ReadVarLen(m, files, t, t.time);
}

void WriteEvent(StreamBuffer& b, uint32_t delta, uint32_t word) {
    uint8_t* p = b.header.data + b.startOffset + b.bytesFilled;
    PutLittleEndian32(p, delta);
    PutLittleEndian32(p + 4, 0);
    PutLittleEndian32(p + 8, word);
    b.bytesFilled += kStreamEventBytes;
}

bool SongOpen(const MusicState& m) {
    return m.song.file != kNoFile && m.song.tracks != nullptr;
}

// A track never holds more than its own length in its window, so a song of many short tracks does not
// cost a full window each.
uint32_t WindowBytesFor(uint32_t trackLength) {
    uint32_t n = trackLength < kTrackWindowBytes ? trackLength : kTrackWindowBytes;
    return n ? n : 1;
}

// Heap order: the track whose next event comes later sinks; at equal times the later track sinks.
struct ComesLater {
    const TrackReader* tracks;
    bool operator()(uint32_t a, uint32_t b) const {
        if (tracks[a].time != tracks[b].time) return tracks[a].time > tracks[b].time;
        return a > b;
    }
};

void BuildTrackHeap(SongState& s) {
    s.heapSize = 0;
    for (uint32_t i = 0; i < s.TrackCount; ++i)
        if (!(s.tracks[i].flags & kTrackEnded)) s.trackHeap[s.heapSize++] = i;
    std::make_heap(s.trackHeap, s.trackHeap + s.heapSize, ComesLater{s.tracks});
}

void DropHeapTop(SongState& s) {
    std::pop_heap(s.trackHeap, s.trackHeap + s.heapSize, ComesLater{s.tracks});
    --s.heapSize;
}

// The top track's time has grown: move it down to its place.
void ReplaceHeapTop(SongState& s) {
    DropHeapTop(s);
    ++s.heapSize;
    std::push_heap(s.trackHeap, s.trackHeap + s.heapSize, ComesLater{s.tracks});
}

bool FillBudgetSpent(const SongState& s) {
    return s.work.eventsRead >= kFillEventBudget || s.work.bytesRead >= kFillByteBudget;
}

void BeginRewind(SongState& s) {
    s.LastEventTime = 0;
    s.tracksToPrime = 0;
    s.heapSize = 0;
    s.passWroteEvent = false;
}

// Sets tracks back to their start until the fill's budget is spent; true once every track is primed. A
// failed read ends the rewind there: the tracks after it keep the end flags of the pass before.
bool PrimeTracksWithinBudget(MusicState& m, FileSystem* files, bool budgeted) {
    SongState& s = m.song;
    while (s.tracksToPrime < s.TrackCount) {
        if (budgeted && FillBudgetSpent(s)) return false;
        TrackReader& t = s.tracks[s.tracksToPrime++];
        ++s.work.tracksPrimed;
        if (!files->Seek(s.file, t.dataStart) || !PrimeTrack(m, files, t)) s.tracksToPrime = s.TrackCount;
    }
    BuildTrackHeap(s);
    return true;
}

} // namespace

StreamEventRecord StreamEventAt(const uint8_t* data, uint32_t index) {
    const uint8_t* p = data + index * kStreamEventBytes;
    auto le = [](const uint8_t* q) {
        return uint32_t(q[0]) | uint32_t(q[1]) << 8 | uint32_t(q[2]) << 16 | uint32_t(q[3]) << 24;
    };
    return {le(p), le(p + 4), le(p + 8)};
}

int32_t OpenSong(MusicState& m, FileSystem* files, const char* path) {
    // A song left open would leak its windows: close it first.
    CloseSong(m, files);
    SongState& s = m.song;
    s.TrackCount = 0;
    s.TimeDivision = 0;
    s.SongFormat = 0;
    s.LastEventTime = 0;
    s.tracks = nullptr;
    s.work = {};
    s.passWroteEvent = false;
    if (!files || !path) return 1;
    s.file = files->Open(path);
    if (s.file == kNoFile) return 1;

    auto fail = [&m, files]() {
        CloseSong(m, files);
        return 1;
    };
    if (!files->Size(s.file, s.FileSize)) return fail();
    // Opening primes every track, so its cost grows with the file: beyond this size no song is accepted.
    if (s.FileSize > kMaxSongFileBytes) return fail();

    uint8_t header[8];
    if (!ReadExactly(m, files, header, 8) || std::memcmp(header, "MThd", 4) != 0) return fail();
    uint32_t headerLength = BigEndian32(header + 4);
    if (headerLength < 6) return fail();
    uint8_t fields[6];
    if (!ReadExactly(m, files, fields, 6)) return fail();
    s.SongFormat = BigEndian16(fields);
    s.TrackCount = BigEndian16(fields + 2);
    s.TimeDivision = BigEndian16(fields + 4);
    uint64_t position = 8 + uint64_t(headerLength);
    if (position > 0xFFFFFFFFu || !files->Seek(s.file, uint32_t(position))) return fail();

    s.tracks = new (std::nothrow) TrackReader[s.TrackCount ? s.TrackCount : 1]();
    s.trackHeap = new (std::nothrow) uint32_t[s.TrackCount ? s.TrackCount : 1];
    if (!s.tracks || !s.trackHeap) return fail();
    for (uint32_t i = 0; i < s.TrackCount; ++i) {
        TrackReader& t = s.tracks[i];
        uint8_t chunk[8];
        if (!ReadExactly(m, files, chunk, 8) || std::memcmp(chunk, "MTrk", 4) != 0) return fail();
        t.length = BigEndian32(chunk + 4);
        t.window = new (std::nothrow) uint8_t[WindowBytesFor(t.length)]();
        if (!t.window) return fail();
        position += 8;
        t.dataStart = uint32_t(position);
        if (!PrimeTrack(m, files, t)) return fail();
        ++s.work.tracksPrimed;
        position += t.length;
        if (position > 0xFFFFFFFFu || !files->Seek(s.file, uint32_t(position))) return fail();
    }
    s.tracksToPrime = s.TrackCount;
    BuildTrackHeap(s);
    return 0;
}

void CloseSong(MusicState& m, FileSystem* files) {
    SongState& s = m.song;
    if (s.file != kNoFile) {
        if (files) files->Close(s.file);
        s.file = kNoFile;
    }
    if (s.tracks) {
        for (uint32_t i = 0; i < s.TrackCount; ++i) delete[] s.tracks[i].window;
        delete[] s.tracks;
        s.tracks = nullptr;
    }
    delete[] s.trackHeap;
    s.trackHeap = nullptr;
    s.heapSize = 0;
    s.tracksToPrime = 0;
    // An event kept for the next buffer would otherwise leak its payload.
    FreePayload(m, s.event);
}

int32_t RewindSong(MusicState& m, FileSystem* files) {
    SongState& s = m.song;
    s.LastEventTime = 0;
    if (!SongOpen(m)) return 1;
    BeginRewind(s);
    PrimeTracksWithinBudget(m, files, false);
    return 0;
}

bool RefillTrackWindow(MusicState& m, FileSystem* files, TrackReader& t) {
    if (t.bytesNotYetRead == 0) return false;
    t.readPointer = t.window;
    if (!files->Seek(m.song.file, t.nextFileOffset)) return false;
    uint32_t want = t.bytesNotYetRead < kTrackWindowBytes ? t.bytesNotYetRead : kTrackWindowBytes;
    int32_t got = files->Read(m.song.file, t.window, want);
    if (got <= 0) {
        t.bytesInWindow = 0;
        return false;
    }
    m.song.work.bytesRead += uint32_t(got);
    t.bytesInWindow = uint32_t(got);
    t.bytesNotYetRead -= uint32_t(got);
    t.nextFileOffset += uint32_t(got);
    return true;
}

bool ReadTrackByte(MusicState& m, FileSystem* files, TrackReader& t, uint8_t& byte) {
    if (t.bytesInWindow == 0 && !RefillTrackWindow(m, files, t)) return false;
    byte = *t.readPointer++;
    t.bytesInWindow -= 1;
    return true;
}

bool ReadVarLen(MusicState& m, FileSystem* files, TrackReader& t, uint32_t& value) {
    if (t.flags & kTrackEnded) return false;
    uint32_t v = 0;
    for (;;) {
        if (BytesLeft(t) == 0) {
            t.flags |= kTrackEnded;
            return false;
        }
        uint8_t b;
        if (!ReadTrackByte(m, files, t, b)) return false;
        v = (v << 7) | (b & 0x7F);
        if (!(b & 0x80)) break;
    }
    value = v;
    return true;
}

bool ReadTrackEvent(MusicState& m, FileSystem* files, TrackReader& t) {
    TrackEvent& e = m.song.event;
    FreePayload(m, e);
    e = TrackEvent{};
    if ((t.flags & kTrackEnded) || BytesLeft(t) == 0) return false;
    uint8_t b;
    if (!ReadTrackByte(m, files, t, b)) return false;

    if (b < 0x80) {
        if (t.runningStatus == 0) return false;
        e.status = t.runningStatus;
        e.data1 = b;
        e.length = 2;
        uint8_t kind = e.status & 0xF0;
        if (kind != 0xC0 && kind != 0xD0) {
            if (BytesLeft(t) == 0) {
                t.flags |= kTrackEnded;
                return false;
            }
            if (!ReadTrackByte(m, files, t, e.data2)) return false;
            e.length = 3;
        }
    } else if (b <= 0xEF) {
        e.status = b;
        t.runningStatus = b;
        uint32_t n = (b >= 0xC0 && b <= 0xDF) ? 1 : 2;
        e.length = n + 1;
        if (BytesLeft(t) < n) {
            t.flags |= kTrackEnded;
            return false;
        }
        if (!ReadTrackByte(m, files, t, e.data1)) return false;
        if (n == 2 && !ReadTrackByte(m, files, t, e.data2)) return false;
    } else if (b == 0xF0 || b == 0xF7) {
        e.status = b;
        if (!ReadVarLen(m, files, t, e.length)) return false;
        if (!ReadPayload(m, files, t, e)) return false;
    } else if (b == 0xFF) {
        e.status = 0xFF;
        if (BytesLeft(t) == 0) {
            t.flags |= kTrackEnded;
            return false;
        }
        if (!ReadTrackByte(m, files, t, e.data1)) return false;
        if (!ReadVarLen(m, files, t, e.length)) return false;
        if (e.length > 0 && !ReadPayload(m, files, t, e)) return false;
        if (e.data1 == 0x2F) t.flags |= kTrackEnded;
    } else {
        return false;
    }

    e.time = t.time;
    if (!(t.flags & kTrackEnded)) {
        uint32_t delta;
        if (!ReadVarLen(m, files, t, delta)) return false;
        t.time += delta;
    }
    return true;
}

int32_t AddStreamEvent(MusicState& m, TrackEvent& e, StreamBuffer& b) {
    SongState& s = m.song;
    if (b.bytesFilled == 0) b.startTime = s.LastEventTime;
    if (s.LastEventTime - b.startTime > s.dwBufferTickLength) {
        if (b.SpanExceeded) {
            b.SpanExceeded = 0;
            return BufferFull;
        }
        b.SpanExceeded = 1;
    }
    uint32_t delta = e.time - s.LastEventTime;
    int32_t result = 0;
    if (e.status < 0xF0) {
        if (b.maxLength - b.bytesFilled < kStreamEventBytes) return BufferFull;
        uint32_t data2 = e.length >= 3 ? e.data2 : 0;
        WriteEvent(b, delta, MEVT_SHORTMSG << 24 | uint32_t(e.status) | uint32_t(e.data1) << 8 | data2 << 16);
        s.LastEventTime = e.time;
    } else if (e.status == 0xF0 || e.status == 0xF7) {
        FreePayload(m, e);
    } else if (e.data1 != 0x51) {
        FreePayload(m, e);
        result = EventSkipped;
    } else {
        if (b.maxLength - b.bytesFilled < kStreamEventBytes) return BufferFull;
        uint32_t tempo = 0;
        if (e.payload && e.length >= 3)
            tempo = uint32_t(e.payload[0]) << 16 | uint32_t(e.payload[1]) << 8 | e.payload[2];
        int32_t percent = m.TempoPercent.load();
        // A short tempo event, a tempo of 0 or a percentage of 0 cannot be converted without reading past the
        // payload or dividing by zero: the event is dropped like any other meta event and the stream keeps
        // its previous tempo.
        if (tempo == 0 || percent <= 0) {
            FreePayload(m, e);
            result = EventSkipped;
        } else {
            s.CurrentTempo = tempo;
            uint32_t scaled = tempo * 100u / uint32_t(percent);
            if (scaled > 0xFFFFFF) scaled = 0xFFFFFF; // keeps the event type byte intact
            if (scaled == 0) scaled = 1;
            WriteEvent(b, delta, MEVT_TEMPO << 24 | scaled);
            s.dwBufferTickLength = s.TimeDivision * 60000u / tempo;
            FreePayload(m, e);
            s.LastEventTime = e.time;
        }
    }
    // Only written events move LastEventTime: one that is dropped passes its delta on to the next written
    // event, so a text or system-exclusive event never shifts the notes after it.
    return result;
}

namespace {

int32_t FillWithinBudget(MusicState& m, FileSystem* files, int32_t reset, StreamBuffer& b) {
    SongState& s = m.song;
    b.bytesFilled = 0;
    if (reset) {
        // A rewind under way stays under way: its tracks are only partly set back.
        s.ConverterStatus &= kConverterRewinding;
        FreePayload(m, s.event);
        s.event = TrackEvent{};
    }
    // A song closed under the converter (a failure in the callback) stays silent.
    if (!SongOpen(m)) return FillStuck;
    if (s.ConverterStatus & kConverterDone) {
        if (!m.LoopSong.load()) return FillEnd;
        // A pass that wrote nothing, or wrote all its events at tick 0, would loop again at once and for
        // ever without a sound or in no time: the song stays silent instead of reading itself over and over.
        if (!s.passWroteEvent || s.LastEventTime == 0) return FillEnd;
        BeginRewind(s);
        s.ConverterStatus = kConverterRewinding;
    } else if (s.ConverterStatus & kConverterStuck) {
        return FillStuck;
    } else if (s.ConverterStatus & kConverterPending) {
        s.ConverterStatus &= ~kConverterPending;
        if (AddStreamEvent(m, s.event, b) == BufferFull) {
            s.ConverterStatus |= kConverterPending;
            return 0;
        }
    }
    if (s.ConverterStatus & kConverterRewinding) {
        if (!PrimeTracksWithinBudget(m, files, true)) return 0;
        s.ConverterStatus &= ~kConverterRewinding;
    }
    for (;;) {
        if (s.heapSize == 0) {
            s.ConverterStatus |= kConverterDone;
            return 0;
        }
        if (FillBudgetSpent(s)) return 0;
        TrackReader& next = s.tracks[s.trackHeap[0]];
        if (next.flags & kTrackEnded) { // ended by a direct read from outside the merge
            DropHeapTop(s);
            continue;
        }
        ++s.work.eventsRead;
        if (!ReadTrackEvent(m, files, next)) {
            s.ConverterStatus |= kConverterStuck;
            return FillCorrupt;
        }
        if (next.flags & kTrackEnded)
            DropHeapTop(s);
        else
            ReplaceHeapTop(s);
        if (s.event.status == 0xFF && s.event.data1 == 0x2F) {
            FreePayload(m, s.event);
            continue;
        }
        if (AddStreamEvent(m, s.event, b) == BufferFull) {
            s.ConverterStatus |= kConverterPending;
            return 0;
        }
    }
}

} // namespace

int32_t FillStreamBuffer(MusicState& m, FileSystem* files, int32_t reset, StreamBuffer& b) {
    SongState& s = m.song;
    s.work = {};
    int32_t result = FillWithinBudget(m, files, reset, b);
    if (b.bytesFilled > 0) s.passWroteEvent = true;
    return result;
}

} // namespace vorna
