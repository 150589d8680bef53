// The version box's credit panel: star field, random state, the orbit and the credit roll.
#ifdef VORNA_HAVE_DESKTOP
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backends/sdl2/credit_panel.h"
#include "base/game_math.h"

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
    int x, y;
    uint32_t rgb;
};

} // namespace

TEST(CreditPanel, EveryPaintReseedsTheGamesRandomGeneratorWith11) {
    Game g;
    SeedRandom(g, 12345);
    const DibImage sheet = Sheet();
    std::vector<uint32_t> pixels(kW * kH);
    OpenCreditPanel(g);
    ASSERT_TRUE(PaintCreditPanel(g, &sheet, pixels.data(), kW, kH, nullptr));
    Game fresh;
    SeedRandom(fresh, 11);
    for (int i = 0; i < 768; ++i) GameRandom(fresh);
    EXPECT_EQ(g.random.state, fresh.random.state);
    EXPECT_EQ(g.about.StarScroll, 1);
}

TEST(CreditPanel, StarsAreGreyAndScrollDownWithWrapAround) {
    Game g;
    const DibImage sheet = Sheet();
    std::vector<uint32_t> a(kW * kH), b(kW * kH);
    OpenCreditPanel(g);
    g.about.OrbitX = 1000;         // sun off the panel
    g.about.CreditScroll = -10000; // roll far below
    PaintCreditPanel(g, &sheet, a.data(), kW, kH, nullptr);
    g.about.OrbitX = 1000;
    PaintCreditPanel(g, &sheet, b.data(), kW, kH, nullptr);
    int stars = 0;
    for (int y = 0; y + 1 < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const uint32_t p = a[y * kW + x];
            if (p == 0) continue;
            ++stars;
            const uint32_t grey = p & 0xFF;
            EXPECT_EQ(p, grey * 0x010101u);
            EXPECT_GE(grey, 128u);
            EXPECT_EQ(b[(y + 1) * kW + x], p) << x << "," << y; // one step down on the next paint
        }
    }
    EXPECT_GT(stars, 50);
    g.about.StarScroll = kH + 1; // passes H (= kH + 1) on the next paint: back to 0
    PaintCreditPanel(g, &sheet, a.data(), kW, kH, nullptr);
    EXPECT_EQ(g.about.StarScroll, 0);
}

TEST(CreditPanel, SunOrbitStartsNearTheLeftAndJumpsBackAfterPassingTheRightEdge) {
    Game g;
    const DibImage sheet = Sheet();
    std::vector<uint32_t> pixels(kW * kH);
    g.about.OrbitX = 77;
    g.about.CreditScroll = 55;
    OpenCreditPanel(g);
    EXPECT_EQ(g.about.OrbitX, 10);
    EXPECT_EQ(g.about.CreditScroll, 0);
    AdvanceCreditPanel(g);
    EXPECT_EQ(g.about.OrbitX, 11);
    EXPECT_EQ(g.about.CreditScroll, 1);
    g.about.OrbitX = 0;
    PaintCreditPanel(g, &sheet, pixels.data(), kW, kH, nullptr);
    EXPECT_EQ(pixels[5 * kW + 5], 0x112233u); // a plain copy of the sun at (0, 0)
    g.about.OrbitX = (kW + 1) + 200;
    PaintCreditPanel(g, &sheet, pixels.data(), kW, kH, nullptr);
    EXPECT_EQ(g.about.OrbitX, (kW + 1) + 200); // not yet past
    g.about.OrbitX += 1;
    PaintCreditPanel(g, &sheet, pixels.data(), kW, kH, nullptr);
    EXPECT_EQ(g.about.OrbitX, -200);
}

TEST(CreditPanel, RollRisesFromTheBottomWithHeaderBarsAndRestartsAfterTheLastRow) {
    Game g;
    const DibImage sheet = Sheet();
    std::vector<uint32_t> pixels(kW * kH);
    std::vector<Call> calls;
    auto record = [&](const char* t, int x, int y, int, int, uint32_t rgb) { calls.push_back({t, x, y, rgb}); };
    OpenCreditPanel(g);
    g.about.OrbitX = 1000;
    g.about.CreditScroll = 20; // the first row's top is at H - 20
    PaintCreditPanel(g, &sheet, pixels.data(), kW, kH, record);
    ASSERT_EQ(calls.size(), 3u); // only the header row 0 shows: black, then light grey and white shifted
    EXPECT_EQ(calls[0].text, kCreditRoll[0]);
    EXPECT_EQ(calls[0].y, (kH + 1) - 20);
    EXPECT_EQ(calls[0].rgb, 0x000000u);
    EXPECT_EQ(calls[1].x, -2);
    EXPECT_EQ(calls[1].y, (kH + 1) - 22);
    EXPECT_EQ(calls[1].rgb, 0xD0D0D0u);
    EXPECT_EQ(calls[2].x, -1);
    EXPECT_EQ(calls[2].rgb, 0xFFFFFFu);
    // The header's dark-grey bar: from W / 4 to W - W / 4, 8 to 20 pixels below the row's top.
    EXPECT_EQ(pixels[static_cast<size_t>((kH + 1) - 20 + 8) * kW + (kW + 1) / 4], 0x404040u);
    EXPECT_NE(pixels[static_cast<size_t>((kH + 1) - 20 + 8) * kW + (kW + 1) / 4 - 1], 0x404040u);

    // A plain row: grey, then light grey one pixel to the right.
    calls.clear();
    g.about.OrbitX = 1000;
    g.about.CreditScroll = (kH + 1) + 32 * 4 - 10; // row 4 (a name) near the top
    PaintCreditPanel(g, &sheet, pixels.data(), kW, kH, record);
    bool sawName = false;
    for (size_t i = 0; i + 1 < calls.size(); ++i) {
        if (calls[i].text == kCreditRoll[4]) {
            sawName = true;
            EXPECT_EQ(calls[i].rgb, 0x808080u);
            EXPECT_EQ(calls[i + 1].rgb, 0xD0D0D0u);
            EXPECT_EQ(calls[i + 1].x, calls[i].x + 1);
        }
    }
    EXPECT_TRUE(sawName);

    // The last row's bottom just above the panel: the roll starts again.
    g.about.OrbitX = 1000;
    g.about.CreditScroll = (kH + 1) + 32 * 29; // last row bottom = 0: still showing
    PaintCreditPanel(g, &sheet, pixels.data(), kW, kH, nullptr);
    EXPECT_EQ(g.about.CreditScroll, (kH + 1) + 32 * 29);
    g.about.CreditScroll += 1;
    PaintCreditPanel(g, &sheet, pixels.data(), kW, kH, nullptr);
    EXPECT_EQ(g.about.CreditScroll, 0);
}

TEST(CreditPanel, WithoutTheSheetNothingIsPaintedOrAdvanced) {
    Game g;
    SeedRandom(g, 99);
    const uint32_t before = g.random.state;
    std::vector<uint32_t> pixels(kW * kH, 0xABCDEFu);
    OpenCreditPanel(g);
    EXPECT_FALSE(PaintCreditPanel(g, nullptr, pixels.data(), kW, kH, nullptr));
    EXPECT_EQ(pixels[0], 0xABCDEFu);
    EXPECT_EQ(g.about.StarScroll, 0);
    EXPECT_EQ(g.random.state, before);
}

TEST(CreditPanel, TheRollHas29RowsWithHeadersWhereTheGameHasThem) {
    for (int i : {0, 1, 3, 6, 9, 12, 15}) EXPECT_EQ(kCreditRoll[i][0], ' ') << i;
    for (int i : {2, 5, 8, 11, 14, 25, 27}) EXPECT_STREQ(kCreditRoll[i], "") << i;
    EXPECT_STREQ(kCreditRoll[1], " VORNA-TESSIK version 1.53");
    EXPECT_STREQ(kCreditRoll[18], "Try game team colleagues..");
    EXPECT_STREQ(kCreditRoll[24], "and you.");
    EXPECT_STREQ(kCreditRoll[28], "Thank you for playing..");
}

#endif
