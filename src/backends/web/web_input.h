// The page's keyboard by the virtual-key codes the game polls, and the first gamepad as the joystick.
#pragma once
#include <cstdint>

#include "platform/joystick.h"
#include "platform/keyboard.h"

namespace vorna {

// A browser's KeyboardEvent.keyCode is the Windows virtual-key code of the key (letters by the layout),
// so the page's key events are stored under the very codes the game polls.
class WebKeyboard : public Keyboard {
public:
    static constexpr int kKeyCodeCount = 256;
    void SetKey(int keyCode, bool down);
    // Focus left the page: no key-up will come for keys held now.
    void ReleaseAll();
    bool IsKeyDown(int virtualKey) override;

private:
    bool down_[kKeyCodeCount] = {};
};

// A gamepad axis (-1..1) as a multimedia joystick position (0..65535, centre 32767 or 32768).
uint32_t GamepadAxisPosition(double value);

// The Gamepad API's first pad: axes 0-3 as X, Y, Z and R, buttons 0-7 as buttons 1-8, and the standard
// layout's direction pad (buttons 12-15) pushing X and Y to their limits.
class WebJoystick : public Joystick {
public:
    uint32_t GetNumDevs() override;
    bool GetDevCaps(unsigned id, JoystickCaps& caps) override;
    bool GetPosition(unsigned id, JoystickPosition& pos) override;
};

} // namespace vorna
