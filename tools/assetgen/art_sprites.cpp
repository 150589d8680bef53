// The shaded sprites of the sheet: globes, rocks, explosions, debris, stars, gauges, blocks, VORNA.
#include "art.h"

namespace assetgen {

// --- round things ---

Picture Globe(int kind, int size) {
    Picture p(size, size);
    const double centre = size / 2.0, radius = size * (23.0 / kGlobeSize);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const SphereHit s = Sphere(x + 0.5, y + 0.5, centre, centre, radius);
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
                const double glint = std::pow(std::max(0.0, s.light), 18) * (land > 0.55 ? 0.2 : 0.8);
                c = Mix(c, Rgb(255, 255, 255), glint);
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

} // namespace assetgen
