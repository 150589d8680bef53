// VORNA, the creature of mission ten.
#include "play/vorna.h"

namespace vorna {

void UpdateVorna(Game&) {}

} // namespace vorna
