// The version box's credit panel: stars, the sun-earth-moon system and the credit roll, painted in software.
#include "backends/sdl2/credit_panel.h"

#include "app/version.h"
#include "base/game_math.h"

namespace vorna {

const char* const kCreditRoll[kCreditRowCount] = {
    " ヴォルナ・テシク Improve",
    " VORNA-TESSIK version " VORNA_VERSION,
    "",
    " 企画 - Planning -",
    "Mika Saeki",
    "",
    " プログラム - Program -",
    "Ren Tachibana",
    "",
    " グラフィック - Graphic -",
    "Yui Amamiya",
    "",
    " 音楽 - Music -",
    "Kouji Hoshino",
    "",
    " 協力 - Cooperation -",
    "Sora Kisaragi",
    "Nao Fujimura",
    "Try game team colleagues..",
    "Kitsune Soft Works",
    "Studio Hanabi",
    "Monthly Pixel Press",
    "Game Lab Quarterly",
    "Retro Arcade Journal",
    "and you.",
    "",
    "Tessik Works 1999-2026",
    "",
    "Thank you for playing..",
};

namespace {

constexpr int kRowHeight = 32;
constexpr int kSpriteSize = 47;
constexpr int kSunX = 176, kEarthX = 224, kMoonX = 272, kSpriteY = 32;
constexpr uint32_t kDarkGreyBrush = 0x404040;

struct Canvas {
    uint32_t* pixels;
    int width, height;
    void Set(int x, int y, uint32_t rgb) const {
        if (x >= 0 && y >= 0 && x < width && y < height) pixels[y * width + x] = rgb;
    }
    // Right and bottom exclusive, like a GDI rectangle.
    void Fill(int left, int top, int right, int bottom, uint32_t rgb) const {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) Set(x, y, rgb);
    }
};

// A plain copy of a 47 x 47 sheet picture, its black background included.
void CopySprite(const Canvas& c, const DibImage& sheet, int sx, int sy, int dx, int dy) {
    for (int y = 0; y < kSpriteSize; ++y) {
        for (int x = 0; x < kSpriteSize; ++x) {
            const int px = sx + x, py = sy + y;
            if (px < 0 || py < 0 || px >= sheet.width || py >= sheet.height) continue;
            const size_t at = static_cast<size_t>(py) * static_cast<size_t>(sheet.width) + static_cast<size_t>(px);
            if (at >= sheet.pixels.size()) continue;
            c.Set(dx + x, dy + y, sheet.colours[sheet.pixels[at]] & 0xFFFFFF);
        }
    }
}

} // namespace

void OpenCreditPanel(Game& g) {
    g.about.OrbitX = 10;
    g.about.CreditScroll = 0;
}

void AdvanceCreditPanel(Game& g) {
    g.about.OrbitX += 1;
    g.about.CreditScroll += 1;
}

bool PaintCreditPanel(Game& g, const DibImage* sheet, uint32_t* pixels, int width, int height,
                      const PanelTextDrawer& drawText) {
    if (sheet == nullptr || pixels == nullptr || width <= 0 || height <= 0) return false;
    AboutState& a = g.about;
    const Canvas c{pixels, width, height};
    const int W = width + 1; // right - left + 1 of the item rectangle
    const int H = height + 1;
    c.Fill(0, 0, width, height, 0x000000);

    const int32_t angle = (a.OrbitX & 127) * 2;
    a.StarScroll += 1;
    if (a.StarScroll > H) a.StarScroll = 0;

    SeedRandom(g, 11);
    for (int i = 0; i < 256; ++i) {
        const int32_t grey = (GameRandom(g) & 127) + 128;
        const int32_t x = GameRandom(g) % W;
        int32_t y = GameRandom(g) % H + a.StarScroll;
        if (y > H) y -= H;
        c.Set(x, y,
              (static_cast<uint32_t>(grey) << 16) | (static_cast<uint32_t>(grey) << 8) | static_cast<uint32_t>(grey));
    }

    if (a.OrbitX > W + 200) a.OrbitX = -200;
    const int32_t sunX = a.OrbitX, sunY = a.OrbitX / 8;
    const int32_t earthX = sunX + ScaledCos(angle, 104), earthY = sunY + ScaledSin(angle, 104);
    const int32_t moonX = earthX + ScaledCos(angle * 4, 48), moonY = earthY + ScaledSin(angle * 4, 48);
    CopySprite(c, *sheet, kSunX, kSpriteY, sunX, sunY);
    CopySprite(c, *sheet, kEarthX, kSpriteY, earthX, earthY);
    CopySprite(c, *sheet, kMoonX, kSpriteY, moonX, moonY);

    for (int i = 0; i < kCreditRowCount; ++i) {
        const int top = H - a.CreditScroll + kRowHeight * i;
        if (i == kCreditRowCount - 1 && top + kRowHeight < 0) {
            a.CreditScroll = 0; // the roll comes in from below again at the next paint
            break;
        }
        const char* text = kCreditRoll[i];
        if (top + kRowHeight + 2 < 0 || top - 2 >= height) continue; // wholly outside: nothing would show
        if (text[0] == ' ') c.Fill(W / 4, top + 8, W - W / 4, top + 20, kDarkGreyBrush);
        if (!drawText) continue;
        if (text[0] == ' ') {
            drawText(text, 0, top, W, kRowHeight, 0x000000);
            drawText(text, -2, top - 2, W, kRowHeight, 0xD0D0D0);
            drawText(text, -1, top - 2, W, kRowHeight, 0xFFFFFF);
        } else if (text[0] != '\0') {
            drawText(text, 0, top, W, kRowHeight, 0x808080);
            drawText(text, 1, top, W, kRowHeight, 0xD0D0D0);
        }
    }
    return true;
}

} // namespace vorna
