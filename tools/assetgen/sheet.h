// The graphics sheet under construction: the display palette, colour fitting and region bookkeeping.
#pragma once
#include <string>

#include "assetgen.h"

namespace assetgen {

constexpr int kSheetWidth = 320;
constexpr int kSheetHeight = 240;

struct Region {
    std::string name;
    int x, y, w, h;
};

class Sheet {
public:
    Sheet();
    // Fits the picture to the palette and puts it at the region's rectangle; the picture must have the
    // region's size, and regions may not overlap. Dithering smooths gradients on shaded sprites.
    void Place(const Region& r, const Picture& p, bool dither);
    int Nearest(const Colour& c) const;
    uint32_t TableColour(int i) const { return table_[i]; } // 0xRRGGBB
    const std::vector<Region>& Regions() const { return regions_; }
    uint8_t Pixel(int x, int y) const { return px_[static_cast<size_t>(y * kSheetWidth + x)]; }
    // A complete BMP file: 14-byte file header, 40-byte header, 256 colours, bottom-up rows.
    std::vector<uint8_t> BmpFile() const;

private:
    uint32_t table_[256];
    bool usable_[256];
    std::vector<uint8_t> px_;
    std::vector<Region> regions_;
};

// The sheet font from its text source.
struct Font {
    Mask letters[26];
    Mask digits[10];
};
Font LoadFont(const std::string& path, const int (&letterWidths)[26]);

// Text in the sheet font as one mask, letters edge to edge (their cells carry the spacing).
Mask TextMask(const Font& f, const std::string& text, int spaceWidth);
Mask Scale2x(const Mask& m);
Mask Scale3x(const Mask& m);
Mask Downsample2(const Mask& m); // a pixel is set when any of its 2x2 sources is

// Multi-colour sprites written as text with a colour legend.
struct TextSprite {
    std::string name;
    Picture picture;
};
std::vector<TextSprite> LoadTextSprites(const std::string& path);

void BuildSheet(Sheet& sheet, const std::string& assetDir);

} // namespace assetgen
