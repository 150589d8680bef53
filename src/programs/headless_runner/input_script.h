// Reading input scripts ("vorna-input 1"): which keys and joystick positions are held from which frame on.
#pragma once
#include <string>

#include "backends/headless/headless_input.h"

namespace vorna {

// Parses a whole script. On failure returns false and sets error to one line
// "NAME:LINE: what is wrong" (NAME is the name given for the script).
bool ParseInputScript(const std::string& text, const std::string& name, InputScript& out, std::string& error);

} // namespace vorna
