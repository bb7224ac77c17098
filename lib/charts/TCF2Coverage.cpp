#include "lib/charts/TCF2Coverage.h"

#include "lib/charts/TCF2Bounds.h"
#include "lib/geodesy/Lines.h"
#include "lib/geodesy/PixTransform.h"
#include "lib/geodesy/Polygons.h"

namespace {

STCF2Triangle Inside(const SPointD& p0, const SPointD& p1, const SPointD& p2) {
  return STCF2Triangle{{p0, p1, p2}, {true, true, true}};
}

}  // namespace

void ClipTriangleToEdge(const STCF2Triangle& triangle, const SPointD& a, const SPointD& b,
                        std::vector<STCF2Triangle>& out) {
  const int insideCount = triangle.inside[0] + triangle.inside[1] + triangle.inside[2];
  if (insideCount == 0) return;
  if (insideCount == 3) {
    out.push_back(triangle);
    return;
  }
  // Rotate so that vertex 0 is the lone inside vertex (one inside) or the
  // lone outside vertex (two inside); 1 and 2 keep the winding.
  const bool lone = insideCount == 1;
  int k = 0;
  while (triangle.inside[k] != lone) ++k;
  const SPointD& v0 = triangle.p[k];
  const SPointD& v1 = triangle.p[(k + 1) % 3];
  const SPointD& v2 = triangle.p[(k + 2) % 3];
  SPointD x1, x2;  // where v0-v1 and v0-v2 meet the clip line
  if (!LineIntersectD(v0, v1, a, b, x1) || !LineIntersectD(v0, v2, a, b, x2)) return;
  if (lone) {
    out.push_back(Inside(v0, x1, x2));
  } else {
    out.push_back(Inside(x1, v1, v2));
    out.push_back(Inside(x1, v2, x2));
  }
}

SRectD MappedImageOutline(CGeodeticCalibration& target, CGeodeticCalibration& source, int32_t width,
                          int32_t height, SPolyLineD outline[4]) {
  const double right = width - 0.5, bottom = height - 0.5;
  const SPointD corners[4] = {{-0.5, -0.5}, {right, -0.5}, {right, bottom}, {-0.5, bottom}};
  for (int i = 0; i < 4; ++i) {
    SPointD p;
    PixTransform(p, target, corners[i], source);
    outline[i] = SPolyLineD{};
    outline[i].x = p.x;
    outline[i].y = p.y;
  }
  PolygonEdgeTableD(outline, 4);
  return PolygonBoundingBox(outline, 4);
}
