// The lettering of the sheet: the font in its colours, the title pair, the maker's logo and Game Over.
#include "art.h"
#include "gfx/sheet_text.h"

namespace assetgen {
namespace {

// Letters with a vertical colour ramp, a dark outline and a drop shadow, as the big lettering uses.
Picture Letters(const Mask& m, int w, int h, int ox, int oy, const std::vector<Colour>& ramp, const Colour& outline,
                const Colour& shadow, int shadowDx, int shadowDy) {
    Picture p(w, h);
    auto ink = [&](int x, int y) { return m.Get(x - ox, y - oy); };
    int top = h, bottom = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (ink(x, y)) top = std::min(top, y), bottom = std::max(bottom, y);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (ink(x, y)) {
                Colour c = Ramp(ramp, bottom > top ? double(y - top) / (bottom - top) : 0);
                // A bright edge where light falls on the upper-left rim of each stroke.
                if (!ink(x - 1, y - 1)) c = Mix(c, Rgb(255, 255, 255), 0.45);
                p.At(x, y) = c;
            } else if (ink(x - 1, y) || ink(x + 1, y) || ink(x, y - 1) || ink(x, y + 1)) {
                p.At(x, y) = outline;
            } else if (shadowDx || shadowDy) {
                bool shade = false;
                const int steps = std::max(std::abs(shadowDx), std::abs(shadowDy));
                for (int k = 1; k <= steps; ++k) {
                    const int sx = shadowDx > 0 ? std::min(k, shadowDx) : -std::min(k, -shadowDx);
                    const int sy = shadowDy > 0 ? std::min(k, shadowDy) : -std::min(k, -shadowDy);
                    shade = shade || ink(x - sx, y - sy);
                }
                if (shade) p.At(x, y) = shadow;
            }
        }
    }
    return p;
}

Mask Spaced(const Font& f, const std::string& text, int gap) {
    // Letters of the big lettering stand apart; gap columns are added after each cell.
    std::string spaced;
    Mask base = TextMask(f, text, 8);
    if (gap == 0) return base;
    int width = base.w + gap * static_cast<int>(text.size() - 1);
    Mask m(width, base.h);
    int pen = 0;
    for (char c : text) {
        Mask one = TextMask(f, std::string(1, c), 8);
        for (int y = 0; y < one.h; ++y)
            for (int x = 0; x < one.w; ++x)
                if (one.Get(x, y)) m.Put(pen + x, y, true);
        pen += one.w + gap;
    }
    return m;
}

} // namespace

// --- font ---

void PlaceFont(Sheet& sheet, const Font& f) {
    const std::vector<Colour> ramp = {Rgb(255, 255, 255), Rgb(230, 240, 255), Rgb(170, 200, 255), Rgb(120, 150, 255)};
    const Colour shadow = Rgb(30, 40, 110);
    auto glyph = [&](const Mask& g, int sx, int sy, const std::string& name) {
        Picture p(g.w, 16);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < g.w; ++x) {
                const int gy = y - 2;
                if (g.Get(x, gy)) {
                    p.At(x, y) = Ramp(ramp, gy / 11.0);
                } else if (g.Get(x - 1, gy - 1) || g.Get(x, gy - 1) || g.Get(x - 1, gy)) {
                    p.At(x, y) = shadow;
                }
            }
        }
        sheet.Place(Region{name, sx, sy, g.w, 16}, p, false);
    };
    for (int k = 0; k < 26; ++k)
        glyph(f.letters[k], vorna::GlyphStartTable[k], 0, std::string("letter ") + static_cast<char>('A' + k));
    for (int d = 0; d < 10; ++d)
        glyph(f.digits[d], 48 + 8 * d, 208, std::string("digit ") + static_cast<char>('0' + d));
}

// --- lettering ---

Picture TitleColour(const Font& f) {
    Mask big = Scale3x(Spaced(f, "VORNA", 1));
    Mask sub = Spaced(f, "TESSIK IMPROVE", 0);
    Picture p(176, 64);
    const std::vector<Colour> gold = {Rgb(255, 255, 200), Rgb(255, 230, 80), Rgb(255, 150, 30), Rgb(220, 40, 40)};
    Picture top = Letters(big, 176, 48, (176 - big.w) / 2, 1, gold, Rgb(90, 20, 60), Rgb(0, 0, 0), 0, 0);
    const std::vector<Colour> cyan = {Rgb(220, 255, 255), Rgb(80, 220, 255), Rgb(40, 120, 255)};
    Picture bottom = Letters(sub, 176, 15, (176 - sub.w) / 2, 2, cyan, Rgb(20, 30, 100), Rgb(0, 0, 0), 0, 0);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 176; ++x) p.At(x, y) = top.At(x, y);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 176; ++x)
            if (bottom.At(x, y).a > 0.5) p.At(x, 49 + y) = bottom.At(x, y);
    return p;
}

// The grey lettering is the colour lettering's shadow: the game draws it 8 rows lower (and in the
// ending 4 columns to the right), so it has to repeat the big word exactly.
Picture TitleGrey(const Font& f) {
    Mask big = Scale3x(Spaced(f, "VORNA", 1));
    const std::vector<Colour> grey = {Rgb(200, 200, 210), Rgb(150, 150, 165), Rgb(100, 100, 120)};
    return Letters(big, 176, 48, (176 - big.w) / 2, 1, grey, Rgb(50, 50, 70), Rgb(0, 0, 0), 0, 0);
}

Picture MakerLogo(const Font& f) {
    Mask word = Scale2x(Spaced(f, "QUILLBEX", 1));
    const std::vector<Colour> chrome = {Rgb(255, 255, 255), Rgb(150, 220, 255), Rgb(40, 90, 200), Rgb(200, 230, 255),
                                        Rgb(90, 140, 255)};
    Picture p = Letters(word, 176, 32, (176 - word.w) / 2, 3, chrome, Rgb(10, 20, 90), Rgb(60, 40, 120), 2, 2);
    return p;
}

Picture GameOver(const Font& f) {
    Mask word = Downsample2(Scale3x(Spaced(f, "GAME OVER", 1)));
    Picture p(160, 32);
    const int ox = (160 - word.w) / 2, oy = 32 - word.h - 1;
    // Flames rise from the letters: heat spreads upwards and flickers with noise.
    std::vector<double> heat(160 * 32, 0.0);
    for (int y = 31; y >= 0; --y) {
        for (int x = 0; x < 160; ++x) {
            double h = word.Get(x - ox, y - oy) ? 1.0 : 0.0;
            if (y < 31) {
                const double below = heat[(y + 1) * 160 + x];
                const double side =
                    (heat[(y + 1) * 160 + std::max(0, x - 1)] + heat[(y + 1) * 160 + std::min(159, x + 1)]) / 2;
                const double flicker = Fractal(77, x / 3.0, y / 2.0, 3);
                h = std::max(h, (below * 0.6 + side * 0.4) * (0.72 + 0.3 * flicker) - 0.03);
            }
            heat[y * 160 + x] = h;
        }
    }
    const std::vector<Colour> fire = {Rgb(120, 0, 0), Rgb(220, 40, 0), Rgb(255, 140, 0), Rgb(255, 230, 60),
                                      Rgb(255, 255, 220)};
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 160; ++x) {
            const bool ink = word.Get(x - ox, y - oy);
            if (ink) {
                const double t = double(y - oy) / word.h;
                p.At(x, y) = Ramp({Rgb(255, 255, 200), Rgb(255, 220, 60), Rgb(255, 120, 0), Rgb(200, 30, 0)}, t);
            } else if (word.Get(x - ox - 1, y - oy) || word.Get(x - ox + 1, y - oy) || word.Get(x - ox, y - oy + 1) ||
                       word.Get(x - ox, y - oy - 1)) {
                p.At(x, y) = Rgb(90, 0, 0);
            } else if (heat[y * 160 + x] > 0.22) {
                p.At(x, y) = Ramp(fire, (heat[y * 160 + x] - 0.22) / 0.7);
            }
        }
    }
    return p;
}

} // namespace assetgen
