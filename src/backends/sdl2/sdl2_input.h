// Keyboard by the virtual-key codes the game polls, and one joystick through SDL_Joystick.
#pragma once
#include <SDL.h>

#include "platform/joystick.h"
#include "platform/keyboard.h"

namespace vorna {

// The SDL scancode of the physical key that carries a virtual-key code on the current layout, or
// SDL_SCANCODE_UNKNOWN for codes the game never polls.
SDL_Scancode ScancodeForVirtualKey(int virtualKey);

class Sdl2Keyboard : public Keyboard {
public:
    bool IsKeyDown(int virtualKey) override;
};

// SDL's axes (-32768..32767) are reported as 0..65535 like the multimedia joystick functions; axes 0-3 are
// X, Y, Z and R, buttons 0-7 are buttons 1-8, and the first hat pushes X and Y to their limits.
class Sdl2Joystick : public Joystick {
public:
    Sdl2Joystick() = default;
    Sdl2Joystick(const Sdl2Joystick&) = delete;
    Sdl2Joystick& operator=(const Sdl2Joystick&) = delete;
    ~Sdl2Joystick() override;

    uint32_t GetNumDevs() override;
    bool GetDevCaps(unsigned id, JoystickCaps& caps) override;
    bool GetPosition(unsigned id, JoystickPosition& pos) override;

private:
    bool Open(unsigned id);
    SDL_Joystick* joystick_ = nullptr;
};

} // namespace vorna
