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

} // namespace vorna
