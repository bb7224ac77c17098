// Drives the five drawing slots of CBmp32 with hostile geometry on small
// bitmaps. Input: width - 1 and height - 1 (low and high 4 bits), the slot
// (0 circle, 1 line, 2 polygon, 3 polyline, 4 rectangle), the colour's
// alpha, a point count (1..16), then coordinates, each a selector byte (a
// hostile value from the table, or the next 8 bytes as a raw double).
// Every pixel starts as a sentinel; whatever the call changes must lie
// within two pixels of the geometry's bounding box, so a write that wraps
// into another row shows; the sanitizers catch writes outside the pixels.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "fuzz/GeometryInput.h"
#include "lib/bitmap/Bmp32.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
const double kHostile[] = {kNaN,    kInf,     -kInf,        1e300,         -1e300,
                           1.7e308, -1.7e308, 2147483648.0, -2147483649.0, 1e9,
                           -1e9,    32768,    40000,        -0.5,          0,
                           0.5,     1,        3.5,          7.5,           15.5,
                           -5.5,    1e-300,   4.0000001,    3.9999999,     -1,
                           -3};
constexpr uint32_t kSentinel = 0x5A5A5A5A;

// The box that may change: the coordinates' range widened by `margin`.
struct SBox {
  double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
  void Add(double x, double y, double margin) {
    left = std::min(left, x - margin);
    right = std::max(right, x + margin);
    top = std::min(top, y - margin);
    bottom = std::max(bottom, y + margin);
  }
  bool Holds(int32_t x, int32_t y) const {
    return x >= left && x <= right && y >= top && y <= bottom;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CGeometryInput in(data, size, kHostile);
  const uint8_t sizes = in.Byte(), slot = in.Byte() % 5, alpha = in.Byte();
  const int32_t count = in.Byte() % 16 + 1;
  CBmp32 bmp((sizes & 15) + 1, (sizes >> 4) + 1, false);
  bmp.Fill(kSentinel);
  const uint32_t colour = uint32_t{alpha} << 24 | 0x00C08040;
  std::vector<SPointD> points(static_cast<size_t>(count));
  for (SPointD& p : points) p = {in.Coordinate(), in.Coordinate()};
  const double extra = in.Coordinate();
  SBox box;
  switch (slot) {
    case 0:
      bmp.DrawCircle(points[0].x, points[0].y, extra, colour);
      box.Add(points[0].x, points[0].y, std::fabs(extra) + 2);
      break;
    case 1: {
      const uint8_t drawn = bmp.DrawLine(&points[0], &points[count > 1 ? 1 : 0], colour, extra, 1);
      box.Add(points[0].x, points[0].y, 2);
      box.Add(points[count > 1 ? 1 : 0].x, points[count > 1 ? 1 : 0].y, 2);
      if (!drawn) box = SBox();
      break;
    }
    case 2:
    case 3:
      if (slot == 2)
        bmp.FillPolygon(points.data(), count, colour);
      else
        bmp.DrawPolyline(points.data(), count, colour, extra > 0);
      for (const SPointD& p : points) box.Add(p.x, p.y, 2);
      break;
    default: {
      const SRectD rect{points[0].x, points[0].y, points[count > 1 ? 1 : 0].x,
                        points[count > 1 ? 1 : 0].y};
      bmp.DrawRect(&rect, colour, ~colour, extra);
      const double margin = std::isfinite(extra) ? std::fabs(extra) / 2 + 2 : 0;
      box.Add(rect.left, rect.top, margin);
      box.Add(rect.right, rect.bottom, margin);
      break;
    }
  }
  for (int32_t y = 0; y < bmp.Height(); ++y)
    for (int32_t x = 0; x < bmp.Width(); ++x)
      if (bmp.Row(y)[x] != kSentinel && !box.Holds(x, y)) std::abort();
  return 0;
}
