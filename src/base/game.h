// The one aggregate that holds every piece of game state; routines receive it explicitly.
#pragma once
#include "base/app_state.h"
#include "base/display_state.h"
#include "base/input_state.h"
#include "base/music_state.h"
#include "base/play_state.h"
#include "base/scene_state.h"
#include "base/sound_state.h"
#include "platform/platform.h"

namespace vorna {

// A fresh Game is a freshly started process; a copy is a save state (the music player copies closed).
struct Game {
    Platform platform;
    AppState app;
    WindowState window;
    AboutState about;
    DisplayState display;
    SceneState scene;
    RandomState random;
    InputState input;
    BackdropObject backdrop[kBackdropCount] = {};
    PlayState play = {};
    SoundState sound;
    MusicState music;
};

// The parts of the record the subsystems take, each with the platform services it calls; the layers
// above hand these down so that gfx, sound and music need not know the whole game.
inline DisplayContext DisplayOf(Game& g) {
    return DisplayContext{g.display, g.platform.presenter, g.platform.shell};
}
inline SoundContext SoundOf(Game& g) {
    return SoundContext{g.sound, g.platform.sound, g.platform.resources, g.platform.files, g.platform.observer};
}
inline MusicContext MusicOf(Game& g) {
    return MusicContext{g.music, g.platform.midi, g.platform.files, g.platform.observer};
}
inline ClientArea ClientAreaOf(const WindowState& w) {
    return ClientArea{w.ClientX, w.ClientY, w.ClientWidth, w.ClientHeight};
}

} // namespace vorna
