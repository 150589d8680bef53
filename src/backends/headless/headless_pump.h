// The headless message queue: waiting advances virtual time, and closing the run is a window destruction.
#pragma once
#include <cstdint>
#include <deque>

#include "backends/headless/headless_clock.h"
#include "base/game.h"
#include "platform/message_pump.h"

namespace vorna {

class HeadlessMessagePump : public MessagePump {
public:
    // A run that shows no new frame for this much virtual time can never finish by itself.
    static constexpr uint32_t kStallLimitMs = 60000;

    HeadlessMessagePump(Game& g, VirtualClock& clock) : game_(g), clock_(clock) {}

    // Queues the destruction of the (imaginary) main window: its handling runs the shutdown
    // phase and then posts the quit message with code 0, as closing a real window does.
    void RequestClose();
    // The runner saw a running frame: the stall watch starts again.
    void NoteFrame() { sinceFrameMs_ = 0; }
    bool Stalled() const { return stalled_; }
    bool Destroyed() const { return destroyed_; }

    bool Peek() override { return !queue_.empty(); }
    bool GetAndDispatch(int& quitCode) override;
    void WaitForMessage(uint32_t timeoutMs) override;

private:
    enum class Message { Destroy, Quit };
    Game& game_;
    VirtualClock& clock_;
    std::deque<Message> queue_;
    bool closeRequested_ = false;
    bool destroyed_ = false;
    bool stalled_ = false;
    uint64_t sinceFrameMs_ = 0;
};

} // namespace vorna
