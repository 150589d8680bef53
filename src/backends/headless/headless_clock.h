// The headless backend's clock: virtual milliseconds that pass only when the message pump waits.
#pragma once
#include <cstdint>

#include "platform/clock.h"

namespace vorna {

// Something that runs on in the clock's virtual time (the MIDI stream), told as the time passes.
class VirtualTimeFollower {
public:
    virtual ~VirtualTimeFollower() = default;
    virtual void TimePassed(uint32_t ms) = 0;
};

class VirtualClock : public Clock {
public:
    explicit VirtualClock(uint32_t startMs = 0) : now_(startMs) {}
    uint32_t NowMs() override { return now_; }
    // Wraps modulo 2^32 like the millisecond clock it stands in for.
    void Advance(uint32_t ms) {
        now_ += ms;
        if (follower_ != nullptr) follower_->TimePassed(ms);
    }
    void SetFollower(VirtualTimeFollower* follower) { follower_ = follower; }

private:
    uint32_t now_;
    VirtualTimeFollower* follower_ = nullptr;
};

} // namespace vorna
