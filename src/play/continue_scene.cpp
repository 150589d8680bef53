// The continue scene after a lost mission.
#include "play/continue_scene.h"

namespace vorna {

void StartContinue(Game&) {}
int ContinueFrame(Game&) { return 1; }

} // namespace vorna
