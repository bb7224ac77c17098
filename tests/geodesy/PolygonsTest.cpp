#include <gtest/gtest.h>

#include <vector>

#include "lib/geodesy/Polygons.h"

namespace {

std::vector<SPolyLineD> Polygon(std::initializer_list<SPointD> vertices) {
  std::vector<SPolyLineD> records;
  for (const SPointD& v : vertices) records.push_back(SPolyLineD{v.x, v.y, 0, 0, 0, 0, 0, 0, 0});
  PolygonEdgeTableD(records.data(), static_cast<int32_t>(records.size()));
  return records;
}

bool Inside(const std::vector<SPolyLineD>& polygon, SPointD p) {
  return PointInPolygonD(p, polygon.data(), static_cast<int32_t>(polygon.size()));
}

}  // namespace

TEST(PolygonsTest, EdgeTableHoldsBoxSlopeAndFlags) {
  const auto p = Polygon({{0, 0}, {4, 2}, {4, 6}, {0, 6}});
  EXPECT_EQ(p[0].minX, 0);
  EXPECT_EQ(p[0].maxY, 2);
  EXPECT_EQ(p[0].invSlope, 2);
  EXPECT_FALSE(p[0].horizontal);
  EXPECT_TRUE(p[1].vertical);
  EXPECT_TRUE(p[2].horizontal);
  EXPECT_EQ(p[2].invSlope, 0);
  EXPECT_EQ(p[3].maxY, 6);  // closing edge back to vertex 0
}

TEST(PolygonsTest, PointInPolygonWithHalfOpenEdges) {
  const auto diamond = Polygon({{0, -1}, {1, 0}, {0, 1}, {-1, 0}});
  EXPECT_TRUE(Inside(diamond, {0.5, 0}));  // a vertex at the point's height counts once
  EXPECT_TRUE(Inside(diamond, {-0.5, 0}));
  EXPECT_TRUE(Inside(diamond, {0, 0.5}));
  EXPECT_FALSE(Inside(diamond, {1.5, 0}));
  EXPECT_FALSE(Inside(diamond, {-1.5, 0}));
  EXPECT_FALSE(Inside(diamond, {0.6, 0.6}));

  const auto square = Polygon({{0, 0}, {4, 0}, {4, 4}, {0, 4}});
  EXPECT_TRUE(Inside(square, {2, 0}));  // on a horizontal edge
  EXPECT_TRUE(Inside(square, {2, 4}));
  EXPECT_TRUE(Inside(square, {0, 2}));  // on either vertical edge
  EXPECT_TRUE(Inside(square, {4, 2}));
  EXPECT_TRUE(Inside(square, {4, 4}));  // a corner
  EXPECT_FALSE(Inside(square, {5, 2}));

  // Concave: the notch of a "U".
  const auto u = Polygon({{0, 0}, {6, 0}, {6, 6}, {4, 6}, {4, 2}, {2, 2}, {2, 6}, {0, 6}});
  EXPECT_FALSE(Inside(u, {3, 4}));
  EXPECT_TRUE(Inside(u, {1, 4}));
  EXPECT_TRUE(Inside(u, {5, 4}));
  EXPECT_TRUE(Inside(u, {3, 1}));
}

TEST(PolygonsTest, FloatTwinAgrees) {
  std::vector<SPolyLineF> tri = {{0, 0, 0, 0, 0, 0, 0, 0, 0}, {4, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 4, 0, 0, 0, 0, 0, 0, 0}};
  PolygonEdgeTableF(tri.data(), 3);
  EXPECT_TRUE(PointInPolygonF({1, 1}, tri.data(), 3));
  EXPECT_FALSE(PointInPolygonF({3, 3}, tri.data(), 3));
}

TEST(PolygonsTest, PointInRectIsHalfOpen) {
  const SRectD r{0, 0, 10, 5};
  EXPECT_TRUE(PointInRectD(r, {0, 0}));
  EXPECT_FALSE(PointInRectD(r, {10, 2}));
  EXPECT_FALSE(PointInRectD(r, {2, 5}));
  EXPECT_TRUE(PointInRectF({0, 0, 10, 5}, {9.5f, 4.5f}));
}

TEST(PolygonsTest, RectIntersectNeedsPositiveArea) {
  SRectI out{1, 1, 1, 1};
  EXPECT_TRUE(RectIntersectI(out, {0, 0, 10, 10}, {5, -5, 15, 5}));
  EXPECT_EQ(out.left, 5);
  EXPECT_EQ(out.top, 0);
  EXPECT_EQ(out.right, 10);
  EXPECT_EQ(out.bottom, 5);
  EXPECT_FALSE(RectIntersectI(out, {0, 0, 10, 10}, {10, 0, 20, 10}));  // touching sides
  EXPECT_EQ(out.left | out.top | out.right | out.bottom, 0);
  SRectD d{1, 1, 1, 1};
  EXPECT_FALSE(RectIntersectD(d, {0, 0, 1, 1}, {2, 2, 3, 3}));
  EXPECT_EQ(d.right, 0);
}

TEST(PolygonsTest, RectAgainstPolygon) {
  const auto triangle = Polygon({{0, 0}, {10, 0}, {0, 10}});
  const int32_t n = 3;
  struct Case {
    SRectD rect;
    bool meets;
    int32_t relation;
  };
  const Case cases[] = {
      {{-1, -1, 11, 11}, true, kPolygonInsideRect},  {{1, 1, 2, 2}, true, kRectInsidePolygon},
      {{4, 4, 8, 8}, true, kRectPolygonOverlap},    // corner inside, no vertex inside
      {{-1, 2, 20, 3}, true, kRectPolygonOverlap},  // band across, no vertex or corner inside
      {{-2, -2, 1, 1}, true, kRectPolygonOverlap},  // one vertex inside
      {{8, 8, 12, 12}, false, kRectPolygonDisjoint},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RectIntersectsPolygonD(c.rect, n, triangle.data()), c.meets) << c.rect.left;
    EXPECT_EQ(RectPolygonRelationD(c.rect, n, triangle.data()), c.relation) << c.rect.left;
  }
}
