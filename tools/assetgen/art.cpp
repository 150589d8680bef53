// The pictures of the graphics sheet, drawn from the font, the text sprites and a little shading code.
#include <algorithm>
#include <cmath>

#include "play/sprite_rects.h"
#include "scenes/sheet_text.h"
#include "sheet.h"

namespace assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;

double Clamp01(double v) {
    return v < 0 ? 0 : v > 1 ? 1 : v;
}
double SmoothStep(double a, double b, double v) {
    const double t = Clamp01((v - a) / (b - a));
    return t * t * (3 - 2 * t);
}

Colour Scale(const Colour& c, double k) {
    return Colour{c.r * k, c.g * k, c.b * k, c.a};
}

Region RectOf(int entry, const std::string& name) {
    const vorna::SpriteRect& r = vorna::SpriteRectTable[entry];
    return Region{name, r.x, r.y, r.w, r.h};
}

// A colour ramp through evenly spaced stops.
Colour Ramp(const std::vector<Colour>& stops, double t) {
    t = Clamp01(t) * (stops.size() - 1);
    const size_t i = std::min(static_cast<size_t>(t), stops.size() - 2);
    return Mix(stops[i], stops[i + 1], t - i);
}

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

// --- round things ---

struct SphereHit {
    bool in;
    double nx, ny, nz, light;
};

SphereHit Sphere(double x, double y, double cx, double cy, double r) {
    const double dx = (x - cx) / r, dy = (y - cy) / r, d2 = dx * dx + dy * dy;
    if (d2 > 1) return {false, 0, 0, 0, 0};
    const double dz = std::sqrt(1 - d2);
    const double lx = -0.55, ly = -0.6, lz = 0.58;
    return {true, dx, dy, dz, std::max(0.0, dx * lx + dy * ly + dz * lz)};
}

Picture Globe(int kind) {
    Picture p(47, 47);
    for (int y = 0; y < 47; ++y) {
        for (int x = 0; x < 47; ++x) {
            const SphereHit s = Sphere(x + 0.5, y + 0.5, 23.5, 23.5, 23.0);
            if (!s.in) continue;
            const double u = std::atan2(s.nx, s.nz), v = std::asin(s.ny);
            Colour c;
            if (kind == 0) { // the sun: hot granulated surface, darker towards the limb
                const double g = Fractal(11, u * 4 + 10, v * 4 + 10, 4);
                c = Ramp({Rgb(200, 40, 0), Rgb(255, 120, 0), Rgb(255, 200, 40), Rgb(255, 255, 170)},
                         0.7 * std::pow(s.nz, 0.6) + 0.4 * (g - 0.5));
            } else if (kind == 1) { // the earth: seas, land, ice caps, a few clouds
                const double land = Fractal(23, u * 2.2 + 5, v * 2.6 + 5, 5);
                const double cloud = Fractal(31, u * 3 + 2, v * 5 + 2, 4);
                if (std::abs(s.ny) > 0.86)
                    c = Rgb(240, 250, 255);
                else if (land > 0.55)
                    c = Ramp({Rgb(60, 170, 40), Rgb(40, 120, 30), Rgb(150, 120, 60)}, (land - 0.55) * 4);
                else
                    c = Ramp({Rgb(40, 90, 230), Rgb(20, 50, 170)}, (0.55 - land) * 4);
                if (cloud > 0.62) c = Mix(c, Rgb(255, 255, 255), SmoothStep(0.62, 0.75, cloud));
                c = Scale(c, 0.3 + 0.85 * s.light);
                const double spec = std::pow(std::max(0.0, s.light), 18) * (land > 0.55 ? 0.2 : 0.8);
                c = Mix(c, Rgb(255, 255, 255), spec);
                // An atmosphere rim.
                c = Mix(c, Rgb(120, 200, 255), 0.6 * std::pow(1 - s.nz, 3));
            } else { // the moon: grey dust and craters
                const double dust = Fractal(41, u * 3 + 7, v * 3 + 7, 4);
                c = Ramp({Rgb(110, 110, 120), Rgb(190, 190, 195)}, dust);
                static const double craters[][3] = {{-0.35, -0.2, 0.22}, {0.3, 0.25, 0.18}, {0.1, -0.5, 0.13},
                                                    {-0.2, 0.45, 0.15},  {0.5, -0.2, 0.11}, {-0.55, 0.2, 0.09}};
                for (const auto& k : craters) {
                    const double d = std::hypot(s.nx - k[0], s.ny - k[1]) / k[2];
                    if (d < 0.8)
                        c = Scale(c, 0.72);
                    else if (d < 1.0)
                        c = Mix(c, Rgb(225, 225, 230), 0.5);
                }
                c = Scale(c, 0.25 + 0.9 * s.light);
            }
            c.a = 1;
            p.At(x, y) = c;
        }
    }
    return p;
}

Picture Rock(int kind) {
    Picture p(31, 31);
    for (int y = 0; y < 31; ++y) {
        for (int x = 0; x < 31; ++x) {
            const double dx = x + 0.5 - 15.5, dy = y + 0.5 - 15.5, a = std::atan2(dy, dx);
            const double r = 11.5 + 3.0 * std::sin(3 * a + kind * 2) + 1.6 * std::sin(5 * a + 1 + kind);
            const double d = std::hypot(dx, dy);
            if (d > r) continue;
            const double nz = std::sqrt(std::max(0.0, 1 - (d / r) * (d / r)));
            const double light = std::max(0.0, (-0.55 * dx / r - 0.6 * dy / r + 0.58 * nz));
            const double tex = Fractal(51 + kind, x / 4.0, y / 4.0, 3);
            Colour base = kind == 0 ? Ramp({Rgb(90, 60, 40), Rgb(170, 120, 80)}, tex)
                                    : Ramp({Rgb(80, 85, 110), Rgb(150, 155, 180)}, tex);
            p.At(x, y) = Scale(base, 0.35 + 0.9 * light);
            p.At(x, y).a = 1;
        }
    }
    return p;
}

Picture Explosion(int frame) {
    Picture p(32, 32);
    const double radius[4] = {8, 11.5, 14, 15.5};
    const double fade[4] = {1.0, 0.95, 0.7, 0.45};
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const double dx = x + 0.5 - 16, dy = y + 0.5 - 16, d = std::hypot(dx, dy) / radius[frame];
            double heat = (1 - d) * 1.3 + 0.45 * (Fractal(61 + frame, x / 3.0, y / 3.0, 3) - 0.5);
            if (frame == 3) heat *= SmoothStep(0.15, 0.6, d) * 1.4; // the centre has burned out
            heat *= fade[frame];
            if (heat < 0.12) continue;
            p.At(x, y) = Ramp(
                {Rgb(110, 30, 20), Rgb(220, 60, 0), Rgb(255, 150, 0), Rgb(255, 230, 80), Rgb(255, 255, 230)}, heat);
        }
    }
    return p;
}

bool InPolygon(const std::vector<std::pair<double, double>>& poly, double x, double y) {
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        if ((poly[i].second > y) != (poly[j].second > y) &&
            x < (poly[j].first - poly[i].first) * (y - poly[i].second) / (poly[j].second - poly[i].second) +
                    poly[i].first)
            in = !in;
    }
    return in;
}

Picture Debris(int frame) {
    Picture p(15, 15);
    const double a = frame * kPi / 4;
    const std::vector<std::pair<double, double>> shard = {{-5.5, -3}, {1, -5.5}, {5.5, -1}, {2.5, 4.5}, {-4, 3}};
    std::vector<std::pair<double, double>> turned;
    for (auto [px, py] : shard)
        turned.push_back({7.5 + px * std::cos(a) - py * std::sin(a), 7.5 + px * std::sin(a) + py * std::cos(a)});
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 15; ++x) {
            if (!InPolygon(turned, x + 0.5, y + 0.5)) continue;
            const bool edge = !InPolygon(turned, x + 0.5 + 1, y + 0.5 + 1);
            const bool lit = !InPolygon(turned, x + 0.5 - 1, y + 0.5 - 1);
            Colour c = Ramp({Rgb(120, 80, 60), Rgb(200, 150, 100)}, Noise01(71, x + frame * 3, y));
            if (lit) c = Rgb(255, 220, 160);
            if (edge) c = Rgb(90, 50, 40);
            p.At(x, y) = c;
        }
    }
    return p;
}

Picture Star(int frame) {
    // From a single dot to a glow with a four-pointed cross and, later, shorter diagonal rays.
    Picture p(15, 15);
    const double core = 0.6 + frame * 0.4, ray = frame * 0.95;
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 15; ++x) {
            const double dx = std::abs(x - 7.0), dy = std::abs(y - 7.0), d = std::hypot(dx, dy);
            double v = 1.4 * (1 - d / (core + 0.8));
            if (ray > 0) {
                v = std::max(v, Clamp01(1 - std::min(dx, dy) * 0.9) * Clamp01(1 - std::max(dx, dy) / (ray + 1.5)));
                if (frame >= 4)
                    v = std::max(v, Clamp01(1 - std::abs(dx - dy) * 0.9) * Clamp01(1 - d / (ray * 0.55 + 1)) * 0.9);
            }
            if (v < 0.2) continue;
            p.At(x, y) = Ramp({Rgb(60, 90, 200), Rgb(140, 200, 255), Rgb(255, 255, 255)}, v);
        }
    }
    return p;
}

Picture Spark() {
    Picture p(15, 15);
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 15; ++x) {
            const double dx = std::abs(x - 7.0), dy = std::abs(y - 7.0), d = std::hypot(dx, dy);
            double v = std::max(1.3 * (1 - d / 3.5),
                                Clamp01(1 - std::min(dx, dy) * 0.7) * Clamp01(1 - std::max(dx, dy) / 7.5));
            v = std::max(v, Clamp01(1 - std::abs(dx - dy) * 0.9) * Clamp01(1 - d / 5.0) * 0.8);
            if (v < 0.18) continue;
            p.At(x, y) = Ramp({Rgb(220, 60, 0), Rgb(255, 180, 0), Rgb(255, 255, 200)}, v);
        }
    }
    return p;
}

Picture Gauge(int piece) {
    Picture p(15, 15);
    const Colour fill[4] = {Rgb(0, 0, 0), Rgb(255, 110, 0), Rgb(255, 230, 0), Rgb(60, 255, 60)};
    const double level = piece / 3.0;
    for (int y = 1; y <= 13; ++y) {
        for (int x = 2; x <= 12; ++x) {
            // A cell with clipped corners; neighbours overlap by four columns, so the body sits in the middle.
            const bool corner = (x == 2 || x == 12) && (y == 1 || y == 13);
            if (corner) continue;
            const bool rim = x == 2 || x == 12 || y == 1 || y == 13;
            if (x == 2 || x == 12 || y == 1 || y == 13) {
                p.At(x, y) = rim && (x == 2 || y == 1) ? Rgb(150, 160, 190) : Rgb(60, 70, 100);
                continue;
            }
            const double fromBottom = (13 - y) / 11.0;
            if (piece > 0 && fromBottom <= level + 0.01)
                p.At(x, y) = Mix(fill[piece], Rgb(255, 255, 255), x == 4 ? 0.5 : 0.0);
            else
                p.At(x, y) = Rgb(20, 25, 60);
        }
    }
    return p;
}

Picture Block(int kind) {
    Picture p(64, 48);
    const Colour base[4] = {Rgb(220, 40, 40), Rgb(40, 190, 60), Rgb(50, 90, 240), Rgb(140, 140, 150)};
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            const int edge = std::min(std::min(x, y), std::min(63 - x, 47 - y));
            Colour c = base[kind];
            if (kind == 3) { // stone: cobbles with dark joints
                const double n = Fractal(81, x / 6.0, y / 6.0, 4);
                const double cells = std::abs(SmoothNoise(83, x / 9.0, y / 7.0) - 0.5);
                c = Ramp({Rgb(80, 80, 90), Rgb(150, 150, 160), Rgb(200, 200, 205)}, n);
                if (cells < 0.04) c = Rgb(60, 60, 70);
            } else {
                // A raised face, lighter towards the top, with an engraved inner frame and a round jewel.
                const double grain = (Fractal(85 + kind, x / 5.0, y / 5.0, 3) - 0.5) * 0.12;
                c = Scale(c, 1.05 - y / 47.0 * 0.3 + grain);
                const int ix = std::min(x - 8, 55 - x), iy = std::min(y - 8, 39 - y);
                if (std::min(ix, iy) == 0)
                    c = (x - 8 == 0 || y - 8 == 0) ? Scale(base[kind], 0.55)
                                                   : Mix(base[kind], Rgb(255, 255, 255), 0.45);
                const SphereHit gem = Sphere(x + 0.5, y + 0.5, 32, 24, 9.5);
                if (gem.in) {
                    c = Ramp({Scale(base[kind], 0.45), base[kind], Mix(base[kind], Rgb(255, 255, 255), 0.6)},
                             gem.light);
                    c = Mix(c, Rgb(255, 255, 255), std::pow(gem.light, 12));
                }
            }
            if (edge < 4) {
                const bool lit = (x < 4 && y < 48 - x) || (y < 4 && x < 64 - y);
                c = lit ? Mix(c, Rgb(255, 255, 255), 0.5 - edge * 0.08) : Scale(c, 0.45 + edge * 0.06);
            }
            c.a = 1;
            p.At(x, y) = c;
        }
    }
    return p;
}

Picture Vorna(int frame) {
    Picture p(32, 32);
    const double wingLift = frame == 0 ? -1.0 : 1.0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const double fx = x + 0.5, fy = y + 0.5;
            // Wings: two membranes hinged at the body, up in one frame and down in the other.
            for (int side = -1; side <= 1; side += 2) {
                const double hx = 16 + side * 6, hy = 16;
                const double tipX = 16 + side * 15.5, tipY = 16 + wingLift * 11;
                const double midX = 16 + side * 12, midY = 16 + wingLift * 2 + 5;
                if (InPolygon({{hx, hy - 3}, {tipX, tipY}, {midX, midY}, {hx, hy + 4}}, fx, fy)) {
                    const double ribs = std::sin(std::atan2(fy - hy, fx - hx) * 9);
                    p.At(x, y) = ribs > 0.75 ? Rgb(60, 20, 90) : Rgb(150, 60, 190);
                }
            }
            const SphereHit body = Sphere(fx, fy, 16, 17, 9.5);
            if (body.in) {
                Colour c = Ramp({Rgb(90, 20, 110), Rgb(200, 60, 200), Rgb(255, 170, 255)}, body.light);
                const double eye = std::hypot(fx - 16, fy - 15);
                if (eye < 4.2) c = Rgb(255, 255, 230);
                if (std::hypot(fx - 16.5, fy - 15.5) < 2.2) c = Rgb(230, 20, 20);
                if (std::hypot(fx - 15.5, fy - 14) < 0.9) c = Rgb(255, 255, 255);
                if (fy > 20.5 && fy < 22 && std::abs(fx - 16) < 4 && static_cast<int>(fx) % 2 == 0)
                    c = Rgb(255, 255, 200); // teeth
                c.a = 1;
                p.At(x, y) = c;
            }
            // Horns.
            for (int side = -1; side <= 1; side += 2)
                if (InPolygon({{16 + side * 4.0, 10}, {16 + side * 8.0, 3.5}, {16 + side * 6.5, 10.5}}, fx, fy))
                    p.At(x, y) = Rgb(255, 220, 120);
        }
    }
    return p;
}

Picture Dots() {
    // A row of dots of growing size, free decoration beside the gauge pieces.
    Picture p(96, 16);
    for (int k = 0; k < 8; ++k) {
        const double cx = 6 + k * 12, r = 0.8 + k * 0.7;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 96; ++x) {
                const SphereHit s = Sphere(x + 0.5, y + 0.5, cx, 8, r);
                if (s.in) p.At(x, y) = Ramp({Rgb(40, 80, 160), Rgb(120, 200, 255), Rgb(255, 255, 255)}, s.light);
            }
    }
    return p;
}

// --- decorations in the free corners of the sheet (never drawn by the game) ---

Picture Ring() {
    Picture p(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const double d = std::hypot(x + 0.5 - 8, y + 0.5 - 8), v = 1 - std::abs(d - 5.5) / 1.8;
            if (v > 0.15) p.At(x, y) = Ramp({Rgb(150, 90, 0), Rgb(255, 200, 40), Rgb(255, 255, 200)}, v);
        }
    return p;
}

Picture Sparkles() {
    Picture p(48, 16);
    for (int k = 0; k < 3; ++k) {
        const Picture s = Star(3 + 2 * k);
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 15; ++x)
                if (s.At(x, y).a > 0.5) p.At(k * 16 + x, y) = Mix(s.At(x, y), Rgb(255, 220, 120), 0.4);
    }
    return p;
}

Picture Fireball(uint32_t seed) {
    Picture p(16, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 16; ++x) {
            const double head = 1 - std::hypot(x + 0.5 - 8, y + 0.5 - 24) / 7;
            const double tail = (1 - std::abs(x + 0.5 - 8) / (1 + y * 0.2)) * (y / 24.0);
            const double heat = std::max(head * 1.4, tail) + 0.3 * (Fractal(seed, x / 3.0, y / 3.0, 3) - 0.5);
            if (heat > 0.2) p.At(x, y) = Ramp({Rgb(160, 20, 0), Rgb(255, 120, 0), Rgb(255, 240, 120)}, heat);
        }
    return p;
}

Picture StickFigure() {
    Picture p(26, 32);
    const Colour ink = Rgb(220, 230, 255);
    auto line = [&](double x0, double y0, double x1, double y1) {
        for (int i = 0; i <= 40; ++i) {
            const double t = i / 40.0;
            p.Set(static_cast<int>(x0 + (x1 - x0) * t), static_cast<int>(y0 + (y1 - y0) * t), ink);
        }
    };
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 26; ++x)
            if (std::abs(std::hypot(x + 0.5 - 13, y + 0.5 - 6) - 3.5) < 0.8) p.At(x, y) = ink;
    line(13, 10, 13, 20); // body
    line(13, 13, 5, 6);   // a waving arm
    line(13, 13, 20, 18); // the other arm
    line(13, 20, 8, 30);  // legs
    line(13, 20, 18, 30);
    return p;
}

} // namespace

void BuildSheet(Sheet& sheet, const std::string& assetDir) {
    int widths[26];
    for (int k = 0; k < 26; ++k) widths[k] = vorna::GlyphStartTable[k + 1] - vorna::GlyphStartTable[k] - 1;
    const Font font = LoadFont(assetDir + "/font/glyphs.txt", widths);
    PlaceFont(sheet, font);

    for (const TextSprite& s : LoadTextSprites(assetDir + "/sprites/hud.txt")) {
        if (s.name == "up_arrow")
            sheet.Place(RectOf(vorna::UpArrowSprite, "up arrow"), s.picture, false);
        else if (s.name == "down_arrow")
            sheet.Place(RectOf(vorna::DownArrowSprite, "down arrow"), s.picture, false);
        else
            Fail(assetDir + "/sprites/hud.txt", 0, "sprite " + s.name + " has no place on the sheet");
    }

    sheet.Place(RectOf(vorna::TitleLogo, "title grey"), TitleGrey(font), false);
    sheet.Place(RectOf(vorna::TitleLogoColour, "title colour"), TitleColour(font), false);
    sheet.Place(RectOf(vorna::MakerLogo, "maker logo"), MakerLogo(font), false);
    sheet.Place(RectOf(vorna::GameOverPicture, "game over"), GameOver(font), false);
    const char* globeNames[3] = {"sun", "earth", "moon"};
    for (int k = 0; k < 3; ++k) sheet.Place(RectOf(vorna::IntroGlobeSprite + k, globeNames[k]), Globe(k), true);
    const char* blockNames[4] = {"red block", "green block", "blue block", "stone block"};
    for (int k = 0; k < 4; ++k) sheet.Place(RectOf(vorna::BlockSprite + k, blockNames[k]), Block(k), true);
    for (int k = 0; k < 2; ++k)
        sheet.Place(RectOf(vorna::VornaSprite + k, "vorna " + std::to_string(k)), Vorna(k), false);
    for (int k = 0; k < 4; ++k)
        sheet.Place(RectOf(vorna::ExplosionSprite + k, "explosion " + std::to_string(k)), Explosion(k), true);
    for (int k = 0; k < 2; ++k) sheet.Place(RectOf(vorna::RockSprite + k, "rock " + std::to_string(k)), Rock(k), true);
    for (int k = 0; k < 8; ++k)
        sheet.Place(RectOf(vorna::DebrisSprite + k, "debris " + std::to_string(k)), Debris(k), false);
    for (int k = 0; k < 8; ++k) sheet.Place(RectOf(vorna::StarSprite + k, "star " + std::to_string(k)), Star(k), false);
    for (int k = 0; k < 4; ++k)
        sheet.Place(RectOf(vorna::GaugeSprite + k, "gauge " + std::to_string(k)), Gauge(k), false);
    sheet.Place(RectOf(vorna::SparkSprite, "spark"), Spark(), false);
    sheet.Place(Region{"dots", 0, 16, 96, 16}, Dots(), false);
    sheet.Place(Region{"ring", 96, 16, 16, 16}, Ring(), false);
    sheet.Place(Region{"sparkles", 128, 208, 48, 16}, Sparkles(), false);
    sheet.Place(Region{"fireball", 160, 176, 16, 32}, Fireball(91), true);
    sheet.Place(Region{"comet", 304, 208, 16, 32}, Fireball(93), true);
    sheet.Place(Region{"stick figure", 22, 208, 26, 32}, StickFigure(), false);
}

// The icon's pictures: the earth as the game shows it, shrunk.
Picture IconPicture(int size) {
    const Picture big = Globe(1);
    Picture p(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Colour sum{0, 0, 0, 0};
            int n = 0;
            for (int sy = y * 47 / size; sy < (y + 1) * 47 / size; ++sy)
                for (int sx = x * 47 / size; sx < (x + 1) * 47 / size; ++sx, ++n) {
                    const Colour& c = big.At(sx, sy);
                    sum.r += c.r * c.a, sum.g += c.g * c.a, sum.b += c.b * c.a, sum.a += c.a;
                }
            if (sum.a > 0) p.At(x, y) = Colour{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / n};
        }
    return p;
}

} // namespace assetgen
