// The shell services the core asks for: message boxes and the debugger output.
#pragma once

namespace vorna {

enum MessageBoxStyle : unsigned {
    MB_OK_STYLE = 0x0,
    MB_YESNO_STYLE = 0x4,
    MB_ICONERROR_STYLE = 0x10,
    MB_ICONQUESTION_STYLE = 0x20,
    MB_ICONINFORMATION_STYLE = 0x40,
};

enum MessageBoxAnswer : int { IDOK_ANSWER = 1, IDYES_ANSWER = 6, IDNO_ANSWER = 7 };

class Shell {
public:
    virtual ~Shell() = default;
    // A modal message box; texts are UTF-8. Returns the button chosen.
    virtual int MessageBox(const char* text, const char* caption, unsigned style) = 0;
    // One debugger-output line (OutputDebugStringA), UTF-8, usually ending in "\n".
    virtual void DebugOutput(const char* text) = 0;
};

} // namespace vorna
