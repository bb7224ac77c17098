#include "lib/waypoints/RoutePoint.h"

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/waypoints/SlotGuard.h"
#include "lib/waypoints/Waypoint.h"
#include "lib/waypoints/WaypointChecks.h"
#include "lib/waypoints/WaypointRoute.h"

CRoutePoint::CRoutePoint(CWaypointRoute* route, const CStr& name, CWaypoint* waypoint,
                         const SGeo3D& position, float radius)
    : name_(name), position_(position), radius_(radius), route_(nullptr) {
  // Not yet in the route's list: attaching moves the point only.
  AttachWaypoint(waypoint);
  route_ = route;
}

CRoutePoint::~CRoutePoint() {
  if (waypoint_) waypoint_->DetachRoutePoint(this);
}

double TD_STDCALL CRoutePoint::GetDistance() { return distance_; }

double TD_STDCALL CRoutePoint::GetAltitude() { return position_.h; }

int32_t TD_STDCALL CRoutePoint::GetIndex() { return route_ ? route_->IndexOf(this) : -1; }

double TD_STDCALL CRoutePoint::GetLatitude() { return position_.lat; }

double TD_STDCALL CRoutePoint::GetLongitude() { return position_.lon; }

CStr* TD_STDCALL CRoutePoint::GetDisplayName() { return waypoint_ ? waypoint_->GetName() : &name_; }

CStr* TD_STDCALL CRoutePoint::GetName() { return &name_; }

SGeo3D* TD_STDCALL CRoutePoint::GetPosition() { return &position_; }

float TD_STDCALL CRoutePoint::GetRadius() { return radius_; }

uint8_t TD_STDCALL CRoutePoint::IsReadOnly() { return route_ ? route_->IsReadOnly() : 1; }

CWaypoint* TD_STDCALL CRoutePoint::GetWaypoint() { return waypoint_; }

void TD_STDCALL CRoutePoint::SetAltitude(double altitude, uint32_t* error) {
  SGeo3D p = {position_.lat, position_.lon, altitude};
  SetPosition(&p, error);
}

void TD_STDCALL CRoutePoint::SetLatitude(double latitude, uint32_t* error) {
  SGeo3D p = {latitude, position_.lon, position_.h};
  SetPosition(&p, error);
}

void TD_STDCALL CRoutePoint::SetLongitude(double longitude, uint32_t* error) {
  SGeo3D p = {position_.lat, longitude, position_.h};
  SetPosition(&p, error);
}

void TD_STDCALL CRoutePoint::SetName(const CStr* name, uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckWritable(error) || *name == name_ || !td::WPMCheckName(*name, error)) return;
    // The new name first: then nothing can fail.
    CStr stored(*name);
    route_->PointRenamed(name_, stored);
    name_ = std::move(stored);
    TouchRoute();
  });
}

void TD_STDCALL CRoutePoint::SetPosition(const SGeo3D* position, uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckWritable(error)) return;
    if (waypoint_) {
      *error = kErrRoutePointAttached;
      return;
    }
    if (position->lat == position_.lat && position->lon == position_.lon &&
        position->h == position_.h)
      return;
    MovePoint(*position);
    TouchRoute();
  });
}

void TD_STDCALL CRoutePoint::SetPosition2D(const SGeo2D* position, uint32_t* error) {
  SGeo3D p = {position->lat, position->lon, 0.0};
  SetPosition(&p, error);
}

void TD_STDCALL CRoutePoint::SetRadius(float radius, uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckWritable(error) || radius == radius_) return;
    radius_ = radius;
    TouchRoute();
  });
}

void TD_STDCALL CRoutePoint::SetWaypoint(CWaypoint* waypoint, uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckWritable(error) || waypoint == waypoint_) return;
    if (waypoint && (!route_ || !route_->SameManager(*waypoint))) {
      *error = kErrItemNotFound;
      return;
    }
    AttachWaypoint(waypoint);
    TouchRoute();
  });
}

void CRoutePoint::MovePoint(const SGeo3D& position) {
  position_ = position;
  if (route_) route_->UpdateDistances(route_->IndexOf(this));
}

// The waypoint takes the point first: when memory runs out there, the point
// stays with the waypoint it had.
void CRoutePoint::AttachWaypoint(CWaypoint* waypoint) {
  if (waypoint) waypoint->AttachRoutePoint(this);
  if (waypoint_) waypoint_->DetachRoutePoint(this);
  waypoint_ = waypoint;
}

void CRoutePoint::AttachWaypointDeferred(CWaypoint* waypoint) {
  waypoint->AdoptRoutePoint(this);
  if (waypoint_) waypoint_->DetachRoutePoint(this);
  waypoint_ = waypoint;
  position_ = *waypoint->GetPosition();
  if (route_) route_->MarkDistancesStale();
}

int32_t CRoutePoint::GetMemSize() const {
  return name_.GetMemSize(false) + static_cast<int32_t>(sizeof(*this));
}

bool CRoutePoint::CheckWritable(uint32_t* error) {
  bool refused = IsReadOnly() != 0;
  *error = refused ? kErrWptReadOnly : kErrNone;
  return refused;
}

void CRoutePoint::TouchRoute() {
  if (route_) route_->Touch();
}
