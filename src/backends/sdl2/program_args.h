// The desktop program's command line handed to the game as one text, the way Windows gives it.
#pragma once
#include <string>

namespace vorna {

// The arguments after the program name, joined by single spaces (the switches may stand anywhere in it).
std::string JoinArguments(int argc, const char* const* argv);

} // namespace vorna
