// Test helper: scales a PNG frame to a given size by nearest neighbour, source column (i * sw) / dw, the rule
// SDL's software renderer follows, so desktop screenshots can be compared pixel for pixel.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: vorna-frame-scale IN.png WIDTH HEIGHT OUT.png\n");
        return 2;
    }
    const int dw = std::atoi(argv[2]);
    const int dh = std::atoi(argv[3]);
    if (dw <= 0 || dh <= 0 || dw > 16384 || dh > 16384) {
        std::fprintf(stderr, "vorna-frame-scale: bad size\n");
        return 2;
    }
    png_image in{};
    in.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&in, argv[1])) {
        std::fprintf(stderr, "vorna-frame-scale: %s\n", in.message);
        return 1;
    }
    in.format = PNG_FORMAT_RGB;
    std::vector<png_byte> src(PNG_IMAGE_SIZE(in));
    if (!png_image_finish_read(&in, nullptr, src.data(), 0, nullptr)) {
        std::fprintf(stderr, "vorna-frame-scale: %s\n", in.message);
        return 1;
    }
    const long sw = in.width, sh = in.height;
    std::vector<png_byte> dst(static_cast<size_t>(dw) * static_cast<size_t>(dh) * 3);
    for (long y = 0; y < dh; ++y) {
        const long sy = y * sh / dh;
        for (long x = 0; x < dw; ++x) {
            const long sx = x * sw / dw;
            for (int c = 0; c < 3; ++c)
                dst[static_cast<size_t>((y * dw + x) * 3 + c)] = src[static_cast<size_t>((sy * sw + sx) * 3 + c)];
        }
    }
    png_image out{};
    out.version = PNG_IMAGE_VERSION;
    out.width = static_cast<png_uint_32>(dw);
    out.height = static_cast<png_uint_32>(dh);
    out.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&out, argv[4], 0, dst.data(), 0, nullptr)) {
        std::fprintf(stderr, "vorna-frame-scale: %s\n", out.message);
        return 1;
    }
    return 0;
}
