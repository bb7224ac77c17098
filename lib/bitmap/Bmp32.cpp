#include "lib/bitmap/Bmp32.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "lib/bitmap/BlendPixel.h"
#include "lib/bitmap/BlendRoutines.h"
#include "lib/bitmap/ClipRect.h"
#include "lib/bitmap/LineRaster.h"
#include "lib/bitmap/Matrix3.h"
#include "lib/bitmap/PixelFill.h"
#include "lib/bitmap/PixelFormat.h"
#include "lib/bitmap/PolygonRaster.h"
#include "lib/bitmap/QuadSampler.h"
#include "lib/bitmap/RectRaster.h"
#include "lib/bitmap/RowCopy.h"
#include "lib/foundation/exports/Guard.h"

namespace {

using RowRoutine = void (*)(uint32_t* d, const uint32_t* s, int32_t count);

void CopyRow(uint32_t* d, const uint32_t* s, int32_t count) { std::memmove(d, s, static_cast<size_t>(count) * 4); }

RowRoutine EqualSizeRoutine(int32_t mode) {
  switch (mode) {
    case bmTransparent: return g_BlendRoutines.rowTransparent;
    case bmBlend: return g_BlendRoutines.rowBlend;
    case bmBlendDisabled: return g_BlendRoutines.rowBlendDisabled;
    case bmBlendAlpha: return g_BlendRoutines.rowBlendAlpha;
    default: return CopyRow;
  }
}

uint32_t Take(uint32_t, uint32_t s) { return s; }

// The scaled copy: destination pixel (x, y) of rect d takes source pixel
// (columns[x], rows[y]).
template <uint32_t (*Combine)(uint32_t, uint32_t)>
void DrawIndexed(const CBmp32& source, CBmp32& destination, const SRectI& d, const std::vector<int32_t>& columns,
                 const std::vector<int32_t>& rows) {
  const int32_t width = d.right - d.left;
  for (int32_t y = d.top; y < d.bottom; ++y) {
    uint32_t* out = destination.Row(y) + d.left;
    const uint32_t* in = source.Row(rows[y - d.top]);
    for (int32_t x = 0; x < width; ++x) out[x] = Combine(out[x], in[columns[x]]);
  }
}

// Source index of each of n destination pixels over the source interval
// [lo, hi): the integer steps of floor(lo + 0.5 + i (hi - lo) / n), held
// inside the pixels the interval touches (the one holding lo to the one
// holding the last point before hi) and the bitmap's size.
std::vector<int32_t> SourceIndices(int32_t n, double lo, double hi, int32_t size) {
  const uint64_t count = static_cast<uint64_t>(n);
  const uint64_t denominator = count * count;
  const double start = std::floor((lo + 0.5) * static_cast<double>(denominator) + 0.5);
  const uint64_t step = static_cast<uint64_t>(std::floor(static_cast<double>(count) * (hi - lo) + 0.5));
  const int32_t first = std::clamp(static_cast<int32_t>(std::floor(lo + 0.5)), 0, size - 1);
  const int32_t last =
      std::max(first, std::min(static_cast<int32_t>(std::ceil(hi - 0.5)), size - 1));
  uint64_t accumulator = start < 1.8e19 ? static_cast<uint64_t>(start) : UINT64_MAX;
  std::vector<int32_t> indices(static_cast<size_t>(n));
  for (int32_t& index : indices) {
    const uint64_t i = accumulator / denominator;
    index = i > static_cast<uint64_t>(last) ? last : std::max(first, static_cast<int32_t>(i));
    accumulator += step;
  }
  return indices;
}

bool HasExtent(const SRectD& r) {
  const double w = r.right - r.left, h = r.bottom - r.top;
  return w > 0 && h > 0 && std::isfinite(w) && std::isfinite(h);
}

int32_t Round(double v) { return static_cast<int32_t>(std::floor(v + 0.5)); }

SRectI RoundRect(const SRectD& r) { return {Round(r.left), Round(r.top), Round(r.right), Round(r.bottom)}; }

}  // namespace

CBmp32::CBmp32(int32_t width, int32_t height, bool ownDC) : CBmpRows(ownDC) { Resize(width, height); }

int32_t CBmp32::GetPixelFormat() { return pfA8R8G8B8; }

void CBmp32::Assign(CBmp32* source) {
  if (!source) return;
  try {
    CopyFrom(*source);
  } catch (...) {
    MakeEmpty();
  }
}

void CBmp32::CopyFrom(const CBmp32& source) {
  if (&source == this) return;
  Resize(source.Width(), source.Height());
  if (source.HasPixels()) std::memcpy(Pixels(), source.Pixels(), static_cast<size_t>(PixelCount()) * 4);
}

void CBmp32::AssignScaled(CBmp32* source, int32_t width, int32_t height) {
  if (!source) return;
  try {
    ScaleFrom(*source, width, height);
  } catch (...) {
    MakeEmpty();
  }
}

void CBmp32::ScaleFrom(const CBmp32& source, int32_t width, int32_t height) {
  const int32_t longest = std::max(source.Width(), source.Height());
  if (!source.HasPixels() || longest <= 0) {
    MakeEmpty();
    return;
  }
  const double ratio = static_cast<double>(std::max(width, height)) / longest;
  const double w = std::max(0.0, std::floor(source.Width() * ratio + 0.5));
  const double h = std::max(0.0, std::floor(source.Height() * ratio + 0.5));
  if (w > INT32_MAX || h > INT32_MAX) throw "CBmp::SetSize: Can't allocate the DIB handle";
  // Drawn aside, so that the source may be this bitmap.
  CBmp32 scaled(static_cast<int32_t>(w), static_cast<int32_t>(h), OwnsDC());
  source.DrawClipped(scaled, scaled.PixBounds(), source.PixBounds(), bmCopy);
  SwapPixels(scaled);
}

void CBmp32::Draw(CBmp32* destination, double dstLeft, double dstTop, double dstRight, double dstBottom,
                  double srcLeft, double srcTop, double srcRight, double srcBottom, int32_t mode) {
  if (!destination || mode < bmCopy || mode > bmBlendAlpha) return;
  try {
    DrawClipped(*destination, {dstLeft, dstTop, dstRight, dstBottom}, {srcLeft, srcTop, srcRight, srcBottom}, mode);
  } catch (...) {  // out of memory for the index tables: nothing drawn
  }
}

void CBmp32::DrawClipped(CBmp32& destination, SRectD dst, SRectD src, int32_t mode) const {
  if (!HasPixels() || !destination.HasPixels() || !HasExtent(dst) || !HasExtent(src)) return;
  if (!ClipRectPair(src, dst, PixBounds()) || !ClipRectPair(dst, src, destination.PixBounds())) return;
  if (!(src.left < src.right && src.top < src.bottom)) return;
  const SRectI d = RoundRect(dst), s = RoundRect(src);
  if (d.right <= d.left || d.bottom <= d.top) return;
  if (d.right - d.left == s.right - s.left && d.bottom - d.top == s.bottom - s.top)
    DrawEqualSize(destination, d, s, mode);
  else
    DrawScaled(destination, d, src, mode);
}

void CBmp32::DrawEqualSize(CBmp32& destination, const SRectI& dst, const SRectI& src, int32_t mode) const {
  CopyRows<uint32_t>(*this, src.left, src.top, destination, dst.left, dst.top, dst.right - dst.left,
                     dst.bottom - dst.top, EqualSizeRoutine(mode));
}

void CBmp32::DrawScaled(CBmp32& destination, const SRectI& dst, const SRectD& src, int32_t mode) const {
  if (&destination == this) {  // drawn from a copy: no pixel is read after it was written
    CBmp32 copy(0, 0, false);
    copy.CopyFrom(*this);
    return copy.DrawScaled(destination, dst, src, mode);
  }
  const std::vector<int32_t> columns = SourceIndices(dst.right - dst.left, src.left, src.right, Width());
  const std::vector<int32_t> rows = SourceIndices(dst.bottom - dst.top, src.top, src.bottom, Height());
  switch (mode) {
    case bmCopy: return DrawIndexed<Take>(*this, destination, dst, columns, rows);
    case bmTransparent: return DrawIndexed<BlendTransparent>(*this, destination, dst, columns, rows);
    case bmBlend: return DrawIndexed<BlendOver<SDivide255>>(*this, destination, dst, columns, rows);
    case bmBlendDisabled: return DrawIndexed<BlendDisabled<SDivide255>>(*this, destination, dst, columns, rows);
    case bmBlendAlpha: return DrawIndexed<BlendAlpha<SDivide255>>(*this, destination, dst, columns, rows);
    default: return;
  }
}

void CBmp32::DrawTransform(CBmp32* destination, int32_t srcLeft, int32_t srcTop, int32_t srcRight,
                           int32_t srcBottom, double x0, double y0, double x1, double y1, double x2, double y2,
                           double x3, double y3, int32_t mode) {
  if (!destination) return;
  try {
    Transform(*destination, {srcLeft, srcTop, srcRight, srcBottom}, {{x0, y0}, {x1, y1}, {x2, y2}, {x3, y3}}, mode);
  } catch (...) {
  }
}

void CBmp32::Transform(CBmp32& destination, const SRectI& source, const SPointD (&quad)[4], int32_t mode) {
  if (mode == bmBlend) throw "CBmp32::DrawTransform, bmBlend not yet implemented";
  if (mode == bmBlendDisabled) throw "CBmp32::DrawTransform, bmBlendDisabled not yet implemented";
  if ((mode != bmCopy && mode != bmTransparent) || !HasPixels() || !destination.HasPixels()) return;
  const SRectI inside = {std::max(source.left, 0), std::max(source.top, 0), std::min(source.right, Width()),
                         std::min(source.bottom, Height())};
  if (inside.left >= inside.right || inside.top >= inside.bottom) return;
  if (&destination == this) {  // drawn from a copy: no pixel is read after it was written
    CBmp32 copy(0, 0, false);
    copy.CopyFrom(*this);
    return copy.Transform(destination, source, quad, mode);
  }
  CQuadSampler sampler(*this, inside, mode == bmTransparent);
  if (sampler.Map(source, quad, destination.Width(), destination.Height()))
    sampler.DrawInto(destination);
}

void CBmp32::DrawCircle(double centreX, double centreY, double radius, uint32_t colour) {
  td::GuardVoid([&] { RasterCircle(*this, {centreX, centreY}, radius, colour); });
}

uint8_t CBmp32::DrawLine(const SPointD* from, const SPointD* to, uint32_t colour, double width,
                         uint8_t drawEnd) {
  return td::Guard(false, [&] { return from && to && RasterLine(*this, *from, *to, colour); });
}

void CBmp32::FillPolygon(const SPointD* points, int32_t count, uint32_t colour) {
  try {
    CPolygonRaster(*this).Fill(points, count, colour);
  } catch (...) {  // no memory for the crossing lists: nothing drawn
  }
}

void CBmp32::DrawPolyline(const SPointD* points, int32_t count, uint32_t colour, uint8_t closed) {
  td::GuardVoid([&] { RasterPolyline(*this, points, count, colour, closed != 0); });
}

void CBmp32::DrawRect(const SRectD* rect, uint32_t lineColour, uint32_t fillColour, double width) {
  td::GuardVoid([&] {
    if (rect) RasterRect(*this, *rect, lineColour, fillColour, width);
  });
}

void CBmp32::Fill(uint32_t colour) {
  if (!HasPixels()) return;
  std::fill(Row(0), Row(0) + Width(), colour);
  FillByDoubling(Rows()[0], Stride(), Height());
}

void CBmp32::FlipHorizontal() {
  if (!HasPixels()) return;
  for (int32_t y = 0; y < Height(); ++y) std::reverse(Row(y), Row(y) + Width());
}

void CBmp32::FlipVertical() {
  if (!HasPixels()) return;
  for (int32_t top = 0, bottom = Height() - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(Row(top), Row(top) + Width(), Row(bottom));
}

uint32_t* CBmp32::GetBits() { return Pixels(); }

uint32_t* CBmp32::GetScanLine(int32_t row) { return reinterpret_cast<uint32_t*>(RowOrNull(row)); }

void CBmp32::SetAlpha(uint8_t alpha) {
  uint32_t* p = Pixels();
  const uint32_t a = uint32_t{alpha} << 24;
  for (int64_t i = 0, n = HasPixels() ? PixelCount() : 0; i < n; ++i) p[i] = (p[i] & 0x00FFFFFF) | a;
}

void CBmp32::SetAlphaByColor(uint8_t keyAlpha, uint8_t otherAlpha, uint32_t keyColour) {
  uint32_t* p = Pixels();
  const uint32_t key = keyColour & 0x00FFFFFF, keyA = uint32_t{keyAlpha} << 24, otherA = uint32_t{otherAlpha} << 24;
  for (int64_t i = 0, n = HasPixels() ? PixelCount() : 0; i < n; ++i) {
    const uint32_t colour = p[i] & 0x00FFFFFF;
    p[i] = colour | (colour == key ? keyA : otherA);
  }
}

void CBmp32::Reserved(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
