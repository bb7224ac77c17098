#include "lib/bitmap/LineRaster.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "lib/bitmap/PixelPlotter.h"

namespace {

constexpr int64_t kOne = 0x10000;

// One side of the clipping rectangle: coordinate axis (0 x, 1 y) at or above
// (lower side) or at or below the bound.
struct SClipSide {
  int axis;
  double bound;
  bool lower;
};

double& Axis(SPointD& p, int axis) { return axis == 0 ? p.x : p.y; }

bool Inside(SPointD p, const SClipSide& side) {
  const double v = Axis(p, side.axis);
  return side.lower ? v >= side.bound : v <= side.bound;
}

// The point of p -> q on the side's line, as a convex mix of both ends, so
// that ends of any size give a point between them.
SPointD Crossing(SPointD p, SPointD q, const SClipSide& side) {
  const int other = 1 - side.axis;
  const double t = std::clamp(
      (side.bound - Axis(p, side.axis)) / (Axis(q, side.axis) - Axis(p, side.axis)), 0.0, 1.0);
  SPointD c = p;
  Axis(c, side.axis) = side.bound;
  Axis(c, other) = (1 - t) * Axis(p, other) + t * Axis(q, other);
  return c;
}

bool ClipSide(SPointD& p0, SPointD& p1, const SClipSide& side) {
  const bool in0 = Inside(p0, side), in1 = Inside(p1, side);
  if (in0 && !in1) p1 = Axis(p0, side.axis) == side.bound ? p0 : Crossing(p0, p1, side);
  if (!in0 && in1) p0 = Crossing(p0, p1, side);
  return in0 || in1;
}

bool IsFinite(SPointD p) { return std::isfinite(p.x) && std::isfinite(p.y); }

int64_t Fixed(double v) { return static_cast<int64_t>(v * 65536.0); }

// Walks a line along its major axis in 16.16: b the major coordinate, a the
// minor one. Steep lines plot pairs across x, flat ones across y.
template <bool kSteep>
void WalkLine(const CPixelPlotter& plot, int64_t a0, int64_t b0, int64_t a1, int64_t b1,
              uint32_t colour) {
  auto pair = [&](int64_t a, int64_t b, uint32_t c) {
    if constexpr (kSteep)
      plot.PairY(a, b, c);
    else
      plot.PairX(b, a, c);
  };
  if (b0 > b1) {
    std::swap(a0, a1);
    std::swap(b0, b1);
  }
  const int64_t step =
      static_cast<int64_t>(static_cast<double>(a1 - a0) / (static_cast<double>(b1 - b0) / 65536.0));
  const int64_t first = (b0 + kOne) >> 16, end = (b1 >> 16) + 1;
  if (b0 != first << 16) {
    pair(a0, first - 1, FadeColour(255 - ((b0 >> 8) & 0xFF), colour));
    a0 += step * (kOne - (b0 & 0xFFFF)) / kOne;
  }
  int64_t a = a0;
  for (int64_t b = first; b < end; ++b, a += step) pair(a, b, colour);
  if (b1 != (end - 1) << 16) pair(a1, end, FadeColour((b1 >> 8) & 0xFF, colour));
}

void PlotOctants(const CPixelPlotter& plot, const SRectI& box, int64_t cx, int64_t cy, int64_t x,
                 int64_t y, uint32_t colour) {
  const int64_t points[8][2] = {{cx + x, cy + y}, {cx + x, cy - y}, {cx - x, cy + y},
                                {cx - x, cy - y}, {cx + y, cy + x}, {cx - y, cy + x},
                                {cx + y, cy - x}, {cx - y, cy - x}};
  for (const auto& p : points)
    if (p[0] > box.left && p[0] < int64_t{box.right} << 16 && p[1] > box.top &&
        p[1] < int64_t{box.bottom} << 16)
      plot.Quad(p[0], p[1], colour);
}

}  // namespace

bool ClipLine(SPointD& p0, SPointD& p1, const SRectI& rect) {
  const SClipSide sides[4] = {{0, rect.left - 0.5, true},
                              {1, rect.top - 0.5, true},
                              {0, rect.right - 0.5 - 1e-6, false},
                              {1, rect.bottom - 0.5 - 1e-6, false}};
  for (const SClipSide& side : sides)
    if (!ClipSide(p0, p1, side)) return false;
  if (!IsFinite(p0) || !IsFinite(p1)) return false;
  // Rounding of the crossings never leaves the rectangle.
  for (SPointD* p : {&p0, &p1}) {
    p->x = std::clamp(p->x, sides[0].bound, sides[2].bound);
    p->y = std::clamp(p->y, sides[1].bound, sides[3].bound);
  }
  return true;
}

bool RasterLine(CBmp32& bitmap, SPointD p0, SPointD p1, uint32_t colour) {
  if (!bitmap.HasPixels() || !IsFinite(p0) || !IsFinite(p1)) return false;
  if (!ClipLine(p0, p1, {1, 1, bitmap.Width() - 1, bitmap.Height() - 1})) return false;
  const int64_t x0 = Fixed(p0.x), y0 = Fixed(p0.y), x1 = Fixed(p1.x), y1 = Fixed(p1.y);
  const int64_t dx = x1 - x0, dy = y1 - y0;
  const CPixelPlotter plot(bitmap);
  if (std::abs(dx) < std::abs(dy)) {
    WalkLine<true>(plot, x0, y0, x1, y1, colour);
    return true;
  }
  if (dx == 0) return false;
  WalkLine<false>(plot, y0, x0, y1, x1, colour);
  return true;
}

void RasterPolyline(CBmp32& bitmap, const SPointD* points, int32_t count, uint32_t colour,
                    bool closed) {
  if (!points || count <= 0 || !std::all_of(points, points + count, IsFinite)) return;
  if (count == 1) {
    if (!closed) return;
    const double x = std::floor(points[0].x + 0.5), y = std::floor(points[0].y + 0.5);
    if (x >= 0 && y >= 0 && x < bitmap.Width() && y < bitmap.Height())
      CPixelPlotter(bitmap).Pixel(static_cast<int64_t>(x), static_cast<int64_t>(y), colour);
    return;
  }
  for (int32_t i = 1; i < count; ++i) RasterLine(bitmap, points[i - 1], points[i], colour);
  if (closed) RasterLine(bitmap, points[count - 1], points[0], colour);
}

void RasterCircle(CBmp32& bitmap, SPointD centre, double radius, uint32_t colour) {
  if (!bitmap.HasPixels() || !IsFinite(centre) || !std::isfinite(radius)) return;
  const double w = bitmap.Width(), h = bitmap.Height();
  if (!(centre.x + radius >= 0 && centre.y + radius >= 0 && centre.x - radius <= w &&
        centre.y - radius <= h && radius <= 32768))
    return;
  const int64_t r = Fixed(radius), cx = Fixed(centre.x), cy = Fixed(centre.y);
  // Strictly inside {0, 0, width - 1, height - 1} (in 16.16), so each block
  // of four stays in the bitmap.
  const SRectI box = {0, 0, bitmap.Width() - 1, bitmap.Height() - 1};
  const CPixelPlotter plot(bitmap);
  int64_t x = 0, y = r, d = (5 - 4 * r) >> 2;
  PlotOctants(plot, box, cx, cy, x, y, colour);
  while (x < y) {
    x += kOne;
    if (d < 0) {
      d += 2 * x + 1;
    } else {
      y -= kOne;
      d += 2 * (x - y) + 1;
    }
    PlotOctants(plot, box, cx, cy, x, y, colour);
  }
}
