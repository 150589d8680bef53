// The desktop program's painter of the credit panel: stars, sprites, header bars and texts from the plan.
#ifdef VORNA_HAVE_DESKTOP
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backends/sdl2/credit_panel.h"

using namespace vorna;

namespace {

constexpr int kW = 60, kH = 40; // pixel size; the panel's W and H are one more

DibImage Sheet() {
    DibImage s;
    s.width = 320;
    s.height = 100;
    s.pixels.assign(320 * 100, 0);
    s.colours[0] = 0x000000;
    s.colours[5] = 0x112233;
    for (int y = 32; y < 79; ++y)
        for (int x = 176; x < 223; ++x) s.pixels[static_cast<size_t>(y) * 320 + x] = 5; // the sun
    return s;
}

struct Call {
    std::string text;
    int x, y, w, h;
    uint32_t rgb;
};

// A plan with everything off the panel, for tests to place what they look at.
AboutPanelPlan EmptyPlan() {
    AboutPanelPlan plan{};
    plan.width = kW + 1;
    plan.height = kH + 1;
    for (AboutStar& s : plan.stars) s = AboutStar{-1, -1, 200};
    for (AboutSprite& s : plan.sprites) s = AboutSprite{1000, 1000, 176, 32};
    plan.rowCount = 0;
    return plan;
}

} // namespace

TEST(CreditPanelPainter, StarsAreGreyPixelsAndSpritesPlainCopiesClippedToTheBuffer) {
    const DibImage sheet = Sheet();
    std::vector<uint32_t> pixels(kW * kH, 0xABCDEFu);
    AboutPanelPlan plan = EmptyPlan();
    plan.stars[0] = AboutStar{3, 4, 130};
    plan.stars[1] = AboutStar{kW, 0, 255}; // on the W column, one past the buffer: dropped
    plan.sprites[0] = AboutSprite{-40, 20, 176, 32};
    PaintAboutPlan(plan, sheet, pixels.data(), kW, kH, nullptr);
    EXPECT_EQ(pixels[4 * kW + 3], 130u * 0x010101u);
    EXPECT_EQ(pixels[0], kAboutBackgroundRgb); // the background is black wherever nothing else is
    EXPECT_EQ(pixels[20 * kW + 6], 0x112233u); // the sun's last columns at x 0..6
    EXPECT_EQ(pixels[20 * kW + 7], kAboutBackgroundRgb);
}

TEST(CreditPanelPainter, HeaderBarsUnderTheTextsAndRowsOffThePanelSkipped) {
    const DibImage sheet = Sheet();
    std::vector<uint32_t> pixels(kW * kH);
    std::vector<Call> calls;
    auto record = [&](const char* t, int x, int y, int w, int h, uint32_t rgb) {
        calls.push_back({t, x, y, w, h, rgb});
    };
    Game g;
    AboutDialogOpened(g);
    g.about.CreditScroll = 20; // only the first header row shows, its top at H - 20
    AboutPanelPlan plan;
    PlanAboutPanel(g, kW + 1, kH + 1, plan);
    PaintAboutPlan(plan, sheet, pixels.data(), kW, kH, record);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].text, CreditRoll[0]);
    EXPECT_EQ(calls[0].y, (kH + 1) - 20);
    EXPECT_EQ(calls[0].w, kW + 1);
    EXPECT_EQ(calls[0].h, kCreditRowHeight);
    EXPECT_EQ(calls[1].x, -2);
    EXPECT_EQ(calls[2].x, -1);
    EXPECT_EQ(calls[2].rgb, 0xFFFFFFu);
    const int barRow = (kH + 1) - 20 + 8;
    EXPECT_EQ(pixels[static_cast<size_t>(barRow) * kW + (kW + 1) / 4], kAboutBarRgb);
    EXPECT_NE(pixels[static_cast<size_t>(barRow) * kW + (kW + 1) / 4 - 1], kAboutBarRgb);
}

#endif
