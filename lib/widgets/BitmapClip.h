// Bitmaps go straight into the back buffer's pixels, past the device
// context's clip: this keeps them inside the control that draws them.
#pragma once

#include <windows.h>

#include <cstdint>

class CBmp32;
class CControl;

// Draws the whole bitmap with its top-left corner at window point (x, y) into
// the canvas, in a blend mode of CBmp32::Draw, keeping only the part inside
// both the control's window rectangle and the local paint clip.
void DrawBitmapClipped(CBmp32& bitmap, CBmp32& canvas, const CControl& control, const RECT& clip,
                       int32_t x, int32_t y, int32_t mode);
// The same with the whole bitmap scaled onto the window rectangle target; the
// part kept is the matching part of the scaled image.
void DrawBitmapStretchedClipped(CBmp32& bitmap, CBmp32& canvas, const CControl& control,
                                const RECT& clip, const RECT& target, int32_t mode);
