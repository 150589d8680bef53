// The headless trace: one JSON line per running frame, in a canonical byte-exact form.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/game.h"

namespace vorna {

constexpr uint64_t kFnvOffsetBasis = 0xcbf29ce484222325ull;
constexpr uint64_t kFnvPrime = 0x100000001b3ull;

uint64_t Fnv1a64(const uint8_t* data, size_t size, uint64_t hash = kFnvOffsetBasis);
// The 76,800 bytes of the 320 x 240 back buffer, row by row; rows the surface lacks count as zeros.
uint64_t BackBufferHash(const Surface& backBuffer);

// What the game asked of sound and music during one running frame, in call order.
struct FrameEvents {
    std::vector<int> sounds;
    std::vector<std::string> music; // "play N", "stop", "tempo P"
    void Clear() {
        sounds.clear();
        music.clear();
    }
};

// A music call as the trace lists it: "play N", "stop" or "tempo P".
std::string MusicCallText(GameObserver::MusicCall call, int argument);

// Appends one trace line (without its line end) describing the game after running frame `frame`.
void AppendTraceLine(std::string& out, const Game& g, uint32_t frame, const FrameEvents& events);

} // namespace vorna
