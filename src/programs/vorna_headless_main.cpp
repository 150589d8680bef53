// vorna-headless: runs the game's core on the headless backend for tests and replays.
#include <cstdio>
#include <string>
#include <vector>

#include "programs/headless_runner/runner.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return vorna::RunHeadlessMain(args, stdin, stdout, stderr);
}
