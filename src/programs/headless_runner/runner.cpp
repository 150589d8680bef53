// vorna-headless as a callable: runs the game from process start on the headless backend.
#include "programs/headless_runner/runner.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>

#include "app/shell.h"
#include "backends/headless/headless_platform.h"
#include "programs/headless_runner/input_script.h"
#include "programs/headless_runner/png_dump.h"
#include "programs/headless_runner/trace.h"
#include "programs/headless_runner/trace_compare.h"

namespace vorna {
namespace {

bool ReadAll(std::FILE* f, std::string& text) {
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
    return !std::ferror(f);
}

bool ReadFileOrStdin(const std::string& path, std::FILE* in, std::string& text, std::string& why) {
    if (path == "-") {
        if (ReadAll(in, text)) return true;
        why = "cannot read standard input";
        return false;
    }
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        why = std::strerror(errno);
        return false;
    }
    bool ok = ReadAll(f, text);
    std::fclose(f);
    if (!ok) why = "read error";
    return ok;
}

// An output file opened before the run, so that a bad path is refused before any frame runs.
class OutputFile {
public:
    bool Open(const std::string& path, std::FILE* standardOut, std::string& why) {
        if (path == "-") {
            file_ = standardOut;
            return true;
        }
        file_ = std::fopen(path.c_str(), "wb");
        owned_ = file_ != nullptr;
        if (!file_) why = std::strerror(errno);
        return file_ != nullptr;
    }
    ~OutputFile() {
        if (owned_) std::fclose(file_);
    }
    std::FILE* get() const { return file_; }
    bool Finish() {
        if (!file_) return true;
        bool ok = std::fflush(file_) == 0 && !std::ferror(file_);
        if (owned_) ok = std::fclose(file_) == 0 && ok;
        owned_ = false;
        file_ = nullptr;
        return ok;
    }

private:
    std::FILE* file_ = nullptr;
    bool owned_ = false;
};

// Watches the game for the trace: counts running frames, collects each frame's sound and
// music calls, writes the frame's line and pictures, and closes the run after the last frame.
class TraceObserver : public GameObserver {
public:
    TraceObserver(Game& g, HeadlessBackend& backend, const RunnerOptions& options, std::FILE* trace)
        : game_(g), backend_(backend), options_(options), trace_(trace) {}

    void SoundRequested(int number) override {
        if (InRunningFrame()) events_.sounds.push_back(number);
    }

    void MusicCalled(MusicCall call, int argument) override {
        if (InRunningFrame()) events_.music.push_back(MusicCallText(call, argument));
    }

    void FrameFinished() override {
        if (framesDone_ >= options_.frames) return;
        ++framesDone_;
        backend_.pump.NoteFrame();
        if (trace_ || keepLines_) {
            line_.clear();
            AppendTraceLine(line_, game_, framesDone_, events_);
            if (keepLines_) lines_.push_back(line_);
            if (trace_) {
                std::fputs(line_.c_str(), trace_);
                std::fputc('\n', trace_);
            }
        }
        events_.Clear();
        if (!options_.dumpDir.empty() && options_.dumpFrames.Contains(framesDone_)) Dump();
        if (framesDone_ >= options_.frames) {
            backend_.pump.RequestClose();
        } else {
            backend_.input.SetFrame(framesDone_ + 1);
        }
    }

    void KeepLines() { keepLines_ = true; }
    const std::vector<std::string>& Lines() const { return lines_; }
    uint32_t FramesDone() const { return framesDone_; }
    const std::string& DumpError() const { return dumpError_; }

private:
    // Calls made while the devices start or close belong to no running frame.
    bool InRunningFrame() const { return game_.app.AppPhase == PhaseRunning && framesDone_ < options_.frames; }

    void Dump() {
        if (!dumpError_.empty()) return;
        char name[32];
        std::snprintf(name, sizeof name, "frame-%06u.png", static_cast<unsigned>(framesDone_));
        std::string path = (std::filesystem::path(options_.dumpDir) / name).string();
        const Surface& s = game_.display.BackBuffer;
        std::vector<uint8_t> blank;
        const uint8_t* pixels = s.pixels.data();
        int pitch = s.pitch;
        // Before the display exists the frame is simply index 0 everywhere.
        if (!s.exists || s.width < kFrameWidth || s.height < kFrameHeight || s.pitch < kFrameWidth ||
            s.pixels.size() < static_cast<size_t>(s.pitch) * (kFrameHeight - 1) + kFrameWidth) {
            blank.assign(static_cast<size_t>(kFrameWidth) * kFrameHeight, 0);
            pixels = blank.data();
            pitch = kFrameWidth;
        }
        WriteIndexedFramePng(path, pixels, kFrameWidth, kFrameHeight, pitch, game_.display.PaletteEntries, dumpError_);
    }

    Game& game_;
    HeadlessBackend& backend_;
    const RunnerOptions& options_;
    std::FILE* trace_;
    bool keepLines_ = false;
    uint32_t framesDone_ = 0;
    FrameEvents events_;
    std::string line_;
    std::vector<std::string> lines_;
    std::string dumpError_;
};

int Bad(std::FILE* err, const std::string& message) {
    std::fprintf(err, "vorna-headless: %s\n", message.c_str());
    return RunnerBadArguments;
}

} // namespace

int RunHeadlessMain(const std::vector<std::string>& args, std::FILE* in, std::FILE* out, std::FILE* err,
                    HeadlessRunStats* stats) {
    RunnerOptions options;
    std::string why;
    if (!ParseRunnerOptions(args, options, why)) return Bad(err, why + " (try --help)");
    if (options.help) {
        std::fputs(kRunnerUsage, out);
        return RunnerDone;
    }

    InputScript script;
    if (!options.inputPath.empty()) {
        std::string text;
        if (!ReadFileOrStdin(options.inputPath, in, text, why))
            return Bad(err, "--input " + options.inputPath + ": " + why);
        const std::string name = options.inputPath == "-" ? "(standard input)" : options.inputPath;
        if (!ParseInputScript(text, name, script, why)) return Bad(err, why);
    }

    std::vector<std::string> expected;
    if (!options.expectPath.empty()) {
        std::string text;
        if (!ReadFileOrStdin(options.expectPath, in, text, why))
            return Bad(err, "--expect " + options.expectPath + ": " + why);
        expected = SplitTraceLines(text);
    }

    if (!options.dumpDir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(options.dumpDir, ec);
        if (ec || !std::filesystem::is_directory(options.dumpDir, ec))
            return Bad(err, "--dump-dir " + options.dumpDir + ": cannot make the directory");
    }
    OutputFile trace, debug;
    if (!options.tracePath.empty() && !trace.Open(options.tracePath, out, why))
        return Bad(err, "--trace " + options.tracePath + ": " + why);
    if (!options.debugOutputPath.empty() && !debug.Open(options.debugOutputPath, out, why))
        return Bad(err, "--debug-output " + options.debugOutputPath + ": " + why);

    // The game is large and lives as long as the run, like a process's globals.
    auto game = std::make_unique<Game>();
    auto backend = std::make_unique<HeadlessBackend>(*game, std::move(script));
    TraceObserver observer(*game, *backend, options, trace.get());
    if (!options.expectPath.empty()) observer.KeepLines();
    backend->Attach();
    backend->shell.SetDebugSink(debug.get());
    game->platform.observer = &observer;
    backend->input.SetFrame(1);
    if (options.frames == 0) backend->pump.RequestClose();

    // The process start of the real program, without its window.
    ParseCommandLine(*game, options.switches.c_str());
    InitAppState(*game);
    int loopResult = MessageLoop(*game);
    if (stats) {
        stats->midiBuffersQueued = backend->midi.outs.load();
        stats->midiBuffersPlayedOut = backend->midi.BuffersPlayedOut();
        stats->midiBuffersStopped = backend->midi.BuffersHandedBackByStop();
    }

    bool written = trace.Finish() && debug.Finish();
    if (!written) {
        std::fprintf(err, "vorna-headless: writing the trace or the debug output failed\n");
        return RunnerDifferent;
    }
    if (!observer.DumpError().empty()) {
        std::fprintf(err, "vorna-headless: --dump-dir: %s\n", observer.DumpError().c_str());
        return RunnerDifferent;
    }
    if (backend->pump.Stalled() || observer.FramesDone() < options.frames) {
        std::fprintf(err, "vorna-headless: the game stopped after %u of %u running frames\n",
                     static_cast<unsigned>(observer.FramesDone()), static_cast<unsigned>(options.frames));
        return RunnerDifferent;
    }
    if (loopResult != 0) {
        std::fprintf(err, "vorna-headless: the message loop ended with code %d\n", loopResult);
        return RunnerDifferent;
    }
    if (!options.expectPath.empty()) {
        std::string difference;
        if (!CompareTraces(expected, observer.Lines(), difference)) {
            std::fprintf(err, "%s\n", difference.c_str());
            return RunnerDifferent;
        }
    }
    return RunnerDone;
}

} // namespace vorna
