// The MIDI stream player: one looping song at a time, two buffers in flight.
#pragma once
#include <cstdint>

#include "base/game.h"
#include "base/music_numbers.h"

namespace vorna {

extern const char* const MusicFileTable[kMusicCount];

int OpenMusic(Game& g);
int CloseMusic(Game& g);
int PlayMusic(Game& g, int number);
int StopMusic(Game& g);
int SetMusicTempo(Game& g, int percent);

// The player's own steps, exposed for tests.
int LoadSong(Game& g, const char* path);
int32_t PrepareSong(Game& g);
int StartSong(Game& g, int loop);
int StopSong(Game& g);
void FreeStreamBuffers(Game& g);
// Runs on the device's thread; context is the Game.
void StreamCallback(void* context, unsigned message, MidiHeader* header);
// The path of music number n beside the executable; false when it does not fit into SongPath.
bool BuildMusicPath(Game& g, int number, char (&path)[kSongPathBytes]);

constexpr uint32_t kStopWaitMs = 2000;

} // namespace vorna
