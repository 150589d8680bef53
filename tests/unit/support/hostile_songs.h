// Songs built to be expensive or awkward for the reader: many tracks, huge deltas, windows cut mid-message.
#pragma once
#include <cstdint>
#include <vector>

#include "audio_fixtures.h"

namespace vorna::testing {

constexpr uint32_t kMostTracks = 65535; // the header's 16-bit track count
constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kMiddleC = 60;
constexpr uint8_t kLoud = 100;

// Every track holds only its end-of-track event.
inline Bytes EndOnlyTracksSong(uint32_t tracks = kMostTracks) {
    return Song(std::vector<TrackBuilder>(tracks, TrackBuilder{}.End()));
}

// Every track chunk is empty (length 0).
inline Bytes EmptyChunksSong(uint32_t tracks = kMostTracks) {
    return Song(std::vector<TrackBuilder>(tracks, TrackBuilder{}));
}

// Every track plays one note at tick 1: the largest song of most tracks that still fits the size limit.
inline Bytes OneNotePerTrackSong(uint32_t tracks = kMostTracks) {
    return Song(std::vector<TrackBuilder>(tracks, TrackBuilder{}.Note(1, kNoteOn, kMiddleC, kLoud).End()));
}

// Notes a quarter of the 32-bit tick range apart, so the track times wrap around.
inline Bytes HugeDeltasSong() {
    TrackBuilder t;
    for (int i = 0; i < 8; ++i) t.Note(0x0FFFFFFF, kNoteOn, uint8_t(kMiddleC + i), kLoud);
    return Song({t.End(), TrackBuilder{}.Note(0x0FFFFFFF, kNoteOn, kMiddleC, kLoud).End()});
}

// One status byte, then thousands of running-status messages, so messages straddle every window edge.
inline Bytes RunningStatusAcrossWindowsSong(int messages = 3000) {
    TrackBuilder t;
    t.Note(0, kNoteOn, kMiddleC, kLoud);
    for (int i = 0; i < messages; ++i) t.Raw(1, {uint8_t(i & 0x7F), kLoud});
    return Song({t.End()});
}

// A tempo event on every tick, each a different tempo.
inline Bytes TempoEveryTickSong(int ticks = 2000) {
    TrackBuilder t;
    for (int i = 0; i < ticks; ++i) t.Tempo(i ? 1 : 0, 400000 + uint32_t(i) * 7);
    return Song({t.Note(0, kNoteOn, kMiddleC, kLoud).End()});
}

// The last track's length claims far more bytes than the file holds.
inline Bytes TrackPastTheEndSong() {
    Bytes b =
        Song({TrackBuilder{}.Note(0, kNoteOn, kMiddleC, kLoud).End(), TrackBuilder{}.Note(5, kNoteOn, 61, kLoud)});
    const size_t lengthField = b.size() - 4 - 4; // the last track's 4 data bytes follow its length field
    b[lengthField] = 0x00;
    b[lengthField + 1] = 0x0F;
    return b;
}

// Notes only at tick 0: a pass of this song takes no time at all.
inline Bytes TimelessSong() {
    return Song({TrackBuilder{}.Note(0, kNoteOn, kMiddleC, kLoud).Note(0, kNoteOn, 64, kLoud).End(),
                 TrackBuilder{}.Meta(0, 0x01, {'x'}).End(500)});
}

inline std::vector<Bytes> HostileSongs() {
    return {EndOnlyTracksSong(),
            EmptyChunksSong(),
            OneNotePerTrackSong(),
            HugeDeltasSong(),
            RunningStatusAcrossWindowsSong(),
            TempoEveryTickSong(),
            TrackPastTheEndSong()};
}

} // namespace vorna::testing
