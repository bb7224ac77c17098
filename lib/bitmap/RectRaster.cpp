#include "lib/bitmap/RectRaster.h"

#include <algorithm>
#include <cmath>

#include "lib/bitmap/BlendRoutines.h"
#include "lib/bitmap/GammaTable.h"
#include "lib/bitmap/PixelPlotter.h"

namespace {

// The whole pixels first .. last (inclusive) of an interval lo .. hi in the
// pixel-centre convention, and the covered fractions of the pixel before
// and the pixel after them.
struct SPixelRun {
  int32_t first, last;
  double before, after;
};

SPixelRun Cover(double lo, double hi) {
  const double first = std::ceil(lo + 0.5), last = std::floor(hi - 0.5);
  return {static_cast<int32_t>(first), static_cast<int32_t>(last), first - (lo + 0.5),
          (hi - 0.5) - last};
}

uint32_t Round255(double v) { return static_cast<uint32_t>(std::floor(255 * v + 0.5)); }

class CRectPainter {
 public:
  explicit CRectPainter(CBmp32& bitmap) : m_Bitmap(bitmap) {}

  // Columns first .. last over rows top .. bottom, one row at a time: the
  // same pixels as a vertical span per column, in memory order.
  void Columns(int32_t first, int32_t last, int32_t top, int32_t bottom, uint32_t colour) const {
    if (first <= last) Rows(top, bottom, first, last, colour);
  }
  void Rows(int32_t first, int32_t last, int32_t left, int32_t right, uint32_t colour) const {
    for (int32_t y = first; y <= last && left <= right; ++y)
      g_BlendRoutines.horizontalSpan(m_Bitmap.Row(y) + left, colour, right - left + 1);
  }
  void Pixel(int32_t x, int32_t y, uint32_t colour) const {
    g_BlendRoutines.solidPixel(m_Bitmap.Row(y) + x, colour);
  }

 private:
  CBmp32& m_Bitmap;
};

struct SRectParts {
  SPixelRun columns, rows;  // of the inner part
  SPixelRun outerColumns, outerRows;
};

// One stretch of the inner part along an axis: its whole pixels (fraction
// 1), or one partly covered pixel with the fraction that the part covers.
struct SStretch {
  int32_t first, last;
  double fraction;
  bool whole;
};

// The stretches of the inner part along an axis of `size` pixels: the partly
// covered pixel before the whole ones, the whole ones, the partly covered
// pixel after them; a side's pixel beyond the bitmap and an empty run of whole
// pixels are left out. A part that lies inside one pixel covers only that
// pixel: both sides name it, and it is drawn once with the part's extent.
int32_t InnerStretches(const SPixelRun& run, int32_t size, SStretch (&out)[3]) {
  if (run.last == run.first - 2) {
    const int32_t only = run.first - 1;
    out[0] = {only, only, std::max(run.before + run.after - 1, 0.0), false};
    return 1;
  }
  int32_t n = 0;
  if (run.first > 0) out[n++] = {run.first - 1, run.first - 1, run.before, false};
  if (run.first <= run.last) out[n++] = {run.first, run.last, 1.0, true};
  if (run.last < size - 1) out[n++] = {run.last + 1, run.last + 1, run.after, false};
  return n;
}

// The fill over the whole pixels; every partly covered pixel of the inner
// part, also when it has no whole pixel on an axis, gets the line and fill
// colours mixed by the fraction it covers (the product of both axes').
void DrawInner(const CRectPainter& paint, const SRectParts& p, int32_t width, int32_t height,
               uint32_t line, uint32_t fill, double lineWidth) {
  SStretch columns[3], rows[3];
  const int32_t columnCount = InnerStretches(p.columns, width, columns);
  const int32_t rowCount = InnerStretches(p.rows, height, rows);
  for (int32_t j = 0; j < rowCount; ++j)
    for (int32_t i = 0; i < columnCount; ++i) {
      const SStretch& c = columns[i];
      const SStretch& r = rows[j];
      if (c.whole && r.whole)
        paint.Rows(r.first, r.last, c.first, c.last, fill);
      else if (c.whole || r.whole)
        paint.Rows(r.first, r.last, c.first, c.last,
                   MixEdgeColour(line, fill, c.fraction * r.fraction, lineWidth));
      else
        paint.Pixel(c.first, r.first,
                    MixEdgeColour(line, fill, c.fraction * r.fraction, lineWidth));
    }
}

void DrawBand(const CRectPainter& paint, const SRectParts& p, int32_t width, int32_t height,
              uint32_t line, double lineWidth) {
  // The inner part with its partial pixels.
  const int32_t il = std::max(p.columns.first - 1, 0), ir = std::min(p.columns.last + 2, width) - 1;
  const int32_t it = std::max(p.rows.first - 1, 0), ib = std::min(p.rows.last + 2, height) - 1;
  const SPixelRun& oc = p.outerColumns;
  const SPixelRun& orow = p.outerRows;
  paint.Columns(oc.first, il - 1, orow.first, orow.last, line);
  paint.Rows(orow.first, it - 1, il, ir, line);
  paint.Columns(ir + 1, std::min(oc.last, width - 1), orow.first, orow.last, line);
  paint.Rows(ib + 1, std::min(orow.last, height - 1), il, ir, line);
  if (!(lineWidth > 0)) return;
  const bool left = oc.first > 0 && oc.before > 0, top = orow.first > 0 && orow.before > 0;
  const bool right = oc.last < width - 1 && oc.after > 0;
  const bool bottom = orow.last < height - 1 && orow.after > 0;
  auto fade = [&](double fraction) { return FadeByGamma(line, std::min(fraction, lineWidth)); };
  if (left) paint.Columns(oc.first - 1, oc.first - 1, orow.first, orow.last, fade(oc.before));
  if (top) paint.Rows(orow.first - 1, orow.first - 1, oc.first, oc.last, fade(orow.before));
  if (right) paint.Columns(oc.last + 1, oc.last + 1, orow.first, orow.last, fade(oc.after));
  if (bottom) paint.Rows(orow.last + 1, orow.last + 1, oc.first, oc.last, fade(orow.after));
  auto corner = [&](bool exists, int32_t x, int32_t y, double fx, double fy) {
    if (exists) paint.Pixel(x, y, fade(fx * fy));
  };
  corner(left && top, oc.first - 1, orow.first - 1, oc.before, orow.before);
  corner(right && top, oc.last + 1, orow.first - 1, oc.after, orow.before);
  corner(left && bottom, oc.first - 1, orow.last + 1, oc.before, orow.after);
  corner(right && bottom, oc.last + 1, orow.last + 1, oc.after, orow.after);
}

}  // namespace

uint32_t MixEdgeColour(uint32_t line, uint32_t fill, double fraction, double width) {
  const uint32_t a = Round255(fraction);
  const uint32_t b =
      width > 0 ? static_cast<uint32_t>(std::min(255.0 - a, std::floor(255 * width + 0.5))) : 0;
  if (a + b == 0) return 0;
  const uint32_t alpha = g_GammaTable[((line >> 24) * b + (fill >> 24) * a) >> 8];
  const uint32_t a2 = a * 255 / (a + b), b2 = b * 255 / (a + b);
  uint32_t out = alpha << 24;
  for (int shift = 0; shift < 24; shift += 8)
    out |= ((((line >> shift) & 0xFF) * b2 + ((fill >> shift) & 0xFF) * a2) >> 8) << shift;
  return out;
}

void RasterRect(CBmp32& bitmap, const SRectD& rect, uint32_t line, uint32_t fill, double width) {
  if (!bitmap.HasPixels()) return;
  for (double v : {rect.left, rect.top, rect.right, rect.bottom, width})
    if (!std::isfinite(v)) return;
  width = std::max(width, 0.0);
  const double limit = std::min(rect.right - rect.left, rect.bottom - rect.top) / 2 + 0.5;
  const double h = std::min(width / 2, limit);
  // A negative h (a rectangle inverted by more than a pixel) leaves no inner
  // part; with sides near the double range the sums below would not show it.
  if (!(h >= 0)) return;
  const double w = bitmap.Width() - 0.5, hgt = bitmap.Height() - 0.5;
  const double l = std::max(rect.left + h, -0.5), r = std::min(rect.right - h, w);
  const double t = std::max(rect.top + h, -0.5), b = std::min(rect.bottom - h, hgt);
  if (!(l < r && t < b)) return;
  const SRectParts parts = {Cover(l, r), Cover(t, b),
                            Cover(std::max(rect.left - h, -0.5), std::min(rect.right + h, w)),
                            Cover(std::max(rect.top - h, -0.5), std::min(rect.bottom + h, hgt))};
  const CRectPainter paint(bitmap);
  DrawInner(paint, parts, bitmap.Width(), bitmap.Height(), line, fill, width);
  DrawBand(paint, parts, bitmap.Width(), bitmap.Height(), line, width);
}
