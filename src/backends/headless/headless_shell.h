// The headless shell: message boxes answer themselves with Yes or OK, debug output is kept or written out.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace vorna {

struct RecordedMessageBox {
    std::string text;
    std::string caption;
    unsigned style;
    int answer;
};

class HeadlessShell : public Shell {
public:
    // With a sink every debug line goes there at once (one line per call); without one the lines are kept.
    void SetDebugSink(std::FILE* sink) { sink_ = sink; }
    int MessageBox(const char* text, const char* caption, unsigned style) override;
    void DebugOutput(const char* text) override;

    const std::vector<std::string>& DebugLines() const { return debugLines_; }
    const std::vector<RecordedMessageBox>& MessageBoxes() const { return boxes_; }

private:
    std::FILE* sink_ = nullptr;
    std::vector<std::string> debugLines_;
    std::vector<RecordedMessageBox> boxes_;
};

} // namespace vorna
