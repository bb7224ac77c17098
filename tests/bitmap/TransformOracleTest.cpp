// CBmp32::DrawTransform against the independent nearest-pixel oracle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tests/bitmap/BitmapTestHelpers.h"
#include "tests/bitmap/TransformOracle.h"

namespace {

// Compares every unambiguous pixel; returns how many were compared.
int CheckAgainstOracle(const SAffineCase& c, int caseNumber) {
  auto source = MakeTagged(c.sourceWidth, c.sourceHeight);
  auto destination = MakeFilled(c.width, c.height, 0);
  const SPointD* q = c.quad;
  source->DrawTransform(destination.get(), c.rect.left, c.rect.top, c.rect.right, c.rect.bottom, q[0].x, q[0].y,
                        q[1].x, q[1].y, q[2].x, q[2].y, q[3].x, q[3].y, bmCopy);
  int compared = 0;
  for (int32_t y = 0; y < c.height; ++y)
    for (int32_t x = 0; x < c.width; ++x) {
      const SSample s = OracleSample(c, x, y);
      if (s.kind == ESample::kAmbiguous) continue;
      ++compared;
      const uint32_t expected = s.kind == ESample::kInside ? Tag(s.column, s.row) : 0;
      if (destination->Row(y)[x] != expected) {
        ADD_FAILURE() << "case " << caseNumber << " pixel " << x << "," << y << ": " << std::hex
                      << destination->Row(y)[x] << " instead of " << expected;
        return compared;
      }
    }
  return compared;
}

TEST(TransformOracle, RandomAffineQuadrilateralsTakeTheNearestPixel) {
  std::mt19937 rng(20261210);
  int compared = 0;
  for (int i = 0; i < 300; ++i) compared += CheckAgainstOracle(RandomAffineCase(rng), i);
  EXPECT_GT(compared, 300 * 48 * 48 * 9 / 10);
}

TEST(TransformOracle, RotatedTileAtZoomTwoHasNoDrift) {
  // A 256-pixel tile rotated 30 degrees at zoom 2: a 701-pixel box.
  SAffineCase c{256, 256, {0, 0, 256, 256}, {}, 704, 704};
  const double cs = std::cos(std::numbers::pi / 6) * 2, sn = std::sin(std::numbers::pi / 6) * 2, ox = 256.3, oy = 1.7;
  const double corners[4][2] = {{0, 0}, {256, 0}, {256, 256}, {0, 256}};
  for (int i = 0; i < 4; ++i)
    c.quad[i] = {ox + corners[i][0] * cs - corners[i][1] * sn, oy + corners[i][0] * sn + corners[i][1] * cs};
  EXPECT_GT(CheckAgainstOracle(c, 0), 700 * 700 * 9 / 10);
}

}  // namespace
