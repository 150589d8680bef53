// The headless message queue: waiting advances virtual time, and closing the run is a window destruction.
#include "backends/headless/headless_pump.h"

#include "app/shell.h"

namespace vorna {

void HeadlessMessagePump::RequestClose() {
    if (closeRequested_) return;
    closeRequested_ = true;
    queue_.push_back(Message::Destroy);
}

bool HeadlessMessagePump::GetAndDispatch(int& quitCode) {
    if (queue_.empty()) return true;
    Message m = queue_.front();
    queue_.pop_front();
    if (m == Message::Quit) {
        quitCode = 0;
        return false;
    }
    destroyed_ = true;
    RequestShutdown(game_);
    queue_.push_back(Message::Quit);
    return true;
}

void HeadlessMessagePump::WaitForMessage(uint32_t timeoutMs) {
    if (!queue_.empty()) return;
    // Nothing else can ever post a message here, so an endless wait or a run that stopped
    // producing frames would hang: close it instead and let the runner report it.
    if (timeoutMs == kWaitForever || sinceFrameMs_ >= kStallLimitMs) {
        stalled_ = true;
        RequestClose();
        return;
    }
    clock_.Advance(timeoutMs);
    sinceFrameMs_ += timeoutMs;
}

} // namespace vorna
