// Runs a shell command for a test and hands back what it printed, with its exit status.
#pragma once
#include <cstdio>
#include <string>

namespace vorna {

inline std::string RunCommand(const std::string& command, int& status) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return out;
    }
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
    status = pclose(pipe);
    return out;
}

} // namespace vorna
