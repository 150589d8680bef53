// Text conversions for the Windows calls: our UTF-8 texts to UTF-16 for the W functions, or to code page 932.
#include "backends/win32/win32_headers.h"

#include "backends/win32/win32_text.h"

namespace vorna {

std::wstring Utf8ToWide(const char* text) {
    if (text == nullptr || *text == '\0') return std::wstring();
    const int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, &wide[0], n);
    wide.resize(static_cast<size_t>(n - 1)); // without the terminator the count included
    return wide;
}

std::string Utf8ToCodePage932(const char* text) {
    const std::wstring wide = Utf8ToWide(text);
    if (wide.empty()) return std::string();
    const int n = WideCharToMultiByte(932, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string(text);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(932, 0, wide.c_str(), -1, &out[0], n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

} // namespace vorna
