// vorna in a web page: the game's loop runs unchanged, pausing (through Asyncify) wherever it would wait.
#include <emscripten.h>

#include <memory>
#include <string>

#include "app/shell.h"
#include "backends/headless/headless_files.h"
#include "backends/web/web_input.h"
#include "backends/web/web_midi_stream.h"
#include "backends/web/web_page.h"
#include "backends/web/web_sound.h"
#include "gfx/display.h"
#include "music/music_player.h"

namespace {

vorna::WebPage* page = nullptr;
vorna::Game* running = nullptr;
vorna::WebSound* effects = nullptr;
vorna::WebMidiStream* music = nullptr;
size_t musicEvents = 0;

constexpr char kProgramFolder[] = "/game/";

// The page's files: the songs are fetched into the program's own folder before the game starts.
class PageFiles : public vorna::HostFileSystem {
public:
    uint32_t ModuleFileName(char* buffer, uint32_t size) override {
        static const std::string kProgramPath = std::string(kProgramFolder) + "vorna";
        if (buffer == nullptr || size == 0) return 0;
        uint32_t n = 0;
        for (; n + 1 < size && n < kProgramPath.size(); ++n) buffer[n] = kProgramPath[n];
        buffer[n] = '\0';
        return n;
    }
};

// Each song beside the page, into the program's folder. One that cannot be had is simply missing, and the
// game plays on without it, as it does on the desktop.
void FetchSongs() {
    for (const char* name : vorna::MusicFileTable) emscripten_wget(name, (std::string(kProgramFolder) + name).c_str());
}

EM_JS(void, vorna_game_ended, (int code), {
    if (Module.vornaGameEnded) Module.vornaGameEnded(code);
});

} // namespace

extern "C" {

// A key went down or up on the page (KeyboardEvent.keyCode).
EMSCRIPTEN_KEEPALIVE void vorna_web_key(int keyCode, int down) {
    if (page != nullptr) page->Keyboard().SetKey(keyCode, down != 0);
}

// One of the page's events (see PageEvent).
EMSCRIPTEN_KEEPALIVE void vorna_web_post(int kind, int a, int b, int c) {
    if (page != nullptr) page->Post({static_cast<vorna::PageEvent>(kind), a, b, c});
}

// How many frames the game has presented: the page's tests wait for a given frame with it.
EMSCRIPTEN_KEEPALIVE double vorna_web_frames_shown() {
    return page != nullptr ? static_cast<double>(page->Presenter().FramesShown()) : 0.0;
}

// The scene the game is in (a SceneCode), for the page's tests; 0 before the game starts and after it ends.
EMSCRIPTEN_KEEPALIVE double vorna_web_scene() {
    return running != nullptr ? static_cast<double>(running->scene.Scene) : 0.0;
}

// The sample rate the page makes its AudioContext at.
EMSCRIPTEN_KEEPALIVE int vorna_web_audio_rate() {
    return vorna::kWebAudioRate;
}

// The page's audio runs (after the first key or click): sounds asked for from now on are heard.
EMSCRIPTEN_KEEPALIVE void vorna_web_audio_started() {
    if (effects != nullptr) effects->OutputStarted();
}

// The next frames of the effects' mix as interleaved stereo floats, or null when the game has ended.
EMSCRIPTEN_KEEPALIVE const float* vorna_web_mix(int frames) {
    return effects != nullptr ? effects->Mix(frames) : nullptr;
}

// Lets the music stream play the next frames; returns its channel messages due in them as (sample offset,
// message) pairs of words, or null when the game has ended. vorna_web_music_events says how many.
EMSCRIPTEN_KEEPALIVE const uint32_t* vorna_web_music(int frames) {
    musicEvents = 0;
    if (music == nullptr || frames <= 0) return nullptr;
    const auto& due = music->TakeBlock(static_cast<uint32_t>(frames));
    musicEvents = due.size();
    static_assert(sizeof(vorna::WebMidiStream::DueEvent) == 2 * sizeof(uint32_t), "pairs of words");
    return reinterpret_cast<const uint32_t*>(due.data());
}

EMSCRIPTEN_KEEPALIVE int vorna_web_music_events() {
    return static_cast<int>(musicEvents);
}

} // extern "C"

int main(int argc, char** argv) {
    auto game = std::make_unique<vorna::Game>();
    vorna::Game& g = *game;
    // The page passes the game's switches (such as /S) as its one argument.
    vorna::ParseCommandLine(g, argc > 1 ? argv[1] : "");

    vorna::WebPage web(g);
    vorna::WebJoystick joystick;
    vorna::WebSound sound;
    vorna::WebMidiStream midi(vorna::kWebAudioRate);
    vorna::EmbeddedResources resources;
    PageFiles files;
    vorna::FillStandardSystemColours(g.display.PaletteEntries);
    page = &web;
    running = &g;
    effects = &sound;
    music = &midi;
    web.Open();
    vorna::Platform& p = g.platform;
    p.clock = &web;
    p.pump = &web;
    p.shell = &web;
    p.presenter = &web.Presenter();
    p.keyboard = &web.Keyboard();
    p.joystick = &joystick;
    p.sound = &sound;
    p.midi = &midi;
    p.resources = &resources;
    p.files = &files;
    FetchSongs();
    vorna::InitAppState(g);
    const int code = vorna::MessageLoop(g);
    page = nullptr;
    running = nullptr;
    effects = nullptr;
    music = nullptr;
    vorna_game_ended(code);
    return code;
}
