// assetgen: builds the graphics sheet, the sounds, the songs and the icon from the sources in assets/.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "assetgen.h"
#include "icon_png.h"
#include "music/music_player.h"
#include "preview.h"
#include "sheet.h"
#include "songs.h"
#include "sounds.h"

namespace assetgen {
Picture IconPicture(int size);

namespace {

// Desktop themes stop at 512 px; a larger icon is a mistyped size, not a wish.
constexpr int kLargestIconSize = 1024;

std::vector<uint8_t> IconFile() {
    const int sizes[2] = {16, 32};
    std::vector<std::vector<uint8_t>> images;
    for (int size : sizes) {
        const Picture p = IconPicture(size);
        Bytes img;
        const uint32_t maskStride = static_cast<uint32_t>((size + 31) / 32 * 4);
        img.U32(40);
        img.U32(static_cast<uint32_t>(size));
        img.U32(static_cast<uint32_t>(size * 2)); // colour image and mask stacked
        img.U16(1);
        img.U16(32);
        img.U32(0);
        img.U32(static_cast<uint32_t>(size * size * 4) + maskStride * static_cast<uint32_t>(size));
        img.U32(0), img.U32(0), img.U32(0), img.U32(0);
        for (int y = size - 1; y >= 0; --y)
            for (int x = 0; x < size; ++x) {
                const Colour& c = p.At(x, y);
                auto byte = [](double v) { return static_cast<unsigned>(v < 0 ? 0 : v > 255 ? 255 : v + 0.5); };
                const double a = c.a < 0 ? 0 : c.a > 1 ? 1 : c.a;
                img.U8(byte(c.b)), img.U8(byte(c.g)), img.U8(byte(c.r)), img.U8(byte(a * 255)); // straight alpha
            }
        for (int y = size - 1; y >= 0; --y) {
            std::vector<uint8_t> row(maskStride, 0);
            for (int x = 0; x < size; ++x)
                if (p.At(x, y).a < 0.5) row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
            img.Append(row);
        }
        images.push_back(img.b);
    }
    Bytes ico;
    ico.U16(0), ico.U16(1), ico.U16(2);
    uint32_t offset = 6 + 16 * 2;
    for (size_t i = 0; i < 2; ++i) {
        ico.U8(static_cast<unsigned>(sizes[i])), ico.U8(static_cast<unsigned>(sizes[i])), ico.U8(0), ico.U8(0);
        ico.U16(1), ico.U16(32);
        ico.U32(static_cast<uint32_t>(images[i].size()));
        ico.U32(offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& img : images) ico.Append(img);
    return ico.b;
}

} // namespace
} // namespace assetgen

int main(int argc, char** argv) {
    using namespace assetgen;
    if (argc >= 3 && std::strcmp(argv[1], "--icons") == 0) {
        std::vector<int> sizes;
        for (int i = 3; i < argc; ++i) {
            char* end = nullptr;
            const long size = std::strtol(argv[i], &end, 10);
            if (end == argv[i] || *end != '\0' || size < 1 || size > kLargestIconSize) {
                std::fprintf(stderr, "%s: icon size %s is not a number from 1 to %d\n", argv[0], argv[i],
                             kLargestIconSize);
                return 2;
            }
            sizes.push_back(static_cast<int>(size));
        }
        WriteIconPngs(argv[2], sizes);
        return 0;
    }
    if (argc != 3 && !(argc == 5 && std::strcmp(argv[3], "--preview") == 0)) {
        std::fprintf(stderr,
                     "usage: %s ASSET_SOURCE_DIR OUTPUT_DIR [--preview PREVIEW_DIR]\n"
                     "       %s --icons OUTPUT_DIR SIZE...\n",
                     argv[0], argv[0]);
        return 2;
    }
    const std::string src = argv[1], out = argv[2];
    Sheet sheet;
    BuildSheet(sheet, src);
    WriteFile(out + "/BMP_00.bmp", sheet.BmpFile());
    for (int n = 0; n < vorna::kSoundEffectCount; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "/WAV_%02X.wav", n);
        WriteFile(out + name, MakeWave(n));
    }
    // Every music number has a file of its own; the player's table says which, and its source has the same stem.
    for (const char* file : vorna::MusicFileTable) {
        const std::string stem = std::string(file).substr(0, std::strlen(file) - std::strlen(".dat"));
        WriteFile(out + "/" + file, CompileSong(src + "/music/" + stem + ".song"));
    }
    WriteFile(out + "/ICN_01.ico", IconFile());
    if (argc == 5) WriteContactSheet(sheet, argv[4]);
    return 0;
}
