// CWaypointRoute: a named, ordered list of route points whose cumulative
// great-circle distances it keeps current on every insertion, removal and
// move. Removing a point raises the manager's route event. Host thread only;
// a point returned stays valid until it is deleted or the route goes.
#pragma once

#include <cstdint>

#include "lib/foundation/containers/List.h"
#include "lib/geodesy/GeoPosition.h"
#include "lib/waypoints/NameNumbers.h"
#include "lib/waypoints/WaypointManagerItem.h"

class CWaypointRoute : public CWaypointManagerItem {
 public:
  explicit CWaypointRoute(const SItemArgs& args);
  // Destroys every point (the manager hears of it first).
  ~CWaypointRoute();
  TD_DELETE_THIS(CWaypointRoute)

  void TD_STDCALL Assign(CWaypointManagerItem* source, uint32_t* error) override;
  int32_t TD_STDCALL GetStoreSize(uint8_t whole) override;
  void TD_STDCALL Delete(uint32_t* error) override;

  virtual CRoutePoint* TD_STDCALL AddPoint(const SGeo3D* position, float radius, uint32_t* error);
  virtual CRoutePoint* TD_STDCALL AddPointLatLon(const SGeo2D* position, float radius,
                                                 uint32_t* error);
  virtual CRoutePoint* TD_STDCALL AddWaypoint(CWaypoint* waypoint, float radius, uint32_t* error);
  // NaN for an index outside the route.
  virtual double TD_STDCALL GetDistanceBetween(int32_t a, int32_t b);
  // Bearing from point index towards its previous or next point, radians in
  // [-pi, pi); NaN when either point is missing.
  virtual double TD_STDCALL GetLegHeading(int32_t index, uint8_t towardsPrevious);
  virtual void TD_STDCALL DeletePoint(int32_t index, uint32_t* error);
  virtual int32_t TD_STDCALL GetPointCount();
  virtual double TD_STDCALL GetLength();
  virtual CRoutePoint* TD_STDCALL GetPoint(int32_t index);
  virtual int32_t TD_STDCALL IndexOf(CRoutePoint* point);
  virtual CRoutePoint* TD_STDCALL InsertPoint(int32_t index, const SGeo3D* position, float radius,
                                              uint32_t* error);
  virtual CRoutePoint* TD_STDCALL InsertPointLatLon(int32_t index, const SGeo2D* position,
                                                    float radius, uint32_t* error);
  virtual CRoutePoint* TD_STDCALL InsertWaypoint(int32_t index, CWaypoint* waypoint, float radius,
                                                 uint32_t* error);
  virtual void TD_STDCALL RemovePoint(CRoutePoint* point, uint32_t* error);

  // Recomputes the distance of point index and shifts every later point.
  void UpdateDistances(int32_t index);
  // Points attached by AttachWaypointDeferred: the distances are computed
  // afresh from the first point on, once, by RecomputeStaleDistances.
  void MarkDistancesStale() { distancesStale_ = true; }
  void RecomputeStaleDistances();
  CRoutePoint* InsertPointAt(int32_t index, CWaypoint* waypoint, const SGeo3D& position,
                             float radius, uint32_t* error);
  // Appends a point without a waypoint, for Assign and the readers.
  CRoutePoint* AppendPointInternal(const CStr& name, const SGeo3D& position, float radius);
  CStr MakeUniquePointName() const { return pointNames_.MakeName(); }
  // Whole or not at all, as CNameNumbers::Rename.
  void PointRenamed(const CStr& from, const CStr& to) { pointNames_.Rename(from, to); }

 private:
  double Distance(int32_t a, int32_t b);
  bool IsIndex(int32_t i) const { return i >= 0 && i < points_.GetCount(); }
  CRoutePoint* PutPoint(int32_t index, const CStr& name, CWaypoint* waypoint,
                        const SGeo3D& position, float radius);
  void CopyPoints(CWaypointRoute& source, CList<CRoutePoint>& points, CNameNumbers& names);
  void ReplacePoints(CList<CRoutePoint>& points, CNameNumbers& names) noexcept;

  CList<CRoutePoint> points_;
  CNameNumbers pointNames_;
  bool distancesStale_ = false;
};
