// Where the waypoint drawing puts a waypoint: whether it can reach the view,
// its icon rectangle, and its name and comment around the icon. Pure
// arithmetic in view pixels; the drawing itself comes with the bitmaps.
#pragma once

#include <cstdint>

#include "lib/geodesy/GeoPosition.h"

// Flat-earth distance in metres on the sphere of radius 6,367,400 m, with the
// longitude difference taken the short way round.
double WaypointReachDistance(const SGeo2D& a, const SGeo2D& b);

struct SLabelSpot {
  int32_t x;
  int32_t y;
  int32_t align;  // 3 x horizontal (0 left, 1 centre, 2 right) + vertical (0 top, 2 bottom)
};

// The label of an icon whose rectangle starts at (left, top): nameHeight and
// commentHeight are the fonts' pixel heights. Returns how many spots it
// filled: 2 (name, comment), 1 (the name alone, without a comment) or 0 for a
// code outside 0 to 8.
int32_t LayoutWaypointLabel(int32_t code, int32_t left, int32_t top, int32_t iconWidth,
                            int32_t iconHeight, int32_t nameHeight, int32_t commentHeight,
                            bool withComment, SLabelSpot* name, SLabelSpot* comment);
