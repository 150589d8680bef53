// vorna: the game on a Linux (or other Unix) desktop through SDL2.
#include <SDL.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <future>
#include <langinfo.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "app/desktop_rules.h"
#include "app/shell.h"
#include "app/version.h"
#include "backends/headless/headless_files.h"
#include "backends/sdl2/data_dirs.h"
#include "backends/sdl2/program_args.h"
#include "backends/sdl2/sdl2_audio.h"
#include "backends/sdl2/sdl2_desktop.h"
#include "backends/sdl2/sdl2_input.h"
#include "backends/sdl2/single_instance.h"
#include "gfx/display.h"
#include "programs/headless_runner/input_recording.h"
#include "programs/headless_runner/input_script.h"
#include "programs/headless_runner/session_observer.h"

namespace {

// The message boxes show Japanese only under a UTF-8 locale: fall back to C.UTF-8 where the user has none.
void EnsureUtf8Locale() {
    std::setlocale(LC_ALL, "");
    const char* codeset = nl_langinfo(CODESET);
    if (codeset != nullptr && std::strcmp(codeset, "UTF-8") == 0) return;
    setenv("LC_ALL", "C.UTF-8", 1);
    std::setlocale(LC_ALL, "");
}

constexpr int kExitBadCommandLine = 2;

int BadCommandLine(const std::string& message) {
    std::fprintf(stderr, "vorna: %s\n", message.c_str());
    return kExitBadCommandLine;
}

bool ReadWholeFile(const std::string& path, std::string& text, std::string& why) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        why = std::strerror(errno);
        return false;
    }
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    if (!ok) why = "read error";
    return ok;
}

// Nothing the user has is replaced unless they asked for it with --force.
std::FILE* OpenOutput(const std::string& path, bool force, std::string& why) {
    std::FILE* f = std::fopen(path.c_str(), force ? "w" : "wx");
    if (f == nullptr) why = errno == EEXIST ? "the file exists (--force replaces it)" : std::strerror(errno);
    return f;
}

// Two names for one file: writing the second would destroy the first (a replayed script, or the recording).
bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa, sb;
    if (a.empty() || b.empty() || stat(a.c_str(), &sa) != 0 || stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// The recording and the trace, closed (and so complete) when the session ends, however it ends.
struct SessionFiles {
    std::FILE* record = nullptr;
    std::FILE* trace = nullptr;
    ~SessionFiles() {
        if (record != nullptr) std::fclose(record);
        if (trace != nullptr) std::fclose(trace);
    }
};

} // namespace

int main(int argc, char** argv) {
    EnsureUtf8Locale();
    vorna::DesktopOptions options;
    std::string why;
    if (!vorna::ParseProgramArgs(argc, argv, options, why)) return BadCommandLine(why);
    if (options.help) {
        std::fputs(vorna::kDesktopUsage, stdout);
        return 0;
    }
    if (options.version) {
        std::printf("vorna %s\n", VORNA_VERSION);
        return 0;
    }
    if (options.tracePath.empty()) {
        const char* trace = std::getenv("VORNA_TRACE");
        if (trace != nullptr) options.tracePath = trace;
    }
    vorna::InputScript script;
    if (!options.replayPath.empty()) {
        std::string text;
        if (!ReadWholeFile(options.replayPath, text, why))
            return BadCommandLine("--replay " + options.replayPath + ": " + why);
        if (!vorna::ParseInputScript(text, options.replayPath, script, why)) return BadCommandLine(why);
    }
    // VORNA_INSTANCE names a separate instance (tests run their own copies beside a player's).
    const char* instance = std::getenv("VORNA_INSTANCE");
    const std::string program = instance != nullptr && *instance != '\0' ? std::string("vorna.") + instance : "vorna";
    vorna::SingleInstance guard;
    if (guard.Claim(vorna::SingleInstanceName(program, static_cast<unsigned>(getuid()))) ==
        vorna::SingleInstance::Role::Second)
        return 0; // the running copy has been asked to come to the front

    SessionFiles files;
    if (!options.recordPath.empty() && (files.record = OpenOutput(options.recordPath, options.force, why)) == nullptr)
        return BadCommandLine("--record " + options.recordPath + ": " + why);
    if (SameFile(options.tracePath, options.replayPath) || SameFile(options.tracePath, options.recordPath))
        return BadCommandLine("trace " + options.tracePath + ": the same file as the script (name another)");
    if (!options.tracePath.empty() && (files.trace = OpenOutput(options.tracePath, options.force, why)) == nullptr)
        return BadCommandLine("trace " + options.tracePath + ": " + why);
    // The SoundFont loads while the window is made: it is not on the way to the first frame.
    std::future<std::unique_ptr<vorna::Sdl2Audio>> audioLoading =
        std::async(std::launch::async, [] { return vorna::CreateSdl2Audio(); });

    auto game = std::make_unique<vorna::Game>();
    vorna::Game& g = *game;
    vorna::ParseCommandLine(g, options.gameText.c_str());

    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK | SDL_INIT_EVENTS) != 0) {
        // Without a display no box can be shown: the text goes to the terminal, and the exit code says it failed.
        std::fprintf(stderr, "%s: %s\n(%s)\n", vorna::kGameTitle, vorna::kInitFailedText, SDL_GetError());
        return 1;
    }

    int code = 1;
    {
        vorna::Sdl2Desktop desktop(g);
        vorna::Sdl2Keyboard realKeyboard;
        vorna::Sdl2Joystick realJoystick;
        // A replay takes its input from the script, as vorna-headless does; a recording listens in.
        vorna::ScriptedInput replay(std::move(script));
        vorna::HeadlessKeyboard replayKeyboard(replay);
        vorna::HeadlessJoystick replayJoystick(replay);
        vorna::InputRecorder recorder(realKeyboard, realJoystick, files.record);
        vorna::Keyboard* keyboard = &realKeyboard;
        vorna::Joystick* joystick = &realJoystick;
        vorna::SessionObserver observer(g);
        observer.SetTrace(files.trace);
        if (!options.replayPath.empty()) {
            keyboard = &replayKeyboard;
            joystick = &replayJoystick;
            replay.SetFrame(1);
            observer.SetReplay(&replay);
        } else if (files.record != nullptr) {
            keyboard = &recorder;
            joystick = &recorder;
            recorder.WriteHeader(options.gameText, VORNA_VERSION);
            observer.SetRecorder(&recorder);
        }
        // The effect mixer and the FluidSynth stream share one SDL audio output; without a sound card it
        // falls back to a silent driver by itself.
        std::unique_ptr<vorna::Sdl2Audio> audio = audioLoading.get();
        vorna::SoundDevice& sound = audio->Sound();
        vorna::MidiStreamDevice& midi = audio->Midi();
        vorna::EmbeddedResources resources;
        vorna::HostFileSystem hostFiles;
        vorna::DataDirFiles dataFiles(hostFiles, std::getenv("VORNA_DEBUG") != nullptr ? stderr : nullptr);
        vorna::FillStandardSystemColours(g.display.PaletteEntries);
        if (desktop.CreateMainWindow()) {
            vorna::Platform& p = g.platform;
            p.clock = &desktop;
            p.pump = &desktop;
            p.shell = &desktop;
            p.presenter = desktop.Presenter();
            p.keyboard = keyboard;
            p.joystick = joystick;
            p.sound = &sound;
            p.midi = &midi;
            p.resources = &resources;
            p.files = &dataFiles;
            guard.Listen([] { vorna::Sdl2Desktop::PostRaiseRequest(); });
            SDL_DisableScreenSaver(); // held off while the game runs, whatever the hint
            if (files.trace != nullptr || files.record != nullptr || !options.replayPath.empty())
                p.observer = &observer;
            vorna::InitAppState(g);
            code = vorna::MessageLoop(g);
        }
        guard.Stop();
        if (recorder.Failed() || observer.TraceFailed())
            std::fprintf(stderr, "vorna: writing the recording or the trace failed\n");
    }
    SDL_Quit();
    return code;
}
