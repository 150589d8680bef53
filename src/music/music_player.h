// The MIDI stream player: one looping song at a time, two buffers in flight.
#pragma once
#include <cstdint>

#include "base/music_numbers.h"
#include "base/music_state.h"

namespace vorna {

extern const char* const MusicFileTable[kMusicCount];

// The player takes the music state with the stream device, the song files and the observer it reports to.
int OpenMusic(const MusicContext& c);
int CloseMusic(const MusicContext& c);
int PlayMusic(const MusicContext& c, int number);
int StopMusic(const MusicContext& c);
int SetMusicTempo(const MusicContext& c, int percent);

// The player's own steps, exposed for tests.
int LoadSong(const MusicContext& c, const char* path);
int32_t PrepareSong(const MusicContext& c);
int StartSong(const MusicContext& c, int loop);
int StopSong(const MusicContext& c);
void FreeStreamBuffers(MusicState& m, MidiStreamDevice* midi);
// Runs on the device's thread; context is the MusicState, which holds the services the refill calls.
void StreamCallback(void* context, unsigned message, MidiHeader* header);
// The path of music number n beside the executable; false when it does not fit into SongPath.
bool BuildMusicPath(FileSystem* files, int number, char (&path)[kSongPathBytes]);

constexpr uint32_t kStopWaitMs = 2000;

} // namespace vorna
