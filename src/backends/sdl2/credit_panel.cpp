// Paints the version box's credit panel plan in software, into a buffer of 0x00RRGGBB pixels.
#include "backends/sdl2/credit_panel.h"

namespace vorna {

namespace {

struct Canvas {
    uint32_t* pixels;
    int width, height;
    void Set(int x, int y, uint32_t rgb) const {
        if (x >= 0 && y >= 0 && x < width && y < height) pixels[y * width + x] = rgb;
    }
    void Fill(const AboutRect& r, uint32_t rgb) const {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) Set(x, y, rgb);
    }
};

// A plain copy of a 47 x 47 sheet picture, its black background included.
void CopySprite(const Canvas& c, const DibImage& sheet, const AboutSprite& s) {
    for (int y = 0; y < kAboutSpriteSize; ++y) {
        for (int x = 0; x < kAboutSpriteSize; ++x) {
            const int px = s.sheetX + x, py = s.sheetY + y;
            if (px < 0 || py < 0 || px >= sheet.width || py >= sheet.height) continue;
            const size_t at = static_cast<size_t>(py) * static_cast<size_t>(sheet.width) + static_cast<size_t>(px);
            if (at >= sheet.pixels.size()) continue;
            c.Set(s.x + x, s.y + y, sheet.colours[sheet.pixels[at]] & 0xFFFFFF);
        }
    }
}

bool RowShows(const AboutRow& row, int height) {
    // Texts shift by up to two pixels from the row's rectangle.
    return row.top + kCreditRowHeight + 2 >= 0 && row.top - 2 < height;
}

} // namespace

void PaintAboutPlan(const AboutPanelPlan& plan, const DibImage& sheet, uint32_t* pixels, int width, int height,
                    const PanelTextDrawer& drawText) {
    if (pixels == nullptr || width <= 0 || height <= 0) return;
    const Canvas c{pixels, width, height};
    c.Fill(AboutRect{0, 0, width, height}, kAboutBackgroundRgb);
    for (const AboutStar& s : plan.stars) c.Set(s.x, s.y, static_cast<uint32_t>(s.grey) * 0x010101u);
    for (const AboutSprite& s : plan.sprites) CopySprite(c, sheet, s);
    for (int i = 0; i < plan.rowCount; ++i) {
        const AboutRow& row = plan.rows[i];
        if (!RowShows(row, height)) continue;
        if (row.hasBar) c.Fill(row.bar, kAboutBarRgb);
        if (!drawText) continue;
        for (int t = 0; t < row.textCount; ++t) {
            const AboutText& text = row.texts[t];
            drawText(text.text, text.box.left, text.box.top, text.box.right - text.box.left,
                     text.box.bottom - text.box.top, text.rgb);
        }
    }
}

} // namespace vorna
