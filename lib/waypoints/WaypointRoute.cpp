#include "lib/waypoints/WaypointRoute.h"

#include <cmath>
#include <limits>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/waypoints/SlotGuard.h"
#include "lib/geodesy/Angles.h"
#include "lib/geodesy/GreatCircle.h"
#include "lib/geodesy/Scene.h"
#include "lib/waypoints/RoutePoint.h"
#include "lib/waypoints/Waypoint.h"
#include "lib/waypoints/WaypointDatabase.h"
#include "lib/waypoints/WaypointManager.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

SPoint3D SpherePoint(const SGeo3D& p) {
  SPoint3D u;
  GeoToGreatCirclePoint(u, SGeo2D{p.lat, p.lon});
  return u;
}

}  // namespace

CWaypointRoute::CWaypointRoute(const SItemArgs& args)
    : CWaypointManagerItem(EItemKind::Route, args) {}

CWaypointRoute::~CWaypointRoute() {
  // Telling the listeners allocates nothing; what a listener lets out stays
  // here, and the route goes all the same.
  td::GuardVoid([&] { manager_->RouteResetting(this, ERouteReset::Destroying); });
  points_.SetOwnsItems(true);
}

// The points are made aside, each attached to its waypoint when the source
// is of this manager, with their names counted; the route keeps room for as
// many. The route's own points stay as they are.
void CWaypointRoute::CopyPoints(CWaypointRoute& source, CList<CRoutePoint>& points,
                                CNameNumbers& names) {
  const int32_t count = source.points_.GetCount();
  points.SetCapacity(count);
  for (int32_t i = 0; i < count; ++i) {
    CRoutePoint* model = source.points_.GetAt(i);
    CWaypoint* waypoint = source.manager_ == manager_ ? model->GetWaypoint() : nullptr;
    names.AddName(model->GetOwnName());
    td::TObjectPtr<CRoutePoint> point(new CRoutePoint(this, model->GetOwnName(), waypoint,
                                                      *model->GetPosition(), model->GetRadius()));
    points.Add(point.release());
  }
  if (points_.GetCapacity() < count) points_.SetCapacity(count);
}

// The old points are destroyed and the new ones take their place without
// allocating.
void CWaypointRoute::ReplacePoints(CList<CRoutePoint>& points, CNameNumbers& names) noexcept {
  points_.SetOwnsItems(true);
  points_.SetCount(0);
  points_.SetOwnsItems(false);
  for (int32_t i = 0; i < points.GetCount(); ++i) points_.Add(points.GetAt(i));
  points.SetOwnsItems(false);
  pointNames_ = std::move(names);
  distancesStale_ = true;
  RecomputeStaleDistances();
}

void TD_STDCALL CWaypointRoute::Assign(CWaypointManagerItem* source, uint32_t* error) {
  GuardSlot(error, [&] {
    if (!CanAssignFrom(source, error)) return;
    auto& from = static_cast<CWaypointRoute&>(*source);
    // Everything new is made first: after that nothing can fail.
    SPreparedName name = PrepareName(from.name_);
    CList<CRoutePoint> points(true);
    CNameNumbers names;
    CopyPoints(from, points, names);
    AssignBaseFields(std::move(name), from);
    manager_->RouteResetting(this, ERouteReset::Replacing);
    ReplacePoints(points, names);
    manager_->RouteResetting(this, ERouteReset::Replaced);
    Touch();
  });
}

int32_t TD_STDCALL CWaypointRoute::GetStoreSize(uint8_t whole) {
  return td::Guard(0, [&] {
    int32_t size =
        CWaypointManagerItem::GetStoreSize(0) + (whole ? static_cast<int32_t>(sizeof(*this)) : 0);
    size += points_.GetCapacity() * static_cast<int32_t>(sizeof(void*));
    for (int32_t i = 0; i < points_.GetCount(); ++i) size += points_.GetAt(i)->GetMemSize();
    return size;
  });
}

void TD_STDCALL CWaypointRoute::Delete(uint32_t* error) {
  GuardSlot(error, [&] {
    if (!CheckDelete(error)) return;
    if (database_)
      database_->RemoveRoute(this);
    else
      manager_->OwnRouteRemoved(this);
  });
}

CRoutePoint* TD_STDCALL CWaypointRoute::AddPoint(const SGeo3D* position, float radius,
                                                 uint32_t* error) {
  return InsertPoint(points_.GetCount(), position, radius, error);
}

CRoutePoint* TD_STDCALL CWaypointRoute::AddPointLatLon(const SGeo2D* position, float radius,
                                                       uint32_t* error) {
  return InsertPointLatLon(points_.GetCount(), position, radius, error);
}

CRoutePoint* TD_STDCALL CWaypointRoute::AddWaypoint(CWaypoint* waypoint, float radius,
                                                    uint32_t* error) {
  return InsertWaypoint(points_.GetCount(), waypoint, radius, error);
}

double TD_STDCALL CWaypointRoute::GetDistanceBetween(int32_t a, int32_t b) {
  if (!IsIndex(a) || !IsIndex(b)) return kNaN;
  return std::fabs(points_.GetAt(b)->GetDistance() - points_.GetAt(a)->GetDistance());
}

double TD_STDCALL CWaypointRoute::GetLegHeading(int32_t index, uint8_t towardsPrevious) {
  return td::Guard(kNaN, [&]() -> double {
    int32_t other = towardsPrevious ? index - 1 : index + 1;
    if (!IsIndex(index) || !IsIndex(other)) return kNaN;
    SGeodeticRef ref;
    GeodeticRefInitScene(ref, *points_.GetAt(index)->GetPosition());
    SPoint3D v;
    GeoWGS84ToScene3(v, *points_.GetAt(other)->GetPosition(), ref);
    return VectorAngleD(SPointD{v.x, v.y});
  });
}

void TD_STDCALL CWaypointRoute::DeletePoint(int32_t index, uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckWritable(error)) return;
    if (!IsIndex(index)) {
      *error = kErrItemNotFound;
      return;
    }
    CRoutePoint* point = points_.GetAt(index);
    point->AttachWaypoint(nullptr);
    if (index < points_.GetCount() - 1) point->MovePoint(*points_.GetAt(index + 1)->GetPosition());
    points_.Delete(index);
    pointNames_.RemoveName(point->GetOwnName());
    point->LeaveRoute();
    Touch();
    manager_->FireRouteEvent(this, index, point);
    td::Free(point);
  });
}

int32_t TD_STDCALL CWaypointRoute::GetPointCount() { return points_.GetCount(); }

double TD_STDCALL CWaypointRoute::GetLength() {
  return points_.GetCount() ? GetDistanceBetween(0, points_.GetCount() - 1) : 0.0;
}

CRoutePoint* TD_STDCALL CWaypointRoute::GetPoint(int32_t index) {
  return IsIndex(index) ? points_.GetAt(index) : nullptr;
}

// From the last point back, so the point just appended is found at once.
int32_t TD_STDCALL CWaypointRoute::IndexOf(CRoutePoint* point) {
  for (int32_t i = points_.GetCount() - 1; i >= 0; --i)
    if (points_.GetAt(i) == point) return i;
  return -1;
}

CRoutePoint* TD_STDCALL CWaypointRoute::InsertPoint(int32_t index, const SGeo3D* position,
                                                    float radius, uint32_t* error) {
  return InsertPointAt(index, nullptr, *position, radius, error);
}

CRoutePoint* TD_STDCALL CWaypointRoute::InsertPointLatLon(int32_t index, const SGeo2D* position,
                                                          float radius, uint32_t* error) {
  return InsertPointAt(index, nullptr, SGeo3D{position->lat, position->lon, 0.0}, radius, error);
}

CRoutePoint* TD_STDCALL CWaypointRoute::InsertWaypoint(int32_t index, CWaypoint* waypoint,
                                                       float radius, uint32_t* error) {
  return td::GuardCode(error, static_cast<CRoutePoint*>(nullptr), [&]() -> CRoutePoint* {
    if (!waypoint || !SameManager(*waypoint)) {
      *error = CheckWritable(error) ? *error : kErrItemNotFound;
      return nullptr;
    }
    return InsertPointAt(index, waypoint, *waypoint->GetPosition(), radius, error);
  });
}

void TD_STDCALL CWaypointRoute::RemovePoint(CRoutePoint* point, uint32_t* error) {
  DeletePoint(IndexOf(point), error);
}

// Equal positions are 0 m apart exactly: their rounded unit vectors would give
// a dot product just below 1 and about 0.13 m, which a point deleted by moving
// it onto its successor would leave behind in every later distance.
double CWaypointRoute::Distance(int32_t a, int32_t b) {
  const SGeo3D& p = *points_.GetAt(a)->GetPosition();
  const SGeo3D& q = *points_.GetAt(b)->GetPosition();
  if (p.lat == q.lat && p.lon == q.lon) return 0.0;
  return DistAlongGreatCircle1(SpherePoint(p), SpherePoint(q));
}

void CWaypointRoute::UpdateDistances(int32_t index) {
  int32_t n = points_.GetCount();
  if (n < 2 || !IsIndex(index)) return;
  CRoutePoint* p = points_.GetAt(index);
  double old = p->GetDistance();
  double delta = 0.0;
  if (index > 0) {
    p->SetDistance(points_.GetAt(index - 1)->GetDistance() + Distance(index - 1, index));
    delta = p->GetDistance() - old;
  }
  if (index < n - 1) {
    CRoutePoint* q = points_.GetAt(index + 1);
    delta -= q->GetDistance() - old;
    q->SetDistance(p->GetDistance() + Distance(index, index + 1));
    delta += q->GetDistance() - p->GetDistance();
    for (int32_t i = index + 2; i < n; ++i)
      points_.GetAt(i)->SetDistance(points_.GetAt(i)->GetDistance() + delta);
  }
}

void CWaypointRoute::RecomputeStaleDistances() {
  if (!distancesStale_) return;
  distancesStale_ = false;
  int32_t n = points_.GetCount();
  if (n > 0) points_.GetAt(0)->SetDistance(0.0);
  for (int32_t i = 1; i < n; ++i)
    points_.GetAt(i)->SetDistance(points_.GetAt(i - 1)->GetDistance() + Distance(i - 1, i));
}

CRoutePoint* CWaypointRoute::InsertPointAt(int32_t index, CWaypoint* waypoint,
                                           const SGeo3D& position, float radius, uint32_t* error) {
  return td::GuardCode(error, static_cast<CRoutePoint*>(nullptr), [&] {
    if (CheckWritable(error)) return static_cast<CRoutePoint*>(nullptr);
    if (index < 0 || index > points_.GetCount()) {
      *error = kErrItemNotFound;
      return static_cast<CRoutePoint*>(nullptr);
    }
    CRoutePoint* point = PutPoint(index, MakeUniquePointName(), waypoint, position, radius);
    Touch();
    return point;
  });
}

CRoutePoint* CWaypointRoute::AppendPointInternal(const CStr& name, const SGeo3D& position,
                                                 float radius) {
  return PutPoint(points_.GetCount(), name, nullptr, position, radius);
}

// The point, its name's number and room in the list are made first: when
// memory runs out the route stays as it was.
CRoutePoint* CWaypointRoute::PutPoint(int32_t index, const CStr& name, CWaypoint* waypoint,
                                      const SGeo3D& position, float radius) {
  td::TObjectPtr<CRoutePoint> made(new CRoutePoint(this, name, waypoint, position, radius));
  CNameNumbers::CPrepared number = pointNames_.Prepare(name);
  points_.Insert(index, made.get());
  CRoutePoint* point = made.release();
  pointNames_.Commit(std::move(number));
  if (index < points_.GetCount() - 1) point->SetDistance(points_.GetAt(index + 1)->GetDistance());
  UpdateDistances(index);
  return point;
}
