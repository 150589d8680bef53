// Text conversions for the Windows calls: our UTF-8 texts to UTF-16 for the W functions, or to code page 932.
#pragma once
#include <string>

namespace vorna {

std::wstring Utf8ToWide(const char* text);
// The game's Japanese debug lines are code page 932 on Windows; unknown characters become '?'.
std::string Utf8ToCodePage932(const char* text);

} // namespace vorna
