// Input records: the merged bit set of one frame and the joystick's calibration.
#pragma once
#include <cstdint>

namespace vorna {

enum InputBit : uint32_t {
    InputUp = 0x1,
    InputDown = 0x2,
    InputLeft = 0x4,
    InputRight = 0x8,
    InputButton1 = 0x10,
    InputButton2 = 0x20,
    InputButton3 = 0x40,
    InputButton4 = 0x80,
    InputButton5 = 0x100,
    InputButton6 = 0x200,
    InputButton7 = 0x400,
    InputButton8 = 0x800,
    InputEscape = 0x8000,
};

constexpr uint32_t AnyButtonMask = 0xFF0;

struct InputRecord {
    int32_t InputBits = 0;
    int32_t XOffset = 0, YOffset = 0, ZOffset = 0, ROffset = 0;
    int32_t XRange = 0, YRange = 0, ZRange = 0, RRange = 0;
};

struct JoystickCalibrationRecord {
    int32_t XCentre = 0, XHalfRange = 0;
    int32_t YCentre = 0, YHalfRange = 0;
    int32_t ZCentre = 0, ZHalfRange = 0;
    int32_t RCentre = 0, RHalfRange = 0;
};

struct InputState {
    int32_t JoystickCount = -1;
    JoystickCalibrationRecord JoystickCalibration;
};

} // namespace vorna
