// CRoutePoint: a point of a route, with a position of its own or attached to
// a waypoint whose position it follows; it keeps its cumulative distance from
// the route's first point. A free point (no route) is read-only.
// Host thread only; a point leaves its waypoint's list when it is destroyed.
#pragma once

#include <cstdint>

#include "lib/foundation/core/Object.h"
#include "lib/foundation/text/Str.h"
#include "lib/geodesy/GeoPosition.h"
#include "lib/waypoints/WaypointForward.h"

class CRoutePoint : public CObject {
 public:
  // With a waypoint the position comes from it and the given one is ignored.
  CRoutePoint(CWaypointRoute* route, const CStr& name, CWaypoint* waypoint, const SGeo3D& position,
              float radius);
  ~CRoutePoint();
  TD_DELETE_THIS(CRoutePoint)

  virtual double TD_STDCALL GetDistance();
  virtual double TD_STDCALL GetAltitude();
  virtual int32_t TD_STDCALL GetIndex();
  virtual double TD_STDCALL GetLatitude();
  virtual double TD_STDCALL GetLongitude();
  virtual CStr* TD_STDCALL GetDisplayName();
  virtual CStr* TD_STDCALL GetName();
  virtual SGeo3D* TD_STDCALL GetPosition();
  virtual float TD_STDCALL GetRadius();
  virtual uint8_t TD_STDCALL IsReadOnly();
  virtual CWaypoint* TD_STDCALL GetWaypoint();
  virtual void TD_STDCALL SetAltitude(double altitude, uint32_t* error);
  virtual void TD_STDCALL SetLatitude(double latitude, uint32_t* error);
  virtual void TD_STDCALL SetLongitude(double longitude, uint32_t* error);
  virtual void TD_STDCALL SetName(const CStr* name, uint32_t* error);
  virtual void TD_STDCALL SetPosition(const SGeo3D* position, uint32_t* error);
  virtual void TD_STDCALL SetPosition2D(const SGeo2D* position, uint32_t* error);
  virtual void TD_STDCALL SetRadius(float radius, uint32_t* error);
  virtual void TD_STDCALL SetWaypoint(CWaypoint* waypoint, uint32_t* error);

  // Without checks or touch: stores the position and updates the route's distances.
  void MovePoint(const SGeo3D& position);
  // Leaves the current waypoint's list; with a waypoint, joins its list and moves to it.
  void AttachWaypoint(CWaypoint* waypoint);
  // Attaches and takes the waypoint's position, leaving the route's distances
  // to one recomputation of the whole route (fix-ups of a load batch).
  void AttachWaypointDeferred(CWaypoint* waypoint);
  // The attached waypoint is going: the point keeps its position.
  void ForgetWaypoint() { waypoint_ = nullptr; }
  void SetDistance(double distance) { distance_ = distance; }
  CWaypointRoute* GetRoute() const { return route_; }
  void LeaveRoute() { route_ = nullptr; }
  const CStr& GetOwnName() const { return name_; }
  int32_t GetMemSize() const;

 private:
  bool CheckWritable(uint32_t* error);
  void TouchRoute();

  double distance_ = 0.0;
  CStr name_;
  SGeo3D position_;
  float radius_;
  CWaypointRoute* route_;
  CWaypoint* waypoint_ = nullptr;
};
