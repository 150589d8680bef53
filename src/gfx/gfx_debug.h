// The graphics subsystem's debugger-output lines (UTF-8; the shell converts them for its platform).
#pragma once
#include "base/game.h"

namespace vorna {

inline void GfxDebug(Game& g, const char* line) {
    if (g.platform.shell) g.platform.shell->DebugOutput(line);
}

} // namespace vorna
