#include "lib/waypoints/WaypointDrawing.h"

#include <algorithm>
#include <cmath>

#include "lib/foundation/display/Colors.h"
#include "lib/waypoints/Waypoint.h"
#include "lib/waypoints/WaypointLayout.h"
#include "lib/waypoints/WaypointType.h"

namespace {

constexpr double kMaxPixel = 1073741824.0;  // 2^30

// The waypoint's pixel rounded, or false when it is not a usable number.
bool RoundedPixel(CGeodeticCalibration& calibration, const SGeo2D& position, int32_t* x,
                  int32_t* y) {
  SPointD pixel;
  calibration.GeoWGS84ToPix(&pixel, &position);
  double rx = std::floor(pixel.x + 0.5), ry = std::floor(pixel.y + 0.5);
  if (!(std::fabs(rx) <= kMaxPixel && std::fabs(ry) <= kMaxPixel)) return false;
  *x = static_cast<int32_t>(rx);
  *y = static_cast<int32_t>(ry);
  return true;
}

// GDI takes the top byte of a colour reference as a palette flag: without
// clearing it every label would come out black.
void DrawLabelText(CBmp32& bitmap, CStr* text, const SLabelSpot& spot, const CFontDesc& font,
                   uint32_t argb) {
  bitmap.TextOut(text, spot.x, spot.y, static_cast<HFONT>(font.GetHandle()), ColorSwapRB(argb),
                 spot.align);
}

void DrawLabel(CBmp32& bitmap, CWaypoint& waypoint, CWaypointType& type, const SRectI& icon) {
  CStr* comment = waypoint.GetComment();
  bool withComment = comment && comment->GetLength() > 0;
  SLabelSpot name, note;
  int32_t spots =
      LayoutWaypointLabel(waypoint.GetLabelPlacement(), icon.left, icon.top, icon.right - icon.left,
                          icon.bottom - icon.top, type.GetNameFont().GetPixelHeight(),
                          type.GetCommentFont().GetPixelHeight(), withComment, &name, &note);
  if (spots == 0) return;
  DrawLabelText(bitmap, waypoint.GetName(), name, type.GetNameFont(), type.GetColor());
  if (spots == 2)
    DrawLabelText(bitmap, comment, note, type.GetCommentFont(), type.GetCommentColor());
}

// Draws one waypoint; false when it was skipped.
bool DrawWaypoint(const SWaypointView& view, CWaypoint& waypoint, bool labels, int32_t* x,
                  int32_t* y) {
  CWaypointType* type = waypoint.GetType();
  CBmp32* icon = type ? type->GetIcon() : nullptr;
  if (!icon) return false;
  const SGeo3D& place = *waypoint.GetPosition();
  SGeo2D position{place.lat, place.lon};
  double size = std::max(icon->Width(), icon->Height());
  if (!(WaypointReachDistance(view.centre, position) <
        size * view.metresPerPixel + view.viewRadius))
    return false;
  if (!RoundedPixel(*view.calibration, position, x, y)) return false;
  int32_t left = *x - static_cast<int32_t>(type->GetDisplayOriginX());
  int32_t top = *y - static_cast<int32_t>(type->GetDisplayOriginY());
  SRectI rect{left, top, left + icon->Width(), top + icon->Height()};
  if (rect.right < 0 || rect.left >= view.calibration->GetWidth() || rect.bottom < 0 ||
      rect.top >= view.calibration->GetHeight())
    return false;
  CBmp32& bitmap = *view.bitmap;
  // Pixel i covers i - 0.5 .. i + 0.5: this rectangle maps icon pixels one to
  // one, also where the bitmap's edge cuts it.
  SRectD target{left - 0.5, top - 0.5, rect.right - 0.5, rect.bottom - 0.5};
  icon->Draw(bitmap, target, icon->PixBounds(), bmBlend);
  double radius = waypoint.GetRadius() / view.metresPerPixel;
  if (radius > 1.0) bitmap.DrawCircle(*x, *y, radius, type->GetColor());
  if (labels) DrawLabel(bitmap, waypoint, *type, rect);
  return true;
}

}  // namespace

void DrawWaypointList(const SWaypointView& view, CWaypointList& waypoints, bool labels,
                      SWaypointHits* hits) {
  if (hits) hits->count = 0;
  if (!(view.metresPerPixel > 0 && std::isfinite(view.metresPerPixel))) return;
  int32_t drawn = 0;
  for (int32_t i = waypoints.GetCount() - 1; i >= 0 && drawn < kMaxDrawnWaypoints; --i) {
    CWaypoint* waypoint = waypoints.GetItem(i);
    int32_t x, y;
    if (!waypoint || !DrawWaypoint(view, *waypoint, labels, &x, &y)) continue;
    if (hits) hits->entries[hits->count++] = {x, y, waypoint};
    ++drawn;
  }
}
