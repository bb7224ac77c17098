// The route side of the GPS navigator: the target and its legs, the
// temporary start point, arrival, and what the manager says of the route.
#include <cmath>
#include <optional>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/geodesy/Scene.h"
#include "lib/waypoints/GpsNavigator.h"
#include "lib/waypoints/RoutePoint.h"
#include "lib/waypoints/WaypointRoute.h"

float CGPSNavigator::SSceneVector::Length() const { return std::sqrt(x * x + y * y + z * z); }

int32_t CGPSNavigator::LastIndex() const { return route_ ? route_->GetPointCount() - 1 : -1; }

// Null while the target is -1 or, for a moment inside a change of the route,
// outside it.
CRoutePoint* CGPSNavigator::TargetPoint() const {
  return route_ && target_ >= 0 ? route_->GetPoint(target_) : nullptr;
}

CRoutePoint* CGPSNavigator::PreviousPoint() const {
  const int32_t previous = reverse_ ? target_ + 1 : target_ - 1;
  const bool atStart = reverse_ ? target_ >= LastIndex() : target_ <= 0;
  if (!atStart) return route_->GetPoint(previous);
  return startPointPlaced_ ? startPoint_.get() : nullptr;
}

CGPSNavigator::SSceneVector CGPSNavigator::SceneVector(CRoutePoint* point) const {
  SPoint3D v;
  GeoWGS84ToScene2(v, SGeo2D{point->GetLatitude(), point->GetLongitude()}, scene_);
  return SSceneVector{static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)};
}

void CGPSNavigator::SetTarget(int32_t index) {
  if (index < 0 || index > LastIndex()) index = -1;
  if (index != target_) AssignTarget(index);
}

void CGPSNavigator::AssignTarget(int32_t index) {
  BeginUpdate();
  target_ = index;
  PlaceStartPoint();
  tripDistance1_ = 0;
  Changed(kChangeTarget);
  EndUpdate();
}

// A target at the start of the route in the order of travel has its leg
// start here while the route is started.
void CGPSNavigator::PlaceStartPoint() noexcept {
  startPointPlaced_ = startPoint_ && route_ && started_ && target_ == (reverse_ ? LastIndex() : 0);
  if (startPointPlaced_)
    startPoint_->MovePoint(SGeo3D{position_.Value.lat, position_.Value.lon, 0.0});
}

void CGPSNavigator::SetReverse(bool reverse) {
  if (reverse == reverse_) return;
  BeginUpdate();
  reverse_ = reverse;
  Changed(kChangeReverse);
  if (route_) {
    if (!reverse_)
      SetTarget(target_ < LastIndex() ? target_ + 1 : 0);
    else
      SetTarget(target_ >= 1 ? target_ - 1 : LastIndex());
  }
  EndUpdate();
}

void CGPSNavigator::SetAutoAdvance(bool autoAdvance) {
  if (autoAdvance == autoAdvance_) return;
  autoAdvance_ = autoAdvance;
  if (OnAutoAdvance.IsSet())
    reinterpret_cast<TNavNotifyFunc>(OnAutoAdvance.Function)(OnAutoAdvance.Context, this);
}

void CGPSNavigator::StartRoute(uint32_t* error) {
  *error = 0;
  if (started_) return;
  if (!position_.Valid) {
    *error = kErrPositionInvalid;
    return;
  }
  std::unique_ptr<CRoutePoint, SPointDeleter> startPoint(
      new CRoutePoint(nullptr, CStr(), nullptr, SGeo3D{}, kStartPointRadius));
  BeginUpdate();
  startPoint_ = std::move(startPoint);
  started_ = true;
  startTime_ = ClockTime();
  if (target_ == -1)
    SetTarget(reverse_ ? LastIndex() : 0);
  else
    PlaceStartPoint();
  Changed(kChangeStarted);
  EndUpdate();
}

void CGPSNavigator::StopRoute() {
  if (!started_) return;
  BeginUpdate();
  started_ = false;
  startTime_ = 0;
  PlaceStartPoint();
  startPoint_.reset();
  LeaveReachedPoints();
  Changed(kChangeStopped);
  EndUpdate();
}

// Forward, NextLeg steps up and PrevLeg down; reverse the other way. At the
// end of the step's direction the target wraps, or nothing changes; a step
// that finds no point changes nothing either.
bool CGPSNavigator::NextLeg(bool wrap) { return StepLeg(reverse_ ? -1 : 1, wrap); }

bool CGPSNavigator::PrevLeg(bool wrap) { return StepLeg(reverse_ ? 1 : -1, wrap); }

bool CGPSNavigator::StepLeg(int32_t step, bool wrap) {
  if (!route_) return false;
  const int32_t last = LastIndex();
  const int32_t end = step > 0 ? last : 0;
  if (target_ == end && !wrap) return false;
  const int32_t index = target_ == end ? (step > 0 ? 0 : last) : target_ + step;
  if (index < 0 || index > last) return false;
  BeginUpdate();
  SetTarget(index);
  EndUpdate();
  return true;
}

// Arrival. The handlers of OnPointLeft and OnArrived may change anything
// (stop, take another route, delete points): the navigator's own state is
// settled before each call, and read afresh after it.

void CGPSNavigator::CheckArrival() {
  if (!started_ || !TargetPoint()) return;
  for (CReachedRoutePoint& entry : reached_) {
    const float d = SceneVector(entry.Point).Length();
    if (d <= entry.Point->GetRadius() && d < entry.Closest) {
      GetSnapshot(entry.Snapshot);
      entry.Closest = d;
    }
  }
  for (size_t left = LastLeftEntry(); left < reached_.size(); left = LastLeftEntry())
    LeaveReached(left);
  CRoutePoint* target = started_ ? TargetPoint() : nullptr;
  if (!target) return;
  const float d = SceneVector(target).Length();
  if (d <= target->GetRadius()) ReachTarget(d);
}

// The last entry whose point lies beyond its radius, or the count when none.
size_t CGPSNavigator::LastLeftEntry() const {
  for (size_t i = reached_.size(); i-- > 0;)
    if (SceneVector(reached_[i].Point).Length() > reached_[i].Point->GetRadius()) return i;
  return reached_.size();
}

// One entry per point: it keeps the closest approach, which the check above
// has already taken for a target reached before. Auto-advance follows only
// when the handler of OnArrived left route and target as they were.
void CGPSNavigator::ReachTarget(float distance) {
  CRoutePoint* target = TargetPoint();
  bool known = false;
  for (const CReachedRoutePoint& entry : reached_) known = known || entry.Point == target;
  if (!known) {
    reached_.push_back(CReachedRoutePoint{target, {}, distance});
    GetSnapshot(reached_.back().Snapshot);
  }
  const CWaypointRoute* route = route_;
  const int32_t index = target_;
  if (OnArrived.IsSet())
    reinterpret_cast<TNavNotifyFunc>(OnArrived.Function)(OnArrived.Context, this);
  if (route_ != route || target_ != index || !started_) return;
  if (autoAdvance_ && !NextLeg(false)) {
    StopRoute();
    SetTarget(-1);
  }
}

void CGPSNavigator::ReserveArrival() {
  if (started_) reached_.reserve(reached_.size() + 1);
}

// The entry goes before its handler runs.
void CGPSNavigator::LeaveReached(size_t index) {
  const CReachedRoutePoint entry = reached_[index];
  reached_.erase(reached_.begin() + static_cast<std::ptrdiff_t>(index));
  RaisePointLeft(entry);
}

void CGPSNavigator::RaisePointLeft(const CReachedRoutePoint& entry) {
  if (OnPointLeft.IsSet())
    reinterpret_cast<TNavPointLeftFunc>(OnPointLeft.Function)(
        OnPointLeft.Context, this, entry.Point, &entry.Snapshot, entry.Closest);
}

// Reads the list afresh after each handler, which may itself leave entries.
void CGPSNavigator::LeaveReachedPoints() {
  while (!reached_.empty()) LeaveReached(reached_.size() - 1);
}

// The followed route.

// The subscription for the new route comes first: when memory runs out the
// navigator follows the route it had. The old route's subscription goes with
// it; the two are the same pair, which tells routes apart by route_.
void CGPSNavigator::SetRoute(CWaypointRoute* route) {
  if (route == route_) return;
  if (route) Subscribe();
  BeginUpdate();
  DropRoute();
  route_ = route;
  SetTarget(-1);
  tripDistance1_ = 0;
  tripDistance2_ = 0;
  if (OnRouteChanged.IsSet())
    reinterpret_cast<TNavRouteFunc>(OnRouteChanged.Function)(OnRouteChanged.Context, this, route_);
  EndUpdate();
}

bool CGPSNavigator::GoToWaypoint(CWaypoint* waypoint, float radius) {
  CWaypointRoute* route = manager_->CreateRoute();
  if (!route) return false;
  uint32_t error = 0;
  if (!route->AddWaypoint(waypoint, radius, &error)) {
    route->Delete(&error);
    return false;
  }
  try {
    SetRoute(route);
  } catch (...) {
    route->Delete(&error);
    throw;
  }
  return true;
}

// Lets go of the current route. The stop comes first, while the route is
// whole and its point deletions still reach the navigator; a handler of the
// stop may let go of the route itself. The pointer is cleared before a
// free-standing route is deleted, so that its deletion finds nothing to tell.
void CGPSNavigator::DropRoute() {
  if (!route_) return;
  StopRoute();
  LeaveReachedPoints();  // those of a stop under way
  CWaypointRoute* old = Detach();
  if (old && old->IsFreeStanding()) {
    uint32_t error = 0;
    old->Delete(&error);
  }
}

CWaypointRoute* CGPSNavigator::Detach() {
  if (!route_) return nullptr;
  Unsubscribe();
  CWaypointRoute* old = route_;
  route_ = nullptr;
  return old;
}

// Both or neither.
void CGPSNavigator::Subscribe() {
  manager_->AddRouteSubscriber(&RouteEvent, this);
  try {
    manager_->AddRouteResetListener(&RouteResetNotice, this);
  } catch (...) {
    manager_->RemoveRouteEventHandler(&RouteEvent, this);
    throw;
  }
}

void CGPSNavigator::Unsubscribe() {
  manager_->RemoveRouteEventHandler(&RouteEvent, this);
  manager_->RemoveRouteResetListener(&RouteResetNotice, this);
}

void CGPSNavigator::RouteResetNotice(void* context, CWaypointRoute* route, ERouteReset reset) {
  auto* self = static_cast<CGPSNavigator*>(context);
  if (route == self->route_) self->RouteReset(reset);
}

// Destroyed: let go without deleting, stop, tell the owner. Points replaced:
// the reached entries go while their points live, and afterwards a target
// beyond the new points becomes -1.
void CGPSNavigator::RouteReset(ERouteReset reset) {
  BeginUpdate();
  switch (reset) {
    case ERouteReset::Destroying:
      Detach();  // first: a handler of the stop must not reach the dying route
      StopRoute();
      LeaveReachedPoints();
      if (route_) break;  // a handler has taken another route
      SetTarget(-1);
      tripDistance1_ = 0;
      tripDistance2_ = 0;
      if (OnRouteChanged.IsSet())
        reinterpret_cast<TNavRouteFunc>(OnRouteChanged.Function)(OnRouteChanged.Context, this,
                                                                 nullptr);
      break;
    case ERouteReset::Replacing:
      LeaveReachedPoints();
      break;
    case ERouteReset::Replaced:
      if (target_ > LastIndex()) AssignTarget(-1);
      break;
  }
  EndUpdate();
}

void TD_STDCALL CGPSNavigator::RouteEvent(void* context, CWaypointRoute* route, int32_t index,
                                          CRoutePoint* point) {
  auto* self = static_cast<CGPSNavigator*>(context);
  // The manager calls it as it would a host's handler: nothing may leave it.
  if (route == self->route_) td::GuardVoid([&] { self->PointRemoved(index, point); });
}

// The point has left the route (the count is the new one) and still lives.
// Its reached entry goes whatever the target; the target follows only while
// there is one. OnPointLeft comes last, when the target has followed.
void CGPSNavigator::PointRemoved(int32_t index, CRoutePoint* point) {
  BeginUpdate();
  std::optional<CReachedRoutePoint> left;
  for (size_t i = reached_.size(); i-- > 0;)
    if (reached_[i].Point == point) {
      left = reached_[i];
      reached_.erase(reached_.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  if (target_ >= 0) {
    const int32_t count = route_->GetPointCount();
    if (reverse_)
      RemovedReverse(index, count);
    else
      RemovedForward(index, count);
  }
  if (left) RaisePointLeft(*left);
  EndUpdate();
}

void CGPSNavigator::RemovedForward(int32_t index, int32_t count) {
  if (index < target_) {
    SetTarget(target_ - 1);
  } else if (index == target_ && index == count) {
    SetTarget(target_ - 1);
    StopRoute();
  }
}

// Mirrors the forward rules. The deleted target 0 was the last point in the
// order of travel: the target becomes the point just before it in that order,
// now index 0, set anew (start point, trip distance 1, bit), and the route
// stops; with no point left the target is -1.
void CGPSNavigator::RemovedReverse(int32_t index, int32_t count) {
  if (index < target_) {
    SetTarget(target_ - 1);
  } else if (index == target_ && index == 0) {
    AssignTarget(count > 0 ? 0 : -1);
    StopRoute();
  } else if (index == target_) {
    SetTarget(target_ - 1);
  } else if (target_ == count - 1 && index == count) {
    AssignTarget(target_);
  }
}
