#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "lib/geodesy/Angles.h"

namespace {
const double kPi = 3.14159265358979323846;
}

TEST(AnglesTest, FoldedAnglesLieInHalfOpenRange) {
  EXPECT_EQ(VectorAngleD({-1, 0}), -kPi);
  EXPECT_EQ(VectorAngleF({-1, 0}), -3.1415927f);
  EXPECT_DOUBLE_EQ(VectorAngleD({0, 1}), kPi / 2);
  EXPECT_DOUBLE_EQ(AngleFromXYD(-1, -1), -3 * kPi / 4);
}

TEST(AnglesTest, SinCosGivesSineFirst) {
  double s, c;
  SinCos(s, c, kPi / 6);
  EXPECT_DOUBLE_EQ(s, 0.5);
  float sf, cf;
  SinCosF(sf, cf, 0);
  EXPECT_EQ(sf, 0);
  EXPECT_EQ(cf, 1);
}

TEST(AnglesTest, NormaliseByWholeTurns) {
  struct Case {
    double in, base, out;
    int32_t turns;
  };
  const Case cases[] = {
      {7.0, 0, 7.0 - 2 * kPi, 1},
      {-0.1, 0, 2 * kPi - 0.1, -1},
      {0, 0, 0, 0},
      {2 * kPi, 0, 0, 1},
      {kPi, -kPi, -kPi, 1},
      {-7.0, 0, -7.0 + 4 * kPi, -2},
      {100.0, -kPi, 100.0 - 32 * kPi, 16},
  };
  for (const Case& c : cases) {
    double angle = c.in;
    int32_t turns = 99;
    AngleNormaliseCountD(angle, turns, c.base);
    EXPECT_NEAR(angle, c.out, 1e-12) << c.in;
    EXPECT_EQ(turns, c.turns) << c.in;
    EXPECT_GE(angle, c.base);
    EXPECT_LT(angle, c.base + 2 * kPi);
  }
  float f = 7.0f;
  AngleNormaliseF(f, 0);
  EXPECT_FLOAT_EQ(f, 7.0f - 6.2831855f);
}

TEST(AnglesTest, NormaliseLeavesNonFiniteAnglesAndReducesHugeOnes) {
  for (double bad : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN()}) {
    double angle = bad;
    int32_t turns = 5;
    AngleNormaliseCountD(angle, turns, 0);
    EXPECT_TRUE(std::isnan(bad) ? std::isnan(angle) : angle == bad);
    EXPECT_EQ(turns, 0);
  }
  double huge = 1e300;
  AngleNormaliseD(huge, 0);
  EXPECT_GE(huge, 0);
  EXPECT_LT(huge, 2 * kPi);
  float hugeF = -3e38f;
  AngleNormaliseF(hugeF, -3.1415927f);
  EXPECT_GE(hugeF, -3.1415927f);
  EXPECT_LT(hugeF, 3.1415927f);
}

TEST(AnglesTest, AngleBlendDWeighsTheFirstAngle) {
  EXPECT_NEAR(AngleBlendD(0.2, 0.2, 1, 2), 0.2, 1e-15);
  // Weight 0.5 halves the angle between 0 and 90 degrees.
  EXPECT_NEAR(AngleBlendD(0, kPi / 2, 1, 2), kPi / 4, 1e-15);
  // The weight is capped at 0.9.
  const double capped = AngleBlendD(0, kPi / 2, 5, 1);
  EXPECT_NEAR(capped, std::atan2(0.1, 0.9), 1e-15);
  // Across the +-pi seam the blend stays near pi.
  EXPECT_NEAR(std::fabs(AngleBlendD(kPi - 0.1, -kPi + 0.1, 1, 2)), kPi, 1e-12);
}
