// vorna: the game on a Linux (or other Unix) desktop through SDL2.
#include <SDL.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>
#include <memory>
#include <string>
#include <unistd.h>

#include "app/shell.h"
#include "backends/headless/headless_files.h"
#include "backends/headless/headless_sound.h"
#ifdef VORNA_HAVE_SDL2_AUDIO
#include "backends/sdl2/sdl2_audio.h"
#endif
#include "backends/sdl2/data_dirs.h"
#include "backends/sdl2/program_args.h"
#include "backends/sdl2/sdl2_desktop.h"
#include "backends/sdl2/sdl2_input.h"
#include "backends/sdl2/single_instance.h"
#include "gfx/display.h"

namespace {

constexpr char kTitle[] = "VORNA-TESSIK Improve";
constexpr char kCreateFailedText[] =
    "初期化に失敗しました。\n再起動が必要になる場合があります。\n\n詳しくは取り扱い説明書を参照して下さい。\n"
    "(同ホルダ内のreadme.txt及びreadme.htm)";

// The message boxes show Japanese only under a UTF-8 locale: fall back to C.UTF-8 where the user has none.
void EnsureUtf8Locale() {
    std::setlocale(LC_ALL, "");
    const char* codeset = nl_langinfo(CODESET);
    if (codeset != nullptr && std::strcmp(codeset, "UTF-8") == 0) return;
    setenv("LC_ALL", "C.UTF-8", 1);
    std::setlocale(LC_ALL, "");
}

} // namespace

int main(int argc, char** argv) {
    EnsureUtf8Locale();
    // VORNA_INSTANCE names a separate instance (tests run their own copies beside a player's).
    const char* instance = std::getenv("VORNA_INSTANCE");
    const std::string program = instance != nullptr && *instance != '\0' ? std::string("vorna.") + instance : "vorna";
    vorna::SingleInstance guard;
    if (guard.Claim(vorna::SingleInstanceName(program, static_cast<unsigned>(getuid()))) ==
        vorna::SingleInstance::Role::Second)
        return 0; // the running copy has been asked to come to the front

    auto game = std::make_unique<vorna::Game>();
    vorna::Game& g = *game;
    const std::string commandLine = vorna::JoinArguments(argc, argv);
    vorna::ParseCommandLine(g, commandLine.c_str());

    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK | SDL_INIT_EVENTS) != 0) {
        // Without a display no box can be shown: the text goes to the terminal, and the exit code says it failed.
        std::fprintf(stderr, "%s: %s\n(%s)\n", kTitle, kCreateFailedText, SDL_GetError());
        return 1;
    }

    int code = 1;
    {
        vorna::Sdl2Desktop desktop(g);
        vorna::Sdl2Keyboard keyboard;
        vorna::Sdl2Joystick joystick;
#ifdef VORNA_HAVE_SDL2_AUDIO
        // The effect mixer and the FluidSynth stream share one SDL audio output; without a sound card it
        // falls back to a silent driver by itself.
        std::unique_ptr<vorna::Sdl2Audio> audio = vorna::CreateSdl2Audio();
        vorna::SoundDevice& sound = audio->Sound();
        vorna::MidiStreamDevice& midi = audio->Midi();
#else
        vorna::HeadlessSoundDevice sound;
        vorna::HeadlessMidiStreamDevice midi;
#endif
        vorna::EmbeddedResources resources;
        vorna::HostFileSystem hostFiles;
        vorna::DataDirFiles files(hostFiles, std::getenv("VORNA_DEBUG") != nullptr ? stderr : nullptr);
        vorna::FillStandardSystemColours(g.display.PaletteEntries);
        if (desktop.CreateMainWindow()) {
            vorna::Platform& p = g.platform;
            p.clock = &desktop;
            p.pump = &desktop;
            p.shell = &desktop;
            p.presenter = desktop.Presenter();
            p.keyboard = &keyboard;
            p.joystick = &joystick;
            p.sound = &sound;
            p.midi = &midi;
            p.resources = &resources;
            p.files = &files;
            guard.Listen([] { vorna::Sdl2Desktop::PostRaiseRequest(); });
            SDL_DisableScreenSaver(); // held off while the game runs, whatever the hint
            vorna::InitAppState(g);
            code = vorna::MessageLoop(g);
        }
        guard.Stop();
    }
    SDL_Quit();
    return code;
}
