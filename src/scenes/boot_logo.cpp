// The boot frame and the maker's logo scene.
#include "scenes/boot_logo.h"

namespace vorna {

int BootFrame(Game&) {
    return 1;
}
void StartLogo(Game&) {}
int LogoFrame(Game&) {
    return 1;
}

} // namespace vorna
