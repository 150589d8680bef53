// The portable half of the application shell: command line, tick loop and frame driver.
#pragma once
#include "base/game.h"

namespace vorna {

int ParseCommandLine(Game& g, const char* text);
int InitAppState(Game& g);
// Runs until the quit message; returns its code.
int MessageLoop(Game& g);
int FrameDriver(Game& g);
int RequestShutdown(Game& g);

} // namespace vorna
