// The desktop program's debugger output: silent unless VORNA_DEBUG is set, repeated identical lines folded.
#pragma once
#include <cstdio>
#include <string>

namespace vorna {

class DebugLineFolder {
public:
    explicit DebugLineFolder(std::FILE* sink) : sink_(sink) {}
    DebugLineFolder(const DebugLineFolder&) = delete;
    DebugLineFolder& operator=(const DebugLineFolder&) = delete;
    ~DebugLineFolder() { Flush(); }

    // A line identical to the one before is only counted; the count is written when another line comes.
    void Write(const char* text);
    void Flush();

private:
    std::FILE* sink_;
    std::string last_;
    unsigned long repeats_ = 0;
};

} // namespace vorna
