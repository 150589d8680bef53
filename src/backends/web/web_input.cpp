// The page's keyboard by the virtual-key codes the game polls, and the first gamepad as the joystick.
#include "backends/web/web_input.h"

#include <emscripten/html5.h>

#include <algorithm>

namespace vorna {

namespace {

constexpr uint32_t kAxisMax = 65535;
constexpr int kAxisCount = 4;
constexpr int kButtonCount = 8;
enum StandardPadButton : int { kPadUp = 12, kPadDown = 13, kPadLeft = 14, kPadRight = 15 };

} // namespace

void WebKeyboard::SetKey(int keyCode, bool down) {
    if (keyCode >= 0 && keyCode < kKeyCodeCount) down_[keyCode] = down;
}

void WebKeyboard::ReleaseAll() {
    std::fill(down_, down_ + kKeyCodeCount, false);
}

bool WebKeyboard::IsKeyDown(int virtualKey) {
    return virtualKey >= 0 && virtualKey < kKeyCodeCount && down_[virtualKey];
}

uint32_t WebJoystick::GetNumDevs() {
    emscripten_sample_gamepad_data();
    const int n = emscripten_get_num_gamepads();
    return n > 0 ? static_cast<uint32_t>(n) : 0;
}

bool WebJoystick::GetDevCaps(unsigned id, JoystickCaps& caps) {
    caps = JoystickCaps{};
    EmscriptenGamepadEvent pad;
    if (id != 0 || emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS ||
        emscripten_get_gamepad_status(0, &pad) != EMSCRIPTEN_RESULT_SUCCESS || !pad.connected)
        return false;
    caps.xMax = caps.yMax = caps.zMax = caps.rMax = kAxisMax;
    return true;
}

bool WebJoystick::GetPosition(unsigned id, JoystickPosition& pos) {
    pos = JoystickPosition{};
    EmscriptenGamepadEvent pad;
    if (id != 0 || emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS ||
        emscripten_get_gamepad_status(0, &pad) != EMSCRIPTEN_RESULT_SUCCESS || !pad.connected)
        return false;
    uint32_t* axes[kAxisCount] = {&pos.x, &pos.y, &pos.z, &pos.r};
    for (int a = 0; a < kAxisCount; ++a) *axes[a] = a < pad.numAxes ? GamepadAxisPosition(pad.axis[a]) : kAxisMax / 2;
    for (int b = 0; b < kButtonCount && b < pad.numButtons; ++b)
        if (pad.digitalButton[b]) pos.buttons |= 1u << b;
    if (pad.numButtons > kPadRight) {
        if (pad.digitalButton[kPadLeft]) pos.x = 0;
        if (pad.digitalButton[kPadRight]) pos.x = kAxisMax;
        if (pad.digitalButton[kPadUp]) pos.y = 0;
        if (pad.digitalButton[kPadDown]) pos.y = kAxisMax;
    }
    return true;
}

} // namespace vorna
