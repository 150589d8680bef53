// The MIDI stream player: one looping song at a time, two buffers in flight.
#pragma once
#include <cstdint>

#include "app/game.h"

namespace vorna {

extern const char* const MusicFileTable[14];

int OpenMusic(Game& g);
int CloseMusic(Game& g);
int PlayMusic(Game& g, int number);
int StopMusic(Game& g);
int SetMusicTempo(Game& g, int percent);

} // namespace vorna
