// The contact sheet: the sheet at three times its size on a checkerboard, regions framed and numbered,
// with a legend drawn in the sheet's own font.
#include "preview.h"

#include "png_file.h"

#include <algorithm>
#include <cctype>

namespace assetgen {
namespace {

constexpr int kScale = 3;
constexpr int kLegendWidth = 300;

struct Canvas {
    int w, h;
    std::vector<uint32_t> px; // 0xRRGGBB
    Canvas(int width, int height) : w(width), h(height), px(static_cast<size_t>(width * height), 0x202020) {}
    void Set(int x, int y, uint32_t c) {
        if (x >= 0 && y >= 0 && x < w && y < h) px[static_cast<size_t>(y * w + x)] = c;
    }
    void Frame(int x, int y, int fw, int fh, uint32_t c) {
        for (int i = 0; i < fw; ++i) Set(x + i, y, c), Set(x + i, y + fh - 1, c);
        for (int i = 0; i < fh; ++i) Set(x, y + i, c), Set(x + fw - 1, y + i, c);
    }
};

// Draws text by copying the sheet's own letters and digits (upper case only).
int Text(Canvas& c, const Sheet& s, const std::string& text, int x, int y, int scale);

std::vector<uint8_t> Png(const Canvas& c) {
    std::vector<uint8_t> rgb;
    rgb.reserve(c.px.size() * 3);
    for (const uint32_t p : c.px)
        rgb.push_back(static_cast<uint8_t>(p >> 16)), rgb.push_back(static_cast<uint8_t>(p >> 8)),
            rgb.push_back(static_cast<uint8_t>(p));
    return PngFile(c.w, c.h, 3, rgb);
}

int Glyph(Canvas& c, const Sheet& s, int sx, int sw, int sy, int x, int y, int scale) {
    for (int gy = 0; gy < 16; ++gy)
        for (int gx = 0; gx < sw; ++gx) {
            const uint8_t v = s.Pixel(sx + gx, sy + gy);
            if (!v) continue;
            for (int k = 0; k < scale * scale; ++k)
                c.Set(x + gx * scale + k % scale, y + gy * scale + k / scale, s.TableColour(v));
        }
    return sw * scale;
}

int Text(Canvas& c, const Sheet& s, const std::string& text, int x, int y, int scale) {
    static const int starts[27] = {0,   11,  22,  33,  44,  54,  64,  75,  87,  95,  106, 118, 127, 142,
                                   155, 165, 177, 188, 199, 208, 218, 229, 240, 255, 266, 277, 288};
    for (char ch : text) {
        const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        if (u >= 'A' && u <= 'Z')
            x += Glyph(c, s, starts[u - 'A'], starts[u - 'A' + 1] - starts[u - 'A'] - 1, 0, x, y, scale);
        else if (u >= '0' && u <= '9')
            x += Glyph(c, s, 48 + 8 * (u - '0'), 8, 208, x, y, scale);
        else
            x += 6 * scale;
    }
    return x;
}

} // namespace

void WriteContactSheet(const Sheet& sheet, const std::string& dir) {
    Canvas c(kSheetWidth * kScale + kLegendWidth, kSheetHeight * kScale);
    for (int y = 0; y < kSheetHeight * kScale; ++y)
        for (int x = 0; x < kSheetWidth * kScale; ++x) {
            const uint8_t v = sheet.Pixel(x / kScale, y / kScale);
            // Transparent pixels show as a dark checkerboard so that black surrounds are visible.
            c.Set(x, y, v ? sheet.TableColour(v) : (((x / 12) + (y / 12)) % 2 ? 0x181818 : 0x2A2A2A));
        }
    const uint32_t frameColours[3] = {0xFF40FF, 0x40FFFF, 0xFFFF40};
    int number = 0, legendY = 4;
    std::string lastGroup;
    for (const Region& r : sheet.Regions()) {
        // Letters and digits are framed but not numbered: they name themselves.
        const std::string group = r.name.substr(0, r.name.find(' '));
        const bool glyph = group == "letter" || group == "digit";
        c.Frame(r.x * kScale, r.y * kScale, r.w * kScale, r.h * kScale, frameColours[number % 3]);
        if (glyph) continue;
        ++number;
        Text(c, sheet, std::to_string(number), r.x * kScale + 2, r.y * kScale + 2, 1);
        if (legendY + 14 < c.h) {
            int x = Text(c, sheet, std::to_string(number), kSheetWidth * kScale + 8, legendY, 1);
            Text(c, sheet, r.name, std::max(x + 6, kSheetWidth * kScale + 40), legendY, 1);
            legendY += 14;
        }
    }
    WriteFile(dir + "/sheet-contact.png", Png(c));
}

} // namespace assetgen
