// Asynchronous key state by Windows virtual-key code, as the game polls it every frame.
#pragma once

namespace vorna {

// The virtual-key codes the game polls.
enum VirtualKey : int {
    VK_ESCAPE_KEY = 0x1B,
    VK_LEFT_KEY = 0x25,
    VK_UP_KEY = 0x26,
    VK_RIGHT_KEY = 0x27,
    VK_DOWN_KEY = 0x28,
    VK_X_KEY = 0x58,
    VK_Z_KEY = 0x5A,
    VK_NUMPAD2_KEY = 0x62,
    VK_NUMPAD4_KEY = 0x64,
    VK_NUMPAD6_KEY = 0x66,
    VK_NUMPAD8_KEY = 0x68,
    VK_F3_KEY = 0x72,
};

class Keyboard {
public:
    virtual ~Keyboard() = default;
    // True while the key is down now (the top bit of GetAsyncKeyState).
    virtual bool IsKeyDown(int virtualKey) = 0;
};

} // namespace vorna
