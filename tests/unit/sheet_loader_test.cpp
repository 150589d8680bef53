// The graphics sheet loader: the bitmap reader on every shared test bitmap and on damaged headers,
// loading from the program or a file, the nearest-colour mapping and the colour-key routines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "gfx/sheet.h"
#include "support/gfx_fakes.h"

using namespace vorna;
using vorna::gfx_testing::GfxFixtureGame;

namespace {

const std::string kBmpDir = std::string(VORNA_TESTDATA_DIR) + "/bmp";

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// FNV-1a over the decoded picture as red, green, blue bytes, top row first.
uint32_t PictureHash(const DibImage& image) {
    uint32_t h = 2166136261u;
    for (uint8_t p : image.pixels) {
        const uint32_t c = image.colours[p];
        for (int shift : {16, 8, 0}) h = (h ^ ((c >> shift) & 0xFF)) * 16777619u;
    }
    return h;
}

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

// A bare 8-bit bottom-up DIB (as a resource holds it): rows given top first, colours 0x00RRGGBB.
std::vector<uint8_t> MakeDib(int w, int h, const std::vector<uint32_t>& colours, const std::vector<uint8_t>& pixels) {
    const int stride = (w + 3) & ~3;
    std::vector<uint8_t> b(40 + colours.size() * 4 + static_cast<size_t>(stride) * h, 0);
    Put32(b, 0, 40);
    Put32(b, 4, static_cast<uint32_t>(w));
    Put32(b, 8, static_cast<uint32_t>(h));
    Put16(b, 12, 1);
    Put16(b, 14, 8);
    Put32(b, 32, static_cast<uint32_t>(colours.size()));
    for (size_t i = 0; i < colours.size(); ++i) Put32(b, 40 + 4 * i, colours[i]);
    const size_t start = 40 + colours.size() * 4;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b[start + static_cast<size_t>(h - 1 - y) * stride + x] = pixels[y * w + x];
    return b;
}

std::vector<uint8_t> WithFileHeader(const std::vector<uint8_t>& dib) {
    std::vector<uint8_t> b(14 + dib.size(), 0);
    std::copy(dib.begin(), dib.end(), b.begin() + 14);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(14 + dib.size()));
    const uint32_t colours = dib[32] | dib[33] << 8;
    Put32(b, 10, 14 + 40 + 4 * colours);
    return b;
}

class FakeResources : public Resources {
public:
    std::map<std::string, std::vector<uint8_t>> bitmaps;
    bool Find(const char* name, const char* type, ByteView& out) override {
        auto it = bitmaps.find(name);
        if (std::strcmp(type, "BITMAP") != 0 || it == bitmaps.end()) return false;
        out = ByteView{it->second.data(), it->second.size()};
        return true;
    }
};

class FakeFiles : public FileSystem {
public:
    std::map<std::string, std::vector<uint8_t>> files;
    std::vector<std::string> opened;
    int openNow = 0;
    struct Open {
        const std::vector<uint8_t>* bytes;
        uint32_t at;
    };
    std::vector<Open> handles;
    int Open(const char* path) override {
        opened.emplace_back(path);
        auto it = files.find(path);
        if (it == files.end()) return kNoFile;
        ++openNow;
        handles.push_back({&it->second, 0});
        return static_cast<int>(handles.size() - 1);
    }
    bool Size(int file, uint32_t& size) override {
        size = static_cast<uint32_t>(handles[file].bytes->size());
        return true;
    }
    bool Seek(int file, uint32_t offset) override {
        handles[file].at = offset;
        return true;
    }
    int32_t Read(int file, void* buffer, uint32_t count) override {
        auto& h = handles[file];
        // Short reads, as a real file may give them.
        const uint32_t left = static_cast<uint32_t>(h.bytes->size()) - std::min<uint32_t>(h.at, h.bytes->size());
        const uint32_t n = std::min({count, left, 1000u});
        std::memcpy(buffer, h.bytes->data() + h.at, n);
        h.at += n;
        return static_cast<int32_t>(n);
    }
    void Close(int) override { --openNow; }
    uint32_t ModuleFileName(char* buffer, uint32_t size) override {
        if (size > 0) buffer[0] = 0;
        return 0;
    }
};

struct SheetGame : GfxFixtureGame {
    FakeResources resources;
    FakeFiles files;
    SheetGame() {
        g.platform.resources = &resources;
        g.platform.files = &files;
    }
    Surface& sheet() { return g.display.SheetSurface; }
};

} // namespace

TEST(SheetLoader, EveryBmpsuiteFileIsReadOrRefusedByItsFormat) {
    // The 8-bit, uncompressed, bottom-up files with a 40-byte header, and their pictures. The hashes
    // come from an independent reading; files holding the same picture in other layouts agree.
    struct Good {
        int width, height;
        uint32_t hash;
    };
    const std::map<std::string, Good> good = {
        {"g/pal8.bmp", {127, 64, 0x510c2814u}},           {"g/pal8-0.bmp", {127, 64, 0x510c2814u}},
        {"g/pal8gs.bmp", {127, 64, 0xd11d8dafu}},         {"g/pal8nonsquare.bmp", {127, 32, 0x4111034cu}},
        {"g/pal8w124.bmp", {124, 61, 0x22674bfdu}},       {"g/pal8w125.bmp", {125, 62, 0x939742d3u}},
        {"g/pal8w126.bmp", {126, 63, 0x167f840du}},       {"q/pal8offs.bmp", {127, 64, 0x510c2814u}},
        {"q/pal8os2v2-40sz.bmp", {127, 64, 0x510c2814u}}, {"q/pal8oversizepal.bmp", {127, 64, 0x510c2814u}},
    };
    int seen = 0, accepted = 0;
    for (const char* set : {"g", "q"}) {
        for (const auto& entry : std::filesystem::directory_iterator(kBmpDir + "/" + set)) {
            if (entry.path().extension() != ".bmp") continue;
            const std::string name = std::string(set) + "/" + entry.path().filename().string();
            const std::vector<uint8_t> bytes = ReadFile(entry.path().string());
            ASSERT_FALSE(bytes.empty()) << name;
            ++seen;
            DibImage image;
            const bool read = DecodeDib(bytes.data(), bytes.size(), image);
            auto it = good.find(name);
            if (it == good.end()) {
                EXPECT_FALSE(read) << name << " should be refused";
                continue;
            }
            ASSERT_TRUE(read) << name;
            ++accepted;
            EXPECT_EQ(image.width, it->second.width) << name;
            EXPECT_EQ(image.height, it->second.height) << name;
            ASSERT_EQ(image.pixels.size(), static_cast<size_t>(image.width) * image.height) << name;
            EXPECT_EQ(PictureHash(image), it->second.hash) << name;
        }
    }
    EXPECT_GE(seen, 60); // the good and questionable sets are both there
    EXPECT_EQ(accepted, static_cast<int>(good.size()));
}

TEST(SheetLoader, EveryTruncationOfAGoodBitmapIsRefused) {
    const std::vector<uint8_t> file = ReadFile(kBmpDir + "/g/pal8w125.bmp");
    ASSERT_GT(file.size(), 1000u);
    DibImage image;
    ASSERT_TRUE(DecodeDib(file.data(), file.size(), image));
    const std::vector<uint8_t> bare(file.begin() + 14, file.end());
    DibImage fromBare;
    ASSERT_TRUE(DecodeDib(bare.data(), bare.size(), fromBare)); // a resource has no file header
    EXPECT_EQ(fromBare.pixels, image.pixels);
    for (size_t n = 0; n < file.size(); ++n) {
        // Exact-size copies, so that a read past the end shows under the sanitizers.
        std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<ptrdiff_t>(n));
        EXPECT_FALSE(DecodeDib(cut.empty() ? nullptr : cut.data(), cut.size(), image)) << n << " bytes";
        if (n < bare.size()) {
            std::vector<uint8_t> cutBare(bare.begin(), bare.begin() + static_cast<ptrdiff_t>(n));
            EXPECT_FALSE(DecodeDib(cutBare.empty() ? nullptr : cutBare.data(), cutBare.size(), image)) << n;
        }
    }
}

TEST(SheetLoader, DamagedHeadersAreRefused) {
    const std::vector<uint8_t> dib = MakeDib(5, 3, {0x000000, 0xFF0000, 0x00FF00}, std::vector<uint8_t>(15, 1));
    DibImage image;
    ASSERT_TRUE(DecodeDib(dib.data(), dib.size(), image));
    struct Damage {
        size_t at;
        uint32_t value;
        bool wide;
    };
    const Damage damages[] = {
        {0, 12, true},   {0, 108, true},         {4, 0, true},           {4, 0xFFFFFFFFu, true},  {4, 16385, true},
        {8, 0, true},    {8, 0xFFFFFFFDu, true}, {8, 0x7FFFFFFFu, true}, {12, 2, false},          {14, 4, false},
        {14, 24, false}, {16, 1, true},          {16, 2, true},          {32, 0xFFFFFFFFu, true}, {32, 1000, true},
    };
    for (const Damage& d : damages) {
        std::vector<uint8_t> bad = dib;
        if (d.wide)
            Put32(bad, d.at, d.value);
        else
            Put16(bad, d.at, static_cast<uint16_t>(d.value));
        EXPECT_FALSE(DecodeDib(bad.data(), bad.size(), image)) << "offset " << d.at << " value " << d.value;
    }
    // A file header whose pixel offset points into the colour table or past the end.
    std::vector<uint8_t> file = WithFileHeader(dib);
    ASSERT_TRUE(DecodeDib(file.data(), file.size(), image));
    for (uint32_t offset : {0u, 14u, 54u, 65u, static_cast<uint32_t>(file.size()), 0xFFFFFFF0u}) {
        std::vector<uint8_t> bad = file;
        Put32(bad, 10, offset);
        EXPECT_FALSE(DecodeDib(bad.data(), bad.size(), image)) << "pixel offset " << offset;
    }
    EXPECT_FALSE(DecodeDib(nullptr, 100, image));
}

TEST(SheetLoader, TheProgramsBitmapComesBeforeAFileOfTheSameName) {
    SheetGame t;
    t.resources.bitmaps["BMP_00"] = MakeDib(4, 2, {0x000000, 0xFFFFFF}, {0, 1, 1, 0, 1, 0, 0, 1});
    t.files.files["BMP_00"] = WithFileHeader(MakeDib(3, 3, {0xFF0000}, std::vector<uint8_t>(9, 0)));
    ASSERT_TRUE(gf_DD_LoadBitmap(t.g.display, t.g.platform.resources, t.g.platform.files, t.sheet(), "BMP_00", 0, 0));
    EXPECT_EQ(t.sheet().width, 4);
    EXPECT_TRUE(t.files.opened.empty());
    // Black is entry 0 of the display, white its entry 255; rows arrive top first.
    EXPECT_EQ(t.at(t.sheet(), 1, 0), 255);
    EXPECT_EQ(t.at(t.sheet(), 0, 0), 0);
    EXPECT_EQ(t.at(t.sheet(), 3, 1), 255);

    // Without the resource the file in the current directory is read (in short pieces) and closed.
    t.resources.bitmaps.clear();
    ASSERT_TRUE(gf_DD_LoadBitmap(t.g.display, t.g.platform.resources, t.g.platform.files, t.sheet(), "BMP_00", 0, 0));
    EXPECT_EQ(t.files.opened, std::vector<std::string>{"BMP_00"});
    EXPECT_EQ(t.files.openNow, 0);
    EXPECT_EQ(t.sheet().width, 3);
    EXPECT_EQ(t.at(t.sheet(), 2, 2), 234); // pure red: the cube's entry comes before the reserved one
}

TEST(SheetLoader, AMissingOrDamagedBitmapLeavesNoSurfaceAndNoKey) {
    SheetGame t;
    t.files.files["BMP_00"] = ReadFile(kBmpDir + "/g/pal8rle.bmp");
    t.files.files["BIG"] = ReadFile(kBmpDir + "/g/pal8.bmp");
    ASSERT_TRUE(gf_DD_LoadBitmap(t.g.display, t.g.platform.resources, t.g.platform.files, t.sheet(), "BIG", 0, 0));
    EXPECT_FALSE(gf_DD_LoadBitmap(t.g.display, t.g.platform.resources, t.g.platform.files, t.sheet(), "BMP_00", 0,
                                  0)); // compressed: refused
    EXPECT_FALSE(t.sheet().exists);    // the earlier sheet is gone too
    gf_DD_SetSrcKey(t.g.display, Existing(t.sheet()), 0x000000);
    EXPECT_FALSE(t.sheet().hasColourKey);
    EXPECT_FALSE(gf_DD_LoadBitmap(t.g.display, t.g.platform.resources, t.g.platform.files, t.sheet(), "NOWHERE", 0, 0));
    EXPECT_EQ(t.files.openNow, 0);
    // Without the display device there is nothing to load into.
    SheetGame noDevice;
    noDevice.g.display.deviceCreated = false;
    noDevice.files.files["BIG"] = t.files.files["BIG"];
    EXPECT_FALSE(gf_DD_LoadBitmap(noDevice.g.display, noDevice.g.platform.resources, noDevice.g.platform.files,
                                  noDevice.sheet(), "BIG", 0, 0));
    EXPECT_TRUE(noDevice.files.opened.empty());
}

TEST(SheetLoader, ColoursGoToTheNearestDisplayEntryWithTiesToTheLowerIndex) {
    SheetGame t;
    PaletteEntry* p = t.g.display.PaletteEntries;
    p[20] = PaletteEntry{100, 100, 100, 4};
    p[30] = PaletteEntry{102, 100, 100, 4};
    p[40] = PaletteEntry{100, 100, 100, 4};
    // (101, 100, 100) lies as near to entry 20 as to 30; (100, 100, 100) is entry 20 and 40 alike;
    // the sheet's background (4, 5, 4) becomes the display's black.
    t.resources.bitmaps["S"] = MakeDib(4, 1, {0x656464, 0x646464, 0x040504, 0x666464}, {0, 1, 2, 3});
    ASSERT_TRUE(gf_DD_LoadBitmap(t.g.display, t.g.platform.resources, t.g.platform.files, t.sheet(), "S", 0, 0));
    EXPECT_EQ(t.at(t.sheet(), 0, 0), 20);
    EXPECT_EQ(t.at(t.sheet(), 1, 0), 20);
    EXPECT_EQ(t.at(t.sheet(), 2, 0), 0);
    EXPECT_EQ(t.at(t.sheet(), 3, 0), 30);
    // With black as its key the background is transparent, the rest is copied.
    gf_DD_SetSrcKey(t.g.display, Existing(t.sheet()), 0x000000);
    EXPECT_EQ(t.sheet().keyLow, 0u);
    gf_DD_ScrFill(DisplayOf(t.g), BackBufferOf(t.g.display), 77);
    gf_DD_Blt(DisplayOf(t.g), SheetOf(t.g.display), ScreenRect{0, 0, 4, 1}, BackBufferOf(t.g.display),
              ScreenRect{10, 10, 4, 1});
    EXPECT_EQ(t.at(t.frame(), 10, 10), 20);
    EXPECT_EQ(t.at(t.frame(), 12, 10), 77);
}

TEST(SheetLoader, AGivenSizeStretchesByTheNearestNeighbourRule) {
    SheetGame t;
    std::vector<uint32_t> grey(256);
    for (uint32_t i = 0; i < 256; ++i) grey[i] = i * 0x010101u;
    // Pixel (x, y) holds colour 16 * y + x of a grey ramp, so each maps to a known display entry.
    std::vector<uint8_t> pixels(6 * 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) pixels[y * 6 + x] = static_cast<uint8_t>(40 * y + 10 * x);
    t.resources.bitmaps["S"] = MakeDib(6, 4, grey, pixels);
    Surface own;
    ASSERT_TRUE(gf_DD_LoadBitmap(t.g.display, t.g.platform.resources, t.g.platform.files, own, "S", 0, 0));
    ASSERT_TRUE(gf_DD_LoadBitmap(t.g.display, t.g.platform.resources, t.g.platform.files, t.sheet(), "S", 9, 2));
    EXPECT_EQ(t.sheet().width, 9);
    EXPECT_EQ(t.sheet().height, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 9; ++x) EXPECT_EQ(t.at(t.sheet(), x, y), t.at(own, x * 6 / 9, y * 4 / 2)) << x << "," << y;
    EXPECT_FALSE(gf_DD_LoadBitmap(t.g.display, t.g.platform.resources, t.g.platform.files, t.sheet(), "S", -1, 2));
}

TEST(SheetLoader, FindPixelValueGivesTheNearestEntryAndPutsPixelZeroBack) {
    SheetGame t;
    Surface& s = t.frame();
    t.at(s, 0, 0) = 123;
    // 0x00BBGGRR: pure blue is 0xFF0000 here, the cube's entry 13; pure red is entry 234.
    EXPECT_EQ(gf_DD_FindPixelValue(t.g.display, &s, 0xFF0000), 13u);
    EXPECT_EQ(gf_DD_FindPixelValue(t.g.display, &s, 0x0000FF), 234u);
    EXPECT_EQ(gf_DD_FindPixelValue(t.g.display, &s, 0xFFFFFF), 255u);
    EXPECT_EQ(t.at(s, 0, 0), 123);
    EXPECT_EQ(gf_DD_FindPixelValue(t.g.display, &s, CLR_INVALID_COLOUR), 123u);
    EXPECT_EQ(gf_DD_FindPixelValue(t.g.display, nullptr, 0), 0xFFFFFFFFu);
    // A surface that cannot be locked gives 0xFFFFFFFF, and that becomes the key (matching no pixel).
    s.locked = true;
    EXPECT_EQ(gf_DD_FindPixelValue(t.g.display, &s, 0x000000), 0xFFFFFFFFu);
    gf_DD_SetSrcKey(t.g.display, &s, 0x000000);
    EXPECT_EQ(s.keyLow, 0xFFFFFFFFu);
    EXPECT_EQ(s.keyHigh, 0xFFFFFFFFu);
    s.locked = false;
    EXPECT_EQ(t.at(s, 0, 0), 123);
}
