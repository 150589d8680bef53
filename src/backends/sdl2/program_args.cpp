// The desktop program's command line: its own Linux-style options, and the rest handed to the game as one text.
#include "backends/sdl2/program_args.h"

#include <cstring>

namespace vorna {

const char kDesktopUsage[] = "Usage: vorna [OPTION]... [/E] [/F] [/M] [/S]\n"
                             "Play VORNA-TESSIK Improve.\n"
                             "\n"
                             "  /F                  full screen\n"
                             "  /S                  slow motion (one frame in 21)\n"
                             "  /E, /M              accepted for the Windows program's sake; no effect here\n"
                             "  --record FILE       write what the player does as an input script (vorna-input 1)\n"
                             "  --replay FILE       play an input script back in the window (Esc still closes it)\n"
                             "  --trace FILE        write one JSON line per frame, as vorna-headless --trace does\n"
                             "                      (also VORNA_TRACE=FILE)\n"
                             "  --force             let --record and --trace replace an existing file\n"
                             "  --help              show this help and exit\n"
                             "  --version           show the version and exit\n"
                             "\n"
                             "A recording replays frame for frame with: vorna-headless --input FILE --switches TEXT\n"
                             "(its first comment line names the switches).\n";

std::string JoinArguments(int argc, const char* const* argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == nullptr) continue;
        if (!text.empty()) text += ' ';
        text += argv[i];
    }
    return text;
}

namespace {

struct PathOption {
    const char* name;
    std::string DesktopOptions::*field;
};

constexpr PathOption kPathOptions[] = {
    {"--record", &DesktopOptions::recordPath},
    {"--replay", &DesktopOptions::replayPath},
    {"--trace", &DesktopOptions::tracePath},
};

void AddGameWord(std::string& text, const char* word) {
    if (!text.empty()) text += ' ';
    text += word;
}

} // namespace

bool ParseProgramArgs(int argc, const char* const* argv, DesktopOptions& out, std::string& error) {
    out = DesktopOptions{};
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (arg == nullptr) continue;
        if (optionsEnded || std::strncmp(arg, "--", 2) != 0) {
            AddGameWord(out.gameText, arg);
            continue;
        }
        if (std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
            continue;
        }
        if (std::strcmp(arg, "--force") == 0) {
            out.force = true;
            continue;
        }
        if (std::strcmp(arg, "--help") == 0) {
            out.help = true;
            continue;
        }
        if (std::strcmp(arg, "--version") == 0) {
            out.version = true;
            continue;
        }
        const PathOption* option = nullptr;
        const char* value = nullptr;
        for (const PathOption& o : kPathOptions) {
            const size_t n = std::strlen(o.name);
            if (std::strncmp(arg, o.name, n) != 0) continue;
            if (arg[n] == '=') {
                option = &o;
                value = arg + n + 1;
            } else if (arg[n] == '\0') {
                option = &o;
                if (i + 1 < argc) value = argv[++i];
            }
        }
        if (option == nullptr) {
            error = std::string("unknown option ") + arg + " (try --help)";
            return false;
        }
        if (value == nullptr || *value == '\0') {
            error = std::string(option->name) + " needs a file name";
            return false;
        }
        std::string& field = out.*(option->field);
        if (!field.empty()) {
            error = std::string(option->name) + " is given twice";
            return false;
        }
        field = value;
    }
    if (!out.recordPath.empty() && !out.replayPath.empty()) {
        error = "--record and --replay cannot be used together";
        return false;
    }
    return true;
}

} // namespace vorna
