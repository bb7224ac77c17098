// DrawWaypoints through the export, in a north-up Mercator view of 200 x 200
// pixels at 10 m per pixel, waypoints placed at chosen pixels with the
// view's own inverse mapping; icons drawn by CBmp32::Draw at a known place
// serve as the oracle for the pixels.
#include <algorithm>
#include <cmath>
#include <limits>

#include "include/TdLib.h"
#include "lib/geodesy/GeodeticCalibration.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/geodesy/Projections.h"
#include "tests/waypoints/WaypointFixture.h"

namespace {

constexpr int32_t kSide = 200;
constexpr uint32_t kBackground = 0xFF000000u;

// Three opaque columns: red, green, blue.
BmpPtr Columns3x3() {
  BmpPtr icon = Filled(3, 3, 0);
  const uint32_t colours[3] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 3; ++x) icon->Row(y)[x] = colours[x];
  return icon;
}

// The icon drawn whole at (10, 10) of a background bitmap, as the waypoint
// drawing blends it.
BmpPtr Reference(CBmp32* icon) {
  BmpPtr reference = Filled(20, 20, kBackground);
  SRectD target{9.5, 9.5, 9.5 + icon->Width(), 9.5 + icon->Height()};
  icon->Draw(*reference, target, icon->PixBounds(), bmBlend);
  return reference;
}

class DrawingTest : public WaypointTest {
 protected:
  void SetUp() override {
    WaypointTest::SetUp();
    GeodeticTablesInitialize();
    SGeodeticRef ref;
    GeodeticRefInitMercator(ref, 0.0, *GeodeticDatumFindByCode("WGE"));
    const SPointD pix1{0, 0}, pix2{100, 100}, proj1{0, 1000}, proj2{1000, 0};
    view.Calibrate2(&pix1, &pix2, &proj1, &proj2, kSide, kSide, &ref);
    SPointD middle{100, 100};
    view.PixToGeoWGS84(&centre, &middle);
    bitmap = Filled(kSide, kSide, kBackground);
  }

  CWaypoint* AddAtPixel(double x, double y, CWaypointType* type) {
    SPointD pixel{x, y};
    SGeo2D geo;
    view.PixToGeoWGS84(&geo, &pixel);
    SGeo3D position{geo.lat, geo.lon, 0};
    CWaypoint* waypoint = db->AddWaypoint(&position, type);
    list.Add(waypoint);
    return waypoint;
  }

  void Draw(double metresPerPixel, bool labels) {
    const double centre2[2] = {centre.lat, centre.lon};
    DrawWaypoints(reinterpret_cast<TdBmp32*>(bitmap.get()),
                  reinterpret_cast<TdGeodeticCalibration*>(&view), centre2, metresPerPixel,
                  kSide * 10.0, reinterpret_cast<TdWaypointList*>(&list), labels, &hits);
  }

  uint32_t At(int32_t x, int32_t y) { return bitmap->Row(y)[x]; }

  CGeodeticCalibration view;
  SGeo2D centre;
  BmpPtr bitmap;
  CWaypointList list;
  TdWaypointHits hits;
};

TEST_F(DrawingTest, AtMost200FromTheLastAndNullEntriesSkipped) {
  for (int32_t k = 0; k < 300; ++k) AddAtPixel(5 + k % 20 * 10, 5 + k / 20 * 10, nullptr);
  list.Add(nullptr);
  Draw(10.0, false);
  ASSERT_EQ(hits.count, 200u);
  for (int32_t j = 0; j < 200; ++j) {
    int32_t k = 299 - j;
    EXPECT_EQ(hits.entries[j].waypoint, reinterpret_cast<TdWaypoint*>(list.GetItem(k)));
    EXPECT_EQ(hits.entries[j].x, 5 + k % 20 * 10) << k;
    EXPECT_EQ(hits.entries[j].y, 5 + k / 20 * 10) << k;
  }
}

TEST_F(DrawingTest, MetresPerPixelThatIsNoPositiveNumberDrawsNothing) {
  BmpPtr icon = Columns3x3();
  CWaypointType* type = db->AddType(icon.get(), nullptr, 0, 1, 1, 10, 0, 0, 8, 0, 0);
  AddAtPixel(50, 50, type);
  for (double bad : {0.0, -10.0, std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity()}) {
    hits.count = 77;
    Draw(bad, true);
    EXPECT_EQ(hits.count, 0u) << bad;
    EXPECT_EQ(At(50, 50), kBackground) << bad;
  }
}

// The icon's left column lies beyond the left edge: the two others are
// copied one to one, not the three squeezed into two.
TEST_F(DrawingTest, IconCutByTheLeftEdgeIsCopiedUnscaled) {
  BmpPtr icon = Columns3x3();
  CWaypointType* type = db->AddType(icon.get(), nullptr, 0, 1, 1, 10, 0, 0, 8, 0, 0);
  AddAtPixel(0, 50, type);
  Draw(10.0, false);
  ASSERT_EQ(hits.count, 1u);
  BmpPtr reference = Reference(icon.get());
  for (int32_t y = 49; y <= 51; ++y) {
    EXPECT_EQ(At(0, y), reference->Row(y - 39)[11]) << y;
    EXPECT_EQ(At(1, y), reference->Row(y - 39)[12]) << y;
    EXPECT_EQ(At(2, y), kBackground) << y;
  }
}

// A 3 x 3 overlay on origin (0, 0) makes a 4 x 4 display icon whose position
// pixel is (1, 1): that pixel lands on the waypoint.
TEST_F(DrawingTest, ComposedIconIsPlacedByItsDisplayOrigin) {
  BmpPtr icon = Columns3x3();
  BmpPtr overlay = Filled(3, 3, 0xFFFFFFFFu);
  CWaypointType* type = db->AddType(icon.get(), overlay.get(), 1, 0, 0, 10, 0, 0, 8, 0, 0);
  ASSERT_EQ(type->GetIcon()->GetWidth(), 4);
  AddAtPixel(50, 50, type);
  Draw(10.0, false);
  BmpPtr reference = Reference(type->GetIcon());
  for (int32_t dy = -1; dy <= 3; ++dy)
    for (int32_t dx = -1; dx <= 3; ++dx)
      EXPECT_EQ(At(49 + dx, 49 + dy), reference->Row(10 + dy)[10 + dx]) << dx << "," << dy;
}

uint32_t Red(uint32_t pixel) { return pixel >> 16 & 0xFF; }
uint32_t GreenBlue(uint32_t pixel) { return std::max(pixel >> 8 & 0xFF, pixel & 0xFF); }

TEST_F(DrawingTest, LabelTakesTheTypesColour) {
  CWaypointType* type = db->AddType(nullptr, nullptr, 0, 16, 16, 20, 1, 0xFFFF0000u, 8, 0, 0);
  CWaypoint* waypoint = AddAtPixel(50, 100, type);
  CStr name("WWW");
  waypoint->SetName(&name, &error);
  waypoint->SetLabelPlacement(7, &error);
  Draw(10.0, true);
  // On black, text in red (smoothed or not) has no green or blue.
  int32_t bright = 0;
  uint32_t otherChannels = 0;
  for (int32_t y = 0; y < kSide; ++y)
    for (int32_t x = 0; x < kSide; ++x) {
      bright += Red(At(x, y)) > 160;
      otherChannels = std::max(otherChannels, GreenBlue(At(x, y)));
    }
  EXPECT_GT(bright, 20);
  EXPECT_LT(otherChannels, 32u);
}

}  // namespace
