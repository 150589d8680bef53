// The desktop program's command line: its own Linux-style options, and the rest handed to the game as one text.
#pragma once
#include <string>

namespace vorna {

// The arguments after the program name, joined by single spaces (the switches may stand anywhere in it).
std::string JoinArguments(int argc, const char* const* argv);

struct DesktopOptions {
    std::string gameText;   // what the game's own switch scanner reads (/E /F /M /S)
    std::string recordPath; // --record FILE: write the player's input as an input script
    std::string replayPath; // --replay FILE: take the input from a script instead
    std::string tracePath;  // --trace FILE (or VORNA_TRACE): one JSON line per running frame
    bool force = false;     // --force: the record and trace files may replace existing ones
    bool help = false;
    bool version = false;
};

// Takes the program's own options out of argv, wherever they stand ("--" ends them); a path given to an
// option is never seen by the game's switch scanner. False with a one-line error for a bad command line.
bool ParseProgramArgs(int argc, const char* const* argv, DesktopOptions& out, std::string& error);

extern const char kDesktopUsage[];

} // namespace vorna
