#include "lib/widgets/BitmapClip.h"

#include "lib/bitmap/Bmp32.h"
#include "lib/widgets/Control.h"

void DrawBitmapClipped(CBmp32& bitmap, CBmp32& canvas, const CControl& control, const RECT& clip,
                       int32_t x, int32_t y, int32_t mode) {
  RECT bounds = control.GetWindowBounds();
  RECT windowClip = clip;
  OffsetRect(&windowClip, bounds.left, bounds.top);
  RECT target = {x, y, x + bitmap.Width(), y + bitmap.Height()};
  RECT visible;
  if (!IntersectRect(&visible, &target, &bounds) || !IntersectRect(&visible, &visible, &windowClip))
    return;
  // Equal sizes: the source is the same rectangle shifted to the bitmap's corner.
  bitmap.Draw(&canvas, visible.left - 0.5, visible.top - 0.5, visible.right - 0.5,
              visible.bottom - 0.5, visible.left - x - 0.5, visible.top - y - 0.5,
              visible.right - x - 0.5, visible.bottom - y - 0.5, mode);
}
