// The generated art and sounds built into every program (the Windows program uses real resources instead).
#pragma once
#include "platform/files.h"

namespace vorna {

// Finds an asset by resource name and type ("BMP_00"/"BITMAP", "WAV_00".."WAV_0B"/"WAVE", "ICN_01"/"ICON").
// Returns false when the program was built without it.
bool FindEmbeddedAsset(const char* name, const char* type, ByteView& out);

} // namespace vorna
