// Keyboard and joystick merged into one bit set per frame.
#include "input/input.h"

namespace vorna {

// Read in order until the row with bit 0.
const KeyBinding KeyBindingTable[12] = {
    {InputUp, VK_UP_KEY},     {InputUp, VK_NUMPAD8_KEY},   {InputDown, VK_DOWN_KEY},     {InputDown, VK_NUMPAD2_KEY},
    {InputLeft, VK_LEFT_KEY}, {InputLeft, VK_NUMPAD4_KEY}, {InputRight, VK_RIGHT_KEY},   {InputRight, VK_NUMPAD6_KEY},
    {InputButton1, VK_Z_KEY}, {InputButton2, VK_X_KEY},    {InputEscape, VK_ESCAPE_KEY}, {0, 0},
};

namespace {

// The axis limits as the capabilities report them: half-range by an unsigned halving of the span.
void CalibrateAxis(uint32_t minimum, uint32_t maximum, int32_t& centre, int32_t& halfRange) {
    const uint32_t half = (maximum - minimum) >> 1;
    halfRange = static_cast<int32_t>(half);
    centre = static_cast<int32_t>(minimum + half);
}

// position - centre with 32-bit wraparound.
int32_t AxisOffset(uint32_t position, int32_t centre) {
    return static_cast<int32_t>(position - static_cast<uint32_t>(centre));
}

// 0 inside the dead zone (its limits included), -1 below it, +1 above it.
int AxisDirection(uint32_t position, int32_t centre, int32_t halfRange) {
    const int64_t t = halfRange / 4;
    const int64_t p = static_cast<int32_t>(position);
    if (p < centre - t) return -1;
    if (p > centre + t) return 1;
    return 0;
}

} // namespace

int DetectJoystick(InputState& input, Joystick* joystick) {
    // The device count is unsigned: a driver reporting more than one joystick still gives exactly one.
    const uint32_t devices = joystick != nullptr ? joystick->GetNumDevs() : 0u;
    input.JoystickCount = devices > 0u ? 1 : 0;
    if (input.JoystickCount == 0) return 1;

    // A failed capabilities query leaves every limit 0, as the game never tests it.
    JoystickCaps caps{};
    joystick->GetDevCaps(0, caps);
    JoystickCalibrationRecord& c = input.JoystickCalibration;
    CalibrateAxis(caps.xMin, caps.xMax, c.XCentre, c.XHalfRange);
    CalibrateAxis(caps.yMin, caps.yMax, c.YCentre, c.YHalfRange);
    CalibrateAxis(caps.zMin, caps.zMax, c.ZCentre, c.ZHalfRange);
    CalibrateAxis(caps.rMin, caps.rMax, c.RCentre, c.RHalfRange);
    return 1;
}

int32_t ReadInput(const InputState& input, Keyboard* keyboard, Joystick* joystick, InputRecord* record) {
    if (record != nullptr) *record = InputRecord{};
    if (input.JoystickCount < 0) return 0;

    uint32_t bits = 0;
    if (keyboard != nullptr) {
        for (const KeyBinding* row = KeyBindingTable; row->bit != 0; ++row) {
            if (keyboard->IsKeyDown(row->virtualKey)) bits |= row->bit;
        }
    }

    JoystickPosition pos{};
    if (input.JoystickCount > 0 && joystick != nullptr && joystick->GetPosition(0, pos)) {
        const JoystickCalibrationRecord& c = input.JoystickCalibration;
        const int x = AxisDirection(pos.x, c.XCentre, c.XHalfRange);
        const int y = AxisDirection(pos.y, c.YCentre, c.YHalfRange);
        if (x < 0) bits |= InputLeft;
        if (x > 0) bits |= InputRight;
        if (y < 0) bits |= InputUp;
        if (y > 0) bits |= InputDown;
        bits |= (pos.buttons & 0xFFu) << 4;
        if (record != nullptr) {
            *record = {static_cast<int32_t>(bits),
                       AxisOffset(pos.x, c.XCentre),
                       AxisOffset(pos.y, c.YCentre),
                       AxisOffset(pos.z, c.ZCentre),
                       AxisOffset(pos.r, c.RCentre),
                       c.XHalfRange,
                       c.YHalfRange,
                       c.ZHalfRange,
                       c.RHalfRange};
        }
        return static_cast<int32_t>(bits);
    }

    // Keyboard only (no joystick, or it did not answer this frame): directions as -1, 0 or +1.
    if (record != nullptr) {
        const int32_t right = (bits & InputRight) != 0, left = (bits & InputLeft) != 0;
        const int32_t down = (bits & InputDown) != 0, up = (bits & InputUp) != 0;
        *record = {static_cast<int32_t>(bits), right - left, down - up, 0, 0, 1, 1, 0, 0};
    }
    return static_cast<int32_t>(bits);
}

} // namespace vorna
