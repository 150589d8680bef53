// Keyboard and joystick merged into one bit set per frame.
#include "input/input.h"

namespace vorna {

const KeyBinding KeyBindingTable[12] = {};
int DetectJoystick(Game&) { return 1; }
int32_t ReadInput(Game&, InputRecord*) { return 0; }

} // namespace vorna
