// The millisecond clock the frame pacing reads (timeGetTime on Windows).
#pragma once
#include <cstdint>

namespace vorna {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since some fixed point; wraps modulo 2^32 like timeGetTime.
    virtual uint32_t NowMs() = 0;
};

} // namespace vorna
