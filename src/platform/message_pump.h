// The window-message queue the message loop drains before it runs a tick.
#pragma once
#include <cstdint>

namespace vorna {

constexpr uint32_t kWaitForever = 0xFFFFFFFFu;

class MessagePump {
public:
    virtual ~MessagePump() = default;
    // True when a message waits (PeekMessage with PM_NOREMOVE).
    virtual bool Peek() = 0;
    // Takes the next message and dispatches it (GetMessage, TranslateMessage, DispatchMessage).
    // Returns false when it was the quit message; its code is stored in quitCode.
    virtual bool GetAndDispatch(int& quitCode) = 0;
    // Blocks until a message arrives or timeoutMs has passed, so the loop need not spin.
    // A virtual-time backend advances its clock by the time waited.
    virtual void WaitForMessage(uint32_t timeoutMs) = 0;
};

} // namespace vorna
