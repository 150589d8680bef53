// The one aggregate that holds every piece of game state; routines receive it explicitly.
#pragma once
#include "app/app_state.h"
#include "gfx/display_state.h"
#include "input/input_state.h"
#include "music/music_state.h"
#include "platform/platform.h"
#include "play/play_state.h"
#include "scenes/scene_state.h"
#include "sound/sound_state.h"

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

} // namespace vorna
