// Fuzz target of the runner's text inputs: input scripts, and the runner's own options and frame lists.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "programs/headless_runner/input_script.h"
#include "programs/headless_runner/runner_options.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    vorna::InputScript script;
    std::string error;
    if (vorna::ParseInputScript(text, "fuzz", script, error)) {
        // A script that reads well has strictly increasing frames from 1 on and axes in range.
        uint32_t last = 0;
        for (const vorna::InputLine& line : script.lines) {
            Check(line.frame > last && line.axisX <= 65535 && line.axisY <= 65535);
            last = line.frame;
        }
        vorna::ScriptedInput input(script);
        for (uint32_t frame : {1u, 2u, last, last + 1})
            if (frame != 0) input.SetFrame(frame);
    } else {
        // One line naming the script and the line: "fuzz:N: what".
        Check(error.rfind("fuzz:", 0) == 0 && error.find('\n') == std::string::npos);
        Check(error.size() > 5 && error[5] >= '0' && error[5] <= '9');
    }

    // The same bytes as the runner's arguments, split at blanks and line ends.
    std::vector<std::string> args;
    std::string arg;
    for (char c : text) {
        if (c == ' ' || c == '\n') {
            if (!arg.empty()) args.push_back(arg);
            arg.clear();
        } else {
            arg += c;
        }
    }
    if (!arg.empty()) args.push_back(arg);
    vorna::RunnerOptions options;
    std::string optionsError;
    if (!vorna::ParseRunnerOptions(args, options, optionsError)) Check(!optionsError.empty());

    vorna::FrameList frames;
    std::string listError;
    if (frames.Parse(text, listError))
        for (uint32_t frame : {0u, 1u, 500u, 0xFFFFFFFFu}) (void)frames.Contains(frame);
    return 0;
}
