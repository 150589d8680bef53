// The X server's scaling shows exactly what our own scaler writes, at every whole-number factor, with black bars.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <vector>

#include "backends/sdl2/palette_scaler.h"
#include "backends/sdl2/x11_scaled_present.h"

using namespace vorna;

namespace {

constexpr int kSourceWidth = 320;
constexpr int kSourceHeight = 240;
constexpr int kWindowWidth = 1280;
constexpr int kWindowHeight = 960;
constexpr uint32_t kRgbMask = 0xFFFFFF;

// Neighbouring pixels, rows and columns all differ, so any pixel taken from the wrong place shows.
std::vector<uint8_t> Frame() {
    std::vector<uint8_t> frame(kSourceWidth * kSourceHeight);
    for (int y = 0; y < kSourceHeight; ++y)
        for (int x = 0; x < kSourceWidth; ++x) frame[y * kSourceWidth + x] = static_cast<uint8_t>(x * 7 + y * 13);
    return frame;
}

void Lookup(uint32_t (&lookup)[256]) {
    for (uint32_t i = 0; i < 256; ++i) lookup[i] = (0x010203u * i ^ 0x00A5C3E1u) & kRgbMask;
}

class ServerScale : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window_ = SDL_CreateWindow("server scale", 0, 0, kWindowWidth, kWindowHeight, SDL_WINDOW_SHOWN);
        ASSERT_NE(window_, nullptr) << SDL_GetError();
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        ASSERT_EQ(SDL_GetWindowWMInfo(window_, &info), SDL_TRUE);
        display_ = info.info.x11.display;
        xwindow_ = info.info.x11.window;
        // The window is mapped and drawable once the server has answered.
        for (int i = 0; i < 50; ++i) {
            SDL_PumpEvents();
            SDL_Delay(10);
        }
    }
    void TearDown() override {
        if (window_ != nullptr) SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // What the window shows, 0x00RRGGBB per pixel, row after row.
    std::vector<uint32_t> ReadBack(int width, int height) const {
        std::vector<uint32_t> pixels;
        XImage* image = XGetImage(display_, xwindow_, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                                  AllPlanes, ZPixmap);
        if (image == nullptr) return pixels;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & kRgbMask);
        XDestroyImage(image);
        return pixels;
    }

    SDL_Window* window_ = nullptr;
    Display* display_ = nullptr;
    Window xwindow_ = 0;
};

TEST_F(ServerScale, EveryWholeFactorEqualsOurScalerAndTheBarsAreBlack) {
    X11ScaledPresent present(window_, kSourceWidth, kSourceHeight);
    ASSERT_TRUE(present.Available()) << "the test display has Render and shared memory at depth 24";
    const std::vector<uint8_t> frame = Frame();
    uint32_t lookup[256];
    Lookup(lookup);
    PaletteScaler scaler;
    scaler.Scale(frame.data(), kSourceWidth, kSourceHeight, lookup, present.Pixels(), present.Pitch(), kSourceWidth,
                 kSourceHeight);
    // Sizes the window's menu and full screen give, including factors whose inverse is not exact in the
    // server's fixed point (3) and different factors across and down; placed off the corner so that bars show.
    const SDL_Rect places[] = {{0, 0, 320, 240},  {0, 0, 640, 480},  {7, 5, 960, 720},
                               {0, 0, 1280, 960}, {11, 0, 640, 240}, {0, 13, 320, 480}};
    for (const SDL_Rect& dst : places) {
        ASSERT_TRUE(present.Show(dst, kWindowWidth, kWindowHeight)) << dst.w << " x " << dst.h;
        const std::vector<uint32_t> shown = ReadBack(kWindowWidth, kWindowHeight);
        ASSERT_EQ(shown.size(), size_t(kWindowWidth) * kWindowHeight);
        std::vector<uint32_t> expected(size_t(dst.w) * dst.h);
        scaler.Scale(frame.data(), kSourceWidth, kSourceHeight, lookup, reinterpret_cast<uint8_t*>(expected.data()),
                     dst.w * 4, dst.w, dst.h);
        int wrongPicture = 0, wrongBars = 0;
        for (int y = 0; y < kWindowHeight; ++y)
            for (int x = 0; x < kWindowWidth; ++x) {
                const uint32_t got = shown[size_t(y) * kWindowWidth + x];
                const bool inside = x >= dst.x && x < dst.x + dst.w && y >= dst.y && y < dst.y + dst.h;
                if (inside && got != expected[size_t(y - dst.y) * dst.w + (x - dst.x)]) ++wrongPicture;
                if (!inside && got != 0) ++wrongBars;
            }
        EXPECT_EQ(wrongPicture, 0) << dst.w << " x " << dst.h << " at " << dst.x << ", " << dst.y;
        EXPECT_EQ(wrongBars, 0) << dst.w << " x " << dst.h << " at " << dst.x << ", " << dst.y;
    }
}

TEST_F(ServerScale, SizesThatAreNotWholeMultiplesAreLeftToOurScaler) {
    X11ScaledPresent present(window_, kSourceWidth, kSourceHeight);
    ASSERT_TRUE(present.Available());
    EXPECT_TRUE(present.CanScaleTo(960, 240));
    EXPECT_TRUE(present.CanScaleTo(2560, 1920));
    // Beyond eight times the fixed-point factor's rounding could pick a neighbour: our scaler does those.
    EXPECT_FALSE(present.CanScaleTo(2880, 2160));
    for (const SDL_Rect& dst :
         {SDL_Rect{0, 0, 480, 360}, SDL_Rect{0, 0, 737, 411}, SDL_Rect{0, 0, 100, 75}, SDL_Rect{0, 0, 0, 0}}) {
        EXPECT_FALSE(present.CanScaleTo(dst.w, dst.h)) << dst.w << " x " << dst.h;
        EXPECT_FALSE(present.Show(dst, kWindowWidth, kWindowHeight)) << dst.w << " x " << dst.h;
    }
    // Nor may a picture reach past the window.
    EXPECT_FALSE(present.Show(SDL_Rect{1, 0, 1280, 960}, kWindowWidth, kWindowHeight));
}

TEST(ServerScaleOffX, AWindowlessSetupIsUnavailableAndShowsNothing) {
    X11ScaledPresent present(nullptr, kSourceWidth, kSourceHeight);
    EXPECT_FALSE(present.Available());
    EXPECT_EQ(present.Pixels(), nullptr);
    EXPECT_FALSE(present.Show(SDL_Rect{0, 0, 640, 480}, 640, 480));
}

} // namespace
