#include "lib/bitmap/Matrix3.h"

#include <cmath>

namespace {

double Det2(double a, double b, double c, double d) { return a * d - b * c; }

// A parallelogram up to the rounding of its corners (a rotated rectangle's
// corners rarely close exactly): its affine map is the exact one.
bool IsParallelogram(double sx, double sy, const SPointD (&q)[4]) {
  const double size = std::fabs(q[1].x - q[0].x) + std::fabs(q[1].y - q[0].y) + std::fabs(q[3].x - q[0].x) +
                      std::fabs(q[3].y - q[0].y);
  return std::fabs(sx) <= 1e-12 * size && std::fabs(sy) <= 1e-12 * size;
}

// The unit square onto the quadrilateral.
SMatrix3 SquareToQuad(const SPointD (&q)[4]) {
  const double sx = q[0].x - q[1].x + q[2].x - q[3].x;
  const double sy = q[0].y - q[1].y + q[2].y - q[3].y;
  if (IsParallelogram(sx, sy, q))
    return {{{q[1].x - q[0].x, q[1].y - q[0].y, 0}, {q[2].x - q[1].x, q[2].y - q[1].y, 0}, {q[0].x, q[0].y, 1}}};
  const double dx1 = q[1].x - q[2].x, dx2 = q[3].x - q[2].x;
  const double dy1 = q[1].y - q[2].y, dy2 = q[3].y - q[2].y;
  const double d = Det2(dx1, dx2, dy1, dy2);
  if (d == 0) return {};
  const double g = Det2(sx, dx2, sy, dy2) / d;
  const double h = Det2(dx1, sx, dy1, sy) / d;
  return {{{q[1].x - q[0].x + g * q[1].x, q[1].y - q[0].y + g * q[1].y, g},
           {q[3].x - q[0].x + h * q[3].x, q[3].y - q[0].y + h * q[3].y, h},
           {q[0].x, q[0].y, 1}}};
}

}  // namespace

SMatrix3 SMatrix3::Identity() { return {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}; }

double SMatrix3::Determinant() const {
  return m[0][0] * Det2(m[1][1], m[1][2], m[2][1], m[2][2]) - m[0][1] * Det2(m[1][0], m[1][2], m[2][0], m[2][2]) +
         m[0][2] * Det2(m[1][0], m[1][1], m[2][0], m[2][1]);
}

SMatrix3 SMatrix3::Adjugate() const {
  SMatrix3 a;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      // Cofactor of entry (c, r): the transpose comes with the indices.
      const int r0 = (c + 1) % 3, r1 = (c + 2) % 3, c0 = (r + 1) % 3, c1 = (r + 2) % 3;
      a.m[r][c] = Det2(m[r0][c0], m[r0][c1], m[r1][c0], m[r1][c1]);
    }
  return a;
}

SMatrix3 SMatrix3::Scaled(double factor) const {
  SMatrix3 s = *this;
  for (auto& row : s.m)
    for (double& v : row) v *= factor;
  return s;
}

SMatrix3 SMatrix3::operator*(const SMatrix3& right) const {
  SMatrix3 p = {};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      for (int k = 0; k < 3; ++k) p.m[r][c] += m[r][k] * right.m[k][c];
  return p;
}

bool SMatrix3::Invert(SMatrix3& inverse) const {
  const double det = Determinant();
  if (det == 0 || !std::isfinite(det)) return false;
  inverse = Adjugate().Scaled(1 / det);
  for (const auto& row : inverse.m)
    for (double v : row)
      if (!std::isfinite(v)) return false;
  return true;
}

SMatrix3 RectToQuad(const SRectD& rect, const SPointD (&q)[4]) {
  const SMatrix3 shift = {{{1, 0, 0}, {0, 1, 0}, {-rect.left, -rect.top, 1}}};
  const SMatrix3 scale = {{{1 / (rect.right - rect.left), 0, 0}, {0, 1 / (rect.bottom - rect.top), 0}, {0, 0, 1}}};
  return shift * scale * SquareToQuad(q);
}
