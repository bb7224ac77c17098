// Anti-aliased one-pixel lines, polylines and circles of CBmp32, in 16.16
// fixed point held in 64 bits (a coordinate times 65536 passes 32 bits in a
// bitmap wider than 32767 pixels). Pixel (i, j) has its centre at (i, j).
// Used on the thread that owns the bitmap; nothing is kept between calls.
#pragma once

#include <cstdint>

#include "lib/bitmap/Bmp32.h"
#include "lib/geodesy/PlaneTypes.h"

// Clips the segment against x >= l - 0.5, y >= t - 0.5, x <= r - 0.5 - 1e-6
// and y <= b - 0.5 - 1e-6, one side after the other. False when nothing is
// left or the crossing points are not finite.
bool ClipLine(SPointD& p0, SPointD& p1, const SRectI& rect);

// False when nothing was drawn: a non-finite point, a segment outside the
// bitmap's inner area (the outer pixel ring is never reached) or of no
// length.
bool RasterLine(CBmp32& bitmap, SPointD p0, SPointD p1, uint32_t colour);
// The segments p[0] -> p[1] -> ... (and back to p[0] when closed); a single
// closed point is one solid pixel. Nothing when any point is not finite.
void RasterPolyline(CBmp32& bitmap, const SPointD* points, int32_t count, uint32_t colour,
                    bool closed);
// A midpoint circle of 2 x 2 blocks. Nothing for a non-finite centre or
// radius, a radius above 32768, or a circle wholly outside the bitmap.
void RasterCircle(CBmp32& bitmap, SPointD centre, double radius, uint32_t colour);
