// The multimedia joystick functions: device count, per-axis limits and position with buttons.
#pragma once
#include <cstdint>

namespace vorna {

struct JoystickCaps {
    uint32_t xMin, xMax, yMin, yMax, zMin, zMax, rMin, rMax;
};

struct JoystickPosition {
    uint32_t x, y, z, r;
    uint32_t buttons; // bit 0 = button 1 ... bit 7 = button 8
};

class Joystick {
public:
    virtual ~Joystick() = default;
    virtual uint32_t GetNumDevs() = 0;                                // joyGetNumDevs
    virtual bool GetDevCaps(unsigned id, JoystickCaps& caps) = 0;     // joyGetDevCapsA; false on error
    virtual bool GetPosition(unsigned id, JoystickPosition& pos) = 0; // joyGetPosEx; false unless JOYERR_NOERROR
};

} // namespace vorna
