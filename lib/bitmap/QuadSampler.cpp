#include "lib/bitmap/QuadSampler.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kFixedOne = 4294967296.0;  // 32.32 fixed point
constexpr double kFixedLimit = 268435456.0;  // |coordinate| below 2^28: sums stay below 2^62

// A quadrilateral encloses area unless it is a sliver far thinner than its
// outline is long (collinear or coincident corners).
bool HasArea(const SPointD (&q)[4]) {
  double twiceArea = 0, perimeter = 0;
  for (int i = 0; i < 4; ++i) {
    const SPointD& a = q[i];
    const SPointD& b = q[(i + 1) % 4];
    twiceArea += a.x * b.y - b.x * a.y;
    perimeter += std::hypot(b.x - a.x, b.y - a.y);
  }
  return std::isfinite(twiceArea) && std::isfinite(perimeter) && std::fabs(twiceArea) > 1e-12 * perimeter * perimeter;
}

bool IsFinite(const SPointD (&q)[4]) {
  return std::all_of(q, q + 4, [](const SPointD& p) { return std::isfinite(p.x) && std::isfinite(p.y); });
}

}  // namespace

CQuadSampler::CQuadSampler(const CBmp32& source, const SRectI& inside, bool transparent)
    : m_Source(source), m_Inside(inside), m_Transparent(transparent), m_Inverse(),
      m_Affine(false), m_PositiveW(true), m_Box() {}

bool CQuadSampler::Map(const SRectI& rect, const SPointD (&quad)[4], int32_t width, int32_t height) {
  if (!IsFinite(quad) || !HasArea(quad)) return false;
  const SRectD r = {rect.left - 0.5, rect.top - 0.5, rect.right - 0.5, rect.bottom - 0.5};
  if (!RectToQuad(r, quad).Invert(m_Inverse)) return false;
  const double (&m)[3][3] = m_Inverse.m;
  double minX = quad[0].x, maxX = minX, minY = quad[0].y, maxY = minY, cx = 0, cy = 0;
  for (const SPointD& p : quad) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x), cx += p.x / 4;
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y), cy += p.y / 4;
  }
  const double centreW = cx * m[0][2] + cy * m[1][2] + m[2][2];
  if (!(centreW != 0) || !std::isfinite(centreW)) return false;
  m_PositiveW = centreW > 0;
  m_Affine = m[0][2] == 0 && m[1][2] == 0;
  if (m_Affine) m_Inverse = m_Inverse.Scaled(1 / m[2][2]);
  const double left = std::max(0.0, std::floor(minX)), right = std::min(width - 1.0, std::ceil(maxX));
  const double top = std::max(0.0, std::floor(minY)), bottom = std::min(height - 1.0, std::ceil(maxY));
  if (left > right || top > bottom) return false;
  m_Box = {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
           static_cast<int32_t>(bottom)};
  return true;
}

void CQuadSampler::DrawInto(CBmp32& destination) const {
  for (int32_t y = m_Box.top; y <= m_Box.bottom; ++y) {
    uint32_t* out = destination.Row(y);
    if (!m_Affine || !AffineRow(out, y)) ProjectiveRow(out, y);
  }
}

void CQuadSampler::Put(uint32_t* out, int64_t column, int64_t row) const {
  const uint32_t s = m_Source.Row(static_cast<int32_t>(row))[column];
  if (!m_Transparent || (s >> 24)) *out = s;
}

namespace {

// Floor of a / b for b > 0, exact in integers.
int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && a < 0); }

// The steps i of 0..n - 1 at which start + i x step lies in [lo, hi): narrows
// [first, last) to them, exactly in integers.
void NarrowSpan(int64_t start, int64_t step, int64_t lo, int64_t hi, int64_t& first, int64_t& last) {
  if (step == 0) {
    if (start < lo || start >= hi) last = first;
    return;
  }
  // With a negative step, mirror: -start - i x step in (-hi, -lo].
  if (step < 0) {
    NarrowSpan(-start, -step, -hi + 1, -lo + 1, first, last);
    return;
  }
  first = std::max(first, FloorDiv(lo - start + step - 1, step));
  last = std::min(last, FloorDiv(hi - start + step - 1, step));
}

}  // namespace

bool CQuadSampler::AffineRow(uint32_t* out, int32_t y) const {
  const double (&m)[3][3] = m_Inverse.m;
  const int32_t n = m_Box.right - m_Box.left + 1;
  const double u0 = m_Box.left * m[0][0] + y * m[1][0] + m[2][0];
  const double v0 = m_Box.left * m[0][1] + y * m[1][1] + m[2][1];
  const double u1 = u0 + (n - 1) * m[0][0], v1 = v0 + (n - 1) * m[0][1];
  for (double v : {u0, v0, u1, v1, m[0][0], m[0][1]})
    if (!(std::fabs(v) < kFixedLimit)) return false;
  // floor(u + 0.5) is the integer part of the fixed-point u + 0.5.
  const int64_t u = static_cast<int64_t>(std::floor((u0 + 0.5) * kFixedOne + 0.5));
  const int64_t v = static_cast<int64_t>(std::floor((v0 + 0.5) * kFixedOne + 0.5));
  const int64_t du = static_cast<int64_t>(std::floor(m[0][0] * kFixedOne + 0.5));
  const int64_t dv = static_cast<int64_t>(std::floor(m[0][1] * kFixedOne + 0.5));
  int64_t first = 0, last = n;
  NarrowSpan(u, du, int64_t{m_Inside.left} << 32, int64_t{m_Inside.right} << 32, first, last);
  NarrowSpan(v, dv, int64_t{m_Inside.top} << 32, int64_t{m_Inside.bottom} << 32, first, last);
  if (first >= last) return true;
  const SFixedSpan span = {u + first * du, v + first * dv, du, dv, static_cast<int32_t>(last - first)};
  out += m_Box.left + first;
  if (m_Transparent)
    CopySpan<true>(out, span);
  else
    CopySpan<false>(out, span);
  return true;
}

template <bool Transparent>
void CQuadSampler::CopySpan(uint32_t* out, const SFixedSpan& span) const {
  const uint32_t* pixels = m_Source.Pixels();
  const int64_t width = m_Source.Width();
  int64_t u = span.u, v = span.v;
  for (int32_t i = 0; i < span.count; ++i, u += span.du, v += span.dv) {
    const uint32_t s = pixels[(v >> 32) * width + (u >> 32)];
    if (!Transparent || (s >> 24)) out[i] = s;
  }
}

void CQuadSampler::ProjectiveRow(uint32_t* out, int32_t y) const {
  const double (&m)[3][3] = m_Inverse.m;
  const SRectI& in = m_Inside;
  for (int32_t x = m_Box.left; x <= m_Box.right; ++x) {
    const double w = x * m[0][2] + y * m[1][2] + m[2][2];
    if (w == 0 || (w > 0) != m_PositiveW) continue;
    const double u = (x * m[0][0] + y * m[1][0] + m[2][0]) / w;
    const double v = (x * m[0][1] + y * m[1][1] + m[2][1]) / w;
    if (!(u >= in.left - 0.5 && u < in.right - 0.5 && v >= in.top - 0.5 && v < in.bottom - 0.5)) continue;
    const int64_t column = std::min<int64_t>(static_cast<int64_t>(std::floor(u + 0.5)), in.right - 1);
    const int64_t row = std::min<int64_t>(static_cast<int64_t>(std::floor(v + 0.5)), in.bottom - 1);
    Put(out + x, column, row);
  }
}
