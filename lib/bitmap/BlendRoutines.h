// The routine table of the blends and the anti-aliased drawing. The routines
// are constant from load (no initialisation needed) and safe on any thread
// for pixels that thread owns. Pointers name whole pixels (0xAARRGGBB words).
#pragma once

#include <cstdint>

struct SBlendRoutines {
  // Equal-size rows of Draw, modes 1-4 (>> 8 arithmetic).
  void (*rowTransparent)(uint32_t* d, const uint32_t* s, int32_t count);
  void (*rowBlend)(uint32_t* d, const uint32_t* s, int32_t count);
  void (*rowBlendDisabled)(uint32_t* d, const uint32_t* s, int32_t count);
  void (*rowBlendAlpha)(uint32_t* d, const uint32_t* s, int32_t count);
  // Polygon rows: each source pixel's alpha times k (0..255) is its opacity.
  void (*coverageRow)(uint32_t* d, const uint32_t* s, int32_t count, uint32_t k);
  // Spans: an opaque colour is stored, any other blended as row mode 2.
  void (*horizontalSpan)(uint32_t* d, uint32_t colour, int32_t count);
  void (*verticalSpan)(uint32_t* d, uint32_t colour, int32_t count, int32_t rowLength);
  void (*solidPixel)(uint32_t* d, uint32_t colour);
  // The colour's alpha times the opacity o (0..255, from the gamma table).
  void (*coveragePixel)(uint32_t* d, uint32_t colour, uint32_t opacity);
};

// Every routine leaves a pixel untouched where the opacity it applies is 0.
extern const SBlendRoutines g_BlendRoutines;
