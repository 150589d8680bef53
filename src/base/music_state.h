// State of the music: the song converter and the MIDI stream player (shared with the device's callback thread).
#pragma once
#include <atomic>
#include <cstdint>

#include "platform/files.h"
#include "platform/midi_stream.h"
#include "platform/platform.h"

namespace vorna {

constexpr uint32_t kTrackWindowBytes = 1024;
constexpr uint32_t kStreamBufferBytes = 1024;
constexpr uint32_t kTrackEnded = 1; // TrackReader::flags

// One track chunk, read through its own 1024-byte window.
struct TrackReader {
    uint32_t flags;
    uint32_t length;
    uint32_t bytesInWindow;
    uint8_t* window;
    uint8_t* readPointer;
    uint32_t time;
    uint8_t runningStatus;
    uint32_t dataStart;
    uint32_t nextFileOffset;
    uint32_t bytesNotYetRead;
};

struct TrackEvent {
    uint32_t time;
    uint8_t status;
    uint8_t data1; // a meta event's type
    uint8_t data2;
    uint32_t length;
    uint8_t* payload;
};

// ConverterStatus bits.
constexpr uint32_t kConverterDone = 1;
constexpr uint32_t kConverterStuck = 2;
constexpr uint32_t kConverterPending = 4;
// The tracks are being set back to their start a piece per fill; merging waits until every one is primed.
constexpr uint32_t kConverterRewinding = 8;

// Limits that keep any file's cost bounded: the file the reader accepts, and the work of one fill (events
// read from the tracks, bytes read from the file). A fill that reaches either hands back what it has and
// the next fill goes on where it stopped.
constexpr uint32_t kMaxSongFileBytes = 1u << 20;
constexpr uint32_t kFillEventBudget = 2048;
constexpr uint32_t kFillByteBudget = 64u << 10;

// What one fill (or an open) cost: the tests hold these to the budgets above.
struct ConverterWork {
    uint32_t bytesRead = 0;
    uint32_t eventsRead = 0;
    uint32_t tracksPrimed = 0;
    // The budget is checked between events, so one event's payload can pass it (by at most the file size).
    uint32_t largestPayload = 0;
};

// Conversion results.
constexpr int32_t FillCorrupt = -101;
constexpr int32_t FillStuck = -102;
constexpr int32_t FillEnd = -103;
constexpr int32_t BufferFull = -104;
constexpr int32_t EventSkipped = -105;

struct StreamBuffer {
    MidiHeader header;
    uint32_t startOffset;
    uint32_t maxLength;
    uint32_t bytesFilled;
    uint32_t startTime;
    uint32_t SpanExceeded;
};

// The converter's state. Filled on the game thread before the stream starts and on the callback thread
// afterwards, never by both at once: the player's atomics order the hand-over.
struct SongState {
    int file = kNoFile;
    uint32_t TrackCount = 0;
    uint32_t TimeDivision = 0;
    uint32_t SongFormat = 0;
    uint32_t FileSize = 0; // bounds payload sizes by what the file can still hold
    TrackReader* tracks = nullptr;
    // Indices of the tracks still to merge, a min-heap by (next event time, track index), so picking the
    // next event costs log(tracks) and equal times still go to the earlier track.
    uint32_t* trackHeap = nullptr;
    uint32_t heapSize = 0;
    uint32_t tracksToPrime = 0;  // while rewinding: tracks from this index on are not set back yet
    bool passWroteEvent = false; // the pass since the open or the last rewind has written an event
    ConverterWork work;
    TrackEvent event = {};
    uint32_t ConverterStatus = 0;
    uint32_t LastEventTime = 0;
    uint32_t CurrentTempo = 0;
    uint32_t dwBufferTickLength = 0;
    // Payloads allocated and not yet freed; read by tests from another thread, hence atomic.
    std::atomic<int32_t> PayloadCount{0};
};

// PlayerState values as the callback reads them.
constexpr int32_t PlayerPlaying = 0;
constexpr int32_t PlayerStopping = 100;
constexpr int32_t PlayerStopped = 200;

constexpr uint32_t kSongPathBytes = 260;

// Copying a game copies a closed player: only the game-level flag and the tempo carry over.
struct MusicState {
    MusicState() = default;
    MusicState(const MusicState& other) { *this = other; }
    MusicState& operator=(const MusicState& other) {
        if (this != &other) {
            MusicOn = other.MusicOn;
            TempoPercent.store(other.TempoPercent.load());
        }
        return *this;
    }

    int32_t MusicOn = 0;
    std::atomic<int32_t> TempoPercent{100};

    SongState song;
    bool StreamOpen = false;
    SyncEvent* BufferReturnEvent = nullptr;
    StreamBuffer buffers[2] = {};
    int32_t HeadersPrepared = 0;
    std::atomic<int32_t> ReturnedBuffers{0};
    std::atomic<int32_t> NextBuffer{0};
    std::atomic<int32_t> PlayerState{PlayerPlaying};
    std::atomic<int32_t> SongLoaded{0};
    std::atomic<int32_t> SongPlaying{0};
    std::atomic<int32_t> LoopSong{0};
    char SongPath[kSongPathBytes] = {};
    // The services the open stream's done-callback refills through (its context is this record). Set on the
    // game thread before the stream opens, so the device's own start-up orders them before any callback.
    MidiStreamDevice* callbackMidi = nullptr;
    FileSystem* callbackFiles = nullptr;
};

// What the player's routines take instead of the whole game: the music state and the services they call
// (the stream device, the files songs are read from, and the optional observer).
struct MusicContext {
    MusicState& music;
    MidiStreamDevice* midi;
    FileSystem* files;
    GameObserver* observer;
};

} // namespace vorna
