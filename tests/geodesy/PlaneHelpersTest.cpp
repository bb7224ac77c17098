#include <gtest/gtest.h>

#include "lib/geodesy/PlaneHelpers.h"

TEST(PlaneHelpersTest, ScaleBarStepTable) {
  struct Case {
    double mantissa, step;
    int32_t segments;
  };
  const Case cases[] = {{1.2, 1.5, 3}, {1.5, 1.5, 3}, {1.51, 2, 4}, {3, 3, 3},     {3.5, 4, 4},
                        {5, 5, 5},     {5.5, 6, 3},   {8, 8, 4},    {8.01, 10, 5}, {10, 10, 5}};
  for (const Case& c : cases) {
    int32_t segments = 0;
    EXPECT_DOUBLE_EQ(ScaleBarStep(c.mantissa, c.mantissa * 100, segments), c.step * 100) << c.mantissa;
    EXPECT_EQ(segments, c.segments) << c.mantissa;
  }
}

TEST(PlaneHelpersTest, WeightedBlendCapsTheWeight) {
  EXPECT_DOUBLE_EQ(WeightedBlend(10, 20, 1, 4), 17.5);
  EXPECT_DOUBLE_EQ(WeightedBlend(10, 20, 3, 1), 11);
}

TEST(PlaneHelpersTest, DivModAndFloatWrappers) {
  uint16_t q16, r16;
  DivMod16(70000, 300, q16, r16);
  EXPECT_EQ(q16, 233);
  EXPECT_EQ(r16, 100);
  uint32_t q, r;
  DivMod32(4000000000u, 7, q, r);
  EXPECT_EQ(q, 571428571u);
  EXPECT_EQ(r, 3u);
  EXPECT_EQ(SqrtF(6.25f), 2.5f);
  EXPECT_EQ(CeilF(-1.5f), -1.0f);
  EXPECT_EQ(CeilToIntF(1.2f), 2);
  EXPECT_EQ(FloorToIntF(-1.2f), -2);
  EXPECT_EQ(FloatToDouble(0.5f), 0.5);
}
