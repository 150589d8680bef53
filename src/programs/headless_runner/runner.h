// vorna-headless as a callable: runs the game from process start on the headless backend.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "programs/headless_runner/runner_options.h"

namespace vorna {

enum RunnerExit : int { RunnerDone = 0, RunnerDifferent = 1, RunnerBadArguments = 2 };

// The whole program: arguments after the program name; the trace ("-") goes to out,
// messages to err. Returns the process exit code.
int RunHeadlessMain(const std::vector<std::string>& args, std::FILE* in, std::FILE* out, std::FILE* err);

} // namespace vorna
