// Label spots worked out by hand for a 9 x 7 icon at (100, 50) (half sizes 4
// and 3, centre (104, 53)), a 13-pixel name font and an 11-pixel comment font.
#include "lib/waypoints/WaypointLayout.h"

#include <gtest/gtest.h>

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;

struct Spot {
  int32_t x, y, align;
};

struct Case {
  int32_t code;
  Spot name, comment, alone;
} const kCases[] = {
    {0, {100, 37, 8}, {100, 50, 8}, {100, 50, 8}}, {1, {100, 53, 8}, {100, 53, 6}, {100, 47, 6}},
    {2, {100, 56, 6}, {100, 71, 6}, {100, 56, 6}}, {3, {104, 37, 5}, {104, 50, 5}, {104, 50, 5}},
    {4, {104, 53, 5}, {104, 53, 3}, {104, 47, 3}}, {5, {104, 56, 3}, {104, 71, 3}, {104, 56, 3}},
    {6, {108, 37, 2}, {108, 50, 2}, {108, 50, 2}}, {7, {108, 53, 2}, {108, 53, 0}, {108, 47, 0}},
    {8, {108, 56, 0}, {108, 71, 0}, {108, 56, 0}},
};

void ExpectSpot(const SLabelSpot& got, const Spot& want, int32_t code) {
  EXPECT_EQ(got.x, want.x) << code;
  EXPECT_EQ(got.y, want.y) << code;
  EXPECT_EQ(got.align, want.align) << code;
}

TEST(WaypointLayout, NinePlacementsWithAndWithoutComment) {
  for (const Case& c : kCases) {
    SLabelSpot name{}, comment{};
    ASSERT_EQ(LayoutWaypointLabel(c.code, 100, 50, 9, 7, 13, 11, true, &name, &comment), 2);
    ExpectSpot(name, c.name, c.code);
    ExpectSpot(comment, c.comment, c.code);
    ASSERT_EQ(LayoutWaypointLabel(c.code, 100, 50, 9, 7, 13, 11, false, &name, &comment), 1);
    ExpectSpot(name, c.alone, c.code);
  }
}

TEST(WaypointLayout, OtherCodesHaveNoLabel) {
  SLabelSpot name{}, comment{};
  for (int32_t code : {-1, 9, 100})
    EXPECT_EQ(LayoutWaypointLabel(code, 0, 0, 8, 8, 10, 10, true, &name, &comment), 0);
}

TEST(WaypointLayout, ReachDistanceIsFlatEarthTheShortWayRound) {
  EXPECT_NEAR(WaypointReachDistance({0, 0}, {0, 1 * kDeg}), 111132.0948, 1e-4);
  EXPECT_NEAR(WaypointReachDistance({0, 179 * kDeg}, {0, -179 * kDeg}), 222264.1896, 1e-4);
  EXPECT_NEAR(WaypointReachDistance({60 * kDeg, 0}, {60 * kDeg, 1 * kDeg}), 55566.0474, 1e-4);
  EXPECT_NEAR(WaypointReachDistance({1 * kDeg, 5 * kDeg}, {0, 5 * kDeg}), 111132.0948, 1e-4);
}

}  // namespace
