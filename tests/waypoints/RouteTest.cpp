// Distances are the published figures of the great circle of radius
// 6,367,400 m: pi / 180 x R = 111132.0948 m per degree.
#include <cmath>
#include <vector>

#include "lib/foundation/core/ErrorCodes.h"
#include "tests/waypoints/WaypointFixture.h"

namespace {

constexpr double kTolerance = 1e-4;
constexpr double kPi = 3.14159265358979323846;

class RouteTest : public WaypointTest {
 protected:
  void SetUp() override {
    WaypointTest::SetUp();
    route = db->AddRoute();
  }

  CRoutePoint* Add(double lat, double lon) {
    SGeo3D p = Deg(lat, lon);
    return route->AddPoint(&p, 0.0f, &error);
  }

  void ExpectDistances(std::vector<double> expected, double tolerance = kTolerance) {
    ASSERT_EQ(route->GetPointCount(), static_cast<int32_t>(expected.size()));
    for (int32_t i = 0; i < route->GetPointCount(); ++i)
      EXPECT_NEAR(route->GetPoint(i)->GetDistance(), expected[static_cast<size_t>(i)], tolerance)
          << i;
  }

  CWaypointRoute* route = nullptr;
};

TEST_F(RouteTest, GreatCircleDistancesOfSinglePairs) {
  struct Case {
    SGeo3D a, b;
    double metres;
  } cases[] = {
      {Deg(0, 0), Deg(0, 1), 111132.0948},
      {Deg(0, 0), Deg(90, 0), 10001888.5312},
      {Deg(0, 0), Deg(0, 180), 20003777.0625},
      {Deg(45, 0), Deg(45, 90), 6667925.6875},
  };
  for (const Case& c : cases) {
    CWaypointRoute* r = db->AddRoute();
    r->AddPoint(&c.a, 0, &error);
    r->AddPoint(&c.b, 0, &error);
    EXPECT_NEAR(r->GetLength(), c.metres, kTolerance);
  }
}

TEST_F(RouteTest, InsertAndDeleteKeepCumulativeDistances) {
  Add(0, 0);
  Add(0, 1);
  Add(1, 1);
  ExpectDistances({0, 111132.0948, 222264.1896});
  std::vector<double> before;
  for (int32_t i = 0; i < 3; ++i) before.push_back(route->GetPoint(i)->GetDistance());
  SGeo3D x = Deg(0.5, 0.5);
  CRoutePoint* inserted = route->InsertPoint(1, &x, 0, &error);
  ASSERT_NE(inserted, nullptr);
  ExpectDistances({0, 78581.7591, 157163.5183, 268295.6131});
  route->DeletePoint(1, &error);
  EXPECT_EQ(error, 0u);
  ExpectDistances(before, 1e-6);
  route->DeletePoint(0, &error);
  ExpectDistances({0, 111132.0948});
}

TEST_F(RouteTest, EqualPositionsAreNoDistanceApart) {
  Add(0, 0);
  Add(0, 0);
  Add(0, 1);
  ExpectDistances({0, 0, 111132.0948});
  route->DeletePoint(0, &error);
  ExpectDistances({0, 111132.0948});
}

TEST_F(RouteTest, DeletingTheMiddlePointJoinsItsNeighbours) {
  Add(0, 0);
  Add(0, 1);
  Add(1, 1);
  route->DeletePoint(1, &error);
  ExpectDistances({0, 157160.5259});
}

TEST_F(RouteTest, MovingAWaypointUpdatesEveryRouteThatHoldsIt) {
  CWaypointRoute* other = db->AddRoute();
  CWaypoint* w = AddAt(0, 1);
  Add(0, 0);
  route->AddWaypoint(w, 0, &error);
  SGeo3D c = Deg(1, 1);
  other->AddPoint(&c, 0, &error);
  other->AddWaypoint(w, 0, &error);
  w->SetLatitude(1 * kDeg, &error);
  EXPECT_NEAR(route->GetLength(), 157160.5259, kTolerance);
  EXPECT_NEAR(other->GetLength(), 0.0, kTolerance);
  EXPECT_EQ(route->GetPoint(1)->GetLatitude(), 1 * kDeg);
}

TEST_F(RouteTest, EmptyRouteAndIndicesOutsideTheRoute) {
  EXPECT_EQ(route->GetLength(), 0.0);
  Add(0, 0);
  EXPECT_EQ(route->GetLength(), 0.0);
  EXPECT_EQ(route->GetPoint(0)->GetDistance(), 0.0);
  EXPECT_EQ(route->GetPoint(1), nullptr);
  EXPECT_TRUE(std::isnan(route->GetDistanceBetween(0, 1)));
  EXPECT_TRUE(std::isnan(route->GetLegHeading(0, 1)));
  route->DeletePoint(3, &error);
  EXPECT_EQ(error, 0x80034u);
  EXPECT_EQ(route->GetPointCount(), 1);
  CRoutePoint* foreign = RoutePointCreateForTest();
  route->RemovePoint(foreign, &error);
  EXPECT_EQ(error, 0x80034u);
  td::Free(foreign);
  EXPECT_EQ(route->InsertWaypoint(0, nullptr, 0, &error), nullptr);
  EXPECT_EQ(error, 0x80034u);
}

TEST_F(RouteTest, LegHeadingsAreBearingsFromNorth) {
  Add(0, 0);
  Add(0, 1);
  Add(1, 1);
  EXPECT_NEAR(route->GetLegHeading(0, 0), kPi / 2, 1e-9);
  EXPECT_NEAR(route->GetLegHeading(1, 1), -kPi / 2, 1e-9);
  EXPECT_NEAR(route->GetLegHeading(1, 0), 0.0, 1e-9);
  EXPECT_NEAR(std::fabs(route->GetLegHeading(2, 1)), kPi, 1e-6);
}

TEST_F(RouteTest, PointNamesTakeTheLowestFreeNumber) {
  for (int i = 0; i < 5; ++i) Add(0, i);
  route->DeletePoint(3, &error);
  route->DeletePoint(2, &error);
  std::vector<std::string> names;
  for (int i = 0; i < 3; ++i) names.push_back(Add(1, i)->GetName()->c_str());
  EXPECT_EQ(names, (std::vector<std::string>{"3", "4", "6"}));
  CStr renamed("7");
  route->GetPoint(0)->SetName(&renamed, &error);
  EXPECT_STREQ(Add(2, 0)->GetName()->c_str(), "1");
}

struct EventLog {
  std::vector<int32_t> indices;
  std::vector<bool> alive;
};

void TD_STDCALL OnPointRemoved(void* context, CWaypointRoute* route, int32_t index,
                               CRoutePoint* point) {
  auto* log = static_cast<EventLog*>(context);
  log->indices.push_back(index);
  log->alive.push_back(point->GetIndex() == -1 && route->IndexOf(point) == -1 &&
                       point->GetLatitude() == point->GetLatitude());
}

TEST_F(RouteTest, OneEventPerDeletedPointWhileThePointLives) {
  EventLog log;
  manager->AddRouteEventHandler(OnPointRemoved, &log);
  Add(0, 0);
  Add(0, 1);
  Add(0, 2);
  route->DeletePoint(1, &error);
  uint32_t ignored;
  CWaypointRoute* copy = db->AddRoute();
  copy->Assign(route, &ignored);
  EXPECT_EQ(copy->GetPointCount(), 2);
  copy->Delete(&ignored);
  EXPECT_EQ(log.indices, (std::vector<int32_t>{1}));
  EXPECT_EQ(log.alive, (std::vector<bool>{true}));
}

TEST_F(RouteTest, FreePointsAreReadOnly) {
  CRoutePoint* point = RoutePointCreateForTest();
  CStr name("x");
  point->SetName(&name, &error);
  EXPECT_EQ(error, 0x80000u);
  point->SetRadius(3, &error);
  EXPECT_EQ(error, 0x80000u);
  SGeo3D p = Deg(1, 1);
  point->SetPosition(&p, &error);
  EXPECT_EQ(error, 0x80000u);
  EXPECT_EQ(point->GetIndex(), -1);
  td::Free(point);
}

TEST_F(RouteTest, AttachedPointsRefuseToMoveOnTheirOwn) {
  CWaypoint* w = AddAt(3, 4);
  CRoutePoint* point = route->AddWaypoint(w, 5, &error);
  SGeo3D p = Deg(1, 1);
  point->SetPosition(&p, &error);
  EXPECT_EQ(error, 0x80032u);
  EXPECT_EQ(point->GetDisplayName(), w->GetName());
  point->SetWaypoint(nullptr, &error);
  point->SetPosition(&p, &error);
  EXPECT_EQ(error, 0u);
  EXPECT_TRUE(w->GetRoutePoints().empty());
}

}  // namespace
