// The version box: a modal second window with the credit panel animated at ten frames a second.
#pragma once
#include <SDL.h>

#include <functional>

#include "base/game.h"

namespace vorna {

// Opens the box over owner and returns when it is closed. Events of other windows are passed to
// mainEvent only when harmless while a modal box is open (repaints, raise requests).
void RunAboutBox(Game& g, SDL_Window* owner, const std::function<void(const SDL_Event&)>& mainEvent);

} // namespace vorna
