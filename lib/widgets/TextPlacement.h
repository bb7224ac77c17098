// Where the label, the button and the check box put a text in their rectangle:
// one rule for all of them. Toolkit thread only.
#pragma once

#include <windows.h>

#include <cstdint>

#include "lib/foundation/text/Str.h"

class CBmp;

// Alignment codes 0..8 are 3 x horizontal (0 left, 1 centre, 2 right) +
// vertical (0 top, 1 middle, 2 bottom).
struct STextPlacement {
  int32_t alignment;
  int32_t margin;  // kept free at the aligned edges; centre codes 3, 4, 5 get none
  bool wordWrap;
};

// Draws text in rect (local coordinates of the canvas's device context).
// Wrapped text with a vertically middle code is measured and its block centred,
// so a block taller than rect starts above it.
void DrawPlacedText(CBmp* canvas, const CStr& text, RECT rect, HFONT font, uint32_t colour,
                    const STextPlacement& placement);

// Measures wrapped text with the alignment and returns rect narrowed to the
// text block's height, centred vertically; the width stays.
RECT CentreWrappedBlock(CBmp* canvas, const CStr& text, RECT rect, HFONT font, int32_t alignment);
