// State shared by all scenes: the scene code and timers, this frame's input, the random state and the backdrop.
#pragma once
#include <cstdint>

#include "base/input_state.h"

namespace vorna {

enum SceneCode : uint32_t {
    SceneBoot = 1,
    SceneLogo = 4,
    SceneTitleFrameOnly = 8,
    SceneTitle = 16,
    SceneStory = 24,
    SceneIntroFrameOnly = 32,
    SceneMissionIntro = 64,
    ScenePlay = 128,
    SceneResults = 130,
    SceneContinue = 160,
    SceneEnding = 250,
};

struct SceneState {
    uint32_t Scene = 0;
    uint32_t SceneTimer = 0;
    int32_t SceneStep = 0;
    InputRecord Input;
    uint32_t InputNow = 0;
    uint32_t InputPrevious = 0;
    uint32_t InputPressed = 0;
};

struct RandomState {
    uint32_t state = 0;
};

struct BackdropObject {
    int32_t x, y, kind, dx, dy, size, phase;
};

constexpr int kBackdropCount = 32;

} // namespace vorna
