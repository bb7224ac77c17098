#include "lib/waypoints/WaypointChecks.h"

#include "lib/foundation/core/ErrorCodes.h"

namespace {

bool Result(uint32_t code, uint32_t* error) {
  *error = code;
  return code == kErrNone;
}

// True when v lies in [-0.5, size - 0.5]; false for NaN.
bool WithinPixels(double v, int32_t size) { return v >= -0.5 && v <= size - 0.5; }

}  // namespace

namespace td {

bool WPMCheckName(const CStr& name, uint32_t* error) {
  return Result(name.GetLength() > kMaxItemNameLength ? kErrNameTooLong : kErrNone, error);
}

bool CheckComment(const CStr& comment, uint32_t* error) {
  return Result(comment.GetLength() > kMaxCommentLength ? kErrNameTooLong : kErrNone, error);
}

bool WPMCheckFontSize(int32_t size, uint32_t* error) {
  return Result(size < 1 ? kErrFontTooSmall : (size > 255 ? kErrFontTooLarge : kErrNone), error);
}

bool WPMCheckIcon(int32_t width, int32_t height, float x, float y, uint32_t* error) {
  if (width < 1 || height < 1) return Result(kErrIconTooSmall, error);
  if (width > 64 || height > 64) return Result(kErrIconTooLarge, error);
  bool inside = WithinPixels(x, width) && WithinPixels(y, height);
  return Result(inside ? kErrNone : kErrIconOrigin, error);
}

bool WPMCheckIconOverlay(int32_t width, int32_t height, uint32_t* error) {
  if (width < 1 || height < 1) return Result(kErrIconTooSmall, error);
  return Result(width > 16 || height > 16 ? kErrIconTooLarge : kErrNone, error);
}

}  // namespace td
