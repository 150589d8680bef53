// The SDL2 audio engine: effect voices and the MIDI stream, mixed together in one audio callback.
#pragma once
#include <memory>

#include "backends/sdl2/sdl2_audio.h"

namespace vorna {

// What CreateSdl2Audio returns, with the parts that tests, benchmarks and offline rendering use.
class Sdl2AudioEngine : public Sdl2Audio {
public:
    // offline: no SDL device at all; the owner calls Render itself at the given rate.
    static std::unique_ptr<Sdl2AudioEngine> Create(const Sdl2AudioOptions& options, bool offline);
    // Mixes frames of interleaved stereo float samples (the effect voices and the music).
    virtual void Render(float* stereo, int frames) = 0;
    virtual int SampleRate() const = 0;
    // The SDL driver in use once the output is open ("dummy" after a fall-back), or "offline".
    virtual const char* DriverName() const = 0;
    virtual bool HasSynth() const = 0;
};

} // namespace vorna
