// The desktop program's debugger output: silent unless VORNA_DEBUG is set, repeated identical lines folded.
#include "backends/sdl2/debug_lines.h"

namespace vorna {

void DebugLineFolder::Write(const char* text) {
    if (sink_ == nullptr || text == nullptr) return;
    if (!last_.empty() && last_ == text) {
        ++repeats_;
        return;
    }
    Flush();
    last_ = text;
    std::fputs(text, sink_);
    if (last_.empty() || last_.back() != '\n') std::fputc('\n', sink_);
    std::fflush(sink_);
}

void DebugLineFolder::Flush() {
    if (sink_ == nullptr || repeats_ == 0) return;
    std::fprintf(sink_, "  (the line above repeated %lu more times)\n", repeats_);
    std::fflush(sink_);
    repeats_ = 0;
}

} // namespace vorna
