// What each music number is: the scenes play songs by these names; the player maps them to files.
#pragma once

namespace vorna {

constexpr int kMusicTitle = 0;
constexpr int kMusicStory = 1;
constexpr int kMusicFirstMission = 2; // missions 1 to 9 follow in order; the last mission has its own song
constexpr int kMusicContinue = 11;
constexpr int kMusicVornaMission = 12;
constexpr int kMusicEnding = 13;

constexpr int kMusicCount = 14;

} // namespace vorna
