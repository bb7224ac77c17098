// Waypoint drawing: the waypoints of a list as their types' icons, arrival
// circles and labels in a view bitmap, with a table of where each landed for
// hit-testing. Host thread only (the labels go through the bitmap's DC).
#pragma once

#include <cstdint>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/core/Abi.h"
#include "lib/geodesy/GeodeticCalibration.h"
#include "lib/waypoints/WaypointList.h"

constexpr int32_t kMaxDrawnWaypoints = 200;

// The rounded pixel of a drawn waypoint.
struct SWaypointHit {
  int32_t x;
  int32_t y;
  CWaypoint* waypoint;
};

// Filled in drawing order; the caller provides room for all 200 entries.
struct SWaypointHits {
  uint32_t count;
  SWaypointHit entries[kMaxDrawnWaypoints];
};

#if TD_HOST_ABI
static_assert(sizeof(SWaypointHit) == 12, "two 32-bit coordinates and a pointer");
static_assert(sizeof(SWaypointHits) == 4 + 12 * kMaxDrawnWaypoints, "count and 200 entries");
#endif

struct SWaypointView {
  CBmp32* bitmap;
  CGeodeticCalibration* calibration;  // of the bitmap's pixels
  SGeo2D centre;                      // WGS 84, radians
  double metresPerPixel;
  double viewRadius;  // metres from the centre to the farthest edge
};

// Draws the list from its last waypoint to its first, so that the first
// lands on top, and stops after 200. Skipped: null entries, waypoints too
// far from the centre to reach the view, pixels that are not finite or
// beyond 2^30, icons wholly outside. Nothing at all when metres per pixel is
// not a positive finite number. hits (may be null) gets its count set first.
void DrawWaypointList(const SWaypointView& view, CWaypointList& waypoints, bool labels,
                      SWaypointHits* hits);
