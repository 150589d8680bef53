// The runner's command line: options, their defaults and the frame lists of --dump-frames.
#include "programs/headless_runner/runner_options.h"

#include <set>

namespace vorna {
namespace {

// Far beyond any run: a frame number stays well inside 32 bits.
constexpr uint32_t kLargestFrame = 2000000000u;

bool ParseNumber(const std::string& s, uint32_t& value) {
    if (s.empty() || s.size() > 10) return false;
    uint64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<uint64_t>(c - '0');
    }
    if (v > kLargestFrame) return false;
    value = static_cast<uint32_t>(v);
    return true;
}

} // namespace

const char* const kRunnerUsage = "usage: vorna-headless [--frames N] [--input FILE] [--switches TEXT]\n"
                                 "                      [--trace FILE] [--expect FILE]\n"
                                 "                      [--dump-dir DIR] [--dump-frames LIST]\n"
                                 "                      [--debug-output FILE]\n";

bool FrameList::Parse(const std::string& text, std::string& error) {
    ranges_.clear();
    size_t pos = 0;
    while (true) {
        size_t comma = text.find(',', pos);
        std::string item = text.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
        size_t dash = item.find('-');
        uint32_t first = 0, last = 0;
        bool ok = dash == std::string::npos
                      ? ParseNumber(item, first) && ParseNumber(item, last)
                      : ParseNumber(item.substr(0, dash), first) && ParseNumber(item.substr(dash + 1), last);
        if (!ok || first == 0 || last < first) {
            error = "\"" + item + "\" is not a frame number or range like 128-130 (frames start at 1)";
            ranges_.clear();
            return false;
        }
        ranges_.emplace_back(first, last);
        if (comma == std::string::npos) return true;
        pos = comma + 1;
    }
}

bool FrameList::Contains(uint32_t frame) const {
    for (const auto& r : ranges_)
        if (frame >= r.first && frame <= r.second) return true;
    return false;
}

bool ParseRunnerOptions(const std::vector<std::string>& args, RunnerOptions& options, std::string& error) {
    options = RunnerOptions{};
    std::set<std::string> seen;
    bool haveDumpFrames = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& opt = args[i];
        if (opt == "--help" || opt == "-h") {
            options.help = true;
            continue;
        }
        static const char* const kWithValue[] = {"--frames", "--input",    "--switches",    "--trace",
                                                 "--expect", "--dump-dir", "--dump-frames", "--debug-output"};
        bool known = false;
        for (const char* k : kWithValue) known = known || opt == k;
        if (!known) {
            error = opt.compare(0, 1, "-") == 0 || opt.empty() ? "unknown option \"" + opt + "\""
                                                               : "unexpected argument \"" + opt + "\"";
            return false;
        }
        if (!seen.insert(opt).second) {
            error = opt + ": given twice";
            return false;
        }
        if (i + 1 >= args.size()) {
            error = opt + ": a value is missing";
            return false;
        }
        const std::string& value = args[++i];
        if (opt == "--frames") {
            if (!ParseNumber(value, options.frames)) {
                error = "--frames: \"" + value + "\" is not a number of frames (0 to 2000000000)";
                return false;
            }
        } else if (opt == "--dump-frames") {
            std::string why;
            if (!options.dumpFrames.Parse(value, why)) {
                error = "--dump-frames: " + why;
                return false;
            }
            haveDumpFrames = true;
        } else {
            if (value.empty() && opt != "--switches") {
                error = opt + ": the value is empty";
                return false;
            }
            std::string& target = opt == "--input"      ? options.inputPath
                                  : opt == "--switches" ? options.switches
                                  : opt == "--trace"    ? options.tracePath
                                  : opt == "--expect"   ? options.expectPath
                                  : opt == "--dump-dir" ? options.dumpDir
                                                        : options.debugOutputPath;
            target = value;
        }
    }
    if (haveDumpFrames && options.dumpDir.empty()) {
        error = "--dump-frames: needs --dump-dir to say where the pictures go";
        return false;
    }
    if (!options.dumpDir.empty() && !haveDumpFrames) {
        error = "--dump-dir: needs --dump-frames to say which frames to write";
        return false;
    }
    if (options.tracePath == "-" && options.debugOutputPath == "-") {
        error = "--debug-output: standard output is already the trace";
        return false;
    }
    if (options.inputPath == "-" && options.expectPath == "-") {
        error = "--expect: standard input is already the input script";
        return false;
    }
    return true;
}

} // namespace vorna
