// vorna-headless as a callable: runs the game from process start on the headless backend.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "programs/headless_runner/runner_options.h"

namespace vorna {

enum RunnerExit : int { RunnerDone = 0, RunnerDifferent = 1, RunnerBadArguments = 2 };

// What the run's MIDI stream did, for tests: music never shows in the trace.
struct HeadlessRunStats {
    int midiBuffersQueued = 0;    // every Out, the player's first two fills and its refills
    int midiBuffersPlayedOut = 0; // played to their end during the run, each one refilled or held back
    int midiBuffersStopped = 0;   // handed back unplayed by a stop
};

// The whole program: arguments after the program name; the trace ("-") goes to out,
// messages to err. Returns the process exit code; stats, when given, is filled even on failure.
int RunHeadlessMain(const std::vector<std::string>& args, std::FILE* in, std::FILE* out, std::FILE* err,
                    HeadlessRunStats* stats = nullptr);

} // namespace vorna
