// Random sequences of model operations, load batches among them, with the
// model's invariants checked after each step: group counts and the built-in
// group, route distances against a fresh sum, each waypoint's points, and the
// manager's lists as the union of the databases' in identifier order.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "lib/foundation/text/Language.h"
#include "lib/geodesy/GreatCircle.h"
#include "lib/waypoints/RoutePoint.h"
#include "lib/waypoints/WaypointList.h"
#include "lib/waypoints/WaypointManager.h"

namespace {

// Names the broken invariant before stopping.
#define Require(condition)                                 \
  do {                                                     \
    if (!(condition)) {                                    \
      std::fprintf(stderr, "invariant: %s\n", #condition); \
      std::abort();                                        \
    }                                                      \
  } while (0)

class Model {
 public:
  explicit Model(FuzzedDataProvider& in) : in_(in) {
    SWaypointManagerArgs args{
        0, nullptr, nullptr, 0, 0, 0, "Arial", {10, 0, 0xFF000000u, 8, 0, 0xFF000000u}, 5};
    manager_ = new CWaypointManager(args);
    CStr a("A"), b("B");
    dbs_[0] = manager_->CreateDatabase(&a, 1, 0);
    dbs_[1] = manager_->CreateDatabase(&b, 2, 0);
  }
  ~Model() { td::Free(manager_); }

  void Step() {
    switch (in_.ConsumeIntegralInRange(0, 16)) {
      case 0:
        Db()->AddWaypoint(&Position(), nullptr);
        break;
      case 1:
        if (CWaypoint* w = AnyWaypoint()) w->Delete(&error_);
        break;
      case 2:
        if (CWaypoint* w = AnyWaypoint()) Rename(w);
        break;
      case 3:
        Db()->AddGroup();
        break;
      case 4:
        if (CWaypointGroup* g = AnyGroup()) g->AddWaypoint(AnyWaypoint(), &error_);
        break;
      case 5:
        if (CWaypointGroup* g = AnyGroup()) g->RemoveAt(Index(g->GetCount()), &error_);
        break;
      case 6:
        if (CWaypointGroup* g = AnyGroup()) g->Delete(&error_);
        break;
      case 7:
        in_.ConsumeBool() ? (void)Db()->AddRoute() : own_.push_back(manager_->CreateRoute());
        break;
      case 8:
        if (CWaypointRoute* r = AnyRoute())
          r->InsertWaypoint(Index(r->GetPointCount() + 1), AnyWaypoint(), 0, &error_);
        break;
      case 9:
        if (CWaypointRoute* r = AnyRoute())
          r->InsertPoint(Index(r->GetPointCount() + 1), &Position(), 0, &error_);
        break;
      case 10:
        if (CWaypointRoute* r = AnyRoute()) r->DeletePoint(Index(r->GetPointCount()), &error_);
        break;
      case 11:
        if (CWaypoint* w = AnyWaypoint()) w->SetPosition(&Position(), &error_);
        break;
      case 12:
        if (CWaypointRoute* r = AnyRoute()) r->Assign(AnyRoute(), &error_);
        break;
      case 13:
        if (CWaypointRoute* r = AnyRoute()) DeleteRoute(r);
        break;
      case 14:
        TypeStep();
        break;
      case 15:
        if (CWaypointGroup* g = AnyGroup()) g->Clear(&error_);
        break;
      case 16:
        manager_->IsLoading() ? manager_->EndLoad() : manager_->BeginLoad(1, nullptr);
        break;
    }
    Check();
  }

  // A batch still open at the end of the input ends, and is checked settled.
  void Finish() {
    if (!manager_->IsLoading()) return;
    manager_->EndLoad();
    Check();
  }

 private:
  CWaypointDatabase* Db() { return dbs_[in_.ConsumeBool()]; }
  int32_t Index(int32_t count) { return in_.ConsumeIntegralInRange<int32_t>(-1, count); }

  const SGeo3D& Position() {
    position_ = {in_.ConsumeFloatingPointInRange(-1.5, 1.5),
                 in_.ConsumeFloatingPointInRange(-3.1, 3.1), 0};
    return position_;
  }

  CWaypoint* AnyWaypoint() {
    int32_t n = manager_->GetWaypointCount();
    return n ? manager_->GetWaypoint(in_.ConsumeIntegralInRange<int32_t>(0, n - 1)) : nullptr;
  }

  CWaypointGroup* AnyGroup() {
    int32_t n = manager_->GetGroupCount();
    return manager_->GetGroup(in_.ConsumeIntegralInRange<int32_t>(0, n - 1));
  }

  CWaypointRoute* AnyRoute() {
    int32_t n = manager_->GetRouteCount() + static_cast<int32_t>(own_.size());
    if (n == 0) return nullptr;
    int32_t i = in_.ConsumeIntegralInRange<int32_t>(0, n - 1);
    return i < manager_->GetRouteCount() ? manager_->GetRoute(i)
                                         : own_[static_cast<size_t>(i - manager_->GetRouteCount())];
  }

  void Rename(CWaypoint* w) {
    CStr name = CStr("Waypoint ") + CStr(static_cast<char>('0' + in_.ConsumeIntegralInRange(0, 9)));
    w->SetName(&name, &error_);
  }

  void DeleteRoute(CWaypointRoute* r) {
    own_.erase(std::remove(own_.begin(), own_.end(), r), own_.end());
    r->Delete(&error_);
  }

  void TypeStep() {
    if (in_.ConsumeBool()) {
      Db()->AddType(nullptr, nullptr, 0, 0, 0, 8, 0, 0, 8, 0, 0);
    } else if (CWaypoint* w = AnyWaypoint()) {
      int32_t n = manager_->GetTypeCount();
      CWaypointType* t = manager_->GetType(in_.ConsumeIntegralInRange<int32_t>(0, n - 1));
      in_.ConsumeBool() ? t->Delete(&error_) : w->SetType(t, &error_);
    }
  }

  std::vector<CWaypointRoute*> AllRoutes() {
    std::vector<CWaypointRoute*> routes(own_);
    for (int32_t i = 0; i < manager_->GetRouteCount(); ++i) routes.push_back(manager_->GetRoute(i));
    return routes;
  }

  void Check() {
    CheckManagerLists();
    CheckGroups();
    CheckRoutes();
  }

  // Inside a load batch the lists are in no order and the built-in group is
  // settled only when the batch ends.
  template <class Count, class Get, class DbCount>
  void CheckUnion(Count count, Get get, DbCount dbCount, int32_t builtIns) {
    Require(count() == dbCount(dbs_[0]) + dbCount(dbs_[1]) + builtIns);
    for (int32_t i = 1; i < count() && !manager_->IsLoading(); ++i)
      Require(CompareItemId(*get(i - 1)->GetId(), *get(i)->GetId()) <= 0);
  }

  void CheckManagerLists() {
    CheckUnion([&] { return manager_->GetWaypointCount(); },
               [&](int32_t i) { return manager_->GetWaypoint(i); },
               [](CWaypointDatabase* d) { return d->GetWaypointCount(); }, 0);
    CheckUnion([&] { return manager_->GetGroupCount(); },
               [&](int32_t i) { return manager_->GetGroup(i); },
               [](CWaypointDatabase* d) { return d->GetGroupCount(); }, 1);
    CheckUnion([&] { return manager_->GetTypeCount(); },
               [&](int32_t i) { return manager_->GetType(i); },
               [](CWaypointDatabase* d) { return d->GetTypeCount(); }, 1);
    CheckUnion([&] { return manager_->GetRouteCount(); },
               [&](int32_t i) { return manager_->GetRoute(i); },
               [](CWaypointDatabase* d) { return d->GetRouteCount(); }, 0);
    for (CWaypointDatabase* db : dbs_)
      for (int32_t i = 0; i < db->GetWaypointCount(); ++i) {
        int32_t at;
        Require(manager_->FindWaypoint(db->GetWaypoint(i)->GetId(), &at));
        Require(db->GetWaypoint(i)->GetType() != nullptr);
      }
  }

  void CheckGroups() {
    CWaypointGroup* builtIn = manager_->GetDefaultGroup();
    for (int32_t i = 0; i < manager_->GetWaypointCount(); ++i) {
      CWaypoint* w = manager_->GetWaypoint(i);
      int32_t holding = 0;
      for (int32_t g = 0; g < manager_->GetGroupCount(); ++g)
        if (!manager_->GetGroup(g)->IsDefault() && manager_->GetGroup(g)->Contains(w)) ++holding;
      Require(holding == w->GetGroupCount());
      Require(builtIn->Contains(w) == (holding == 0) || manager_->IsLoading());
    }
    Require(builtIn->GetCount() <= manager_->GetWaypointCount());
  }

  void CheckRoutes() {
    std::vector<CRoutePoint*> attached;
    for (CWaypointRoute* r : AllRoutes()) {
      double sum = 0;
      for (int32_t i = 0; i < r->GetPointCount(); ++i) {
        CRoutePoint* p = r->GetPoint(i);
        if (i > 0) sum += Leg(*r->GetPoint(i - 1)->GetPosition(), *p->GetPosition());
        Require(std::fabs(p->GetDistance() - sum) < 1e-3);
        if (CWaypoint* w = p->GetWaypoint()) {
          attached.push_back(p);
          const SGeo3D& a = *w->GetPosition();
          Require(a.lat == p->GetLatitude() && a.lon == p->GetLongitude());
        }
      }
    }
    size_t listed = 0;
    for (int32_t i = 0; i < manager_->GetWaypointCount(); ++i) {
      CWaypoint* w = manager_->GetWaypoint(i);
      for (CRoutePoint* p : w->GetRoutePoints()) {
        Require(p->GetWaypoint() == w);
        Require(std::find(attached.begin(), attached.end(), p) != attached.end());
      }
      listed += w->GetRoutePoints().size();
    }
    Require(listed == attached.size());
  }

  // Exactly 0 between equal positions, where the rounded unit vectors would
  // give about 0.13 m.
  static double Leg(const SGeo3D& a, const SGeo3D& b) {
    if (a.lat == b.lat && a.lon == b.lon) return 0.0;
    SPoint3D u, v;
    GeoToGreatCirclePoint(u, SGeo2D{a.lat, a.lon});
    GeoToGreatCirclePoint(v, SGeo2D{b.lat, b.lon});
    return DistAlongGreatCircle1(u, v);
  }

  FuzzedDataProvider& in_;
  CWaypointManager* manager_;
  CWaypointDatabase* dbs_[2];
  std::vector<CWaypointRoute*> own_;
  SGeo3D position_{};
  uint32_t error_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SetLanguage(kLangEnglish);
  FuzzedDataProvider in(data, size);
  Model model(in);
  for (int steps = 0; steps < 400 && in.remaining_bytes() > 0; ++steps) model.Step();
  model.Finish();
  return 0;
}
