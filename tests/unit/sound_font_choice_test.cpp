// The music's SoundFont: the named one, else $VORNA_SOUNDFONT, else the system's in order, else none.
#ifdef VORNA_HAVE_DESKTOP
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "backends/sdl2/sound_font_choice.h"

using namespace vorna;

namespace {

// A scratch directory with two empty "SoundFonts"; the choice looks only at whether the files exist.
struct Fonts : ::testing::Test {
    std::string dir, a, b, missing;
    void SetUp() override {
        char pattern[] = "/tmp/vorna-sf2-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        a = dir + "/a.sf2";
        b = dir + "/b.sf2";
        missing = dir + "/missing.sf2";
        for (const std::string& f : {a, b}) std::fclose(std::fopen(f.c_str(), "wb"));
    }
    void TearDown() override {
        std::remove(a.c_str());
        std::remove(b.c_str());
        rmdir(dir.c_str());
    }
};

} // namespace

TEST_F(Fonts, TheNamedOneWinsAndAMissingNamedOneMeansSilence) {
    EXPECT_EQ(ChooseSoundFont(a.c_str(), b.c_str(), {b}), a);
    // The program asked for this file: another one would be a surprise, no music is the honest answer.
    EXPECT_EQ(ChooseSoundFont(missing.c_str(), b.c_str(), {b}), "");
}

TEST_F(Fonts, TheEnvironmentComesNextAndFallsThroughWhenItsFileIsMissing) {
    EXPECT_EQ(ChooseSoundFont(nullptr, b.c_str(), {a}), b);
    EXPECT_EQ(ChooseSoundFont(nullptr, missing.c_str(), {a}), a);
    EXPECT_EQ(ChooseSoundFont(nullptr, "", {a}), a);
    // A directory is not a SoundFont.
    EXPECT_EQ(ChooseSoundFont(nullptr, dir.c_str(), {a}), a);
}

TEST_F(Fonts, TheSystemOnesAreTriedInOrderAndNoneIsNoError) {
    EXPECT_EQ(ChooseSoundFont(nullptr, nullptr, {missing, b, a}), b);
    EXPECT_EQ(ChooseSoundFont(nullptr, nullptr, {a, b}), a);
    EXPECT_EQ(ChooseSoundFont(nullptr, nullptr, {missing, dir}), "");
    EXPECT_EQ(ChooseSoundFont(nullptr, nullptr, {}), "");
}

// The songs are voiced for TimGM6mb; Debian's chosen alternative (often the far heavier FluidR3) only when it
// is missing, as the page, the previews and the package's recommendation have it.
TEST(SystemFonts, TheSongsOwnFontComesBeforeTheSystemsChoice) {
    const std::vector<std::string>& fonts = SystemSoundFonts();
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_EQ(fonts[0], "/usr/share/sounds/sf2/TimGM6mb.sf2");
    EXPECT_EQ(fonts[1], "/usr/share/sounds/sf2/default-GM.sf2");
}
#endif
