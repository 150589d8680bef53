// The scene state machine every running frame passes through.
#pragma once
#include <cstdint>

#include "base/game.h"

namespace vorna {

int SceneFrame(Game& g);
int EnterScene(Game& g, uint32_t code);

} // namespace vorna
