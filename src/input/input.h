// Keyboard and joystick merged into one bit set per frame.
#pragma once
#include <cstdint>

#include "base/game.h"

namespace vorna {

struct KeyBinding {
    uint32_t bit;
    int virtualKey;
};
extern const KeyBinding KeyBindingTable[12];

int DetectJoystick(Game& g);
// record may be null.
int32_t ReadInput(Game& g, InputRecord* record);

} // namespace vorna
