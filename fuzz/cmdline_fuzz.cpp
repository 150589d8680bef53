// Fuzz target of the game's command line: any text is accepted, and only the mode switches change.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "app/shell.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size); // stops at the first zero when read
    static std::unique_ptr<vorna::Game> g = std::make_unique<vorna::Game>();
    if (vorna::ParseCommandLine(*g, text.c_str()) != 1) __builtin_trap();
    const auto& d = g->display;
    const bool flags = (d.EmulationOnly == 0 || d.EmulationOnly == 1) &&
                       (d.FullScreenMode == 0 || d.FullScreenMode == 1) &&
                       (d.SystemMemorySurfaces == 0 || d.SystemMemorySurfaces == 1);
    if (!flags || g->app.FrameSkipCountdown != 0) __builtin_trap();
    return 0;
}
