// Writing a presented frame as a PNG picture: palette indices mapped to RGB through the palette.
#include "programs/headless_runner/png_dump.h"

#ifdef VORNA_HAVE_LIBPNG
#include <png.h>

#include <csetjmp>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace vorna {

bool WriteIndexedFramePng(const std::string& path, const uint8_t* pixels, int width, int height, int pitch,
                          const PaletteEntry palette[256], std::string& error) {
    if (!pixels || width <= 0 || height <= 0 || pitch < width) {
        error = path + ": no frame to write";
        return false;
    }
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch);
        uint8_t* dst = rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 3;
        for (int x = 0; x < width; ++x) {
            const PaletteEntry& e = palette[src[x]];
            dst[3 * x] = e.red;
            dst[3 * x + 1] = e.green;
            dst[3 * x + 2] = e.blue;
        }
    }
#ifdef VORNA_HAVE_LIBPNG
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) rows[y] = rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 3;

    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        error = path + ": cannot start the PNG writer";
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        error = path + ": writing the PNG failed";
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(f) != 0) {
        error = path + ": writing the PNG failed";
        return false;
    }
#else
    const std::vector<uint8_t> file = EncodeStoredRgbPng(rgb.data(), width, height);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    if (std::fclose(f) != 0 || !written) {
        error = path + ": writing the PNG failed";
        return false;
    }
#endif
    return true;
}

} // namespace vorna
