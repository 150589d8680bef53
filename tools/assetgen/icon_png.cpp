// The program's icon as PNG pictures for the desktop's icon theme.
#include "icon_png.h"

#include "art.h"
#include "assetgen.h"
#include "png_file.h"

namespace assetgen {

namespace {

uint8_t Byte(double v) {
    return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v + 0.5);
}

} // namespace

void WriteIconPngs(const std::string& dir, const std::vector<int>& sizes) {
    for (int size : sizes) {
        const Picture p = IconPicture(size);
        std::vector<uint8_t> rgba;
        rgba.reserve(static_cast<size_t>(size * size * 4));
        for (const Colour& c : p.px) {
            const double a = c.a < 0 ? 0 : c.a > 1 ? 1 : c.a;
            rgba.push_back(Byte(c.r)), rgba.push_back(Byte(c.g)), rgba.push_back(Byte(c.b));
            rgba.push_back(Byte(a * 255));
        }
        WriteFile(dir + "/vorna-" + std::to_string(size) + ".png", PngFile(size, size, 4, rgba));
    }
}

} // namespace assetgen
