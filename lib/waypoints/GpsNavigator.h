// CGPSNavigator: the navigation core of an application. It owns an NMEA
// interpreter and keeps the latest position, course, speed, fix and number of
// satellites with their times; it follows a route of the waypoint manager
// point by point, notices arrival at route points, adds up trip distances,
// computes navigation values on request and records the track. Changes reach
// the owner through OnChange with a bit mask, once per outermost update.
//
// Host thread only: the thread that feeds the interpreter and calls every
// operation. The manager's host value is the GPS clock; the manager and the
// clock must outlive the navigator. A route it follows may be deleted or
// reassigned at any time: the navigator hears of it and lets go.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "lib/foundation/core/Abi.h"
#include "lib/foundation/core/Callback.h"
#include "lib/foundation/text/Str.h"
#include "lib/geodesy/GeoPosition.h"
#include "lib/geodesy/GeodeticRef.h"
#include "lib/geodesy/PlaneTypes.h"
#include "lib/waypoints/WaypointManager.h"

class CGPSClock;
class CNMEAInterpreter;
class CNMEATrack;
class CNavigatorAlarm;
class CRoutePoint;
class CWaypoint;
class CWaypointRoute;
class CGPSNavigator;

// The current values at one moment; invalid values hold their invalid value.
struct SNavSnapshot {
  double Time;
  float Course;
  double TripDistance3;
  int32_t Fix;
  double Latitude;
  double Longitude;
  int32_t Satellites;
  float Speed;
  float VelocityNorth;
  float VelocityEast;
  uint8_t CourseStale, CourseValid, TripDistance3Stale, FixStale, FixValid, PositionStale,
      PositionValid, SatellitesStale, SatellitesValid, SpeedStale, SpeedValid, VelocityStale,
      VelocityValid;
};

// Navigation values: each with its flag, in the order of the request bits.
struct SNavValues {
  float LegBearing;
  float BearingToTarget;
  float LegDistance;
  double TripDistance1;
  double TripDistance2;
  float DistanceToTarget;
  float DistanceToEnd;
  double TimeSinceStart;
  float TimeToGo;
  float CrossTrack;
  float CrossTrackRatio;
  float VelocityMadeGood;
  uint8_t LegBearingValid, BearingToTargetValid, LegDistanceValid, TripDistance1Valid,
      TripDistance2Valid, DistanceToTargetValid, DistanceToEndValid, TimeSinceStartValid,
      TimeToGoValid, CrossTrackValid, VelocityMadeGoodValid;
};

// A route point the vessel came within the radius of: the snapshot and the
// distance of its closest approach so far.
struct CReachedRoutePoint {
  CRoutePoint* Point;
  SNavSnapshot Snapshot;
  float Closest;
};

typedef void (*TNavChangeFunc)(void* context, CGPSNavigator* navigator, uint32_t mask);
typedef void (*TNavNotifyFunc)(void* context, CGPSNavigator* navigator);
typedef void (*TNavRouteFunc)(void* context, CGPSNavigator* navigator, CWaypointRoute* route);
typedef void (*TNavPointLeftFunc)(void* context, CGPSNavigator* navigator, CRoutePoint* point,
                                  const SNavSnapshot* snapshot, float closest);

class CGPSNavigator {
 public:
  // Change-mask bits.
  enum : uint32_t {
    kChangePosition = 0x001,
    kChangeCourse = 0x002,
    kChangeSpeed = 0x004,
    kChangeSatellites = 0x008,
    kChangeFix = 0x010,
    kChangeTarget = 0x100,
    kChangeReverse = 0x200,
    kChangeStarted = 0x400,
    kChangeStopped = 0x800,
  };
  // Navigation-value bits.
  enum : uint32_t {
    kNavLegBearing = 0x001,
    kNavBearingToTarget = 0x002,
    kNavLegDistance = 0x004,
    kNavTripDistance1 = 0x008,
    kNavTripDistance2 = 0x010,
    kNavDistanceToTarget = 0x020,
    kNavDistanceToEnd = 0x040,
    kNavTimeSinceStart = 0x080,
    kNavTimeToGo = 0x100,
    kNavCrossTrack = 0x200,
    kNavVelocityMadeGood = 0x400,
    kNavAll = 0x7FF,
  };
  static constexpr float kInvalidF = -9999.0f;
  static constexpr double kInvalidD = -9999.0;
  static constexpr int32_t kInvalidFix = 0x7FFFFFFF;
  static constexpr int32_t kInvalidSatellites = -9999;
  static constexpr float kStartPointRadius = 50.0f;

  // The manager's host value is the clock. Without memory for the
  // interpreter the navigator works without one.
  CGPSNavigator(CWaypointManager* manager, const CStr& trackFolder);
  // Must run before the manager is destroyed.
  ~CGPSNavigator();
  CGPSNavigator(const CGPSNavigator&) = delete;
  CGPSNavigator& operator=(const CGPSNavigator&) = delete;

  // The owner sets these directly; an empty one is never called.
  SCallback OnChange;        // TNavChangeFunc
  SCallback OnAutoAdvance;   // TNavNotifyFunc
  SCallback OnRouteChanged;  // TNavRouteFunc
  SCallback OnPointLeft;     // TNavPointLeftFunc
  SCallback OnArrived;       // TNavNotifyFunc

  void BeginUpdate();
  void EndUpdate();

  // Routes. A free-standing route that is replaced is deleted.
  void SetRoute(CWaypointRoute* route);
  // Follows a new free-standing route to the waypoint; false, with the route
  // as it was, when that route cannot be made.
  bool GoToWaypoint(CWaypoint* waypoint, float radius);
  // An index outside the route becomes -1.
  void SetTarget(int32_t index);
  void SetReverse(bool reverse);
  void SetAutoAdvance(bool autoAdvance);
  void StartRoute(uint32_t* error);
  void StopRoute();
  bool NextLeg(bool wrap);
  bool PrevLeg(bool wrap);
  CWaypointRoute* GetRoute() const { return route_; }
  int32_t GetTarget() const { return target_; }
  bool IsStarted() const { return started_; }
  bool IsReverse() const { return reverse_; }
  bool GetAutoAdvance() const { return autoAdvance_; }
  const std::vector<CReachedRoutePoint>& GetReached() const { return reached_; }

  // Recording. StopTrack returns the track, which the caller then owns, or
  // null (no recording, no point, or delete set).
  void StartTrack(bool writeToFile);
  CNMEATrack* StopTrack(bool deleteTrack);
  bool IsRecording() const { return track_ != nullptr; }
  // The first error of the track files since recording started, 0 if none.
  uint32_t GetTrackError() const { return trackError_; }

  void Activate();
  void Deactivate();
  void Poll();
  CNMEAInterpreter* GetInterpreter() const { return interpreter_.get(); }

  // Values as if the interpreter reported them, timed by the clock unless
  // untimed (time 0).
  void SetValues(const SGeo3D* position, bool positionValid, bool positionUntimed, float speed,
                 bool speedValid, bool speedUntimed, float course, bool courseValid,
                 bool courseUntimed, uint32_t* error);

  bool GetCourse(float& course) const;
  bool GetSpeed(float& speed) const;
  bool GetPosition(SGeo2D& position) const;
  bool GetFix(int32_t& fix) const;
  bool GetSatellites(int32_t& count) const;
  bool GetVelocity(SPointF& velocity) const;
  void GetSnapshot(SNavSnapshot& snapshot) const;

  SNavValues CalcNavValues(uint32_t mask) const;
  bool GetLegBearing(float& value) const;
  bool GetBearingToTarget(float& value) const;
  bool GetLegDistance(float& value) const;
  bool GetTripDistance1(double& value) const;
  bool GetTripDistance2(double& value) const;
  bool GetDistanceToTarget(float& value) const;
  bool GetDistanceToEnd(float& value) const;
  bool GetTimeSinceStart(double& value) const;
  bool GetTimeToGo(float& value) const;
  bool GetCrossTrack(float& distance, float& ratio) const;
  bool GetVMG(float& value) const;

  // The alarm is not owned.
  void SetAlarm(CNavigatorAlarm* alarm);
  void ArmAlarm(bool notify);
  void DisarmAlarm(bool notify);

  // The interpreter's value callbacks, in its order.
  static void TD_STDCALL PositionReport(void* context, const SGeo3D* position, uint8_t valid,
                                        double time, uint32_t* error);
  static void TD_STDCALL SpeedReport(void* context, float speed, uint8_t valid, double time);
  static void TD_STDCALL CourseReport(void* context, float course, uint8_t valid, double time);
  static void TD_STDCALL FixReport(void* context, uint32_t fix, uint8_t valid, double time);
  static void TD_STDCALL SatellitesReport(void* context, uint32_t count, uint8_t valid,
                                          double time);
  static void TD_STDCALL TimedPositionReport(void* context, double time, const SGeo3D* position);

 private:
  template <class T>
  struct SValue {
    T Value;
    bool Valid;
    double Time;
    float MaxAge;  // seconds
  };
  struct SInterpreterDeleter {
    void operator()(CNMEAInterpreter* interpreter) const;
  };
  struct SPointDeleter {
    void operator()(CRoutePoint* point) const;
  };
  struct STrackDeleter {
    void operator()(CNMEATrack* track) const;
  };

  // A scene vector taken in double precision and kept in single.
  struct SSceneVector {
    float x, y, z;
    float Length() const;
  };

  double ClockTime() const;
  bool IsStale(bool valid, double time, float maxAge, double now) const;
  template <class T>
  void TakeValue(SValue<T>& value, T reported, bool valid, double time, T invalid, uint32_t bit,
                 bool movesVelocity);
  void TakePosition(const SGeo3D& position, bool valid, double time, uint32_t* error);
  void MoveTo(double lat, double lon);
  void RecomputeVelocity();
  void Changed(uint32_t bits) { mask_ |= bits; }

  // Route state (GpsNavigatorRoute.cpp).
  int32_t LastIndex() const;
  CRoutePoint* TargetPoint() const;
  CRoutePoint* PreviousPoint() const;
  SSceneVector SceneVector(CRoutePoint* point) const;
  void AssignTarget(int32_t index);
  void PlaceStartPoint() noexcept;
  bool StepLeg(int32_t step, bool wrap);
  void CheckArrival();
  size_t LastLeftEntry() const;
  void LeaveReachedPoints();
  void LeaveReached(size_t index);
  void RaisePointLeft(const CReachedRoutePoint& entry);
  void ReachTarget(float distance);
  // Room for one more reached entry while a route is started, so that a
  // position report that reaches the target cannot run out of memory half way.
  void ReserveArrival();
  void Subscribe();
  void Unsubscribe();
  void DropRoute();
  CWaypointRoute* Detach();  // the route let go of, or null
  void PointRemoved(int32_t index, CRoutePoint* point);
  void RemovedForward(int32_t index, int32_t count);
  void RemovedReverse(int32_t index, int32_t count);
  void RouteReset(ERouteReset reset);
  static void TD_STDCALL RouteEvent(void* context, CWaypointRoute* route, int32_t index,
                                    CRoutePoint* point);
  static void RouteResetNotice(void* context, CWaypointRoute* route, ERouteReset reset);

  // Navigation values (GpsNavigatorValues.cpp).
  void CalcTargetValues(SNavValues& values, uint32_t& mask) const;
  void CalcLegValues(SNavValues& values, uint32_t& mask, const SSceneVector& t) const;

  uint32_t mask_ = 0;
  int32_t updateDepth_ = 0;
  SValue<float> course_{kInvalidF, false, 0.0, 5.0f};
  SValue<float> speed_{kInvalidF, false, 0.0, 5.0f};
  SValue<SGeo2D> position_{SGeo2D{kInvalidD, kInvalidD}, false, 0.0, 5.0f};
  SGeodeticRef scene_;
  SValue<int32_t> fix_{kInvalidFix, false, 0.0, 5.0f};
  SValue<int32_t> satellites_{kInvalidSatellites, false, 0.0, 15.0f};
  SPointF velocity_{kInvalidF, kInvalidF};
  double tripDistance1_ = 0;
  double tripDistance2_ = 0;
  double tripDistance3_ = 0;
  bool tripDistance3Enabled_ = false;
  std::unique_ptr<CNMEAInterpreter, SInterpreterDeleter> interpreter_;
  bool active_ = false;
  double lastPollTime_ = 0;
  CNavigatorAlarm* alarm_ = nullptr;
  CWaypointManager* manager_;
  CGPSClock* clock_;
  CStr trackFolder_;
  CWaypointRoute* route_ = nullptr;
  bool autoAdvance_ = false;
  bool reverse_ = false;
  int32_t target_ = -1;
  bool started_ = false;
  double startTime_ = 0;
  // Held while a route is started, so that moving the target allocates
  // nothing; in use while placed.
  std::unique_ptr<CRoutePoint, SPointDeleter> startPoint_;
  bool startPointPlaced_ = false;
  std::vector<CReachedRoutePoint> reached_;
  std::unique_ptr<CNMEATrack, STrackDeleter> track_;
  uint32_t trackError_ = 0;
};
