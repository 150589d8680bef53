// The title scene and the scrolling story of the attract loop.
#include "scenes/title_story.h"

namespace vorna {

const char* const StoryText[29] = {};
void StartTitle(Game&) {}
int TitleFrame(Game&) {
    return 1;
}
void StartStory(Game&) {}
int StoryFrame(Game&) {
    return 1;
}

} // namespace vorna
