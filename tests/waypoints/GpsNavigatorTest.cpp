// The GPS navigator fed as the interpreter would feed it, with a clock that
// returns set times. Expected geometry was worked out independently in a
// WGS 84 local frame at (0, 0).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/format/FormatSettings.h"
#include "lib/foundation/text/Language.h"
#include "lib/gps/GpsClock.h"
#include "lib/gps/NMEATrack.h"
#include "lib/waypoints/GpsNavigator.h"
#include "lib/waypoints/RoutePoint.h"
#include "lib/waypoints/WaypointManager.h"
#include "lib/waypoints/WaypointRoute.h"

namespace {

class CSetClock : public CGPSClock {
 public:
  double TD_STDCALL GetTime() override { return time; }
  double time = 46000.5;
};

class NavigatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLanguage(kLangEnglish);
    InitFormatSettings();
    SWaypointManagerArgs args{
        reinterpret_cast<uintptr_t>(&clock),     nullptr, nullptr, 1, 16.0f, 16.0f, "Tahoma",
        {10, 1, 0xFF000000u, 8, 0, 0xFF000000u}, 5};
    manager = new CWaypointManager(args);
    nav = std::make_unique<CGPSNavigator>(manager, CStr("."));
    nav->OnChange = MakeCallback(&Changed, this);
    nav->OnArrived = MakeCallback(&Arrived, this);
    nav->OnPointLeft = MakeCallback(&Left, this);
  }
  void TearDown() override {
    nav.reset();
    td::Free(manager);
  }

  static void Changed(void* context, CGPSNavigator*, uint32_t mask) {
    auto* self = static_cast<NavigatorTest*>(context);
    self->changes.push_back(mask);
  }
  static void Arrived(void* context, CGPSNavigator*) {
    ++static_cast<NavigatorTest*>(context)->arrived;
  }
  static void Left(void* context, CGPSNavigator*, CRoutePoint*, const SNavSnapshot*, float) {
    auto* self = static_cast<NavigatorTest*>(context);
    ++self->left;
    if (self->whenLeft) self->whenLeft();
  }

  void MoveTo(double lat, double lon) {
    SGeo3D p{lat, lon, 0.0};
    uint32_t error = 0xDEAD;
    CGPSNavigator::PositionReport(nav.get(), &p, 1, clock.time, &error);
    EXPECT_EQ(error, 0u);
  }
  CWaypointRoute* RouteOf(std::initializer_list<SGeo2D> points, float radius) {
    CWaypointRoute* route = manager->CreateRoute();
    uint32_t error = 0;
    for (const SGeo2D& p : points) route->AddPointLatLon(&p, radius, &error);
    return route;
  }

  CSetClock clock;
  CWaypointManager* manager = nullptr;
  std::unique_ptr<CGPSNavigator> nav;
  std::vector<uint32_t> changes;
  int arrived = 0;
  int left = 0;
  std::function<void()> whenLeft;  // what the owner does in OnPointLeft
};

constexpr double kPLat = -3.9460562572671159e-6, kTLat = 1.1838168771801348e-5;
constexpr double kLegLon = -1.5678559428873980e-6;

TEST_F(NavigatorTest, LegValuesMatchTheIndependentFrame) {
  CWaypointRoute* route = manager->CreateRoute();
  uint32_t error = 0;
  SGeo2D p{kPLat, kLegLon}, t{kTLat, kLegLon};
  route->AddPointLatLon(&p, 20.0f, &error);
  route->AddPointLatLon(&t, 60.0f, &error);
  nav->SetRoute(route);
  MoveTo(0.0, 0.0);
  nav->StartRoute(&error);
  ASSERT_EQ(error, 0u);
  nav->SetTarget(1);
  struct {
    float course, speed, vmg, timeToGo;
  } cases[] = {{0.0f, 5.0f, 5.0f, 15.1327f}, {0.1f, 4.0f, 3.98002f, 19.0109f}};
  for (const auto& c : cases) {
    SGeo3D here{0.0, 0.0, 0.0};
    nav->SetValues(&here, true, false, c.speed, true, false, c.course, true, false, &error);
    const SNavValues v = nav->CalcNavValues(CGPSNavigator::kNavAll);
    EXPECT_TRUE(v.LegBearingValid && v.BearingToTargetValid && v.LegDistanceValid &&
                v.DistanceToTargetValid && v.DistanceToEndValid && v.TimeToGoValid &&
                v.CrossTrackValid && v.VelocityMadeGoodValid);
    EXPECT_NEAR(v.LegBearing, 0.0, 1e-5);
    EXPECT_NEAR(v.BearingToTarget, -0.1325515, 1e-5);
    EXPECT_NEAR(v.DistanceToTarget, 75.66373, 1e-3);
    EXPECT_NEAR(v.DistanceToEnd, 75.66373, 1e-3);
    EXPECT_NEAR(v.LegDistance, 25.0, 1e-3);
    EXPECT_NEAR(v.CrossTrack, 10.0, 1e-3);
    EXPECT_NEAR(v.CrossTrackRatio, 1.0 / 3.0, 1e-5);
    EXPECT_NEAR(v.VelocityMadeGood, c.vmg, 1e-4);
    EXPECT_NEAR(v.TimeToGo, c.timeToGo, 1e-3);
  }
}

TEST_F(NavigatorTest, StartRouteNeedsAPosition) {
  nav->SetRoute(RouteOf({{0.001, 0.0}}, 10.0f));
  uint32_t error = 0;
  nav->StartRoute(&error);
  EXPECT_EQ(error, static_cast<uint32_t>(kErrPositionInvalid));
  EXPECT_FALSE(nav->IsStarted());
}

TEST_F(NavigatorTest, ThreeReportsInOneUpdateGiveOneChange) {
  nav->BeginUpdate();
  MoveTo(0.1, 0.2);
  CGPSNavigator::CourseReport(nav.get(), 1.0f, 1, clock.time);
  CGPSNavigator::SpeedReport(nav.get(), 2.0f, 1, clock.time);
  nav->EndUpdate();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], 0x007u);
}

TEST_F(NavigatorTest, ArrivalWithoutAutoAdvanceKeepsOneEntry) {
  nav->SetRoute(RouteOf({{0.0, 0.0}, {0.001, 0.0}}, 10.0f));
  MoveTo(1e-6, 0.0);
  uint32_t error = 0;
  nav->StartRoute(&error);
  for (int i = 0; i < 5; ++i) MoveTo(i * 1e-8, 0.0);
  EXPECT_EQ(arrived, 5);
  EXPECT_EQ(nav->GetReached().size(), 1u);
  MoveTo(0.0001, 0.0);
  EXPECT_EQ(left, 1);
  EXPECT_TRUE(nav->GetReached().empty());
}

TEST_F(NavigatorTest, AutoAdvanceStopsAtTheLastPoint) {
  nav->SetRoute(RouteOf({{0.0, 0.0}, {0.0001, 0.0}}, 10.0f));
  nav->SetAutoAdvance(true);
  MoveTo(-0.0001, 0.0);
  uint32_t error = 0;
  nav->StartRoute(&error);
  nav->SetTarget(1);
  changes.clear();
  MoveTo(0.0001, 0.0);
  EXPECT_FALSE(nav->IsStarted());
  EXPECT_EQ(nav->GetTarget(), -1);
  EXPECT_EQ(arrived, 1);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_TRUE(changes[0] & CGPSNavigator::kChangeStopped);
}

TEST_F(NavigatorTest, FollowedRouteDeletedOrReassigned) {
  CWaypointRoute* route = RouteOf({{0.0, 0.0}, {0.001, 0.0}, {0.002, 0.0}}, 10.0f);
  nav->SetRoute(route);
  MoveTo(1e-7, 0.0);
  uint32_t error = 0;
  nav->StartRoute(&error);
  MoveTo(0.0, 0.0);
  ASSERT_EQ(nav->GetReached().size(), 1u);
  nav->SetTarget(2);
  CWaypointRoute* shorter = RouteOf({{0.0, 0.0}}, 10.0f);
  route->Assign(shorter, &error);
  EXPECT_EQ(left, 1);
  EXPECT_EQ(nav->GetTarget(), -1);
  EXPECT_EQ(nav->GetRoute(), route);
  MoveTo(0.0001, 0.0);
  nav->CalcNavValues(CGPSNavigator::kNavAll);
  nav->SetTarget(0);
  MoveTo(0.0, 0.0);
  route->Delete(&error);
  EXPECT_EQ(nav->GetRoute(), nullptr);
  EXPECT_FALSE(nav->IsStarted());
  MoveTo(0.0001, 0.0);
  nav->CalcNavValues(CGPSNavigator::kNavAll);
}

constexpr double kEarthRadius = 6378137.0;
constexpr double kDegree = 3.14159265358979323846 / 180.0;

// Two points reached in turn are left by one report; the owner stops the
// route when the first of them is reported left.
TEST_F(NavigatorTest, AHandlerOfPointLeftMayStopTheRoute) {
  nav->SetRoute(RouteOf({{0.0, 0.0}, {0.0, 0.0001 * kDegree}, {0.0, 1.0 * kDegree}}, 50.0f));
  nav->SetAutoAdvance(true);
  MoveTo(0.0, 0.0);
  uint32_t error = 0;
  nav->StartRoute(&error);
  whenLeft = [&] { nav->StopRoute(); };
  MoveTo(0.0, 1.1 / kEarthRadius);
  MoveTo(0.0, 2.2 / kEarthRadius);
  ASSERT_EQ(nav->GetTarget(), 2);
  ASSERT_EQ(nav->GetReached().size(), 2u);
  MoveTo(0.0, 55000.0 / kEarthRadius);
  EXPECT_EQ(left, 2);
  EXPECT_FALSE(nav->IsStarted());
  EXPECT_TRUE(nav->GetReached().empty());
  EXPECT_EQ(nav->GetTarget(), 2);
}

// The owner lets go of a route made for one waypoint when its point is left:
// the route is deleted under the arrival check.
TEST_F(NavigatorTest, AHandlerOfPointLeftMayDropAFreeStandingRoute) {
  CStr name("Marks");
  CWaypointDatabase* db = manager->CreateDatabase(&name, 0, 0);
  SGeo3D mark{0.0, 10.0 / kEarthRadius, 0.0};
  nav->GoToWaypoint(db->AddWaypoint(&mark, nullptr), 50.0f);
  MoveTo(0.0, 0.0);
  uint32_t error = 0;
  nav->StartRoute(&error);
  MoveTo(0.0, 1.0 / kEarthRadius);
  ASSERT_EQ(nav->GetReached().size(), 1u);
  whenLeft = [&] { nav->SetRoute(nullptr); };
  MoveTo(0.0, 1000.0 / kEarthRadius);
  EXPECT_EQ(left, 1);
  EXPECT_EQ(nav->GetRoute(), nullptr);
  EXPECT_FALSE(nav->IsStarted());
  EXPECT_EQ(nav->GetTarget(), -1);
}

// The track files come with the first point: a recording without one leaves
// the folder empty, one with a point leaves both files, whatever becomes of
// the track in memory.
TEST_F(NavigatorTest, EmptyRecordingLeavesNoFile) {
  namespace fs = std::filesystem;
  for (int points : {0, 1}) {
    SCOPED_TRACE(points);
    const fs::path folder =
        fs::temp_directory_path() / ("tdnav" + std::to_string(std::random_device{}()));
    fs::create_directories(folder);
    {
      CGPSNavigator recorder(manager, CStr(folder.string().c_str()));
      recorder.StartTrack(true);
      EXPECT_TRUE(recorder.IsRecording());
      SGeo3D p{0.1, 0.2, 0.0};
      if (points) CGPSNavigator::TimedPositionReport(&recorder, clock.time, &p);
      EXPECT_EQ(recorder.StopTrack(true), nullptr);
      EXPECT_FALSE(recorder.IsRecording());
      EXPECT_EQ(recorder.GetTrackError(), 0u);
    }
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names.size(), points ? 2u : 0u);
    if (names.size() == 2) EXPECT_EQ(names[1], names[0].substr(0, names[0].size() - 4) + "_2.trk");
    fs::remove_all(folder);
  }
}

// A point deleted from a followed route of five points: what the target
// becomes, which bits are reported and whether the route still runs.
TEST_F(NavigatorTest, RouteEventsMoveTheTarget) {
  struct {
    bool reverse;
    int32_t target, deleted, newTarget;
    bool targetBit, started;
  } rows[] = {
      {false, 3, 1, 2, true, true},  {false, 3, 4, 3, false, true}, {false, 3, 3, 3, false, true},
      {false, 4, 4, 3, true, false}, {true, 3, 1, 2, true, true},   {true, 0, 0, 0, true, false},
      {true, 2, 2, 1, true, true},   {true, 3, 4, 3, true, true},   {true, 1, 3, 1, false, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.reverse << " " << row.target << " " << row.deleted);
    nav->SetRoute(
        RouteOf({{0.01, 0.0}, {0.02, 0.0}, {0.03, 0.0}, {0.04, 0.0}, {0.05, 0.0}}, 10.0f));
    nav->SetReverse(row.reverse);
    MoveTo(-0.01, 0.0);
    uint32_t error = 0;
    nav->StartRoute(&error);
    nav->SetTarget(row.target);
    changes.clear();
    nav->GetRoute()->DeletePoint(row.deleted, &error);
    EXPECT_EQ(nav->GetTarget(), row.newTarget);
    const uint32_t bits = changes.empty() ? 0 : changes.back();
    EXPECT_EQ((bits & CGPSNavigator::kChangeTarget) != 0, row.targetBit);
    EXPECT_EQ(nav->IsStarted(), row.started);
    EXPECT_EQ((bits & CGPSNavigator::kChangeStopped) != 0, !row.started);
  }
}

// A leg step reports true exactly when it sets a target; otherwise nothing
// changes.
TEST_F(NavigatorTest, LegStepsAreTrueOnlyWhenTheySetATarget) {
  struct {
    int32_t points;
    bool reverse;
    int32_t target;
    bool next, wrap, result;
    int32_t newTarget;
  } rows[] = {
      {2, false, 1, true, false, false, 1},   {2, false, 1, true, true, true, 0},
      {2, false, 0, false, true, true, 1},    {2, true, 0, true, true, true, 1},
      {0, false, -1, true, true, false, -1},  {0, false, -1, false, true, false, -1},
      {0, true, -1, true, true, false, -1},   {2, true, -1, true, false, false, -1},
      {2, true, -1, true, true, false, -1},   {2, true, -1, false, false, true, 0},
      {2, false, -1, false, true, false, -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.points << " " << row.reverse << " " << row.target << " "
                                    << row.next << " " << row.wrap);
    const SGeo2D all[] = {{0.01, 0.0}, {0.02, 0.0}};
    CWaypointRoute* route = manager->CreateRoute();
    uint32_t error = 0;
    for (int32_t i = 0; i < row.points; ++i) route->AddPointLatLon(&all[i], 10.0f, &error);
    nav->SetRoute(route);
    nav->SetReverse(row.reverse);
    nav->SetTarget(row.target);
    changes.clear();
    EXPECT_EQ(row.next ? nav->NextLeg(row.wrap) : nav->PrevLeg(row.wrap), row.result);
    EXPECT_EQ(nav->GetTarget(), row.newTarget);
    EXPECT_EQ(changes.empty(), row.newTarget == row.target);
  }
}

TEST_F(NavigatorTest, StaleFlagsFollowTheClock) {
  MoveTo(0.1, 0.2);
  CGPSNavigator::SatellitesReport(nav.get(), 7, 1, clock.time);
  clock.time += 6.0 / 86400.0;
  SNavSnapshot s;
  nav->GetSnapshot(s);
  EXPECT_TRUE(s.PositionValid && s.PositionStale);
  EXPECT_TRUE(s.SatellitesValid && !s.SatellitesStale);
  EXPECT_FALSE(s.CourseValid || s.CourseStale);
  EXPECT_EQ(s.Satellites, 7);
  EXPECT_EQ(s.Course, CGPSNavigator::kInvalidF);
}

TEST_F(NavigatorTest, RecordingOfThreeFixesIsHandedOver) {
  clock.SetTag(90);
  nav->StartTrack(false);
  CGPSNavigator::CourseReport(nav.get(), 0.0f, 1, clock.time);
  CGPSNavigator::SpeedReport(nav.get(), 6.38f, 1, clock.time);
  for (int i = 0; i < 3; ++i) {
    SGeo3D p{0.1 + i * 1e-6, 0.2 + (i == 2 ? 1e-6 : 0.0), 0.0};
    CGPSNavigator::TimedPositionReport(nav.get(), clock.time + i / 86400.0, &p);
  }
  std::unique_ptr<CNMEATrack> track(nav->StopTrack(false));
  ASSERT_NE(track, nullptr);
  EXPECT_GE(track->GetCount(), 2);
  EXPECT_EQ(track->GetPoints()[0].Time, clock.time);
  EXPECT_NE(std::string(track->GetFileName().c_str()).find("2025-12-09 13.30.00.trk"),
            std::string::npos);
  EXPECT_FALSE(nav->IsRecording());
}

// An invalid report while a route runs is refused and leaves the last valid
// position, its time and the trip distances as they were.
TEST_F(NavigatorTest, RefusedPositionKeepsTheLastValidOne) {
  nav->SetRoute(RouteOf({{0.01, 0.0}}, 10.0f));
  MoveTo(0.001, 0.002);
  uint32_t error = 0;
  nav->StartRoute(&error);
  changes.clear();
  SGeo3D jump{0.5, 0.5, 0.0};
  CGPSNavigator::PositionReport(nav.get(), &jump, 0, clock.time + 1.0, &error);
  EXPECT_EQ(error, static_cast<uint32_t>(kErrRouteStarted));
  SGeo2D here;
  EXPECT_TRUE(nav->GetPosition(here));
  EXPECT_EQ(here.lat, 0.001);
  EXPECT_EQ(here.lon, 0.002);
  double trip = -1;
  EXPECT_TRUE(nav->GetTripDistance1(trip));
  EXPECT_EQ(trip, 0.0);
  EXPECT_TRUE(changes.empty());
  SNavSnapshot s;
  nav->GetSnapshot(s);
  EXPECT_FALSE(s.PositionStale);
}

}  // namespace
