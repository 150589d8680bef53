// The boot frame and the maker's logo scene.
#pragma once
#include "base/game.h"

namespace vorna {

int BootFrame(Game& g);
void StartLogo(Game& g);
int LogoFrame(Game& g);

} // namespace vorna
