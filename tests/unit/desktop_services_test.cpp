// The desktop program's services without a display: single instance, debug output and the program icon.
#ifdef VORNA_HAVE_DESKTOP
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "backends/sdl2/debug_lines.h"
#include "backends/sdl2/icon_image.h"
#include "backends/sdl2/single_instance.h"

using namespace vorna;

TEST(SingleInstanceName, NamesProgramAndUser) {
    const std::string a = SingleInstanceName("vorna", 1000);
    EXPECT_NE(a.find("vorna"), std::string::npos);
    EXPECT_NE(a.find("1000"), std::string::npos);
    EXPECT_NE(a, SingleInstanceName("vorna", 1001));          // users do not see each other
    EXPECT_NE(a, SingleInstanceName("vorna-headless", 1000)); // nor other programs
    EXPECT_EQ(a.find('\0'), std::string::npos);
}

TEST(SingleInstance, SecondCopyAsksTheFirstToRaiseAndTheNameIsFreedWithTheFirst) {
    const std::string name = SingleInstanceName("vorna-test-" + std::to_string(getpid()), 7);
    std::atomic<int> raised{0};
    {
        SingleInstance first;
        ASSERT_EQ(first.Claim(name), SingleInstance::Role::First);
        first.Listen([&] { raised.fetch_add(1); });
        SingleInstance second;
        EXPECT_EQ(second.Claim(name), SingleInstance::Role::Second);
        SingleInstance third;
        EXPECT_EQ(third.Claim(name), SingleInstance::Role::Second);
        // The reply is sent after the request was handled: both are counted by now.
        EXPECT_EQ(raised.load(), 2);
    }
    SingleInstance later;
    EXPECT_EQ(later.Claim(name), SingleInstance::Role::First);
}

TEST(SingleInstance, AnOwnerThatDoesNotListenYetStillCountsAsRunning) {
    const std::string name = SingleInstanceName("vorna-test-quiet-" + std::to_string(getpid()), 7);
    SingleInstance first;
    ASSERT_EQ(first.Claim(name), SingleInstance::Role::First);
    // No Listen: the connection is queued by the kernel and the reply times out; the copy still ends.
    SingleInstance second;
    EXPECT_EQ(second.Claim(name), SingleInstance::Role::Second);
}

namespace {
std::string Fold(const std::vector<const char*>& lines, bool flush) {
    std::FILE* f = std::tmpfile();
    {
        DebugLineFolder folder(f);
        for (const char* l : lines) folder.Write(l);
        if (flush) folder.Flush();
    }
    std::rewind(f);
    std::string out;
    char buffer[256];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) out.append(buffer, n);
    std::fclose(f);
    return out;
}
} // namespace

TEST(DebugLines, RepeatedLinesAreFoldedIntoACount) {
    EXPECT_EQ(Fold({"a\n", "a\n", "a\n", "b\n", "a\n"}, false), "a\n  (the line above repeated 2 more times)\nb\na\n");
    EXPECT_EQ(Fold({"x\n", "x\n"}, false), "x\n  (the line above repeated 1 more times)\n"); // told at the end
    EXPECT_EQ(Fold({"no newline"}, true), "no newline\n");
    DebugLineFolder silent(nullptr); // without VORNA_DEBUG nothing is written anywhere
    silent.Write("ignored\n");
}

namespace {

void Put16(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    v[at] = static_cast<uint8_t>(x);
    v[at + 1] = static_cast<uint8_t>(x >> 8);
}
void Put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
}

// An icon file with one 2 x 2 entry of the given depth (1-bit AND mask after the colour bits).
std::vector<uint8_t> MakeIcon(int bits, const std::vector<uint8_t>& pixelRows, const std::vector<uint8_t>& palette,
                              uint8_t maskRow0, uint8_t maskRow1) {
    std::vector<uint8_t> dib(40, 0);
    Put32(dib, 0, 40);
    Put32(dib, 4, 2);
    Put32(dib, 8, 4);
    Put16(dib, 12, 1);
    Put16(dib, 14, static_cast<uint32_t>(bits));
    dib.insert(dib.end(), palette.begin(), palette.end());
    dib.insert(dib.end(), pixelRows.begin(), pixelRows.end());
    const uint8_t mask[8] = {maskRow1, 0, 0, 0, maskRow0, 0, 0, 0}; // bottom-up
    dib.insert(dib.end(), mask, mask + 8);
    std::vector<uint8_t> file(6 + 16 + dib.size(), 0);
    Put16(file, 2, 1);
    Put16(file, 4, 1);
    file[6] = 2;
    file[7] = 2;
    Put32(file, 6 + 8, static_cast<uint32_t>(dib.size()));
    Put32(file, 6 + 12, 22);
    for (size_t i = 0; i < dib.size(); ++i) file[22 + i] = dib[i];
    return file;
}

} // namespace

TEST(ProgramIcon, EightBitEntryWithItsMask) {
    std::vector<uint8_t> palette(256 * 4, 0);
    palette[4 * 1 + 2] = 0xFF; // index 1 red
    palette[4 * 2 + 1] = 0xFF; // index 2 green
    // Bottom row first: (2, 0) then the top row (1, 2); rows padded to four bytes.
    const std::vector<uint8_t> rows = {2, 0, 0, 0, 1, 2, 0, 0};
    const std::vector<uint8_t> file = MakeIcon(8, rows, palette, 0x40, 0x00); // top row's second pixel clear
    IconImage icon;
    ASSERT_TRUE(DecodeIcon(file.data(), file.size(), 32, icon));
    ASSERT_EQ(icon.width, 2);
    ASSERT_EQ(icon.height, 2);
    EXPECT_EQ(icon.argb[0], 0xFFFF0000u);
    EXPECT_EQ(icon.argb[1], 0x0000FF00u); // masked out: transparent
    EXPECT_EQ(icon.argb[2], 0xFF00FF00u);
    EXPECT_EQ(icon.argb[3], 0xFF000000u);
}

TEST(ProgramIcon, DamagedFilesAreRefusedWithoutReadingOutside) {
    std::vector<uint8_t> palette(2 * 4, 0);
    const std::vector<uint8_t> rows = {0x80, 0, 0, 0, 0x40, 0, 0, 0};
    std::vector<uint8_t> file = MakeIcon(1, rows, palette, 0, 0);
    IconImage icon;
    EXPECT_TRUE(DecodeIcon(file.data(), file.size(), 16, icon));
    // Every truncation is refused (or decoded from what is really there), never read past the end.
    for (size_t cut = 0; cut < file.size() - 8; ++cut) {
        IconImage partial;
        EXPECT_FALSE(DecodeIcon(file.data(), cut, 16, partial)) << cut;
    }
    std::vector<uint8_t> png = file;
    png[22] = 0x89;
    png[23] = 'P';
    EXPECT_FALSE(DecodeIcon(png.data(), png.size(), 16, icon)); // PNG entries are passed over
    std::vector<uint8_t> huge = file;
    Put32(huge, 22 + 4, 100000); // absurd width
    EXPECT_FALSE(DecodeIcon(huge.data(), huge.size(), 16, icon));
    EXPECT_FALSE(DecodeIcon(nullptr, 0, 16, icon));
}

#endif

#ifdef VORNA_HAVE_DESKTOP
#include "backends/sdl2/sdl2_input.h"

TEST(DesktopInput, EveryPolledVirtualKeyHasAKeyAndOthersHaveNone) {
    EXPECT_EQ(ScancodeForVirtualKey(VK_UP_KEY), SDL_SCANCODE_UP);
    EXPECT_EQ(ScancodeForVirtualKey(VK_DOWN_KEY), SDL_SCANCODE_DOWN);
    EXPECT_EQ(ScancodeForVirtualKey(VK_LEFT_KEY), SDL_SCANCODE_LEFT);
    EXPECT_EQ(ScancodeForVirtualKey(VK_RIGHT_KEY), SDL_SCANCODE_RIGHT);
    EXPECT_EQ(ScancodeForVirtualKey(VK_NUMPAD8_KEY), SDL_SCANCODE_KP_8);
    EXPECT_EQ(ScancodeForVirtualKey(VK_NUMPAD2_KEY), SDL_SCANCODE_KP_2);
    EXPECT_EQ(ScancodeForVirtualKey(VK_NUMPAD4_KEY), SDL_SCANCODE_KP_4);
    EXPECT_EQ(ScancodeForVirtualKey(VK_NUMPAD6_KEY), SDL_SCANCODE_KP_6);
    EXPECT_EQ(ScancodeForVirtualKey(VK_ESCAPE_KEY), SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(ScancodeForVirtualKey(VK_F3_KEY), SDL_SCANCODE_F3);
    // Letters by the layout; with no keymap at all (no display opened here) the US positions.
    EXPECT_EQ(ScancodeForVirtualKey(VK_Z_KEY), SDL_SCANCODE_Z);
    EXPECT_EQ(ScancodeForVirtualKey(VK_X_KEY), SDL_SCANCODE_X);
    for (int vk : {0, 0x31, 0x70, 0xFF, -1}) EXPECT_EQ(ScancodeForVirtualKey(vk), SDL_SCANCODE_UNKNOWN) << vk;
    Sdl2Keyboard keyboard;
    EXPECT_FALSE(keyboard.IsKeyDown(0x31)); // never polled: never down
}

TEST(DesktopInput, NoJoystickMeansNoPositionAndEmptyCaps) {
    Sdl2Joystick joystick;
    JoystickCaps caps{1, 2, 3, 4, 5, 6, 7, 8};
    JoystickPosition pos{9, 9, 9, 9, 9};
    if (joystick.GetNumDevs() == 0) {
        EXPECT_FALSE(joystick.GetDevCaps(0, caps));
        EXPECT_EQ(caps.xMax, 0u);
        EXPECT_FALSE(joystick.GetPosition(0, pos));
        EXPECT_EQ(pos.buttons, 0u);
    }
    EXPECT_FALSE(joystick.GetPosition(1, pos)); // only identifier 0 is used
}
#endif
