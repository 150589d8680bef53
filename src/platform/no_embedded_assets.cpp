// Stand-in for builds without the generated assets: nothing is built in.
#include "platform/embedded_assets.h"

namespace vorna {

bool FindEmbeddedAsset(const char*, const char*, ByteView&) {
    return false;
}

} // namespace vorna
