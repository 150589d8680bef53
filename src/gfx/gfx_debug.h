// The graphics subsystem's debugger-output lines (UTF-8; the shell converts them for its platform).
#pragma once
#include "platform/shell.h"

namespace vorna {

// Only the debug sink is needed: without a shell the line goes nowhere.
inline void GfxDebug(Shell* shell, const char* line) {
    if (shell) shell->DebugOutput(line);
}

} // namespace vorna
