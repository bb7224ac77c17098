// No platform font here: the description and its pixel height only.
#include <cmath>

#include "lib/foundation/display/FontDesc.h"

// Rounded half away from zero, as the Windows build's MulDiv.
void CFontDesc::UpdateHeight() {
  pixelHeight_ = static_cast<int32_t>(std::lround(static_cast<double>(size_) * dpi_ / 72.0));
}

void CFontDesc::ReleaseFont() {}

void CFontDesc::MakeFont() {}
