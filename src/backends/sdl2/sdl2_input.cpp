// Keyboard by the virtual-key codes the game polls, and one joystick through SDL_Joystick.
#include "backends/sdl2/sdl2_input.h"

namespace vorna {

namespace {

// A pad with a hat but without stick axes still gets X and Y, centred while the hat rests.
bool HasAxis(SDL_Joystick* joystick, int axis) {
    return axis < SDL_JoystickNumAxes(joystick) || (axis < 2 && SDL_JoystickNumHats(joystick) > 0);
}

uint32_t AxisLimit(SDL_Joystick* joystick, int axis, uint32_t limit) {
    return HasAxis(joystick, axis) ? limit : 0;
}

uint32_t AxisPosition(SDL_Joystick* joystick, int axis) {
    if (!HasAxis(joystick, axis)) return 0;
    if (axis >= SDL_JoystickNumAxes(joystick)) return 32767;
    return static_cast<uint32_t>(static_cast<int32_t>(SDL_JoystickGetAxis(joystick, axis)) + 32768);
}

SDL_Scancode LetterKey(SDL_Keycode key, SDL_Scancode usPosition) {
    const SDL_Scancode code = SDL_GetScancodeFromKey(key);
    return code != SDL_SCANCODE_UNKNOWN ? code : usPosition;
}

} // namespace

SDL_Scancode ScancodeForVirtualKey(int virtualKey) {
    switch (virtualKey) {
    case VK_ESCAPE_KEY:
        return SDL_SCANCODE_ESCAPE;
    case VK_LEFT_KEY:
        return SDL_SCANCODE_LEFT;
    case VK_UP_KEY:
        return SDL_SCANCODE_UP;
    case VK_RIGHT_KEY:
        return SDL_SCANCODE_RIGHT;
    case VK_DOWN_KEY:
        return SDL_SCANCODE_DOWN;
    // Letters follow the layout, as virtual-key codes do: Z is the key that types z. A layout without
    // Latin letters (Cyrillic, Greek) has no such key; there, as on Windows, the US position counts.
    case VK_X_KEY:
        return LetterKey(SDLK_x, SDL_SCANCODE_X);
    case VK_Z_KEY:
        return LetterKey(SDLK_z, SDL_SCANCODE_Z);
    case VK_NUMPAD2_KEY:
        return SDL_SCANCODE_KP_2;
    case VK_NUMPAD4_KEY:
        return SDL_SCANCODE_KP_4;
    case VK_NUMPAD6_KEY:
        return SDL_SCANCODE_KP_6;
    case VK_NUMPAD8_KEY:
        return SDL_SCANCODE_KP_8;
    case VK_F3_KEY:
        return SDL_SCANCODE_F3;
    default:
        return SDL_SCANCODE_UNKNOWN;
    }
}

bool Sdl2Keyboard::IsKeyDown(int virtualKey) {
    const SDL_Scancode code = ScancodeForVirtualKey(virtualKey);
    if (code == SDL_SCANCODE_UNKNOWN) return false;
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    return state != nullptr && code < count && state[code] != 0;
}

Sdl2Joystick::~Sdl2Joystick() {
    if (joystick_ != nullptr) SDL_JoystickClose(joystick_);
}

uint32_t Sdl2Joystick::GetNumDevs() {
    const int n = SDL_NumJoysticks();
    return n > 0 ? static_cast<uint32_t>(n) : 0;
}

bool Sdl2Joystick::Open(unsigned id) {
    if (id != 0) return false;
    if (joystick_ != nullptr && SDL_JoystickGetAttached(joystick_)) return true;
    // Opened once; a pad unplugged later simply stops answering, as the game expects.
    if (joystick_ == nullptr && SDL_NumJoysticks() > 0) joystick_ = SDL_JoystickOpen(0);
    return joystick_ != nullptr && SDL_JoystickGetAttached(joystick_);
}

bool Sdl2Joystick::GetDevCaps(unsigned id, JoystickCaps& caps) {
    caps = JoystickCaps{};
    if (!Open(id)) return false;
    caps.xMax = AxisLimit(joystick_, 0, 65535);
    caps.yMax = AxisLimit(joystick_, 1, 65535);
    caps.zMax = AxisLimit(joystick_, 2, 65535);
    caps.rMax = AxisLimit(joystick_, 3, 65535);
    return true;
}

bool Sdl2Joystick::GetPosition(unsigned id, JoystickPosition& pos) {
    pos = JoystickPosition{};
    if (id != 0 || joystick_ == nullptr || !SDL_JoystickGetAttached(joystick_)) return false;
    pos.x = AxisPosition(joystick_, 0);
    pos.y = AxisPosition(joystick_, 1);
    pos.z = AxisPosition(joystick_, 2);
    pos.r = AxisPosition(joystick_, 3);
    // Many pads have only a hat for directions: it drives X and Y at full deflection.
    if (SDL_JoystickNumHats(joystick_) > 0) {
        const Uint8 hat = SDL_JoystickGetHat(joystick_, 0);
        if (hat & SDL_HAT_LEFT) pos.x = 0;
        if (hat & SDL_HAT_RIGHT) pos.x = 65535;
        if (hat & SDL_HAT_UP) pos.y = 0;
        if (hat & SDL_HAT_DOWN) pos.y = 65535;
    }
    const int buttons = SDL_JoystickNumButtons(joystick_);
    for (int b = 0; b < 8 && b < buttons; ++b)
        if (SDL_JoystickGetButton(joystick_, b)) pos.buttons |= 1u << b;
    return true;
}

} // namespace vorna
