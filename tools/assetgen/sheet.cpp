// Palette fitting, the font and text-sprite sources, and the BMP writer of the graphics sheet.
#include "sheet.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>

#include "gfx/display.h"

namespace assetgen {
namespace {

constexpr int kCapHeight = 12;

// Ordered dither thresholds; gradients on the small colour cube would band without them.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> w;
    std::string s;
    while (in >> s) {
        if (s[0] == '#') break;
        w.push_back(s);
    }
    return w;
}

bool IsBlankOrComment(const std::string& line) {
    for (char c : line) {
        if (c == '#') return true;
        if (c != ' ' && c != '\t') return false;
    }
    return true;
}

} // namespace

Sheet::Sheet() : px_(static_cast<size_t>(kSheetWidth * kSheetHeight), 0) {
    // The table is the display palette itself, so every colour the sheet uses lands on itself.
    vorna::PaletteEntry display[256] = {};
    vorna::FillStandardSystemColours(display);
    for (int i = 0; i < 236; ++i) display[10 + i] = vorna::ColourCube(i);
    for (int i = 0; i < 256; ++i) {
        table_[i] = static_cast<uint32_t>(display[i].red) << 16 | static_cast<uint32_t>(display[i].green) << 8 |
                    display[i].blue;
        // Black is the transparent key: a visible pixel may never take it.
        usable_[i] = i != 0 && table_[i] != 0;
    }
    table_[0] = 0x040504; // the background, practically black
}

int Sheet::Nearest(const Colour& c) const {
    int best = -1;
    double bestDistance = 1e30;
    for (int i = 0; i < 256; ++i) {
        if (!usable_[i]) continue;
        const double dr = ((table_[i] >> 16) & 0xFF) - c.r, dg = ((table_[i] >> 8) & 0xFF) - c.g,
                     db = (table_[i] & 0xFF) - c.b;
        // Green weighs most in brightness; a plain distance would grey out dark blues.
        const double d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (d < bestDistance) bestDistance = d, best = i;
    }
    return best;
}

void Sheet::Place(const Region& r, const Picture& p, bool dither) {
    if (p.w != r.w || p.h != r.h)
        Fail(r.name, 0,
             "picture is " + std::to_string(p.w) + "x" + std::to_string(p.h) + ", its rectangle " +
                 std::to_string(r.w) + "x" + std::to_string(r.h));
    if (r.x < 0 || r.y < 0 || r.x + r.w > kSheetWidth || r.y + r.h > kSheetHeight)
        Fail(r.name, 0, "rectangle lies outside the sheet");
    for (const Region& o : regions_)
        if (r.x < o.x + o.w && o.x < r.x + r.w && r.y < o.y + o.h && o.y < r.y + r.h)
            Fail(r.name, 0, "rectangle overlaps " + o.name);
    regions_.push_back(r);
    for (int y = 0; y < r.h; ++y) {
        for (int x = 0; x < r.w; ++x) {
            Colour c = p.At(x, y);
            uint8_t v = 0;
            if (c.a >= 0.5) {
                if (dither) {
                    const double t = (kBayer[(r.y + y) & 3][(r.x + x) & 3] + 0.5) / 16.0 - 0.5;
                    c.r += t * 24;
                    c.g += t * 24;
                    c.b += t * 56;
                }
                v = static_cast<uint8_t>(Nearest(c));
            }
            px_[static_cast<size_t>((r.y + y) * kSheetWidth + r.x + x)] = v;
        }
    }
}

std::vector<uint8_t> Sheet::BmpFile() const {
    Bytes out;
    const uint32_t tableBytes = 256 * 4, imageBytes = kSheetWidth * kSheetHeight;
    out.U8('B'), out.U8('M');
    out.U32(14 + 40 + tableBytes + imageBytes);
    out.U32(0);
    out.U32(14 + 40 + tableBytes);
    out.U32(40);
    out.U32(kSheetWidth);
    out.U32(kSheetHeight); // positive: bottom-up
    out.U16(1);
    out.U16(8);
    out.U32(0); // no compression
    out.U32(imageBytes);
    out.U32(2835), out.U32(2835); // 72 dots per inch
    out.U32(256), out.U32(0);
    for (uint32_t c : table_) out.U8(c & 0xFF), out.U8((c >> 8) & 0xFF), out.U8((c >> 16) & 0xFF), out.U8(0);
    for (int y = kSheetHeight - 1; y >= 0; --y)
        for (int x = 0; x < kSheetWidth; ++x) out.U8(Pixel(x, y));
    return out.b;
}

Font LoadFont(const std::string& path, const int (&letterWidths)[26]) {
    const std::vector<std::string> lines = ReadLines(path);
    Font font;
    bool seenLetter[26] = {}, seenDigit[10] = {};
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsBlankOrComment(lines[i])) continue;
        const int lineNo = static_cast<int>(i + 1);
        const std::vector<std::string> w = Words(lines[i]);
        Mask* target = nullptr;
        int width = 0;
        if (w.size() == 2 && w[0] == "letter" && w[1].size() == 1 && w[1][0] >= 'A' && w[1][0] <= 'Z') {
            const int k = w[1][0] - 'A';
            if (seenLetter[k]) Fail(path, lineNo, "letter " + w[1] + " defined twice");
            seenLetter[k] = true;
            target = &font.letters[k];
            width = letterWidths[k];
        } else if (w.size() == 2 && w[0] == "digit" && w[1].size() == 1 && w[1][0] >= '0' && w[1][0] <= '9') {
            const int k = w[1][0] - '0';
            if (seenDigit[k]) Fail(path, lineNo, "digit " + w[1] + " defined twice");
            seenDigit[k] = true;
            target = &font.digits[k];
            width = 8;
        } else {
            Fail(path, lineNo, "expected 'letter X' or 'digit N', found '" + lines[i] + "'");
        }
        *target = Mask(width, kCapHeight);
        for (int row = 0; row < kCapHeight; ++row) {
            ++i;
            const int rowLine = static_cast<int>(i + 1);
            if (i >= lines.size()) Fail(path, rowLine, "glyph ends after " + std::to_string(row) + " rows");
            const std::string& s = lines[i];
            if (static_cast<int>(s.size()) != width)
                Fail(path, rowLine,
                     "glyph row is " + std::to_string(s.size()) + " wide, its cell " + std::to_string(width));
            for (int x = 0; x < width; ++x) {
                if (s[static_cast<size_t>(x)] != '#' && s[static_cast<size_t>(x)] != '.')
                    Fail(path, rowLine, std::string("unknown glyph character '") + s[static_cast<size_t>(x)] + "'");
                target->Put(x, row, s[static_cast<size_t>(x)] == '#');
            }
            if (target->Get(width - 1, row)) Fail(path, rowLine, "the last column is the shadow's and stays empty");
        }
    }
    for (int k = 0; k < 26; ++k)
        if (!seenLetter[k]) Fail(path, 0, std::string("letter ") + static_cast<char>('A' + k) + " is missing");
    for (int k = 0; k < 10; ++k)
        if (!seenDigit[k]) Fail(path, 0, std::string("digit ") + static_cast<char>('0' + k) + " is missing");
    return font;
}

Mask TextMask(const Font& f, const std::string& text, int spaceWidth) {
    int width = 0;
    for (char c : text) {
        if (c >= 'A' && c <= 'Z')
            width += f.letters[c - 'A'].w;
        else if (c >= '0' && c <= '9')
            width += f.digits[c - '0'].w;
        else
            width += spaceWidth;
    }
    Mask m(width, kCapHeight);
    int pen = 0;
    for (char c : text) {
        const Mask* g = c >= 'A' && c <= 'Z'   ? &f.letters[c - 'A']
                        : c >= '0' && c <= '9' ? &f.digits[c - '0']
                                               : nullptr;
        if (!g) {
            pen += spaceWidth;
            continue;
        }
        for (int y = 0; y < g->h; ++y)
            for (int x = 0; x < g->w; ++x)
                if (g->Get(x, y)) m.Put(pen + x, y, true);
        pen += g->w;
    }
    return m;
}

Mask Scale2x(const Mask& m) {
    Mask out(m.w * 2, m.h * 2);
    for (int y = 0; y < m.h; ++y) {
        for (int x = 0; x < m.w; ++x) {
            const bool p = m.Get(x, y), a = m.Get(x, y - 1), b = m.Get(x + 1, y), c = m.Get(x - 1, y),
                       d = m.Get(x, y + 1);
            out.Put(2 * x, 2 * y, (c == a && c != d && a != b) ? a : p);
            out.Put(2 * x + 1, 2 * y, (a == b && a != c && b != d) ? b : p);
            out.Put(2 * x, 2 * y + 1, (d == c && d != b && c != a) ? c : p);
            out.Put(2 * x + 1, 2 * y + 1, (b == d && b != a && d != c) ? d : p);
        }
    }
    return out;
}

Mask Scale3x(const Mask& m) {
    Mask out(m.w * 3, m.h * 3);
    for (int y = 0; y < m.h; ++y) {
        for (int x = 0; x < m.w; ++x) {
            const bool a = m.Get(x - 1, y - 1), b = m.Get(x, y - 1), c = m.Get(x + 1, y - 1), d = m.Get(x - 1, y),
                       e = m.Get(x, y), f = m.Get(x + 1, y), g = m.Get(x - 1, y + 1), h = m.Get(x, y + 1),
                       i = m.Get(x + 1, y + 1);
            bool o[9] = {e, e, e, e, e, e, e, e, e};
            if (b != h && d != f) {
                o[0] = d == b ? d : e;
                o[1] = (d == b && e != c) || (b == f && e != a) ? b : e;
                o[2] = b == f ? f : e;
                o[3] = (d == b && e != g) || (d == h && e != a) ? d : e;
                o[5] = (b == f && e != i) || (h == f && e != c) ? f : e;
                o[6] = d == h ? d : e;
                o[7] = (d == h && e != i) || (h == f && e != g) ? h : e;
                o[8] = h == f ? f : e;
            }
            for (int k = 0; k < 9; ++k) out.Put(3 * x + k % 3, 3 * y + k / 3, o[k]);
        }
    }
    return out;
}

Mask Downsample2(const Mask& m) {
    Mask out((m.w + 1) / 2, (m.h + 1) / 2);
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x)
            out.Put(x, y,
                    m.Get(2 * x, 2 * y) || m.Get(2 * x + 1, 2 * y) || m.Get(2 * x, 2 * y + 1) ||
                        m.Get(2 * x + 1, 2 * y + 1));
    return out;
}

std::vector<TextSprite> LoadTextSprites(const std::string& path) {
    const std::vector<std::string> lines = ReadLines(path);
    std::map<char, Colour> legend;
    std::vector<TextSprite> sprites;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsBlankOrComment(lines[i])) continue;
        const int lineNo = static_cast<int>(i + 1);
        const std::vector<std::string> w = Words(lines[i]);
        if (w.size() == 5 && w[0] == "colour" && w[1].size() == 1) {
            legend[w[1][0]] = Rgb(std::atoi(w[2].c_str()), std::atoi(w[3].c_str()), std::atoi(w[4].c_str()));
            continue;
        }
        if (w.size() != 4 || w[0] != "sprite")
            Fail(path, lineNo, "expected 'colour C R G B' or 'sprite NAME W H', found '" + lines[i] + "'");
        TextSprite s;
        s.name = w[1];
        const int width = std::atoi(w[2].c_str()), height = std::atoi(w[3].c_str());
        if (width <= 0 || height <= 0 || width > kSheetWidth || height > kSheetHeight)
            Fail(path, lineNo, "bad sprite size");
        s.picture = Picture(width, height);
        for (int row = 0; row < height; ++row) {
            ++i;
            const int rowLine = static_cast<int>(i + 1);
            if (i >= lines.size()) Fail(path, rowLine, "sprite " + s.name + " ends early");
            const std::string& r = lines[i];
            if (static_cast<int>(r.size()) != width)
                Fail(path, rowLine,
                     "sprite row is " + std::to_string(r.size()) + " wide, the sprite " + std::to_string(width));
            for (int x = 0; x < width; ++x) {
                const char c = r[static_cast<size_t>(x)];
                if (c == '.') continue;
                auto it = legend.find(c);
                if (it == legend.end()) Fail(path, rowLine, std::string("colour '") + c + "' has no legend entry");
                s.picture.At(x, row) = it->second;
            }
        }
        sprites.push_back(s);
    }
    return sprites;
}

} // namespace assetgen
