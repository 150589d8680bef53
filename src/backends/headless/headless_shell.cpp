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
    const char* begin = text ? text : "";
    size_t length = std::strlen(begin);
    // A debug line usually carries its own line end; one line per call either way.
    while (length > 0 && (begin[length - 1] == '\n' || begin[length - 1] == '\r')) --length;
    if (sink_) {
        // Written straight through: a run with a sink allocates nothing per line.
        std::fwrite(begin, 1, length, sink_);
        std::fputc('\n', sink_);
    } else {
        debugLines_.emplace_back(begin, length);
    }
}

} // namespace vorna
