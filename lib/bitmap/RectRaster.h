// Rectangles of CBmp32: a fill with anti-aliased edges inside a line band of
// a given width, centred on the rectangle's sides. Used on the thread that
// owns the bitmap.
#pragma once

#include <cstdint>

#include "lib/bitmap/Bmp32.h"
#include "lib/geodesy/PlaneTypes.h"

// The fill colour mixed with the line colour for a pixel that the inner
// part covers by `fraction` (0..1), `width` the line width: 0 when neither
// contributes.
uint32_t MixEdgeColour(uint32_t line, uint32_t fill, double fraction, double width);

// rect {left, top, right, bottom} in the pixel-centre convention. Nothing
// for a non-finite value, or when the rectangle shrunk by half the width is
// empty or outside the bitmap. A negative width counts as 0.
void RasterRect(CBmp32& bitmap, const SRectD& rect, uint32_t line, uint32_t fill, double width);
