// Shows the 32-bit picture in the window scaled by the X server (Render), from a shared-memory image.
#include "backends/sdl2/x11_scaled_present.h"

#ifdef VORNA_HAVE_X11
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xrender.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#endif

namespace vorna {

#ifdef VORNA_HAVE_X11

namespace {

// The lookup writes 0x00RRGGBB words: the window must take exactly those, without an alpha channel that a
// compositor would read as transparency.
constexpr unsigned long kRedMask = 0xFF0000;
constexpr unsigned long kGreenMask = 0x00FF00;
constexpr unsigned long kBlueMask = 0x0000FF;
constexpr int kColourDepth = 24;
constexpr int kBitsPerPixel = 32;
constexpr int kSegmentMode = 0600; // only this user's processes (the server runs as the same user or root)
constexpr unsigned short kOpaque = 0xFFFF;
// The server's scale factor is the inverse in 16.16 fixed point, rounded down. Across a picture of up to
// ten times 320 pixels the rounding stays below the half pixel's margin that nearest sampling at pixel
// centres leaves; larger factors are left to our own scaler.
constexpr int kMaxServerFactor = 8;

// X reports a refused attach (a server on another machine cannot see our memory) asynchronously; the
// setup waits for the answer with this handler in place.
bool attachRefused = false;
int NoteAttachRefused(Display*, XErrorEvent*) {
    attachRefused = true;
    return 0;
}

bool HostIsLittleEndian() {
    const uint16_t probe = 1;
    return *reinterpret_cast<const uint8_t*>(&probe) == 1;
}

} // namespace

struct X11ScaledPresent::Connection {
    Display* display = nullptr;
    Window window = 0;
    int width = 0;
    int height = 0;
    XShmSegmentInfo segment{};
    XImage* image = nullptr;
    bool attached = false;
    Pixmap pixmap = 0;
    GC gc = nullptr;
    Picture source = 0;
    Picture target = 0;
    int scaledWidth = 0; // the size the source's transform scales to
    int scaledHeight = 0;

    Connection() {
        segment.shmid = -1;
        segment.shmaddr = reinterpret_cast<char*>(-1);
    }
    ~Connection() {
        if (target != 0) XRenderFreePicture(display, target);
        if (source != 0) XRenderFreePicture(display, source);
        if (gc != nullptr) XFreeGC(display, gc);
        if (pixmap != 0) XFreePixmap(display, pixmap);
        if (attached) XShmDetach(display, &segment);
        if (display != nullptr) XSync(display, False);
        if (image != nullptr) {
            image->data = nullptr; // the segment is not Xlib's to free
            XDestroyImage(image);
        }
        if (segment.shmaddr != reinterpret_cast<char*>(-1)) shmdt(segment.shmaddr);
    }

    bool Share(Visual* visual, int depth) {
        image = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &segment,
                                static_cast<unsigned>(width), static_cast<unsigned>(height));
        if (image == nullptr || image->bits_per_pixel != kBitsPerPixel ||
            image->byte_order != (HostIsLittleEndian() ? LSBFirst : MSBFirst))
            return false;
        segment.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(height),
                               IPC_CREAT | kSegmentMode);
        if (segment.shmid < 0) return false;
        segment.shmaddr = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
        const bool mapped = segment.shmaddr != reinterpret_cast<char*>(-1);
        if (mapped) image->data = segment.shmaddr;
        segment.readOnly = False;
        if (mapped) {
            XSync(display, False);
            attachRefused = false;
            const auto previous = XSetErrorHandler(NoteAttachRefused);
            attached = XShmAttach(display, &segment) != 0;
            XSync(display, False);
            XSetErrorHandler(previous);
            attached = attached && !attachRefused;
        }
        // Marked for removal at once: it goes when both sides have let go, even if the program dies.
        shmctl(segment.shmid, IPC_RMID, nullptr);
        return attached;
    }
};

X11ScaledPresent::X11ScaledPresent(SDL_Window* window, int width, int height) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || width <= 0 || height <= 0 || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE ||
        info.subsystem != SDL_SYSWM_X11 || info.info.x11.display == nullptr)
        return;
    auto c = std::make_unique<Connection>();
    c->display = info.info.x11.display;
    c->window = info.info.x11.window;
    c->width = width;
    c->height = height;
    int eventBase = 0, errorBase = 0;
    if (!XShmQueryExtension(c->display) || !XRenderQueryExtension(c->display, &eventBase, &errorBase)) return;
    XWindowAttributes attributes;
    if (XGetWindowAttributes(c->display, c->window, &attributes) == 0 || attributes.depth != kColourDepth) return;
    const Visual* visual = attributes.visual;
    if (visual == nullptr || visual->red_mask != kRedMask || visual->green_mask != kGreenMask ||
        visual->blue_mask != kBlueMask)
        return;
    XRenderPictFormat* format = XRenderFindVisualFormat(c->display, attributes.visual);
    if (format == nullptr || !c->Share(attributes.visual, attributes.depth)) return;
    c->pixmap = XCreatePixmap(c->display, c->window, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              static_cast<unsigned>(attributes.depth));
    c->gc = XCreateGC(c->display, c->pixmap, 0, nullptr);
    c->source = XRenderCreatePicture(c->display, c->pixmap, format, 0, nullptr);
    c->target = XRenderCreatePicture(c->display, c->window, format, 0, nullptr);
    XRenderSetPictureFilter(c->display, c->source, const_cast<char*>(FilterNearest), nullptr, 0);
    x_ = std::move(c);
}

X11ScaledPresent::~X11ScaledPresent() = default;

bool X11ScaledPresent::Available() const {
    return x_ != nullptr;
}

bool X11ScaledPresent::CanScaleTo(int width, int height) const {
    return x_ != nullptr && width > 0 && height > 0 && width % x_->width == 0 && height % x_->height == 0 &&
           width / x_->width <= kMaxServerFactor && height / x_->height <= kMaxServerFactor;
}

uint8_t* X11ScaledPresent::Pixels() const {
    return x_ != nullptr ? reinterpret_cast<uint8_t*>(x_->image->data) : nullptr;
}

int X11ScaledPresent::Pitch() const {
    return x_ != nullptr ? x_->image->bytes_per_line : 0;
}

bool X11ScaledPresent::Show(const SDL_Rect& dst, int outputWidth, int outputHeight) {
    if (!CanScaleTo(dst.w, dst.h) || dst.x < 0 || dst.y < 0 || dst.x + dst.w > outputWidth ||
        dst.y + dst.h > outputHeight)
        return false;
    Connection& c = *x_;
    if (dst.w != c.scaledWidth || dst.h != c.scaledHeight) {
        // Whole-number factors: the nearest source pixel of each destination pixel's centre is exactly the
        // one that x × source / destination picks (see kMaxServerFactor for the fixed point's rounding).
        XTransform scale{};
        scale.matrix[0][0] = XDoubleToFixed(static_cast<double>(c.width) / dst.w);
        scale.matrix[1][1] = XDoubleToFixed(static_cast<double>(c.height) / dst.h);
        scale.matrix[2][2] = XDoubleToFixed(1);
        XRenderSetPictureTransform(c.display, c.source, &scale);
        c.scaledWidth = dst.w;
        c.scaledHeight = dst.h;
    }
    XShmPutImage(c.display, c.pixmap, c.gc, c.image, 0, 0, 0, 0, static_cast<unsigned>(c.width),
                 static_cast<unsigned>(c.height), False);
    XRenderComposite(c.display, PictOpSrc, c.source, None, c.target, 0, 0, 0, 0, dst.x, dst.y,
                     static_cast<unsigned>(dst.w), static_cast<unsigned>(dst.h));
    // Black where the picture leaves room (letterbox bars).
    XRectangle bars[4];
    int count = 0;
    const auto bar = [&](int x, int y, int w, int h) {
        if (w > 0 && h > 0)
            bars[count++] = XRectangle{static_cast<short>(x), static_cast<short>(y), static_cast<unsigned short>(w),
                                       static_cast<unsigned short>(h)};
    };
    bar(0, 0, outputWidth, dst.y);
    bar(0, dst.y + dst.h, outputWidth, outputHeight - dst.y - dst.h);
    bar(0, dst.y, dst.x, dst.h);
    bar(dst.x + dst.w, dst.y, outputWidth - dst.x - dst.w, dst.h);
    if (count > 0) {
        const XRenderColor black{0, 0, 0, kOpaque};
        XRenderFillRectangles(c.display, PictOpSrc, c.target, &black, bars, count);
    }
    // The shared picture may be written again only once the server has read it.
    XSync(c.display, False);
    return true;
}

#else

struct X11ScaledPresent::Connection {};

X11ScaledPresent::X11ScaledPresent(SDL_Window*, int, int) {}
X11ScaledPresent::~X11ScaledPresent() = default;
bool X11ScaledPresent::Available() const {
    return false;
}
bool X11ScaledPresent::CanScaleTo(int, int) const {
    return false;
}
uint8_t* X11ScaledPresent::Pixels() const {
    return nullptr;
}
int X11ScaledPresent::Pitch() const {
    return 0;
}
bool X11ScaledPresent::Show(const SDL_Rect&, int, int) {
    return false;
}

#endif

} // namespace vorna
