// The title scene and the scrolling story of the attract loop.
#pragma once
#include "base/game.h"

namespace vorna {

extern const char* const StoryText[29];

void StartTitle(Game& g);
int TitleFrame(Game& g);
void StartStory(Game& g);
int StoryFrame(Game& g);

} // namespace vorna
