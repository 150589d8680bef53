// The named rectangles of the graphics sheet that the scenes draw.
#include "play/sprite_rects.h"

namespace vorna {

const SpriteRect SpriteRectTable[kSpriteRectCount] = {};

} // namespace vorna
