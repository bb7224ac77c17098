// CBmp32::DrawTransform beside pixman's nearest filter on the same pixels:
// both take the source pixel nearest to each destination pixel centre's
// inverse image, so they agree wherever that is not within 1e-3 of a source
// pixel edge (pixman's 16.16 matrix drifts by less over 48 pixels).
#include <gtest/gtest.h>
#include <pixman.h>

#include <random>

#include "tests/bitmap/BitmapTestHelpers.h"
#include "tests/bitmap/TransformOracle.h"

namespace {

// pixman's view of a destination pixel centre is ours + 0.5, likewise its
// source coordinates: the transform maps (x + 0.5, y + 0.5) to (u + 0.5, v + 0.5)
// relative to the source sub-image that holds only the pixels inside the rect.
pixman_transform_t PixmanTransform(const SAffineCase& c, int32_t left, int32_t top) {
  const SPointD& p0 = c.quad[0];
  const double ax = c.quad[1].x - p0.x, ay = c.quad[1].y - p0.y;
  const double bx = c.quad[3].x - p0.x, by = c.quad[3].y - p0.y;
  const double det = ax * by - ay * bx;
  const double sw = c.rect.right - c.rect.left, sh = c.rect.bottom - c.rect.top;
  // (u, v) = origin + M (x, y): the inverse of the parallelogram map.
  const double m00 = by / det * sw, m01 = -bx / det * sw, m10 = -ay / det * sh, m11 = ax / det * sh;
  const double u0 = c.rect.left - 0.5 - (m00 * p0.x + m01 * p0.y) - left;
  const double v0 = c.rect.top - 0.5 - (m10 * p0.x + m11 * p0.y) - top;
  const double tx = u0 + 0.5 - 0.5 * (m00 + m01), ty = v0 + 0.5 - 0.5 * (m10 + m11);
  pixman_transform_t t;
  pixman_transform_init_identity(&t);
  t.matrix[0][0] = pixman_double_to_fixed(m00);
  t.matrix[0][1] = pixman_double_to_fixed(m01);
  t.matrix[0][2] = pixman_double_to_fixed(tx);
  t.matrix[1][0] = pixman_double_to_fixed(m10);
  t.matrix[1][1] = pixman_double_to_fixed(m11);
  t.matrix[1][2] = pixman_double_to_fixed(ty);
  return t;
}

void DrawWithPixman(const SAffineCase& c, CBmp32& source, CBmp32& destination) {
  const int32_t left = std::max(c.rect.left, 0), top = std::max(c.rect.top, 0);
  const int32_t right = std::min(c.rect.right, c.sourceWidth), bottom = std::min(c.rect.bottom, c.sourceHeight);
  if (left >= right || top >= bottom) return;
  pixman_image_t* src = pixman_image_create_bits(PIXMAN_a8r8g8b8, right - left, bottom - top,
                                                 source.Row(top) + left, source.GetStride());
  pixman_image_t* dst = pixman_image_create_bits(PIXMAN_a8r8g8b8, c.width, c.height, destination.GetBits(),
                                                 destination.GetStride());
  const pixman_transform_t t = PixmanTransform(c, left, top);
  pixman_image_set_transform(src, &t);
  pixman_image_set_filter(src, PIXMAN_FILTER_NEAREST, nullptr, 0);
  pixman_image_composite32(PIXMAN_OP_SRC, src, nullptr, dst, 0, 0, 0, 0, 0, 0, c.width, c.height);
  pixman_image_unref(src);
  pixman_image_unref(dst);
}

TEST(PixmanMirror, RandomAffineQuadrilateralsAgree) {
  std::mt19937 rng(61);
  int compared = 0;
  for (int i = 0; i < 300; ++i) {
    const SAffineCase c = RandomAffineCase(rng);
    auto source = MakeTagged(c.sourceWidth, c.sourceHeight);
    auto ours = MakeFilled(c.width, c.height, 0), theirs = MakeFilled(c.width, c.height, 0);
    const SPointD* q = c.quad;
    source->DrawTransform(ours.get(), c.rect.left, c.rect.top, c.rect.right, c.rect.bottom, q[0].x, q[0].y, q[1].x,
                          q[1].y, q[2].x, q[2].y, q[3].x, q[3].y, bmCopy);
    DrawWithPixman(c, *source, *theirs);
    for (int32_t y = 0; y < c.height; ++y)
      for (int32_t x = 0; x < c.width; ++x) {
        if (OracleSample(c, x, y).kind == ESample::kAmbiguous) continue;
        ++compared;
        ASSERT_EQ(ours->Row(y)[x], theirs->Row(y)[x]) << "case " << i << " pixel " << x << "," << y;
      }
  }
  EXPECT_GT(compared, 300 * 48 * 48 * 9 / 10);
}

}  // namespace
