#include <gtest/gtest.h>

#include <cmath>

#include "lib/geodesy/GreatCircle.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;

TEST(GreatCircle, DistancesOnTheSphere) {
  struct {
    SGeo2D a, b;
    double metres;
  } cases[] = {
      {{0, 0}, {1 * kDeg, 0}, 111132.0948},
      {{0, 0}, {90 * kDeg, 0}, 10001888.5312},
      {{0.3, 0.2}, {-0.3, 0.2 + kPi}, 20003777.0625},  // antipodes
      {{0.3, 0.2}, {0.3, 0.2}, 0.0},
      {{0, 0}, {0, 500 / 6367400.0}, 500.0},  // chord branch
  };
  for (const auto& c : cases) EXPECT_NEAR(DistAlongGreatCircle(c.a, c.b), c.metres, 1e-4);
}

TEST(GreatCircle, NearAntipodesUseTheArcCosine) {
  // A dot product of -0.999999999: about 20003 km, never the chord of the
  // near branch.
  const double angle = std::acos(-0.999999999);
  const double d = DistAlongGreatCircle({0, 0}, {0, angle});
  EXPECT_NEAR(d, 6367400.0 * angle, 1e-3);
  EXPECT_GT(d, 20000000.0);
}

TEST(GreatCircle, UnitVectors) {
  SPoint3D u;
  GeoToGreatCirclePoint(u, {90 * kDeg, 0});
  EXPECT_NEAR(u.x, 0, 1e-15);
  EXPECT_NEAR(u.z, 1, 1e-15);
  GeoToGreatCirclePoint(u, {0, 90 * kDeg});  // unmirrored: east is +y
  EXPECT_NEAR(u.y, 1, 1e-15);
  const SPoint3D a{1, 0, 0}, b{0, 1, 0}, minusA{-1, 0, 0};
  EXPECT_NEAR(DistAlongGreatCircle1(a, b), 10001888.5312, 1e-4);
  EXPECT_EQ(DistAlongGreatCircle1(a, a), 0.0);
  EXPECT_EQ(DistAlongGreatCircle1(a, minusA), 20003777.06246765);
  // Very close vectors go through the arc cosine here too.
  const SPoint3D close{std::cos(1e-5), std::sin(1e-5), 0};
  EXPECT_NEAR(DistAlongGreatCircle1(a, close), 6367400.0 * std::acos(std::cos(1e-5)), 1e-9);
}

}  // namespace
