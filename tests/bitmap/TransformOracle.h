// An independent statement of the projective copy for affine cases: the
// inverse of the parallelogram map solved in double, and the source pixel
// nearest to each destination pixel centre's inverse image.
#pragma once

#include <cmath>
#include <cstdint>
#include <random>

#include "lib/geodesy/PlaneTypes.h"

struct SAffineCase {
  int32_t sourceWidth, sourceHeight;
  SRectI rect;     // may reach beyond the source bitmap
  SPointD quad[4]; // images of (left, top), (right, top), (right, bottom), (left, bottom)
  int32_t width, height;
};

enum class ESample { kOutside, kInside, kAmbiguous };

struct SSample {
  ESample kind;
  int32_t column, row;
};

// Where destination pixel (x, y) takes its colour from. Centres within
// 1e-3 of a source pixel edge are ambiguous: the rule may go either way there.
inline SSample OracleSample(const SAffineCase& c, int32_t x, int32_t y) {
  const SPointD& p0 = c.quad[0];
  const double ax = c.quad[1].x - p0.x, ay = c.quad[1].y - p0.y;  // along the rectangle's top
  const double bx = c.quad[3].x - p0.x, by = c.quad[3].y - p0.y;  // along its left side
  const double det = ax * by - ay * bx;
  const double dx = x - p0.x, dy = y - p0.y;
  const double s = (dx * by - dy * bx) / det, t = (ax * dy - ay * dx) / det;
  const double u = c.rect.left - 0.5 + s * (c.rect.right - c.rect.left);
  const double v = c.rect.top - 0.5 + t * (c.rect.bottom - c.rect.top);
  const double nu = u + 0.5, nv = v + 0.5;
  if (std::fabs(nu - std::round(nu)) < 1e-3 || std::fabs(nv - std::round(nv)) < 1e-3)
    return {ESample::kAmbiguous, 0, 0};
  const int32_t column = static_cast<int32_t>(std::floor(nu)), row = static_cast<int32_t>(std::floor(nv));
  const bool inside = column >= std::max(c.rect.left, 0) && column < std::min(c.rect.right, c.sourceWidth) &&
                      row >= std::max(c.rect.top, 0) && row < std::min(c.rect.bottom, c.sourceHeight);
  return {inside ? ESample::kInside : ESample::kOutside, column, row};
}

// A rotated, scaled and shifted rectangle of a small source on a 48 x 48 view.
inline SAffineCase RandomAffineCase(std::mt19937& rng) {
  auto uniform = [&rng](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
  auto integer = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  SAffineCase c;
  c.sourceWidth = integer(1, 16);
  c.sourceHeight = integer(1, 16);
  c.rect.left = integer(-3, c.sourceWidth - 1);
  c.rect.top = integer(-3, c.sourceHeight - 1);
  c.rect.right = integer(c.rect.left + 1, c.sourceWidth + 3);
  c.rect.bottom = integer(c.rect.top + 1, c.sourceHeight + 3);
  c.width = c.height = 48;
  const double angle = uniform(-3.2, 3.2), scaleX = uniform(0.3, 3), scaleY = uniform(0.3, 3);
  const double w = (c.rect.right - c.rect.left) * scaleX, h = (c.rect.bottom - c.rect.top) * scaleY;
  const double ox = uniform(-5, 45), oy = uniform(-5, 45);
  const double cs = std::cos(angle), sn = std::sin(angle);
  const double corners[4][2] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
  for (int i = 0; i < 4; ++i)
    c.quad[i] = {ox + corners[i][0] * cs - corners[i][1] * sn, oy + corners[i][0] * sn + corners[i][1] * cs};
  return c;
}
