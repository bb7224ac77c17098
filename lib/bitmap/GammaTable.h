// The opacity of an anti-aliased pixel for its coverage 0..255:
// round(255 x (i / 255)^0.7). Constant from load; read by any thread.
#pragma once

#include <cstdint>

extern const uint32_t g_GammaTable[256];
