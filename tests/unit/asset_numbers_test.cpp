// The named sound and music numbers against what the asset sources say each one is.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "base/music_numbers.h"
#include "base/sound_numbers.h"
#include "music/music_player.h"

using namespace vorna;

namespace {

// The "title" line of the song source behind a music number, found through the player's file table.
std::string SongTitle(int number) {
    const std::string file = MusicFileTable[number];
    const std::string path =
        std::string(VORNA_SOURCE_DIR) + "/assets/music/" + file.substr(0, file.size() - 4) + ".song";
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("title ", 0) == 0) return line.substr(6);
    return "(no title in " + path + ")";
}

TEST(MusicNumbers, EachNamedNumberPlaysTheSongItsNameSays) {
    EXPECT_EQ(SongTitle(kMusicTitle), "Title");
    EXPECT_EQ(SongTitle(kMusicStory), "Story");
    EXPECT_EQ(SongTitle(kMusicContinue), "Continue");
    EXPECT_EQ(SongTitle(kMusicVornaMission), "Mission 10");
    EXPECT_EQ(SongTitle(kMusicEnding), "Ending");
    for (int mission = 1; mission <= 9; ++mission)
        EXPECT_EQ(SongTitle(kMusicFirstMission + mission - 1), "Mission " + std::to_string(mission)) << mission;
}

TEST(MusicNumbers, EveryNumberHasAFileOfItsOwn) {
    std::set<std::string> files;
    for (int n = 0; n < kMusicCount; ++n) files.insert(MusicFileTable[n]);
    EXPECT_EQ(files.size(), static_cast<size_t>(kMusicCount));
    // The last two numbers follow the nine missions: nothing is left between them.
    EXPECT_EQ(kMusicFirstMission + 9, kMusicContinue);
}

TEST(SoundNumbers, TheNamesCoverEveryEffectOnce) {
    const std::set<int> named = {kSoundBlockDestroyed, kSoundLeaveScreen, kSoundBlockHit,    kSoundWallBounce,
                                 kSoundMissionStart,   kSoundStoneHit,    kSoundFanfare,     kSoundFormChange,
                                 kSoundVornaAlarm,     kSoundCountTick,   kSoundVornaRammed, kSoundBlockShards};
    EXPECT_EQ(named.size(), static_cast<size_t>(kSoundEffectCount));
    EXPECT_EQ(*named.begin(), 0);
    EXPECT_EQ(*named.rbegin(), kSoundEffectCount - 1);
}

} // namespace
