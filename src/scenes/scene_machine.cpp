// The scene state machine every running frame passes through.
#include "scenes/scene_machine.h"

namespace vorna {

int SceneFrame(Game&) { return 1; }
int EnterScene(Game& g, uint32_t code) {
    g.scene.Scene = code;
    return 1;
}

} // namespace vorna
