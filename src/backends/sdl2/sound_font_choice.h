// Which General MIDI SoundFont the music uses: the one the user names, else the system's, else none.
#pragma once
#include <string>
#include <vector>

namespace vorna {

// TimGM6mb first: the songs are voiced for it and the page and the previews play through it too. Debian's
// default-GM.sf2 (often the 148 MB FluidR3, whose stereo samples double the voices and the music's processor
// time, and which stays resident) is the fall-back; $VORNA_SOUNDFONT picks any other.
const std::vector<std::string>& SystemSoundFonts();

// named: given by the program (it alone decides; a missing file means no music). fromEnvironment:
// $VORNA_SOUNDFONT (a missing file falls through). Then the first of systemFonts that exists.
// "" when none is there: the music then plays silently, which is not an error.
std::string ChooseSoundFont(const char* named, const char* fromEnvironment,
                            const std::vector<std::string>& systemFonts = SystemSoundFonts());

// True for an existing regular file (a directory or an empty name is no SoundFont).
bool IsSoundFontFile(const char* path);

} // namespace vorna
