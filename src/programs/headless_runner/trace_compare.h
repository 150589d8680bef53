// Comparing a trace with a stored one and naming the first difference.
#pragma once
#include <string>
#include <vector>

namespace vorna {

// Splits a text into lines (a trailing carriage return is dropped; a final line end adds no empty line).
std::vector<std::string> SplitTraceLines(const std::string& text);

// True when both traces are identical. Otherwise message is the first difference as
// "frame N: KEY expected X got Y", with X and Y the values as they stand in the lines
// ("nothing" where one trace has no such frame or key).
bool CompareTraces(const std::vector<std::string>& expected, const std::vector<std::string>& actual,
                   std::string& message);

} // namespace vorna
