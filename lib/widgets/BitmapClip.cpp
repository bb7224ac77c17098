#include "lib/widgets/BitmapClip.h"

#include "lib/bitmap/Bmp32.h"
#include "lib/widgets/Control.h"

void DrawBitmapClipped(CBmp32& bitmap, CBmp32& canvas, const CControl& control, const RECT& clip,
                       int32_t x, int32_t y, int32_t mode) {
  DrawBitmapStretchedClipped(bitmap, canvas, control, clip,
                             {x, y, x + bitmap.Width(), y + bitmap.Height()}, mode);
}

void DrawBitmapStretchedClipped(CBmp32& bitmap, CBmp32& canvas, const CControl& control,
                                const RECT& clip, const RECT& target, int32_t mode) {
  RECT bounds = control.GetWindowBounds();
  RECT windowClip = clip;
  OffsetRect(&windowClip, bounds.left, bounds.top);
  RECT visible;
  if (!IntersectRect(&visible, &target, &bounds) || !IntersectRect(&visible, &visible, &windowClip))
    return;
  // Source pixels per target pixel; equal sizes shift the rectangle only.
  double sx = double(bitmap.Width()) / (target.right - target.left);
  double sy = double(bitmap.Height()) / (target.bottom - target.top);
  bitmap.Draw(&canvas, visible.left - 0.5, visible.top - 0.5, visible.right - 0.5,
              visible.bottom - 0.5, (visible.left - target.left) * sx - 0.5,
              (visible.top - target.top) * sy - 0.5, (visible.right - target.left) * sx - 0.5,
              (visible.bottom - target.top) * sy - 0.5, mode);
}
