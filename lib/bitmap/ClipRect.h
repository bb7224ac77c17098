// Clipping of a pair of double rectangles {left, top, right, bottom} that map
// onto each other, used by CBmp32::Draw and the rasteriser.
#pragma once

#include "lib/geodesy/PlaneTypes.h"

// Clips a to bounds side by side (left, top, right, bottom) and moves the
// same side of b by the same fraction of its extent. False (rectangles
// partly changed) when a has no extent on an axis it must be clipped on, or
// lies wholly outside.
bool ClipRectPair(SRectD& a, SRectD& b, const SRectD& bounds);
