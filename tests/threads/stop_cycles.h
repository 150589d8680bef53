// How many play-tempo-stop cycles the thread tests run, and a note of the longest stop they saw.
#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vorna::testing {

// make test runs this many (VORNA_STOP_CYCLES sets another count for a longer or a quicker run).
constexpr int kDefaultStopCycles = 10000;

inline int StopCycles() {
    const char* text = std::getenv("VORNA_STOP_CYCLES");
    if (!text) return kDefaultStopCycles;
    char* end = nullptr;
    long n = std::strtol(text, &end, 10);
    return (end != text && *end == '\0' && n > 0 && n <= 1000000) ? int(n) : kDefaultStopCycles;
}

// Keeps the longest of the timed stops; reported, never asserted (the clock belongs to no test).
class LongestStop {
public:
    template <typename Stop> auto Time(Stop stop) {
        auto start = std::chrono::steady_clock::now();
        auto result = stop();
        auto took = std::chrono::steady_clock::now() - start;
        if (took > longest_) longest_ = took;
        return result;
    }
    void Report(int cycles) const {
        long long us = (long long)std::chrono::duration_cast<std::chrono::microseconds>(longest_).count();
        ::testing::Test::RecordProperty("longest_stop_us", std::to_string(us));
        std::printf("%d cycles, longest stop %lld us\n", cycles, us);
    }

private:
    std::chrono::steady_clock::duration longest_{};
};

} // namespace vorna::testing
