// A gamepad axis of the Gamepad API as the multimedia joystick's position.
#include <cmath>

#include "backends/web/web_input.h"

namespace vorna {

uint32_t GamepadAxisPosition(double value) {
    constexpr double kAxisMax = 65535.0;
    if (!(value >= -1.0)) value = -1.0; // NaN too: a pad reporting nonsense reads as pushed to one side
    if (value > 1.0) value = 1.0;
    return static_cast<uint32_t>(std::lround((value + 1.0) * 0.5 * kAxisMax));
}

} // namespace vorna
