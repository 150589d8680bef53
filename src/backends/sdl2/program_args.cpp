// The desktop program's command line handed to the game as one text, the way Windows gives it.
#include "backends/sdl2/program_args.h"

namespace vorna {

std::string JoinArguments(int argc, const char* const* argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == nullptr) continue;
        if (!text.empty()) text += ' ';
        text += argv[i];
    }
    return text;
}

} // namespace vorna
