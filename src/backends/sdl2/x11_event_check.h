// Asks the X connection behind the window whether anything waits, without the cost of a full SDL pump.
#pragma once
#include <SDL.h>

namespace vorna {

class X11EventCheck {
public:
    // Finds the window's X connection; on any other window system every question answers "maybe".
    explicit X11EventCheck(SDL_Window* window);
    // False only when surely nothing waits: neither Xlib nor XCB holds an event and the connection has
    // nothing to read.
    bool MayHaveEvents() const;
    // Whether WaitForData can wait on the connection itself (false off X).
    bool CanWait() const { return display_ != nullptr; }
    // Sleeps until the connection has something to read, a signal arrives or the time is up.
    void WaitForData(uint32_t timeoutMs) const;

private:
    void* display_ = nullptr; // Display*, kept opaque so that X's macros stay out of every other file
    int fd_ = -1;
};

} // namespace vorna
