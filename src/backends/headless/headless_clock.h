// The headless backend's clock: virtual milliseconds that pass only when the message pump waits.
#pragma once
#include <cstdint>

#include "platform/clock.h"

namespace vorna {

class VirtualClock : public Clock {
public:
    explicit VirtualClock(uint32_t startMs = 0) : now_(startMs) {}
    uint32_t NowMs() override { return now_; }
    // Wraps modulo 2^32 like the millisecond clock it stands in for.
    void Advance(uint32_t ms) { now_ += ms; }

private:
    uint32_t now_;
};

} // namespace vorna
