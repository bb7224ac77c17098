// CBmp32::Draw and CBmp32::DrawTransform: hand values and the edge cases.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
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

TEST(Bmp32Draw, OverlappingCopyWithinOneBitmap) {
  auto bmp = MakeTagged(4, 6);
  bmp->Draw(*bmp, SRectD{-0.5, 1.5, 3.5, 5.5}, SRectD{-0.5, -0.5, 3.5, 3.5}, bmCopy);  // rows 0..3 to 2..5
  for (int y = 2; y < 6; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(bmp->Row(y)[x], Tag(x, y - 2)) << x << "," << y;
}

}  // namespace
