// Polygon operations the chart object uses to measure and draw the part of
// a view that a chart covers. Free of state; any thread.
#pragma once

#include <vector>

#include "lib/geodesy/GeodeticCalibration.h"
#include "lib/geodesy/PlaneTypes.h"

// A triangle and, per vertex, whether it lies inside the current clip line
// (set by the caller).
struct STCF2Triangle {
  SPointD p[3];
  bool inside[3];
};

// Appends to `out` the part of the triangle inside the clip line through a
// and b: nothing, the triangle itself, one triangle (one vertex inside) or
// two (two inside). Appended triangles have every vertex marked inside. When
// a crossing point cannot be computed (the edge runs parallel to the line)
// nothing is appended for the triangle.
void ClipTriangleToEdge(const STCF2Triangle& triangle, const SPointD& a, const SPointD& b,
                        std::vector<STCF2Triangle>& out);

// The four corners of a width x height image calibrated by `source`, mapped
// into the pixels of `target` (PixTransform), as a polygon with its edge
// table; returns the bounding box of the mapped corners.
SRectD MappedImageOutline(CGeodeticCalibration& target, CGeodeticCalibration& source, int32_t width,
                          int32_t height, SPolyLineD outline[4]);
