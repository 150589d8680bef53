// State of the music: the song converter and the MIDI stream player (shared with the device's callback thread).
#pragma once
#include <cstdint>

namespace vorna {

// Filled in by the music subsystem. Copying a game copies a closed player.
struct MusicState {
    int32_t MusicOn = 0;
    int32_t TempoPercent = 100;
};

} // namespace vorna
