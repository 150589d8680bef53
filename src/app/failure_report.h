// The start-up failure report: the numbered list of failures in one error box.
#pragma once
#include <cstddef>

#include "base/game.h"

namespace vorna {

// Formats the report's text (UTF-8) for the given flags; returns its length, or 0 for flags 0.
size_t FormatFailureReport(int flags, char* out, size_t capacity);
int ShowFailureReport(Game& g);

} // namespace vorna
