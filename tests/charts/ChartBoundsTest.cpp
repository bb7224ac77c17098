// Chart bounds, the update tag and the coverage polygons.
#include <gtest/gtest.h>

#include <cmath>

#include "lib/charts/TCF2BoundsFile.h"
#include "lib/charts/TCF2Coverage.h"
#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "lib/foundation/streams/PointerStream.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/geodesy/Polygons.h"
#include "tests/AllocationSeam.h"
#include "tests/charts/ChartFileBuilder.h"

namespace {

std::vector<uint8_t> BoundsPayload(const std::vector<int32_t>& values) {
  CByteWriter w;
  for (int32_t v : values) w.U32(static_cast<uint32_t>(v));
  return w.bytes;
}

struct SBoundsCase {
  const char* name;
  std::vector<int32_t> payload;  // count, then stored pairs
  uint32_t warnings, error;
  int32_t count;
};

const SBoundsCase kBoundsCases[] = {
    {"no vertices", {0}, 0, 0, 0},
    {"two vertices", {2, 0, 0, 5, 5}, 0, 0x70014, 0},
    {"one vertex", {1, 0, 0}, 0, 0x70014, 0},
    {"count -1", {-1}, 0, 0x70014, 0},
    {"a repeated vertex", {4, 11, 11, 11, 11, 21, 11, 21, 21}, 0x0200, 0, 4},
    {"a square", {4, 0, 0, 10, 0, 10, 10, 0, 10}, 0, 0, 4},
};

TEST(ChartBounds, PayloadTable) {
  for (const SBoundsCase& c : kBoundsCases) {
    const std::vector<uint8_t> bytes = BoundsPayload(c.payload);
    CConstPointerStream in(bytes.data(), static_cast<int64_t>(bytes.size()));
    CTCF2Bounds bounds;
    const SPointD old{1, 1};
    bounds.AddPoint(&old);
    uint32_t warnings = 0, error = 0;
    EXPECT_EQ(TCF2BoundsReadPayload(in, bounds, warnings, error), c.error == 0) << c.name;
    EXPECT_EQ(error, c.error) << c.name;
    EXPECT_EQ(warnings, c.warnings) << c.name;
    EXPECT_EQ(bounds.GetCount(), c.count) << c.name;
  }
}

TEST(ChartBounds, VerticesSnapToPixelCorners) {
  CTCF2Bounds bounds;
  const SPointD corner{99.5, -0.5}, centre{10.0, 10.0}, half{-3.0, 2.4};
  bounds.AddPoint(&corner);
  bounds.AddPoint(&centre);
  bounds.AddPoint(&half);
  CMemoryStream payload;
  TCF2BoundsWritePayload(payload, bounds);
  const std::vector<uint8_t> expected = BoundsPayload({3, 100, 0, 11, 11, -2, 3});
  EXPECT_EQ(std::vector<uint8_t>(payload.GetData(), payload.GetData() + payload.GetSize()),
            expected);
  payload.Seek(0, 0);
  CTCF2Bounds back;
  uint32_t warnings = 0, error = 0;
  ASSERT_TRUE(TCF2BoundsReadPayload(payload, back, warnings, error));
  EXPECT_EQ(back.PointAt(0).x, 99.5);
  EXPECT_EQ(back.PointAt(0).y, -0.5);
  EXPECT_EQ(back.PointAt(1).x, 10.5);
  EXPECT_EQ(back.PointAt(2).x, -2.5);
}

CTCF2Bounds* Polygon(CTCF2Bounds& b, std::initializer_list<SPointD> points) {
  for (const SPointD& p : points) b.AddPoint(&p);
  return &b;
}

TEST(ChartBounds, Validate) {
  struct SCase {
    const char* name;
    std::initializer_list<SPointD> points;
    int32_t result;
  } cases[] = {
      {"empty", {}, 1},
      {"two", {{0, 0}, {1, 1}}, 2},
      {"square", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 1},
      {"square with a midpoint", {{0, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}}, 0},
      {"repeated vertex", {{0, 0}, {10, 0}, {10, 10}, {10, 0}, {0, 10}}, 3},
      {"bow-tie", {{0, 0}, {10, 10}, {10, 0}, {0, 10}}, 4},
      {"spike back along an edge", {{0, 0}, {10, 0}, {5, 0}, {5, 5}}, 4},
  };
  for (const SCase& c : cases) {
    CTCF2Bounds b;
    EXPECT_EQ(Polygon(b, c.points)->Validate(), c.result) << c.name;
  }
}

TEST(ChartBounds, QueriesFollowChanges) {
  CTCF2Bounds b;
  Polygon(b, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  EXPECT_TRUE(b.IsRectangle());
  const SPointD inside{5, 5}, outside{15, 5};
  EXPECT_TRUE(b.ContainsPoint(&inside));
  EXPECT_FALSE(b.ContainsPoint(&outside));
  const SRectD small{2, 2, 3, 3}, large{-5, -5, 20, 20}, apart{20, 20, 30, 30},
      across{5, 5, 15, 15};
  EXPECT_EQ(b.IntersectsRect(&small), 1);
  EXPECT_EQ(b.IntersectsRect(&large), 2);
  EXPECT_EQ(b.IntersectsRect(&apart), 0);
  EXPECT_EQ(b.IntersectsRect(&across), 3);
  b.Offset(10, 0);  // the edge table follows
  EXPECT_TRUE(b.ContainsPoint(&outside));
  SRectD box;
  b.GetBoundingBox(&box);
  EXPECT_EQ(box.left, 10.0);
  EXPECT_EQ(box.right, 20.0);
  b.Scale(0.5);
  b.GetBoundingBox(&box);
  EXPECT_EQ(box.right, 10.0);
  EXPECT_EQ(box.bottom, 5.0);
  const SPointD extra{7, 7};
  ASSERT_TRUE(b.InsertPoint(4, &extra));
  EXPECT_FALSE(b.IsRectangle());
  ASSERT_TRUE(b.DeletePoint(4));
  EXPECT_TRUE(b.IsRectangle());
  CTCF2Bounds copy;
  copy.Assign(&b);
  EXPECT_TRUE(copy.IsEqual(&b));
  ASSERT_TRUE(copy.SetPoint(0, &extra));
  EXPECT_FALSE(copy.IsEqual(&b));
  EXPECT_EQ(b.GetMemorySize(true) - b.GetMemorySize(false), 60);
}

TEST(ChartBounds, IndexesOutsideDoNothing) {
  CTCF2Bounds b;
  Polygon(b, {{0, 0}, {10, 0}, {10, 10}});
  SPointD p{3, 3};
  EXPECT_FALSE(b.GetPoint(3, &p));
  EXPECT_FALSE(b.GetPoint(-1, &p));
  EXPECT_FALSE(b.SetPoint(3, &p));
  EXPECT_FALSE(b.InsertPoint(4, &p));
  EXPECT_FALSE(b.InsertPoint(-1, &p));
  EXPECT_FALSE(b.DeletePoint(3));
  EXPECT_EQ(b.GetCount(), 3);
  EXPECT_EQ(p.x, 3.0);
}

std::vector<uint8_t> UpdateTagPayload(uint32_t month2) {
  CByteWriter w;
  w.Text("upd").DateTime(2006, 1, 2, 3, 4, 5, 6).DateTime(2006, month2, 2, 3, 4, 5, 6);
  w.DateTime(2006, 1, 2, 24, 0, 0, 0);
  return w.bytes;
}

TEST(ChartUpdateTag, InvalidDateTimesReadAsZero) {
  const std::vector<uint8_t> bytes = UpdateTagPayload(0);
  CConstPointerStream in(bytes.data(), static_cast<int64_t>(bytes.size()));
  CTCF2UpdateTag tag;
  uint32_t warnings = 0;
  TCF2UpdateTagReadPayload(in, tag, warnings);
  EXPECT_EQ(warnings, 0x2000u | 0x4000u);
  EXPECT_EQ(*tag.GetText(), "upd");
  EXPECT_EQ(tag.GetDateTime1(), EncodeDateTime(2006, 1, 2, 3, 4, 5, 6));
  EXPECT_EQ(tag.GetDateTime2(), 0.0);
  EXPECT_EQ(tag.GetDateTime3(), 0.0);
}

TEST(ChartUpdateTag, WrittenAsTheLayoutSays) {
  CTCF2UpdateTag tag;
  const CStr text("upd");
  tag.SetText(&text);
  tag.SetDateTime1(EncodeDateTime(2006, 1, 2, 3, 4, 5, 6));
  tag.SetDateTime2(EncodeDateTime(2006, 7, 2, 3, 4, 5, 6));
  tag.SetDateTime3(EncodeDateTime(2006, 1, 2, 23, 0, 0, 0));
  CMemoryStream payload;
  TCF2UpdateTagWritePayload(payload, tag);
  CByteWriter w;
  w.Text("upd")
      .DateTime(2006, 1, 2, 3, 4, 5, 6)
      .DateTime(2006, 7, 2, 3, 4, 5, 6)
      .DateTime(2006, 1, 2, 23, 0, 0, 0);
  EXPECT_EQ(std::vector<uint8_t>(payload.GetData(), payload.GetData() + payload.GetSize()),
            w.bytes);
  CTCF2UpdateTag copy;
  copy.SetText(&text);
  EXPECT_FALSE(copy.IsEqual(&tag));
  copy.SetDateTime1(tag.GetDateTime1());
  copy.SetDateTime2(tag.GetDateTime2());
  copy.SetDateTime3(tag.GetDateTime3());
  EXPECT_TRUE(copy.IsEqual(&tag));
  copy.Clear();
  EXPECT_EQ(copy.GetDateTime2(), 0.0);
  EXPECT_EQ(copy.GetMemorySize(true), 48);
}

STCF2Triangle Triangle(SPointD a, SPointD b, SPointD c, bool ia, bool ib, bool ic) {
  return STCF2Triangle{{a, b, c}, {ia, ib, ic}};
}

double Area(const STCF2Triangle& t) {
  return 0.5 * std::abs((t.p[1].x - t.p[0].x) * (t.p[2].y - t.p[0].y) -
                        (t.p[2].x - t.p[0].x) * (t.p[1].y - t.p[0].y));
}

// Clip line x = 2 (inside: x < 2) across the triangle (0,0), (4,0), (0,4).
TEST(ChartCoverage, ClipTriangleToEdge) {
  const SPointD a{2, -10}, b{2, 10};
  std::vector<STCF2Triangle> out;
  ClipTriangleToEdge(Triangle({0, 0}, {4, 0}, {0, 4}, true, false, true), a, b, out);
  ASSERT_EQ(out.size(), 2u);  // the quadrilateral (0,0) (2,0) (2,2) (0,4)
  EXPECT_DOUBLE_EQ(Area(out[0]) + Area(out[1]), 6.0);
  out.clear();
  ClipTriangleToEdge(Triangle({4, 0}, {0, 0}, {4, 4}, false, true, false), a, b, out);
  ASSERT_EQ(out.size(), 1u);  // (0,0) (2,0) (2,2)
  EXPECT_EQ(out[0].p[0].x, 0.0);
  EXPECT_EQ(out[0].p[1].x, 2.0);
  EXPECT_EQ(out[0].p[1].y, 2.0);
  EXPECT_EQ(out[0].p[2].x, 2.0);
  EXPECT_EQ(out[0].p[2].y, 0.0);
  EXPECT_DOUBLE_EQ(Area(out[0]), 2.0);
  out.clear();
  ClipTriangleToEdge(Triangle({4, 0}, {0, 0}, {4, 4}, false, false, false), a, b, out);
  EXPECT_TRUE(out.empty());
  ClipTriangleToEdge(Triangle({4, 0}, {0, 0}, {4, 4}, true, true, true), a, b, out);
  EXPECT_EQ(out.size(), 1u);
  out.clear();
  // A clip line of no length has no crossing points: no output.
  const SPointD p{2, 0};
  ClipTriangleToEdge(Triangle({0, 0}, {4, 0}, {0, 4}, true, false, true), p, p, out);
  ClipTriangleToEdge(Triangle({4, 0}, {0, 0}, {4, 4}, false, true, false), p, p, out);
  EXPECT_TRUE(out.empty());
}

TEST(ChartCoverage, OutlineOfOneImageUnderItsOwnCalibration) {
  GeodeticTablesInitialize();
  SGeodeticRef ref;
  GeodeticRefInitMercator(ref, 0, *GeodeticDatumFindByCode("WGE"));
  const SPointD pix1{0, 0}, pix2{300, 200}, proj1{100000, 6000000}, proj2{130000, 5980000};
  CGeodeticCalibration a, b;
  ASSERT_LE(a.Calibrate2(&pix1, &pix2, &proj1, &proj2, 300, 200, &ref), 1u);
  ASSERT_LE(b.Calibrate2(&pix1, &pix2, &proj1, &proj2, 300, 200, &ref), 1u);
  SPolyLineD outline[4];
  const SRectD box = MappedImageOutline(a, b, 300, 200, outline);
  EXPECT_NEAR(box.left, -0.5, 1e-6);
  EXPECT_NEAR(box.top, -0.5, 1e-6);
  EXPECT_NEAR(box.right, 299.5, 1e-6);
  EXPECT_NEAR(box.bottom, 199.5, 1e-6);
  EXPECT_NEAR(outline[2].x, 299.5, 1e-6);
  EXPECT_NEAR(outline[3].y, 199.5, 1e-6);
  EXPECT_TRUE(PointInPolygonD(SPointD{150, 100}, outline, 4));
}

// An assignment that runs out of memory leaves the outline, its box and its
// edges as they were.
TEST(ChartBounds, AssignOutOfMemoryLeavesTheOutlineAsItWas) {
  CTCF2Bounds pentagon;
  for (const SPointD& p :
       {SPointD{0, 0}, SPointD{40, 0}, SPointD{50, 30}, SPointD{20, 50}, SPointD{-10, 30}})
    pentagon.AddPoint(&p);
  const SPointD inside{1, 1};
  td::test::WalkAllocations([&](int32_t n) {
    CTCF2Bounds triangle;
    for (const SPointD& p : {SPointD{0, 0}, SPointD{4, 0}, SPointD{0, 4}}) triangle.AddPoint(&p);
    EXPECT_TRUE(triangle.ContainsPoint(&inside));  // box and edges built
    td::test::ArmAllocationFailure(n);
    triangle.Assign(&pentagon);
    if (!td::test::DisarmAllocationFailure()) {
      EXPECT_TRUE(triangle.IsEqual(&pentagon));
      return;
    }
    ASSERT_EQ(triangle.GetCount(), 3) << n;
    SPointD last;
    EXPECT_TRUE(triangle.GetPoint(2, &last));
    EXPECT_EQ(last.y, 4) << n;
    SRectD box;
    triangle.GetBoundingBox(&box);
    EXPECT_EQ(box.right, 4) << n;
    const SPointD outside{3, 3};
    EXPECT_FALSE(triangle.ContainsPoint(&outside)) << n;
  });
}

}  // namespace
