// Shows the 32-bit picture in the window scaled by the X server (Render), from a shared-memory image.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <memory>

namespace vorna {

// Where there is no GPU, SDL's software path writes every pixel of the scaled picture into the window's
// shared image, and the server copies all of them again: at twice the size that is four times the picture.
// Here only the picture at its own size is shared and the server scales it into the window, so the game
// writes a quarter of the memory and the server reads a quarter. Only whole-number scale factors take this
// path: for them the server's nearest sampling picks exactly the pixels our own scaler would.
class X11ScaledPresent {
public:
    // Sets up for pictures of width × height; Available() is false off X, without the Render and
    // shared-memory extensions, or when the window's pixels are not 32-bit 0x00RRGGBB.
    X11ScaledPresent(SDL_Window* window, int width, int height);
    ~X11ScaledPresent();
    X11ScaledPresent(const X11ScaledPresent&) = delete;
    X11ScaledPresent& operator=(const X11ScaledPresent&) = delete;

    bool Available() const;
    // Whether the server can show the picture at this size: a whole-number multiple in each direction.
    bool CanScaleTo(int width, int height) const;
    // The shared picture: width × height 32-bit pixels, rows Pitch() bytes apart. Write it, then Show.
    uint8_t* Pixels() const;
    int Pitch() const;
    // Shows the picture at (x, y, w, h) of a window whose client area is outputWidth × outputHeight, black
    // around it; returns when the server is done reading the shared picture. False if nothing was shown.
    bool Show(const SDL_Rect& dst, int outputWidth, int outputHeight);

private:
    struct Connection;
    std::unique_ptr<Connection> x_;
};

} // namespace vorna
