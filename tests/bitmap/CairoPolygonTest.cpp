// FillPolygon beside cairo (even-odd rule, grey anti-aliasing) on the same
// pixels: opaque white over opaque black, so the blue channel is the
// coverage. Both put pixel i over i .. i + 1. The 8 x 8 grid with weights
// of 7 is coarser than cairo's, and a full pixel is 253 here (>> 16)
// against cairo's 255.
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "tests/bitmap/BitmapTestHelpers.h"

namespace {

constexpr int32_t kSize = 64;

// Coverage 0..1 of every pixel as cairo fills the polygon.
std::vector<double> CairoCoverage(const std::vector<SPointD>& polygon) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSize, kSize);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_GRAY);
  cairo_move_to(cr, polygon[0].x, polygon[0].y);
  for (size_t i = 1; i < polygon.size(); ++i) cairo_line_to(cr, polygon[i].x, polygon[i].y);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  std::vector<double> coverage(kSize * kSize);
  for (int32_t y = 0; y < kSize; ++y)
    for (int32_t x = 0; x < kSize; ++x)
      coverage[y * kSize + x] =
          (reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xFF) / 255.0;
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return coverage;
}

std::vector<double> OwnCoverage(const std::vector<SPointD>& polygon) {
  auto bmp = MakeFilled(kSize, kSize, 0xFF000000);
  bmp->FillPolygon(polygon.data(), static_cast<int32_t>(polygon.size()), 0xFFFFFFFF);
  std::vector<double> coverage(kSize * kSize);
  for (int64_t i = 0; i < bmp->PixelCount(); ++i) coverage[i] = (bmp->Pixels()[i] & 0xFF) / 253.0;
  return coverage;
}

TEST(CairoPolygon, RandomPolygonsAgreeWithCairo) {
  std::mt19937 rng(20261210);
  std::uniform_real_distribution<double> position(0, kSize);
  std::uniform_int_distribution<int> corners(3, 12);
  double worst = 0;
  int64_t pixels = 0, close = 0;
  for (int polygon = 0; polygon < 200; ++polygon) {
    std::vector<SPointD> points(corners(rng));
    for (SPointD& p : points) p = {position(rng), position(rng)};
    const std::vector<double> ours = OwnCoverage(points), theirs = CairoCoverage(points);
    for (size_t i = 0; i < ours.size(); ++i) {
      const double difference = std::fabs(ours[i] - theirs[i]);
      worst = std::max(worst, difference);
      ++pixels;
      close += difference <= 0.15;
    }
  }
  EXPECT_LE(worst, 0.3);
  EXPECT_GE(static_cast<double>(close) / pixels, 0.99) << close << " of " << pixels;
}

TEST(CairoPolygon, BowTieAndRingFollowTheEvenOddRule) {
  const std::vector<SPointD> bowTie = {{10, 10}, {50, 50}, {50, 10}, {10, 50}};
  // The hole joined to the outside by a horizontal bridge, which crosses
  // no sub-row.
  const std::vector<SPointD> ring = {{10, 32}, {10, 10}, {54, 10}, {54, 54}, {10, 54}, {10, 32},
                                     {20, 32}, {20, 44}, {44, 44}, {44, 20}, {20, 20}, {20, 32}};
  const std::vector<double> tie = OwnCoverage(bowTie), band = OwnCoverage(ring);
  auto at = [](const std::vector<double>& c, int x, int y) { return c[y * kSize + x]; };
  EXPECT_EQ(at(tie, 12, 30), 1.0);
  EXPECT_EQ(at(tie, 47, 30), 1.0);
  EXPECT_EQ(at(tie, 30, 15), 0.0);
  EXPECT_EQ(at(tie, 30, 45), 0.0);
  EXPECT_EQ(at(band, 15, 15), 1.0);
  EXPECT_EQ(at(band, 32, 32), 0.0);
  for (const auto* shape : {&bowTie, &ring}) {
    const std::vector<double> ours = OwnCoverage(*shape), theirs = CairoCoverage(*shape);
    for (size_t i = 0; i < ours.size(); ++i) ASSERT_NEAR(ours[i], theirs[i], 0.3) << i;
  }
}

}  // namespace
