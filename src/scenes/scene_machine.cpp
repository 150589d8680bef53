// The scene state machine every running frame passes through.
#include "scenes/scene_machine.h"

#include "input/input.h"
#include "scenes/boot_logo.h"
#include "scenes/continue_scene.h"
#include "scenes/ending.h"
#include "scenes/intro.h"
#include "scenes/play_frame.h"
#include "scenes/results.h"
#include "scenes/title_story.h"

namespace vorna {

int SceneFrame(Game& g) {
    SceneState& s = g.scene;
    ReadInput(g.input, g.platform.keyboard, g.platform.joystick, &s.Input);
    s.InputNow = static_cast<uint32_t>(s.Input.InputBits);
    // Only the low 16 bits take part in the edge.
    s.InputPressed = s.InputNow & (s.InputPrevious ^ 0xFFFFu);
    s.InputPrevious = s.InputNow;

    switch (s.Scene) {
    case SceneBoot:
        BootFrame(g);
        break;
    case SceneLogo:
        LogoFrame(g);
        break;
    case SceneTitleFrameOnly:
    case SceneTitle:
        TitleFrame(g);
        break;
    case SceneStory:
        StoryFrame(g);
        break;
    case SceneIntroFrameOnly:
    case SceneMissionIntro:
        MissionIntroFrame(g);
        break;
    case ScenePlay:
        PlayFrame(g);
        break;
    case SceneResults:
        ResultsFrame(g);
        break;
    case SceneContinue:
        ContinueFrame(g);
        break;
    case SceneEnding:
        EndingFrame(g);
        break;
    default:
        break; // an unlisted code is no error: the frame stays cleared
    }
    return 1;
}

// The entry routine runs first, so it still sees the old scene code.
int EnterScene(Game& g, uint32_t code) {
    switch (code) {
    case SceneLogo:
        StartLogo(g);
        break;
    case SceneTitle:
        StartTitle(g);
        break;
    case SceneStory:
        StartStory(g);
        break;
    case SceneMissionIntro:
        NewGame(g);
        break;
    case ScenePlay:
        StartMission(g);
        break;
    case SceneResults:
        StartResults(g);
        break;
    case SceneContinue:
        StartContinue(g);
        break;
    case SceneEnding:
        StartEnding(g);
        break;
    default:
        break; // 1, 8, 32 and unlisted codes have no entry routine
    }
    g.scene.Scene = code;
    return 1;
}

} // namespace vorna
