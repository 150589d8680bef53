// Drawing helpers shared by the sheet's pictures: ramps, shading, shapes, and the pictures themselves.
#pragma once
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "base/sprite_rects.h"
#include "sheet.h"

namespace assetgen {

constexpr double kPi = 3.14159265358979323846;

inline double Clamp01(double v) {
    return v < 0 ? 0 : v > 1 ? 1 : v;
}
inline double SmoothStep(double a, double b, double v) {
    const double t = Clamp01((v - a) / (b - a));
    return t * t * (3 - 2 * t);
}

inline Colour Scale(const Colour& c, double k) {
    return Colour{c.r * k, c.g * k, c.b * k, c.a};
}

inline Region RectOf(int entry, const std::string& name) {
    const vorna::SpriteRect& r = vorna::SpriteRectTable[entry];
    return Region{name, r.x, r.y, r.w, r.h};
}

// A colour ramp through evenly spaced stops.
inline Colour Ramp(const std::vector<Colour>& stops, double t) {
    t = Clamp01(t) * (stops.size() - 1);
    const size_t i = std::min(static_cast<size_t>(t), stops.size() - 2);
    return Mix(stops[i], stops[i + 1], t - i);
}

struct SphereHit {
    bool in;
    double nx, ny, nz, light;
};

inline SphereHit Sphere(double x, double y, double cx, double cy, double r) {
    const double dx = (x - cx) / r, dy = (y - cy) / r, d2 = dx * dx + dy * dy;
    if (d2 > 1) return {false, 0, 0, 0, 0};
    const double dz = std::sqrt(1 - d2);
    const double lx = -0.55, ly = -0.6, lz = 0.58;
    return {true, dx, dy, dz, std::max(0.0, dx * lx + dy * ly + dz * lz)};
}

inline bool InPolygon(const std::vector<std::pair<double, double>>& poly, double x, double y) {
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        if ((poly[i].second > y) != (poly[j].second > y) &&
            x < (poly[j].first - poly[i].first) * (y - poly[i].second) / (poly[j].second - poly[i].second) +
                    poly[i].first)
            in = !in;
    }
    return in;
}

// Lettering, drawn from the sheet font.
void PlaceFont(Sheet& sheet, const Font& f);
Picture TitleColour(const Font& f);
Picture TitleGrey(const Font& f);
Picture MakerLogo(const Font& f);
Picture GameOver(const Font& f);

// Sprites and decorations, shaded in code.
// The globes are kGlobeSize pixels on the sheet; the icon renders them larger for its big sizes.
constexpr int kGlobeSize = 47;
Picture Globe(int kind, int size = kGlobeSize);
Picture Rock(int kind);
Picture Explosion(int frame);
Picture Debris(int frame);
Picture Star(int frame);
Picture Spark();
Picture Gauge(int piece);
Picture Block(int kind);
Picture Vorna(int frame);
Picture Dots();
Picture Ring();
Picture Sparkles();
Picture Fireball(uint32_t seed);
Picture StickFigure();
Picture IconPicture(int size);

} // namespace assetgen
