// The SDL2 audio devices: the effect mixer and the FluidSynth MIDI stream share one SDL audio output.
#pragma once
#include <memory>

#include "platform/midi_stream.h"
#include "platform/sound_device.h"

namespace vorna {

// The rate DirectSound mixes at when its primary buffer is never given a format, as the game leaves it.
// The effects are 11 and 22 kHz sounds, so they lose nothing, and the synthesizer costs half what it
// does at 44.1 kHz: most of the game's own share of a core while music plays.
constexpr int kDesktopOutputRate = 22050;

struct Sdl2AudioOptions {
    // General MIDI SoundFont; null: $VORNA_SOUNDFONT, else /usr/share/sounds/sf2/TimGM6mb.sf2, else Debian's
    // /usr/share/sounds/sf2/default-GM.sf2 alternative. Without any the music protocol still runs, silently.
    const char* soundFont = nullptr;
    // SDL audio driver to ask for first (null: SDL's own choice, $SDL_AUDIODRIVER). When it cannot be
    // opened the output falls back to SDL's "dummy" driver, so the game never fails for want of a sound card.
    const char* driver = nullptr;
    int sampleRate = kDesktopOutputRate;
};

// Owns both devices and the SDL audio output they share. The output opens lazily, at the first
// SoundDevice::Create or MidiStreamDevice::Open, and initialises SDL's audio subsystem itself.
// Destroy it only after the game has closed music and sound (CloseMusic, ShutdownSound).
class Sdl2Audio {
public:
    virtual ~Sdl2Audio() = default;
    virtual SoundDevice& Sound() = 0;
    virtual MidiStreamDevice& Midi() = 0;
};

std::unique_ptr<Sdl2Audio> CreateSdl2Audio(const Sdl2AudioOptions& options = {});

} // namespace vorna
