// CBmp32::Draw and CBmp32::DrawTransform: hand values and the edge cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>
#include <string>

#include "tests/bitmap/BitmapTestHelpers.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct SModeCase {
  int32_t mode;
  uint32_t source, destination, equalSize, scaled;
};

TEST(Bmp32Draw, BlendModesAtEqualAndOtherSizes) {
  const SModeCase cases[] = {
      {bmCopy, 0x12345678, 0xFF000000, 0x12345678, 0x12345678},
      {bmTransparent, 0x01000000, 0xFFFFFFFF, 0x01000000, 0x01000000},
      {bmTransparent, 0x00FFFFFF, 0xFF000000, 0xFF000000, 0xFF000000},
      {bmBlend, 0x80FFFFFF, 0xFF000000, 0xFF7F7F7F, 0xFF808080},
      {bmBlendDisabled, 0xFFFFFFFF, 0xFF000000, 0xFF3E3E3E, 0xFF3F3F3F},
      {bmBlendAlpha, 0x80FF0000, 0x40000000, 0x807F0000, 0x80800000},
      {5, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFF000000},
      {-1, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFF000000},
  };
  for (const SModeCase& c : cases) {
    auto source = MakeFilled(1, 1, c.source);
    auto same = MakeFilled(1, 1, c.destination);
    auto larger = MakeFilled(2, 2, c.destination);
    source->Draw(*same, same->PixBounds(), source->PixBounds(), c.mode);
    source->Draw(*larger, larger->PixBounds(), source->PixBounds(), c.mode);
    EXPECT_EQ(same->Row(0)[0], c.equalSize) << "mode " << c.mode;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(larger->GetBits()[i], c.scaled) << "mode " << c.mode;
  }
}

TEST(Bmp32Draw, DoubleSizeRepeatsEachPixel) {
  auto source = MakeTagged(10, 10);
  auto destination = MakeFilled(20, 20, 0);
  source->Draw(*destination, destination->PixBounds(), source->PixBounds(), bmCopy);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(destination->Row(y)[x], Tag(x / 2, y / 2)) << x << "," << y;
}

TEST(Bmp32Draw, SourcePartlyOutsideShrinksTheDestination) {
  auto source = MakeTagged(10, 10);
  auto destination = MakeFilled(15, 10, 0);
  source->Draw(*destination, SRectD{-0.5, -0.5, 14.5, 9.5}, SRectD{-5.5, -0.5, 9.5, 9.5}, bmCopy);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 15; ++x) ASSERT_EQ(destination->Row(y)[x], x < 5 ? 0u : Tag(x - 5, y)) << x << "," << y;
}

TEST(Bmp32Draw, LargeReductionStaysInsideTheSource) {
  // 3000 -> 2000 columns: the fixed-point sums exceed 32 bits.
  auto source = MakeTagged(3000, 1);
  auto destination = MakeFilled(2000, 1, 0);
  source->Draw(*destination, destination->PixBounds(), source->PixBounds(), bmCopy);
  const uint32_t* row = destination->Row(0);
  EXPECT_EQ(row[0], Tag(0, 0));
  EXPECT_EQ(row[1], Tag(1, 0));  // floor(1.5)
  EXPECT_EQ(row[3], Tag(4, 0));  // floor(4.5)
  EXPECT_EQ(row[1999], Tag(2998, 0));
  for (int x = 1; x < 2000; ++x) ASSERT_GT(row[x], row[x - 1]) << x;
}

// Destination row 0 as the source columns its pixels show (-1: untouched).
std::vector<int32_t> ColumnsDrawn(int32_t sourceWidth, int32_t destinationWidth, const SRectD& dst,
                                  const SRectD& src) {
  auto source = MakeTagged(sourceWidth, 1);
  auto destination = MakeFilled(destinationWidth, 1, 0);
  source->Draw(*destination, dst, src, bmCopy);
  std::vector<int32_t> columns;
  for (int32_t x = 0; x < destinationWidth; ++x) {
    const uint32_t v = destination->Row(0)[x];
    columns.push_back(v == 0 ? -1 : static_cast<int32_t>(v & 0xFFF));
  }
  return columns;
}

TEST(Bmp32Draw, ScaledDrawSamplesThePartlyCoveredLastColumn) {
  const struct {
    int32_t sourceWidth;
    SRectD dst, src;
    std::vector<int32_t> columns;
  } cases[] = {
      // Source right edge 3.49: pixel 3 is 99% inside.
      {4, {-0.5, -0.5, 7.5, 0.5}, {-0.5, -0.5, 3.49, 0.5}, {0, 0, 1, 1, 2, 2, 3, 3}},
      // Clipped at 7.5 the source ends at 3.3; pixel 7 starts at 210 / 64.
      {5, {-0.1, -0.5, 9.9, 0.5}, {-0.5, -0.5, 4.5, 0.5}, {0, 0, 0, 1, 1, 2, 2, 3}},
  };
  for (const auto& c : cases) EXPECT_EQ(ColumnsDrawn(c.sourceWidth, 8, c.dst, c.src), c.columns);
}

// The clip of one rectangle of a pair against bounds, from the rule: each
// side of a outside the bounds, in the order left, top, right, bottom, moves
// onto the bound, and the same side of b moves towards its opposite side by
// the same fraction of b's extent.
bool OracleClip(SRectD& a, SRectD& b, const SRectD& bounds) {
  struct SSide {
    double& aSide;
    double& aOpposite;
    double& bSide;
    double& bOpposite;
    double bound;
    bool outside;
  } sides[] = {
      {a.left, a.right, b.left, b.right, bounds.left, a.left < bounds.left},
      {a.top, a.bottom, b.top, b.bottom, bounds.top, a.top < bounds.top},
      {a.right, a.left, b.right, b.left, bounds.right, a.right > bounds.right},
      {a.bottom, a.top, b.bottom, b.top, bounds.bottom, a.bottom > bounds.bottom},
  };
  for (int i = 0; i < 4; ++i) {
    SSide& s = sides[i];
    const bool low = i < 2;
    if (!(low ? s.aSide < s.bound : s.aSide > s.bound)) continue;
    const double extent = low ? s.aOpposite - s.aSide : s.aSide - s.aOpposite;
    if (extent <= 0) return false;
    const double f = (low ? s.bound - s.aSide : s.aSide - s.bound) / extent;
    if (f >= 1) return false;
    const double bExtent = low ? s.bOpposite - s.bSide : s.bSide - s.bOpposite;
    s.aSide = s.bound;
    s.bSide += low ? f * bExtent : -(f * bExtent);
  }
  return true;
}

int64_t OracleRound(double v) { return static_cast<int64_t>(std::floor(v + 0.5)); }

// The pixels that the interval lo .. hi touches: the one holding lo to the
// one holding the last point before hi.
int64_t FirstTouched(double lo) { return static_cast<int64_t>(std::floor(lo + 0.5)); }
int64_t LastTouched(double hi) { return static_cast<int64_t>(std::ceil(hi - 0.5)); }

// Mode 0 drawn step by step from the rule: clip both ways, round, copy at
// equal integer sizes, else sample with the fixed-point accumulators. When a
// sliver of source (under a pixel) is stretched far, the rounded steps can
// pass the source rectangle's edge by one pixel; such an index is held at
// the last pixel the rectangle touches. Wider rectangles are never left.
void OracleDraw(const CBmp32& source, CBmp32& destination, SRectD dst, SRectD src) {
  const SRectD sourceBounds = {-0.5, -0.5, source.Width() - 0.5, source.Height() - 0.5};
  const SRectD destinationBounds = {-0.5, -0.5, destination.Width() - 0.5,
                                    destination.Height() - 0.5};
  if (!OracleClip(src, dst, sourceBounds) || !OracleClip(dst, src, destinationBounds)) return;
  const int64_t dl = OracleRound(dst.left), dt = OracleRound(dst.top), dr = OracleRound(dst.right),
                db = OracleRound(dst.bottom);
  const int64_t sl = OracleRound(src.left), st = OracleRound(src.top), sr = OracleRound(src.right),
                sb = OracleRound(src.bottom);
  if (src.left >= src.right || src.top >= src.bottom) return;
  if (dr - dl == sr - sl && db - dt == sb - st) {
    for (int64_t y = dt; y < db; ++y)
      for (int64_t x = dl; x < dr; ++x)
        destination.Row(int32_t(y))[x] = source.Row(int32_t(st + y - dt))[sl + x - dl];
    return;
  }
  const uint64_t dw = uint64_t(dr - dl), dh = uint64_t(db - dt);
  const uint64_t xStep = uint64_t(OracleRound(double(dw) * (src.right - src.left)));
  const uint64_t yStep = uint64_t(OracleRound(double(dh) * (src.bottom - src.top)));
  const uint64_t xStart = uint64_t(OracleRound((src.left + 0.5) * double(dw * dw)));
  uint64_t yAccumulator = uint64_t(OracleRound((src.top + 0.5) * double(dh * dh)));
  auto hold = [&](uint64_t index, double lo, double hi) {
    const int64_t i = std::clamp(static_cast<int64_t>(index), FirstTouched(lo), LastTouched(hi));
    if (i != static_cast<int64_t>(index))
      EXPECT_LT(hi - lo, 1.0) << "the steps leave the source rectangle";
    return i;
  };
  for (int64_t y = dt; y < db; ++y, yAccumulator += yStep) {
    const int64_t row = hold(yAccumulator / (dh * dh), src.top, src.bottom);
    uint64_t xAccumulator = xStart;
    for (int64_t x = dl; x < dr; ++x, xAccumulator += xStep)
      destination.Row(int32_t(y))[x] =
          source.Row(int32_t(row))[hold(xAccumulator / (dw * dw), src.left, src.right)];
  }
}

TEST(Bmp32Draw, RandomDrawsFollowTheSteps) {
  std::mt19937 random(20261211);
  auto uniform = [&](double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(random);
  };
  auto size = [&](int32_t hi) { return std::uniform_int_distribution<int32_t>(1, hi)(random); };
  for (int draw = 0; draw < 30000; ++draw) {
    auto source = MakeTagged(size(12), size(12));
    const int32_t w = size(24), h = size(24);
    auto drawn = MakeFilled(w, h, 0);
    auto expected = MakeFilled(w, h, 0);
    auto rect = [&](int32_t width, int32_t height) {
      const double left = uniform(-3, width + 1), top = uniform(-3, height + 1);
      return SRectD{left, top, left + uniform(0.2, width + 4), top + uniform(0.2, height + 4)};
    };
    const SRectD dst = rect(w, h), src = rect(source->Width(), source->Height());
    OracleDraw(*source, *expected, dst, src);
    source->Draw(*drawn, dst, src, bmCopy);
    for (int64_t i = 0; i < drawn->PixelCount(); ++i)
      ASSERT_EQ(drawn->GetBits()[i], expected->GetBits()[i])
          << "draw " << draw << " pixel " << i << " dst " << dst.left << "," << dst.top << ","
          << dst.right << "," << dst.bottom << " src " << src.left << "," << src.top << ","
          << src.right << "," << src.bottom;
  }
}

TEST(Bmp32Draw, HostileRectanglesDrawNothing) {
  auto source = MakeFilled(4, 4, 0xFFFFFFFF);
  auto destination = MakeFilled(4, 4, 0);
  const double inf = std::numeric_limits<double>::infinity();
  const SRectD bad[] = {{kNaN, 0, 3, 3},  {0, 0, inf, 3},       {-inf, -inf, inf, inf}, {3, 0, 0, 3},
                        {1, 1, 1, 2},     {100, 100, 200, 200}, {-1e300, 0, 1e300, 3}, {0, 0, 1e308, 1.7e308}};
  for (const SRectD& r : bad) {
    source->Draw(*destination, r, source->PixBounds(), bmCopy);
    source->Draw(*destination, destination->PixBounds(), r, bmCopy);
  }
  for (int i = 0; i < 16; ++i) EXPECT_EQ(destination->GetBits()[i], 0u) << i;
}

void Transform(CBmp32& source, CBmp32& destination, const SRectI& r, const SPointD (&q)[4], int32_t mode = bmCopy) {
  source.DrawTransform(&destination, r.left, r.top, r.right, r.bottom, q[0].x, q[0].y, q[1].x, q[1].y, q[2].x,
                       q[2].y, q[3].x, q[3].y, mode);
}

TEST(Bmp32DrawTransform, ShiftedCornersCopyShifted) {
  auto source = MakeTagged(8, 8);
  auto destination = MakeFilled(16, 16, 0);
  const SPointD q[4] = {{2.5, 3.5}, {10.5, 3.5}, {10.5, 11.5}, {2.5, 11.5}};
  Transform(*source, *destination, {0, 0, 8, 8}, q);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const bool inside = x >= 3 && x < 11 && y >= 4 && y < 12;
      ASSERT_EQ(destination->Row(y)[x], inside ? Tag(x - 3, y - 4) : 0u) << x << "," << y;
    }
}

TEST(Bmp32DrawTransform, EnlargingTakesTheNearestPixel) {
  auto source = MakeTagged(2, 2);
  auto destination = MakeFilled(4, 4, 0);
  const SPointD q[4] = {{-0.5, -0.5}, {3.5, -0.5}, {3.5, 3.5}, {-0.5, 3.5}};
  Transform(*source, *destination, {0, 0, 2, 2}, q);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(destination->Row(y)[x], Tag(x / 2, y / 2)) << x << "," << y;
}

TEST(Bmp32DrawTransform, BlendModesThrowInsideAndNotThroughTheSlot) {
  auto source = MakeFilled(2, 2, 0xFFFFFFFF);
  auto destination = MakeFilled(2, 2, 0);
  const SPointD q[4] = {{-0.5, -0.5}, {1.5, -0.5}, {1.5, 1.5}, {-0.5, 1.5}};
  try {
    source->Transform(*destination, {0, 0, 2, 2}, q, bmBlend);
    FAIL() << "no exception";
  } catch (const char* message) {
    EXPECT_STREQ(message, "CBmp32::DrawTransform, bmBlend not yet implemented");
  }
  EXPECT_THROW(source->Transform(*destination, {0, 0, 2, 2}, q, bmBlendDisabled), const char*);
  for (int32_t mode : {int32_t{bmBlend}, int32_t{bmBlendDisabled}, int32_t{bmBlendAlpha}, 7}) Transform(*source, *destination, {0, 0, 2, 2}, q, mode);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(destination->GetBits()[i], 0u);
  Transform(*source, *destination, {0, 0, 2, 2}, q, bmTransparent);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(destination->GetBits()[i], 0xFFFFFFFFu);
}

TEST(Bmp32DrawTransform, SourceRectangleLargerThanTheBitmapReadsOnlyTheBitmap) {
  auto source = MakeTagged(4, 4);
  auto destination = MakeFilled(30, 30, 0);
  // (-5, -5, 20, 20) lands on (-0.5, -0.5) .. (24.5, 24.5): pixel (x, y) <- (x - 5, y - 5).
  const SPointD q[4] = {{-0.5, -0.5}, {24.5, -0.5}, {24.5, 24.5}, {-0.5, 24.5}};
  Transform(*source, *destination, {-5, -5, 20, 20}, q);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) {
      const bool inside = x >= 5 && x < 9 && y >= 5 && y < 9;
      ASSERT_EQ(destination->Row(y)[x], inside ? Tag(x - 5, y - 5) : 0u) << x << "," << y;
    }
}

int CountNonZero(const CBmp32& bmp) {
  int n = 0;
  for (int64_t i = 0; i < bmp.PixelCount(); ++i) n += bmp.Pixels()[i] != 0;
  return n;
}

TEST(Bmp32DrawTransform, DegenerateQuadrilateralsDrawNothing) {
  auto source = MakeFilled(4, 4, 0xFFFFFFFF);
  auto destination = MakeFilled(12, 12, 0);
  const SPointD cases[][4] = {
      {{0, 0}, {10, 0}, {10, 0}, {0, 0}},           // no height
      {{0, 0}, {5, 5}, {10, 10}, {2, 2}},           // collinear
      {{kNaN, 0}, {10, 0}, {10, 10}, {0, 10}},      // not a number
      {{0, 0}, {1e300, 0}, {1e300, 1e300}, {0, 1e300}},
  };
  for (const auto& q : cases) Transform(*source, *destination, {0, 0, 4, 4}, q);
  Transform(*source, *destination, {2, 2, 2, 4}, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});  // empty source
  EXPECT_EQ(CountNonZero(*destination), 0);
}

TEST(Bmp32DrawTransform, ProjectiveQuadrilateralWithoutDivisionByZero) {
  auto source = MakeFilled(4, 4, 0xFFFFFFFF);
  auto destination = MakeFilled(12, 12, 0);
  Transform(*source, *destination, {0, 0, 4, 4}, {{0, 0}, {10, 0}, {10, 10}, {1, 2}});
  EXPECT_GT(CountNonZero(*destination), 20);
  EXPECT_EQ(destination->Row(9)[9], 0xFFFFFFFFu);  // near the far corner, inside
  EXPECT_EQ(destination->Row(8)[1], 0u);           // outside, left of the edge (1, 2)-(10, 10)
}

TEST(Bmp32DrawTransform, StrongReductionIsNotSingular) {
  auto source = MakeFilled(1000, 1000, 0xFF00FF00);
  auto destination = MakeFilled(3, 3, 0);
  Transform(*source, *destination, {0, 0, 1000, 1000}, {{0.5, 0.5}, {1.5, 0.5}, {1.5, 1.5}, {0.5, 1.5}});
  EXPECT_EQ(destination->Row(1)[1], 0xFF00FF00u);
  EXPECT_EQ(CountNonZero(*destination), 1);
}

}  // namespace

namespace {

// A move of a rectangle inside one bitmap by (dx, dy) whole pixels.
struct SMoveCase {
  SRectD source;
  int32_t dx, dy, mode;
  const char* what;
};

TEST(Bmp32Draw, OverlappingCopyWithinOneBitmap) {
  const SMoveCase cases[] = {
      {{-0.5, -0.5, 3.5, 3.5}, 0, 2, bmCopy, "rows 0..3 to 2..5"},
      {{-0.5, -0.5, 3.5, 0.5}, 2, 0, bmTransparent, "right within a row"},
      {{1.5, -0.5, 5.5, 5.5}, -2, 0, bmTransparent, "left"},
      {{-0.5, 2.5, 5.5, 5.5}, 0, -2, bmCopy, "up"},
      {{-0.5, -0.5, 3.5, 3.5}, 1, 1, bmTransparent, "down and right"},
      {{0.5, 0.5, 5.5, 5.5}, -1, -1, bmCopy, "up and left"},
      {{0.5, -0.5, 4.5, 5.5}, 1, -1, bmTransparent, "up and right"},
  };
  for (const SMoveCase& c : cases) {
    auto bmp = MakeTagged(6, 6);
    const SRectD& s = c.source;
    bmp->Draw(*bmp, SRectD{s.left + c.dx, s.top + c.dy, s.right + c.dx, s.bottom + c.dy}, s,
              c.mode);
    // Opaque pixels: both modes put the source pixel in place.
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 6; ++x) {
        const bool moved =
            x - c.dx > s.left && x - c.dx < s.right && y - c.dy > s.top && y - c.dy < s.bottom;
        EXPECT_EQ(bmp->Row(y)[x], moved ? Tag(x - c.dx, y - c.dy) : Tag(x, y))
            << c.what << ": " << x << "," << y;
      }
  }
}

// Pixels of every alpha, so that each mode mixes differently.
std::unique_ptr<CBmp32> MakeMixed(int32_t width, int32_t height) {
  auto bmp = MakeFilled(width, height, 0);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x)
      bmp->Row(y)[x] = uint32_t((x * 97 + y * 53) % 256) << 24 | uint32_t(x * 30) << 16 |
                       uint32_t(y * 30) << 8 | 0x55;
  return bmp;
}

// Drawing inside one bitmap gives what drawing from a separate copy gives,
// in every mode, at equal size, scaled and through the projective copy.
TEST(Bmp32Draw, DrawingInsideOneBitmapReadsTheSourceAsItWas) {
  struct SCase {
    SRectD dst, src;
  } const cases[] = {
      {{0.5, -0.5, 6.5, 5.5}, {-0.5, -0.5, 5.5, 5.5}},  // right by one
      {{-0.5, 0.5, 5.5, 6.5}, {-0.5, -0.5, 5.5, 5.5}},  // down by one
      {{1.5, 1.5, 7.5, 7.5}, {-0.5, -0.5, 2.5, 2.5}},   // enlarged over itself
      {{-0.5, -0.5, 2.5, 2.5}, {0.5, 0.5, 6.5, 6.5}},   // reduced over itself
      {{-0.5, 2.5, 3.5, 7.5}, {-0.5, -0.5, 7.5, 7.5}},  // reduced downwards
  };
  for (int32_t mode = bmCopy; mode <= bmBlendAlpha; ++mode)
    for (const SCase& c : cases) {
      auto bmp = MakeMixed(8, 8);
      auto expected = MakeMixed(8, 8);
      MakeMixed(8, 8)->Draw(*expected, c.dst, c.src, mode);
      bmp->Draw(*bmp, c.dst, c.src, mode);
      for (int i = 0; i < 64; ++i)
        ASSERT_EQ(bmp->GetBits()[i], expected->GetBits()[i]) << "mode " << mode << " pixel " << i;
    }
  for (int32_t mode : {int32_t{bmCopy}, int32_t{bmTransparent}}) {
    const SPointD q[4] = {{1.5, 0.5}, {7.5, 1.5}, {6.5, 7.5}, {0.5, 6.5}};
    auto bmp = MakeMixed(8, 8);
    auto expected = MakeMixed(8, 8);
    Transform(*MakeMixed(8, 8), *expected, {0, 0, 6, 6}, q, mode);
    Transform(*bmp, *bmp, {0, 0, 6, 6}, q, mode);
    for (int i = 0; i < 64; ++i)
      ASSERT_EQ(bmp->GetBits()[i], expected->GetBits()[i])
          << "transform mode " << mode << " pixel " << i;
  }
}

}  // namespace
