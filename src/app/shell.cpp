// The portable half of the application shell: command line, tick loop and frame driver.
#include "app/shell.h"

namespace vorna {

int ParseCommandLine(Game&, const char*) { return 1; }
int InitAppState(Game&) { return 1; }
int MessageLoop(Game&) { return 0; }
int FrameDriver(Game&) { return 1; }
int RequestShutdown(Game&) { return 1; }

} // namespace vorna
