// Random sequences of model operations, load batches among them, with the
// model's invariants checked after each step: group counts and the built-in
// group, route distances against a fresh sum, each waypoint's points, and the
// manager's lists as the union of the databases' in identifier order.
//
// Now and then the input refuses one allocation inside a step (the program
// links the allocation seam of the test programs). A step that reports
// failure then must have changed nothing: each database's saved image, the
// routes of no database and the manager's lists are as before it; whether it
// failed or completed, every database can still be saved and the invariants
// hold. Only the step's own call runs armed: the checks, the snapshots and
// libFuzzer allocate freely.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/core/AllocationFaults.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "lib/foundation/text/Language.h"
#include "lib/geodesy/GreatCircle.h"
#include "lib/waypoints/RoutePoint.h"
#include "lib/waypoints/WaypointFile.h"
#include "lib/waypoints/WaypointLink.h"
#include "lib/waypoints/WaypointList.h"
#include "lib/waypoints/WaypointManager.h"

namespace {

// The operations by number, and the step under way: its operation and the
// allocation it refused (negative for none).
const char* const kOperationNames[] = {"add waypoint", "delete waypoint", "rename waypoint",
                                       "add group",    "group add",       "group remove at",
                                       "delete group", "add route",       "insert waypoint",
                                       "insert point", "delete point",    "move waypoint",
                                       "assign route", "delete route",    "type",
                                       "clear group",  "load batch",      "link",
                                       "assign",       "append to route", "rename item",
                                       "icon",         "membership"};
int g_Operation = -1;
int32_t g_Refusal = -1;

// Names the broken invariant and the step before stopping.
#define Require(condition)                                                                 \
  do {                                                                                     \
    if (!(condition)) {                                                                    \
      std::fprintf(stderr, "invariant: %s\nstep: %s, allocation %d refused\n", #condition, \
                   g_Operation < 0 ? "none" : kOperationNames[g_Operation], g_Refusal);    \
      std::abort();                                                                        \
    }                                                                                      \
  } while (0)

// A step's first byte. Values below kBasicBand choose one of the first
// kBasicOps operations by their remainder; the values from there on choose
// one of the kLaterOps further operations, or, from kRefusalBand on, refuse
// an allocation: the next byte says which of the step's allocations
// (RefusalOf) and the byte after it chooses the step as above.
constexpr int kBasicOps = 17;
constexpr int kLaterOps = 6;
constexpr int kBasicBand = 14 * kBasicOps;
constexpr int kRefusalBand = kBasicBand + kLaterOps;

static_assert(std::size(kOperationNames) == kBasicOps + kLaterOps);

// The step's allocation to refuse (0 = its first): most steps make a few,
// so the first 128 one by one, then every eighth up to the 1,144th.
int32_t RefusalOf(uint8_t choice) { return choice < 128 ? choice : 128 + (choice - 128) * 8; }

int OperationOf(uint8_t choice) {
  return choice < kBasicBand ? choice % kBasicOps : kBasicOps + (choice - kBasicBand) % kLaterOps;
}

// What a refused step that reports failure must leave as it was.
struct SModelImage {
  struct SPoint {
    double lat, lon, distance;
    float radius;
    CWaypoint* waypoint;
    bool operator==(const SPoint&) const = default;
  };
  std::array<std::vector<uint8_t>, 2> databases;
  std::vector<std::vector<SPoint>> ownRoutes;
  // The manager's types, waypoints, groups and routes, in their order.
  std::array<std::vector<const void*>, 4> managerLists;
};

// A kind of item in the order the steps made them, so that an input picks the
// same items whatever identifiers they drew: the manager keeps its lists in
// identifier order, and identifiers are random.
template <class T>
class CMadeOrder {
 public:
  // Drops the items the manager's list no longer holds and appends those new
  // to it (a step makes at most one).
  template <class Get>
  void Follow(int32_t count, Get get) {
    std::vector<T*> listed;
    for (int32_t i = 0; i < count; ++i) listed.push_back(get(i));
    std::vector<T*> sorted = Sorted(listed);
    std::erase_if(items_,
                  [&](T* item) { return !std::binary_search(sorted.begin(), sorted.end(), item); });
    std::vector<T*> known = Sorted(items_);
    for (T* item : listed)
      if (!std::binary_search(known.begin(), known.end(), item)) items_.push_back(item);
  }

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  T* operator[](int32_t i) const { return items_[static_cast<size_t>(i)]; }

 private:
  static std::vector<T*> Sorted(std::vector<T*> items) {
    std::sort(items.begin(), items.end());
    return items;
  }

  std::vector<T*> items_;
};

class Model {
 public:
  explicit Model(FuzzedDataProvider& in) : in_(in), icon_(new CBmp32(16, 16, false)) {
    SWaypointManagerArgs args{
        0, nullptr, nullptr, 0, 0, 0, "Arial", {10, 0, 0xFF000000u, 8, 0, 0xFF000000u}, 5};
    manager_ = new CWaypointManager(args);
    CStr a("A"), b("B");
    dbs_[0] = manager_->CreateDatabase(&a, 1, 0);
    dbs_[1] = manager_->CreateDatabase(&b, 2, 0);
    icon_->Fill(0xFF2040A0u);
    FollowManager();
  }
  ~Model() {
    td::Free(manager_);
    td::Free(icon_);
  }

  void Step() {
    uint8_t choice = in_.ConsumeIntegral<uint8_t>();
    g_Refusal = -1;
    if (choice >= kRefusalBand) {
      g_Refusal = RefusalOf(in_.ConsumeIntegral<uint8_t>());
      choice = in_.ConsumeIntegral<uint8_t>();
    }
    g_Operation = OperationOf(choice);
    Operate(g_Operation);
    Check();
  }

  // A batch still open at the end of the input ends, and is checked settled.
  void Finish() {
    g_Operation = g_Refusal = -1;
    if (!manager_->IsLoading()) return;
    manager_->EndLoad();
    Check();
  }

 private:
  // Runs the step's call, with the chosen allocation refused if any; the
  // call answers whether it reports success.
  template <class Call>
  void Run(Call call) {
    if (g_Refusal < 0) {
      call();
      return;
    }
    SModelImage before = Image();
    td::AllocationFaultArm(g_Refusal);
    bool done = call();
    bool refused = td::AllocationFaultDisarm();
    if (!refused) return;
    if (done) {
      for (CWaypointDatabase* db : dbs_) SavedImage(db);
      return;
    }
    SModelImage after = Image();
    Require(after.databases[0] == before.databases[0]);
    Require(after.databases[1] == before.databases[1]);
    Require(after.ownRoutes == before.ownRoutes);
    Require(after.managerLists == before.managerLists);
  }

  // A change that reports failure through its error code.
  template <class Call>
  void Change(Call call) {
    Run([&] {
      error_ = 0;
      call(&error_);
      return error_ == 0;
    });
  }

  // An addition that gives null on failure; the new item.
  template <class Call>
  auto Add(Call call) {
    decltype(call()) item = nullptr;
    Run([&] { return (item = call()) != nullptr; });
    return item;
  }

  void Operate(int operation) {
    switch (operation) {
      case 0: {
        CWaypointDatabase* db = Db();
        const SGeo3D& at = Position();
        Add([&] { return db->AddWaypoint(&at, nullptr); });
        break;
      }
      case 1:
        if (CWaypoint* w = AnyWaypoint()) Change([&](uint32_t* e) { w->Delete(e); });
        break;
      case 2:
        if (CWaypoint* w = AnyWaypoint()) Rename(w);
        break;
      case 3: {
        CWaypointDatabase* db = Db();
        Add([&] { return db->AddGroup(); });
        break;
      }
      case 4:
        if (CWaypointGroup* g = AnyGroup()) {
          CWaypoint* w = AnyWaypoint();
          Change([&](uint32_t* e) { g->AddWaypoint(w, e); });
        }
        break;
      case 5:
        if (CWaypointGroup* g = AnyGroup()) {
          int32_t at = Index(g->GetCount());
          Change([&](uint32_t* e) { g->RemoveAt(at, e); });
        }
        break;
      case 6:
        if (CWaypointGroup* g = AnyGroup()) Change([&](uint32_t* e) { g->Delete(e); });
        break;
      case 7:
        AddRoute();
        break;
      case 8:
        if (CWaypointRoute* r = AnyRoute()) {
          int32_t at = Index(r->GetPointCount() + 1);
          CWaypoint* w = AnyWaypoint();
          Change([&](uint32_t* e) { r->InsertWaypoint(at, w, 0, e); });
        }
        break;
      case 9:
        if (CWaypointRoute* r = AnyRoute()) {
          int32_t at = Index(r->GetPointCount() + 1);
          const SGeo3D& p = Position();
          Change([&](uint32_t* e) { r->InsertPoint(at, &p, 0, e); });
        }
        break;
      case 10:
        if (CWaypointRoute* r = AnyRoute()) {
          int32_t at = Index(r->GetPointCount());
          Change([&](uint32_t* e) { r->DeletePoint(at, e); });
        }
        break;
      case 11:
        if (CWaypoint* w = AnyWaypoint()) {
          const SGeo3D& p = Position();
          Change([&](uint32_t* e) { w->SetPosition(&p, e); });
        }
        break;
      case 12:
        if (CWaypointRoute* r = AnyRoute()) {
          CWaypointRoute* source = AnyRoute();
          Change([&](uint32_t* e) { r->Assign(source, e); });
        }
        break;
      case 13:
        if (CWaypointRoute* r = AnyRoute()) DeleteRoute(r);
        break;
      case 14:
        TypeStep();
        break;
      case 15:
        if (CWaypointGroup* g = AnyGroup()) Change([&](uint32_t* e) { g->Clear(e); });
        break;
      case 16:
        Run([&] {
          manager_->IsLoading() ? manager_->EndLoad() : manager_->BeginLoad(1, nullptr);
          return true;
        });
        break;
      case 17:
        if (CWaypoint* w = AnyWaypoint()) LinkStep(w);
        break;
      case 18:
        AssignStep();
        break;
      case 19:
        if (CWaypointRoute* r = AnyRoute()) AppendStep(r);
        break;
      case 20:
        RenameStep();
        break;
      case 21:
        IconStep();
        break;
      case 22:
        MembershipStep();
        break;
    }
  }

  // The saved images, the routes of no database and the manager's lists;
  // every database must still be savable.
  SModelImage Image() {
    SModelImage image;
    for (int i = 0; i < 2; ++i) image.databases[i] = SavedImage(dbs_[i]);
    for (CWaypointRoute* r : own_) image.ownRoutes.push_back(Points(r));
    image.managerLists = {
        List(manager_->GetTypeCount(), [&](int32_t i) { return manager_->GetType(i); }),
        List(manager_->GetWaypointCount(), [&](int32_t i) { return manager_->GetWaypoint(i); }),
        List(manager_->GetGroupCount(), [&](int32_t i) { return manager_->GetGroup(i); }),
        List(manager_->GetRouteCount(), [&](int32_t i) { return manager_->GetRoute(i); })};
    return image;
  }

  template <class Get>
  static std::vector<const void*> List(int32_t count, Get get) {
    std::vector<const void*> items;
    for (int32_t i = 0; i < count; ++i) items.push_back(get(i));
    return items;
  }

  static std::vector<uint8_t> SavedImage(CWaypointDatabase* db) {
    uint32_t error = 0;
    CMemoryStream stream;
    Require(CheckDatabaseStorable(*db, error));
    Require(db->WriteTo(stream, 0, error));
    return std::vector<uint8_t>(stream.GetData(), stream.GetData() + stream.GetSize());
  }

  static std::vector<SModelImage::SPoint> Points(CWaypointRoute* r) {
    std::vector<SModelImage::SPoint> points;
    for (int32_t i = 0; i < r->GetPointCount(); ++i) {
      CRoutePoint* p = r->GetPoint(i);
      points.push_back({p->GetLatitude(), p->GetLongitude(), p->GetDistance(), p->GetRadius(),
                        p->GetWaypoint()});
    }
    return points;
  }

  CWaypointDatabase* Db() { return dbs_[in_.ConsumeBool()]; }
  int32_t Index(int32_t count) { return in_.ConsumeIntegralInRange<int32_t>(-1, count); }

  const SGeo3D& Position() {
    position_ = {in_.ConsumeFloatingPointInRange(-1.5, 1.5),
                 in_.ConsumeFloatingPointInRange(-3.1, 3.1), 0};
    return position_;
  }

  // A name the databases number ("Waypoint 3") or one of their own.
  CStr AnyName(const char* stem) {
    return CStr(stem) + CStr(static_cast<char>('0' + in_.ConsumeIntegralInRange(0, 9)));
  }

  template <class T>
  T* Any(const CMadeOrder<T>& items) {
    int32_t n = items.Count();
    return n ? items[in_.ConsumeIntegralInRange<int32_t>(0, n - 1)] : nullptr;
  }

  CWaypoint* AnyWaypoint() { return Any(waypoints_); }
  // The built-in group and type are always there.
  CWaypointGroup* AnyGroup() { return Any(groups_); }
  CWaypointType* AnyType() { return Any(types_); }

  CWaypointRoute* AnyRoute() {
    int32_t n = routes_.Count() + static_cast<int32_t>(own_.size());
    if (n == 0) return nullptr;
    int32_t i = in_.ConsumeIntegralInRange<int32_t>(0, n - 1);
    return i < routes_.Count() ? routes_[i] : own_[static_cast<size_t>(i - routes_.Count())];
  }

  void Rename(CWaypointManagerItem* item) {
    CStr name = AnyName("Waypoint ");
    Change([&](uint32_t* e) { item->SetName(&name, e); });
  }

  void AddRoute() {
    if (in_.ConsumeBool()) {
      CWaypointDatabase* db = Db();
      Add([&] { return db->AddRoute(); });
    } else {
      own_.reserve(own_.size() + 1);
      if (CWaypointRoute* r = Add([&] { return manager_->CreateRoute(); })) own_.push_back(r);
    }
  }

  // A route of no database leaves the fuzzer's list once it is gone.
  void DeleteRoute(CWaypointRoute* r) {
    Change([&](uint32_t* e) { r->Delete(e); });
    if (error_ == 0) own_.erase(std::remove(own_.begin(), own_.end(), r), own_.end());
  }

  void TypeStep() {
    if (in_.ConsumeBool()) {
      CWaypointDatabase* db = Db();
      Add([&] { return db->AddType(nullptr, nullptr, 0, 0, 0, 8, 0, 0, 8, 0, 0); });
    } else if (CWaypoint* w = AnyWaypoint()) {
      CWaypointType* t = AnyType();
      if (in_.ConsumeBool())
        Change([&](uint32_t* e) { t->Delete(e); });
      else
        Change([&](uint32_t* e) { w->SetType(t, e); });
    }
  }

  // Links up to the most a file holds, so that every database stays savable.
  void LinkStep(CWaypoint* w) {
    if (in_.ConsumeBool()) {
      if (w->GetLinkCount() >= static_cast<int32_t>(kMaxFileLinks)) return;
      CStr text1 = AnyName("link "), text2 = AnyName("http://");
      Change([&](uint32_t* e) { w->AddLink(&text1, &text2, e); });
    } else {
      int32_t at = Index(w->GetLinkCount());
      Change([&](uint32_t* e) { w->DeleteLink(at, e); });
    }
  }

  // An item takes over another's fields: a waypoint, a type or a route.
  void AssignStep() {
    CWaypointManagerItem* target = nullptr;
    CWaypointManagerItem* source = nullptr;
    switch (in_.ConsumeIntegralInRange(0, 2)) {
      case 0:
        target = AnyWaypoint();
        source = AnyWaypoint();
        break;
      case 1:
        target = AnyType();
        source = AnyType();
        break;
      case 2:
        target = AnyRoute();
        source = AnyRoute();
        break;
    }
    if (target) Change([&](uint32_t* e) { target->Assign(source, e); });
  }

  void AppendStep(CWaypointRoute* r) {
    if (in_.ConsumeBool()) {
      CWaypoint* w = AnyWaypoint();
      Change([&](uint32_t* e) { r->AddWaypoint(w, 0, e); });
    } else {
      const SGeo3D& p = Position();
      Change([&](uint32_t* e) { r->AddPoint(&p, 0, e); });
    }
  }

  // A group, a route or a type renamed: names the databases number among them.
  void RenameStep() {
    switch (in_.ConsumeIntegralInRange(0, 2)) {
      case 0:
        Rename(AnyGroup());
        break;
      case 1:
        if (CWaypointRoute* r = AnyRoute()) Rename(r);
        break;
      case 2:
        Rename(AnyType());
        break;
    }
  }

  // Types made from, or given, an icon of the caller's.
  void IconStep() {
    if (in_.ConsumeBool()) {
      CWaypointDatabase* db = Db();
      Add([&] { return db->AddType(icon_, icon_, 1, 8, 8, 8, 0, 0, 8, 0, 0); });
    } else {
      CWaypointType* t = AnyType();
      Change([&](uint32_t* e) { t->SetIcon(icon_, nullptr, 0, 4, 4, e); });
    }
  }

  void MembershipStep() {
    if (in_.ConsumeBool()) {
      CWaypointGroup* g = AnyGroup();
      CWaypoint* w = AnyWaypoint();
      Change([&](uint32_t* e) { g->RemoveWaypoint(w, e); });
    } else if (CWaypointRoute* r = AnyRoute(); r && r->GetPointCount() > 0) {
      CRoutePoint* p = r->GetPoint(in_.ConsumeIntegralInRange<int32_t>(0, r->GetPointCount() - 1));
      CWaypoint* w = AnyWaypoint();
      Change([&](uint32_t* e) { p->SetWaypoint(w, e); });
    }
  }

  std::vector<CWaypointRoute*> AllRoutes() {
    std::vector<CWaypointRoute*> routes(own_);
    for (int32_t i = 0; i < manager_->GetRouteCount(); ++i) routes.push_back(manager_->GetRoute(i));
    return routes;
  }

  void FollowManager() {
    waypoints_.Follow(manager_->GetWaypointCount(),
                      [&](int32_t i) { return manager_->GetWaypoint(i); });
    groups_.Follow(manager_->GetGroupCount(), [&](int32_t i) { return manager_->GetGroup(i); });
    types_.Follow(manager_->GetTypeCount(), [&](int32_t i) { return manager_->GetType(i); });
    routes_.Follow(manager_->GetRouteCount(), [&](int32_t i) { return manager_->GetRoute(i); });
  }

  void Check() {
    FollowManager();
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
  CBmp32* icon_;
  CWaypointManager* manager_;
  CWaypointDatabase* dbs_[2];
  std::vector<CWaypointRoute*> own_;
  CMadeOrder<CWaypoint> waypoints_;
  CMadeOrder<CWaypointGroup> groups_;
  CMadeOrder<CWaypointType> types_;
  CMadeOrder<CWaypointRoute> routes_;
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
