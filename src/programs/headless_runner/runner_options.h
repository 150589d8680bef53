// The runner's command line: options, their defaults and the frame lists of --dump-frames.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vorna {

// Running frames named by a list like "1,128-130,500".
class FrameList {
public:
    // False with an error text when the list is malformed.
    bool Parse(const std::string& text, std::string& error);
    bool Contains(uint32_t frame) const;
    bool Empty() const { return ranges_.empty(); }

private:
    std::vector<std::pair<uint32_t, uint32_t>> ranges_; // inclusive
};

struct RunnerOptions {
    uint32_t frames = 1000;
    std::string inputPath;  // empty: no input at all; "-": standard input
    std::string switches;   // handed to the game's own switch parser
    std::string tracePath;  // empty: no trace; "-": standard output
    std::string expectPath; // empty: nothing to compare
    std::string dumpDir;
    FrameList dumpFrames;
    std::string debugOutputPath;
    bool help = false;
};

// Reads the arguments after the program name. On failure returns false and sets error to one
// line naming the option.
bool ParseRunnerOptions(const std::vector<std::string>& args, RunnerOptions& options, std::string& error);

extern const char* const kRunnerUsage;

} // namespace vorna
