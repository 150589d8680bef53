// Keyboard and joystick of the headless backend, driven by the lines of an input script.
#include "backends/headless/headless_input.h"

#include <utility>

namespace vorna {

const ScriptKeyName kScriptKeyNames[12] = {
    {"UP", ScriptKeyUp, VK_UP_KEY},
    {"DOWN", ScriptKeyDown, VK_DOWN_KEY},
    {"LEFT", ScriptKeyLeft, VK_LEFT_KEY},
    {"RIGHT", ScriptKeyRight, VK_RIGHT_KEY},
    {"NUM8", ScriptKeyNum8, VK_NUMPAD8_KEY},
    {"NUM2", ScriptKeyNum2, VK_NUMPAD2_KEY},
    {"NUM4", ScriptKeyNum4, VK_NUMPAD4_KEY},
    {"NUM6", ScriptKeyNum6, VK_NUMPAD6_KEY},
    {"Z", ScriptKeyZ, VK_Z_KEY},
    {"X", ScriptKeyX, VK_X_KEY},
    {"ESC", ScriptKeyEsc, VK_ESCAPE_KEY},
    {"F3", ScriptKeyF3, VK_F3_KEY},
};

ScriptedInput::ScriptedInput(InputScript script) : script_(std::move(script)) {}

void ScriptedInput::SetFrame(uint32_t runningFrame) {
    // Frames only move forward in a run, so the lines are walked once.
    while (next_ < script_.lines.size() && script_.lines[next_].frame <= runningFrame) {
        current_ = script_.lines[next_];
        ++next_;
    }
}

bool HeadlessKeyboard::IsKeyDown(int virtualKey) {
    for (const ScriptKeyName& k : kScriptKeyNames) {
        if (k.virtualKey == virtualKey) return (input_.Current().keys & k.key) != 0;
    }
    return false;
}

uint32_t HeadlessJoystick::GetNumDevs() {
    return input_.HasJoystick() ? 1 : 0;
}

bool HeadlessJoystick::GetDevCaps(unsigned id, JoystickCaps& caps) {
    if (id != 0 || !input_.HasJoystick()) return false;
    caps = JoystickCaps{0, kAxisMax, 0, kAxisMax, 0, kAxisMax, 0, kAxisMax};
    return true;
}

bool HeadlessJoystick::GetPosition(unsigned id, JoystickPosition& pos) {
    if (id != 0 || !input_.HasJoystick()) return false;
    const InputLine& line = input_.Current();
    pos = JoystickPosition{line.axisX, line.axisY, kAxisCentre, kAxisCentre, line.joystickButtons};
    return true;
}

} // namespace vorna
