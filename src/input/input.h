// Keyboard and joystick merged into one bit set per frame.
#pragma once
#include <cstdint>

#include "base/input_state.h"
#include "platform/joystick.h"
#include "platform/keyboard.h"

namespace vorna {

struct KeyBinding {
    uint32_t bit;
    int virtualKey;
};
extern const KeyBinding KeyBindingTable[12];

// Either device may be null: no keyboard reads no keys, no joystick counts as none attached.
int DetectJoystick(InputState& input, Joystick* joystick);
// record may be null.
int32_t ReadInput(const InputState& input, Keyboard* keyboard, Joystick* joystick, InputRecord* record);

} // namespace vorna
