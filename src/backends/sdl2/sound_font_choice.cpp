// Which General MIDI SoundFont the music uses: the one the user names, else the system's, else none.
#include "backends/sdl2/sound_font_choice.h"

#include <sys/stat.h>

namespace vorna {

const std::vector<std::string>& SystemSoundFonts() {
    static const std::vector<std::string> fonts{"/usr/share/sounds/sf2/TimGM6mb.sf2",
                                                "/usr/share/sounds/sf2/default-GM.sf2"};
    return fonts;
}

bool IsSoundFontFile(const char* path) {
    struct stat st;
    return path != nullptr && *path != '\0' && stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

std::string ChooseSoundFont(const char* named, const char* fromEnvironment,
                            const std::vector<std::string>& systemFonts) {
    if (named != nullptr) return IsSoundFontFile(named) ? named : "";
    if (IsSoundFontFile(fromEnvironment)) return fromEnvironment;
    for (const std::string& path : systemFonts)
        if (IsSoundFontFile(path.c_str())) return path;
    return "";
}

} // namespace vorna
