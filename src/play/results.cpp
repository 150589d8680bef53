// The results scene after a won mission.
#include "play/results.h"

namespace vorna {

void StartResults(Game&) {}
int ResultsFrame(Game&) { return 1; }

} // namespace vorna
