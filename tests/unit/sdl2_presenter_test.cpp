// The desktop presenter: only what changed is drawn again; a new palette, a repaint or a new size draws it all.
#ifdef VORNA_HAVE_DESKTOP
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "backends/sdl2/sdl2_presenter.h"

using namespace vorna;

namespace {

constexpr uint32_t kMarker = 0xFF00FF; // drawn by the test itself, never by the game's palette

// A presenter on SDL's dummy video driver, whose window is exactly one frame in size (no scaling).
class PresenterOnDummyWindow : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window_ = SDL_CreateWindow("test", 0, 0, kFrameWidth, kFrameHeight, SDL_WINDOW_HIDDEN);
        ASSERT_NE(window_, nullptr) << SDL_GetError();
        presenter_ = std::make_unique<Sdl2Presenter>(window_);
        ASSERT_TRUE(presenter_->CreateDevice(false));
        ASSERT_TRUE(presenter_->CreatePrimary(false, false));
        for (int i = 0; i < 256; ++i) palette_[i] = PaletteEntry{uint8_t(i), 0, uint8_t(255 - i), 0};
        ASSERT_TRUE(presenter_->CreatePalette(palette_));
        frame_.assign(size_t(kFrameWidth) * kFrameHeight, 7);
    }
    void TearDown() override {
        presenter_.reset();
        if (window_ != nullptr) SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    void Show() {
        ASSERT_EQ(presenter_->Present(frame_.data(), kFrameWidth, palette_, false, ClientArea{0, 0, 0, 0}), 0);
        presenter_->ShowPendingFrame();
    }
    // Paints the renderer's target by hand: whatever the presenter draws next covers it.
    void Mark() {
        SDL_Renderer* r = presenter_->Renderer();
        SDL_SetRenderDrawColor(r, 0xFF, 0x00, 0xFF, 0xFF);
        SDL_RenderClear(r);
    }
    uint32_t PixelAt(int x, int y) {
        uint32_t argb = 0;
        const SDL_Rect one{x, y, 1, 1};
        EXPECT_EQ(SDL_RenderReadPixels(presenter_->Renderer(), &one, SDL_PIXELFORMAT_ARGB8888, &argb, 4), 0);
        return argb & 0xFFFFFF;
    }
    static uint32_t Rgb(const PaletteEntry& e) { return uint32_t(e.red) << 16 | uint32_t(e.green) << 8 | e.blue; }
    // How many pixels of a width × height window differ from the frame scaled by the nearest rule.
    int WrongPixels(int width, int height) {
        std::vector<uint32_t> shown(size_t(width) * height);
        const SDL_Rect all{0, 0, width, height};
        EXPECT_EQ(SDL_RenderReadPixels(presenter_->Renderer(), &all, SDL_PIXELFORMAT_ARGB8888, shown.data(), width * 4),
                  0);
        int wrong = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const uint8_t index = frame_[size_t(y * kFrameHeight / height) * kFrameWidth + x * kFrameWidth / width];
                wrong += (shown[size_t(y) * width + x] & 0xFFFFFF) != Rgb(palette_[index]);
            }
        return wrong;
    }

    SDL_Window* window_ = nullptr;
    std::unique_ptr<Sdl2Presenter> presenter_;
    PaletteEntry palette_[256];
    std::vector<uint8_t> frame_;
};

} // namespace

TEST_F(PresenterOnDummyWindow, AnUnchangedFrameIsNotDrawnAgain) {
    Show();
    EXPECT_EQ(PixelAt(10, 10), Rgb(palette_[7]));
    Mark();
    Show();
    EXPECT_EQ(PixelAt(10, 10), kMarker);
    // The same colours written again change nothing on screen either.
    ASSERT_TRUE(presenter_->SetPaletteEntries(0, 256, palette_));
    Show();
    EXPECT_EQ(PixelAt(10, 10), kMarker);
}

TEST_F(PresenterOnDummyWindow, ANewPaletteOrOnePixelChangedIsDrawn) {
    Show();
    Mark();
    palette_[7] = PaletteEntry{1, 2, 3, 0};
    ASSERT_TRUE(presenter_->SetPaletteEntries(7, 1, &palette_[7]));
    Show();
    EXPECT_EQ(PixelAt(10, 10), 0x010203u);
    Mark();
    frame_[size_t(kFrameHeight - 1) * kFrameWidth + kFrameWidth - 1] = 9; // the very last pixel
    Show();
    EXPECT_EQ(PixelAt(kFrameWidth - 1, kFrameHeight - 1), Rgb(palette_[9]));
    // Only what changed is drawn: the rest of the window keeps what it had (here the test's own mark).
    EXPECT_EQ(PixelAt(0, 0), kMarker);
    presenter_->Repaint();
    EXPECT_EQ(PixelAt(0, 0), 0x010203u);
}

TEST_F(PresenterOnDummyWindow, ARepaintAlwaysDrawsAndAReleasedDeviceStartsAfresh) {
    Show();
    Mark();
    presenter_->Repaint();
    EXPECT_EQ(PixelAt(10, 10), Rgb(palette_[7]));
    // After the device is made again the first frame is drawn, even though it equals the last one.
    presenter_->ReleaseAll();
    ASSERT_TRUE(presenter_->CreateDevice(false));
    ASSERT_TRUE(presenter_->CreatePrimary(false, false));
    ASSERT_TRUE(presenter_->CreatePalette(palette_));
    Mark();
    Show();
    EXPECT_EQ(PixelAt(10, 10), Rgb(palette_[7]));
}
TEST_F(PresenterOnDummyWindow, FramesThatChangeHereAndThereAlwaysShowWhole) {
    // At 1× and 2× only the changed runs are written; at 1.5× every frame is scaled whole. Whatever the
    // path, after every frame the window equals the frame, through palette changes, the menu's overlay
    // and size changes in between.
    uint32_t seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    const int sizes[][2] = {{kFrameWidth, kFrameHeight}, {2 * kFrameWidth, 2 * kFrameHeight}, {480, 360}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(size[0]);
        SDL_SetWindowSize(window_, size[0], size[1]);
        for (int step = 0; step < 40; ++step) {
            // A few rectangles of new colour, like sprites moving over a still backdrop.
            for (int n = next() % 4; n > 0; --n) {
                const int x0 = next() % kFrameWidth, y0 = next() % kFrameHeight;
                const int w = 1 + next() % 40, h = 1 + next() % 30;
                const uint8_t colour = uint8_t(next());
                for (int y = y0; y < std::min(kFrameHeight, y0 + h); ++y)
                    for (int x = x0; x < std::min(kFrameWidth, x0 + w); ++x)
                        frame_[size_t(y) * kFrameWidth + x] = colour;
            }
            if (step % 13 == 5) {
                palette_[next() % 256] = PaletteEntry{uint8_t(next()), uint8_t(next()), uint8_t(next()), 0};
                ASSERT_TRUE(presenter_->SetPaletteEntries(0, 256, palette_));
            }
            if (step % 17 == 8) {
                presenter_->SetOverlay([](SDL_Renderer*) {});
                Show();
                presenter_->SetOverlay(nullptr);
            }
            Show();
            ASSERT_EQ(WrongPixels(size[0], size[1]), 0) << "step " << step;
        }
    }
}
#endif
