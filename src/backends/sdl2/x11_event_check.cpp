// Asks the X connection behind the window whether anything waits, without the cost of a full SDL pump.
#include "backends/sdl2/x11_event_check.h"

#ifdef VORNA_HAVE_X11
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <poll.h>
#endif

namespace vorna {

X11EventCheck::X11EventCheck(SDL_Window* window) {
#ifdef VORNA_HAVE_X11
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11 ||
        info.info.x11.display == nullptr)
        return;
    display_ = info.info.x11.display;
    fd_ = ConnectionNumber(info.info.x11.display);
#else
    (void)window;
#endif
}

bool X11EventCheck::MayHaveEvents() const {
#ifdef VORNA_HAVE_X11
    if (display_ == nullptr) return true;
    // Reads without waiting whatever the socket holds, and takes over what XCB already read while the
    // present waited for its reply: an event there would be on neither Xlib's queue nor the socket, and
    // a wait on the socket would sleep past it.
    return XEventsQueued(static_cast<Display*>(display_), QueuedAfterReading) > 0;
#else
    return true;
#endif
}

void X11EventCheck::WaitForData(uint32_t timeoutMs) const {
#ifdef VORNA_HAVE_X11
    pollfd connection{fd_, POLLIN, 0};
    (void)poll(&connection, 1, static_cast<int>(timeoutMs));
#else
    (void)timeoutMs;
#endif
}

} // namespace vorna
