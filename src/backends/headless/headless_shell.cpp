// The headless shell: message boxes answer themselves with Yes or OK, debug output is kept or written out.
#include "backends/headless/headless_shell.h"

#include <cstring>

namespace vorna {

int HeadlessShell::MessageBox(const char* text, const char* caption, unsigned style) {
    // Nobody sits at a headless run: every question is accepted, as a user pressing Enter would.
    int answer = (style & 0xF) == MB_YESNO_STYLE ? IDYES_ANSWER : IDOK_ANSWER;
    boxes_.push_back({text ? text : "", caption ? caption : "", style, answer});
    return answer;
}

void HeadlessShell::DebugOutput(const char* text) {
    std::string line = text ? text : "";
    // A debug line usually carries its own line end; one line per call either way.
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (sink_) {
        std::fputs(line.c_str(), sink_);
        std::fputc('\n', sink_);
    } else {
        debugLines_.push_back(line);
    }
}

} // namespace vorna
