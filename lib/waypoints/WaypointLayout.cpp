#include "lib/waypoints/WaypointLayout.h"

#include <cmath>

#include "lib/geodesy/GreatCircle.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Horizontal place of each code: 0 left of the icon, 1 over its centre, 2 right.
int32_t Column(int32_t code) { return code / 3; }
// Vertical place: 0 above, 1 beside, 2 below.
int32_t Row(int32_t code) { return code % 3; }

// Text alignment of a label that stands to the left, over or to the right of
// the icon: it ends at, centres on or starts at the x given.
int32_t AlignFor(int32_t column, int32_t vertical) { return 3 * (2 - column) + vertical; }

}  // namespace

double WaypointReachDistance(const SGeo2D& a, const SGeo2D& b) {
  double mean = (a.lat + b.lat) / 2;
  double dlat = a.lat - b.lat;
  double dlon = std::fabs(a.lon - b.lon);
  if (dlon > kPi) dlon = 2 * kPi - dlon;
  double east = std::cos(mean) * dlon;
  return kGreatCircleRadius * std::sqrt(dlat * dlat + east * east);
}

int32_t LayoutWaypointLabel(int32_t code, int32_t left, int32_t top, int32_t iconWidth,
                            int32_t iconHeight, int32_t nameHeight, int32_t commentHeight,
                            bool withComment, SLabelSpot* name, SLabelSpot* comment) {
  if (code < 0 || code > 8) return 0;
  int32_t hw = iconWidth / 2, hh = iconHeight / 2;
  int32_t cx = left + hw, cy = top + hh;
  int32_t column = Column(code), row = Row(code);
  int32_t x = cx + (column - 1) * hw;
  if (!withComment) {
    int32_t y = row == 0 ? cy - hh : (row == 1 ? cy - nameHeight / 2 : cy + hh);
    *name = {x, y, AlignFor(column, row == 0 ? 2 : 0)};
    return 1;
  }
  if (row == 1) {
    *name = {x, cy, AlignFor(column, 2)};
    *comment = {x, cy, AlignFor(column, 0)};
  } else if (row == 0) {
    *name = {x, cy - hh - commentHeight - 2, AlignFor(column, 2)};
    *comment = {x, cy - hh, AlignFor(column, 2)};
  } else {
    *name = {x, cy + hh, AlignFor(column, 0)};
    *comment = {x, cy + hh + nameHeight + 2, AlignFor(column, 0)};
  }
  return 2;
}
