// Reads a Standard MIDI File track by track through small windows and converts it into stream buffers.
#pragma once
#include <cstdint>

#include "base/music_state.h"
#include "platform/files.h"

namespace vorna {

// The reader keeps its state in the music record and reads the song through files.
// 0 on success, 1 on failure (everything already closed again).
int32_t OpenSong(MusicState& m, FileSystem* files, const char* path);
void CloseSong(MusicState& m, FileSystem* files);
int32_t RewindSong(MusicState& m, FileSystem* files);
// 0 (buffer filled), FillEnd, FillCorrupt or FillStuck. reset is 1 for the first buffer of a song.
int32_t FillStreamBuffer(MusicState& m, FileSystem* files, int32_t reset, StreamBuffer& buffer);
// 0, EventSkipped or BufferFull.
int32_t AddStreamEvent(MusicState& m, TrackEvent& event, StreamBuffer& buffer);

// The track reader, exposed for tests. Each returns true on success.
bool ReadTrackEvent(MusicState& m, FileSystem* files, TrackReader& track);
bool ReadVarLen(MusicState& m, FileSystem* files, TrackReader& track, uint32_t& value);
bool ReadTrackByte(MusicState& m, FileSystem* files, TrackReader& track, uint8_t& byte);
bool RefillTrackWindow(MusicState& m, FileSystem* files, TrackReader& track);

// The 12-byte stream event at index i of a filled buffer.
struct StreamEventRecord {
    uint32_t delta;
    uint32_t streamId;
    uint32_t event;
};
StreamEventRecord StreamEventAt(const uint8_t* data, uint32_t index);

constexpr uint32_t kStreamEventBytes = 12;
constexpr uint32_t MEVT_SHORTMSG = 0;
constexpr uint32_t MEVT_TEMPO = 1;

} // namespace vorna
