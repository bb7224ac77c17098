#include <gtest/gtest.h>

#include <cmath>

#include "lib/geodesy/Lines.h"

TEST(LinesTest, LineIntersectFindsCrossingInEveryPivotBranch) {
  struct Case {
    SPointD a, b, c, d, expected;
  };
  const Case cases[] = {
      {{0, 0}, {4, 1}, {1, -3}, {2, 5}, {44.0 / 31, 11.0 / 31}},  // |d1.y| <= |d1.x|
      {{0, 0}, {1, 4}, {-3, 1}, {5, 2}, {11.0 / 31, 44.0 / 31}},  // steep, flat
      {{0, 0}, {1, 4}, {2, 0}, {1, 3}, {6.0 / 7, 24.0 / 7}},      // steep, steep
  };
  for (const Case& c : cases) {
    SPointD x{};
    ASSERT_TRUE(LineIntersectD(c.a, c.b, c.c, c.d, x));
    EXPECT_NEAR(x.x, c.expected.x, 1e-12);
    EXPECT_NEAR(x.y, c.expected.y, 1e-12);
    SPointF xf{};
    ASSERT_TRUE(LineIntersectF({float(c.a.x), float(c.a.y)}, {float(c.b.x), float(c.b.y)}, {float(c.c.x), float(c.c.y)},
                               {float(c.d.x), float(c.d.y)}, xf));
    EXPECT_NEAR(xf.x, c.expected.x, 1e-5);
    EXPECT_NEAR(xf.y, c.expected.y, 1e-5);
  }
}

TEST(LinesTest, LineIntersectRefusesParallelAndZeroLengthLines) {
  SPointD x{7, 8};
  EXPECT_FALSE(LineIntersectD({0, 0}, {1, 1}, {0, 1}, {2, 3}, x));
  EXPECT_FALSE(LineIntersectD({1, 1}, {1, 1}, {0, 1}, {2, 3}, x));  // zero-length first segment
  EXPECT_FALSE(LineIntersectD({0, 0}, {1, 3}, {5, 5}, {5, 5}, x));  // zero-length second segment
  EXPECT_EQ(x.x, 7);
  EXPECT_EQ(x.y, 8);
}

TEST(LinesTest, SegmentIntersectNeedsThePointOnBothSegments) {
  SPointD x;
  EXPECT_TRUE(SegmentIntersectD({0, 0}, {2, 2}, {0, 2}, {2, 0}, x));
  EXPECT_DOUBLE_EQ(x.x, 1);
  EXPECT_TRUE(SegmentIntersectD({0, 0}, {2, 0}, {2, 0}, {3, 5}, x));  // shared end point counts
  EXPECT_FALSE(SegmentIntersectD({0, 0}, {1, 1}, {0, 4}, {4, 0}, x));
}

TEST(LinesTest, PointSideOfLineSignAndTolerance) {
  // +1 when (b - a) x (p - a) < 0, that is p right of a -> b in a y-up frame.
  struct Case {
    SPointD a, b, p;
    double tol;
    int expected;
  };
  const Case cases[] = {
      {{0, 0}, {10, 1}, {5, -3}, 0, +1}, {{0, 0}, {10, 1}, {5, 3}, 0, -1},     {{10, 1}, {0, 0}, {5, -3}, 0, -1},
      {{0, 0}, {1, 10}, {3, 5}, 0, +1},  {{0, 0}, {1, 10}, {-3, 5}, 0, -1},    {{1, 10}, {0, 0}, {3, 5}, 0, -1},
      {{0, 0}, {10, 10}, {5, 5}, 0, 0},  {{0, 0}, {10, 0}, {5, 0.05}, 0.1, 0}, {{0, 0}, {10, 0}, {5, 0.2}, 0.1, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PointSideOfLineD(c.a, c.b, c.p, c.tol), c.expected) << c.p.x << "," << c.p.y;
    EXPECT_EQ(PointSideOfLineF({float(c.a.x), float(c.a.y)}, {float(c.b.x), float(c.b.y)}, {float(c.p.x), float(c.p.y)},
                               float(c.tol)),
              c.expected);
  }
}

TEST(LinesTest, PointToSegmentDistanceFootOrNearerEnd) {
  double t;
  EXPECT_DOUBLE_EQ(PointToSegmentDistanceD({1, 2}, {0, 0}, {4, 0}, t), 2);
  EXPECT_DOUBLE_EQ(t, 0.25);
  EXPECT_DOUBLE_EQ(PointToSegmentDistanceD({-3, 4}, {0, 0}, {4, 0}, t), 5);
  EXPECT_EQ(t, 0);
  EXPECT_DOUBLE_EQ(PointToSegmentDistanceD({7, -4}, {0, 0}, {4, 0}, t), 5);
  EXPECT_EQ(t, 1);
  EXPECT_DOUBLE_EQ(PointToSegmentDistanceD({3, 4}, {0, 0}, {0, 0}, t), 5);  // degenerate segment
  EXPECT_EQ(t, 0);
}

TEST(LinesTest, DistancesLengthsAndNormalisation) {
  EXPECT_DOUBLE_EQ(PointDistanceD({1, 1}, {4, 5}), 5);
  EXPECT_FLOAT_EQ(PointDistance3F({0, 0, 0}, {2, 3, 6}), 7);
  EXPECT_DOUBLE_EQ(Vector3Length({2, 3, 6}), 7);
  EXPECT_DOUBLE_EQ(Vector2LengthXY(3, 4), 5);
  SPointF n;
  Vector2NormaliseF(n, {3, 4});
  EXPECT_FLOAT_EQ(n.x, 0.6f);
  double s, c;
  Vector2NormaliseXY(3, 4, s, c);
  EXPECT_DOUBLE_EQ(s, 0.8);
  EXPECT_DOUBLE_EQ(c, 0.6);
  EXPECT_TRUE(Point3DEqual({1, 2, 3}, {1, 2, 3}));
  EXPECT_FALSE(Point3DEqual({1, 2, 3}, {1, 2, 4}));
}

TEST(LinesTest, RotatePointAboutCentre) {
  SPointD out;
  RotatePointD(out, {3, 1}, {1, 1}, 1, 0);  // a quarter turn
  EXPECT_DOUBLE_EQ(out.x, 1);
  EXPECT_DOUBLE_EQ(out.y, 3);
  out = {3, 1};
  RotatePointD(out, out, {1, 1}, 0, -1);  // half turn, in place
  EXPECT_DOUBLE_EQ(out.x, -1);
  EXPECT_DOUBLE_EQ(out.y, 1);
}

TEST(LinesTest, TriangleAreaIsUnsigned) {
  EXPECT_DOUBLE_EQ(TriangleArea({0, 0}, {4, 0}, {0, 3}), 6);
  EXPECT_DOUBLE_EQ(TriangleArea({0, 0}, {0, 3}, {4, 0}), 6);
}

TEST(LinesTest, AxisEdgeIsReversedComparesExtentsAlongTheAxis) {
  EXPECT_TRUE(AxisEdgeIsReversedI({0, 0}, {0, 5}, {3, 5}, {3, 0}));   // vertical, other column
  EXPECT_FALSE(AxisEdgeIsReversedI({0, 0}, {0, 5}, {3, 0}, {3, 5}));  // same direction
  EXPECT_TRUE(AxisEdgeIsReversedD({1, 2}, {4, 2}, {4, 7}, {1, 7}));   // horizontal
  EXPECT_FALSE(AxisEdgeIsReversedF({1, 2}, {4, 2}, {4, 7}, {1, 8}));
}
