#include "lib/waypoints/WaypointManager.h"
#include "lib/waypoints/SlotGuard.h"

#include <algorithm>
#include <cstdint>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/text/Language.h"
#include "lib/geodesy/GreatCircle.h"
#include "lib/waypoints/RoutePoint.h"
#include "lib/waypoints/WaypointList.h"

namespace {

const SLangText kDefaultTypeName = {{"Default type", "Standaard type", "", "", "", "", "", ""}};
const SLangText kDefaultGroupName = {
    {"Ungrouped", "Niet gegroepeerd", "Nicht gruppiert", "", "", "", "Ugrupperet", ""}};

template <class T>
T* At(CItemList<T>& list, int32_t index) {
  return list.IsIndex(index) ? list.GetAt(index) : nullptr;
}

template <class T>
uint8_t Find(CItemList<T>& list, const SItemId* id, int32_t* index) {
  int32_t at;
  bool found = list.Find(*id, &at);
  if (index) *index = at;
  return found;
}

SItemArgs BuiltInArgs(uint16_t state, uint32_t now, CWaypointManager* manager) {
  return SItemArgs{SItemId{}, state, CStr(), now, now, nullptr, manager};
}

}  // namespace

CWaypointManager::CWaypointManager(const SWaypointManagerArgs& args)
    : hostValue_(args.hostValue),
      labelPlacement_(args.labelPlacement),
      fontName_(args.fontName),
      nightScreen_(NightScreen()) {
  uint32_t now = NowSecondsSince2000();
  defaultGroup_ = new CWaypointGroup(BuiltInArgs(kItemDefaultGroup, now, this));
  groups_.Append(defaultGroup_);
  STypeArgs type{BuiltInArgs(kItemDefaultType, now, this),
                 args.icon,
                 args.overlay,
                 false,
                 args.originX,
                 args.originY,
                 args.look};
  defaultType_ = new CWaypointType(type, fontName_);
  types_.Append(defaultType_);
  if (nightScreen_) nightScreen_->AddListener(&OnNightScreenChange, this);
}

CWaypointManager::~CWaypointManager() {
  if (nightScreen_) nightScreen_->RemoveListener(&OnNightScreenChange, this);
  ownRoutes_.SetOwnsItems(true);
  ownRoutes_.Clear();
  for (int32_t last = databases_.GetCount() - 1; last >= 0; --last) {
    CWaypointDatabase* database = databases_.GetAt(last);
    databases_.Delete(last);
    td::Free(database);
  }
  td::Free(defaultType_);
  td::Free(defaultGroup_);
}

void TD_STDCALL CWaypointManager::AddRouteEventHandler(TRouteEventFunc function, void* context) {
  td::GuardVoid([&] { AddRouteSubscriber(function, context); });
}

void CWaypointManager::AddRouteSubscriber(TRouteEventFunc function, void* context) {
  subscribers_.Add(MakeCallback(function, context));
}

void TD_STDCALL CWaypointManager::BeginLoad(int32_t fileCount, void* progress) {
  td::GuardVoid([&] {
    std::unique_ptr<SProgress> stage(progress ? new SProgress() : nullptr);
    loading_ = 1;
    defaultGroup_->DropMembers();
    stage_ = std::move(stage);
    if (!progress) return;
    stageCount_ = std::clamp(fileCount, 0, INT32_MAX - 1) + 1;
    filesDone_ = 0;
    td::ProgressStageInit(stage_.get(), static_cast<SProgress*>(progress), 1.0f / stageCount_, 6);
  });
}

CWaypointDatabase* TD_STDCALL CWaypointManager::CreateDatabase(const CStr* name,
                                                               uint32_t contentVersion,
                                                               uint8_t locked) {
  return td::Guard(static_cast<CWaypointDatabase*>(nullptr), [&] {
    td::TObjectPtr<CWaypointDatabase> database(
        new CWaypointDatabase(this, *name, contentVersion, locked ? kDatabaseLocked : 0));
    databases_.Add(database.get());
    return database.release();
  });
}

CWaypointRoute* TD_STDCALL CWaypointManager::CreateRoute() {
  return td::Guard(static_cast<CWaypointRoute*>(nullptr), [&] {
    td::TObjectPtr<CWaypointRoute> route(
        new CWaypointRoute(BuiltInArgs(kItemFreeStanding, NowSecondsSince2000(), this)));
    ownRoutes_.Add(route.get());
    return route.release();
  });
}

void TD_STDCALL CWaypointManager::EndLoad() {
  // The batch ends, and the built-in group is settled, even when memory runs
  // out while the references are resolved: those left stay unresolved.
  td::GuardVoid([&] {
    if (stage_) td::ProgressStageNext(stage_.get(), 1.0f / stageCount_, 2);
    ResolveFixups();
  });
  SettleDefaultGroup();
  loading_ = 0;
  stage_.reset();
}

// Every fix-up in list order, reporting after each multiple of the step; the
// routes that gained waypoints compute their distances once.
void CWaypointManager::ResolveFixups() {
  int32_t count = fixups_.GetCount();
  int32_t step = count / 200 > 1 ? count / 200 : 1;
  uint32_t ignored;
  fixups_.ResolveAll(this, [&](int32_t i, int32_t n) {
    if (stage_ && i % step == 0)
      td::ProgressCall(stage_.get(), static_cast<float>(static_cast<double>(i) / n), 0, &ignored);
  });
  if (stage_) td::ProgressCall(stage_.get(), 1.0f, 0, &ignored);
  routes_.ForEach([](CWaypointRoute* route) { route->RecomputeStaleDistances(); });
}

// Joins during a load leave waypoints in the built-in group, so it is made
// anew: exactly the waypoints that no other group holds.
// It has room for every waypoint (ReserveForAdded, ReserveItemsOf): nothing
// here allocates.
void CWaypointManager::SettleDefaultGroup() {
  defaultGroup_->DropMembers();
  waypoints_.ForEach([&](CWaypoint* waypoint) {
    if (waypoint->GetGroupCount() == 0) defaultGroup_->AddWaypointInternal(waypoint);
  });
}

uint8_t TD_STDCALL CWaypointManager::FindGroup(const SItemId* id, int32_t* index) {
  return td::Guard(false, [&] { return Find(groups_, id, index); });
}

uint8_t TD_STDCALL CWaypointManager::FindRoute(const SItemId* id, int32_t* index) {
  return td::Guard(false, [&] { return Find(routes_, id, index); });
}

uint8_t TD_STDCALL CWaypointManager::FindType(const SItemId* id, int32_t* index) {
  return td::Guard(false, [&] { return Find(types_, id, index); });
}

uint8_t TD_STDCALL CWaypointManager::FindWaypoint(const SItemId* id, int32_t* index) {
  return td::Guard(false, [&] { return Find(waypoints_, id, index); });
}

uintptr_t TD_STDCALL CWaypointManager::GetHostData() { return hostValue_; }

CWaypointDatabase* TD_STDCALL CWaypointManager::GetDatabase(int32_t index) {
  return index >= 0 && index < databases_.GetCount() ? databases_.GetAt(index) : nullptr;
}

int32_t TD_STDCALL CWaypointManager::GetDatabaseCount() { return databases_.GetCount(); }

int32_t TD_STDCALL CWaypointManager::GetDefaultLabelPlacement() { return labelPlacement_; }

CStr* TD_STDCALL CWaypointManager::GetFontName() { return &fontName_; }

CWaypointGroup* TD_STDCALL CWaypointManager::GetGroup(int32_t index) {
  return td::Guard(static_cast<CWaypointGroup*>(nullptr), [&] { return At(groups_, index); });
}

int32_t TD_STDCALL CWaypointManager::GetGroupCount() { return groups_.GetCount(); }

int32_t TD_STDCALL CWaypointManager::GetStoreSize(uint8_t full) {
  return td::Guard(0, [&] {
    int32_t size = emptyText_.GetMemSize(false) + fontName_.GetMemSize(false) +
                   defaultTypeName_.GetMemSize(false) + defaultGroupName_.GetMemSize(false) +
                   (full ? static_cast<int32_t>(sizeof(*this)) : 0);
    size += (groups_.GetCount() + routes_.GetCount() + types_.GetCount() + waypoints_.GetCount()) *
            static_cast<int32_t>(sizeof(void*));
    size += defaultType_->GetStoreSize(full) + defaultGroup_->GetStoreSize(full);
    for (int32_t i = 0; i < databases_.GetCount(); ++i)
      size += databases_.GetAt(i)->GetStoreSize(full);
    for (int32_t i = 0; i < ownRoutes_.GetCount(); ++i)
      size += ownRoutes_.GetAt(i)->GetStoreSize(full);
    size += fixups_.GetStoreSize();
    if (stage_) size += static_cast<int32_t>(sizeof(SProgress));
    return size;
  });
}

CWaypointRoute* TD_STDCALL CWaypointManager::GetRoute(int32_t index) {
  return td::Guard(static_cast<CWaypointRoute*>(nullptr), [&] { return At(routes_, index); });
}

int32_t TD_STDCALL CWaypointManager::GetRouteCount() { return routes_.GetCount(); }

CWaypointType* TD_STDCALL CWaypointManager::GetType(int32_t index) {
  return td::Guard(static_cast<CWaypointType*>(nullptr), [&] { return At(types_, index); });
}

int32_t TD_STDCALL CWaypointManager::GetTypeCount() { return types_.GetCount(); }

CWaypointType* TD_STDCALL CWaypointManager::GetDefaultType() { return defaultType_; }

CWaypoint* TD_STDCALL CWaypointManager::GetWaypoint(int32_t index) {
  return td::Guard(static_cast<CWaypoint*>(nullptr), [&] { return At(waypoints_, index); });
}

int32_t TD_STDCALL CWaypointManager::GetWaypointCount() { return waypoints_.GetCount(); }

void TD_STDCALL CWaypointManager::GetGroupWaypoints(CWaypointList* waypoints,
                                                    CWaypointGroupList* groups) {
  td::GuardVoid([&] {
    if (!waypoints) return;
    std::vector<CWaypoint*> all = waypoints_.Snapshot();
    for (auto w = all.rbegin(); w != all.rend(); ++w) (*w)->SetMark(false);
    std::vector<CWaypoint*> found;
    for (int32_t g = groups ? groups->GetCount() - 1 : -1; g >= 0; --g) {
      CWaypointGroup* group = groups->GetItem(g);
      if (!group) continue;
      for (int32_t m = group->GetCount() - 1; m >= 0; --m) {
        CWaypoint* member = group->GetWaypoint(m);
        if (member->HasMark()) continue;
        found.push_back(member);
        member->SetMark(true);
      }
    }
    waypoints->ReplaceAll(found);
  });
}

CWaypointGroup* TD_STDCALL CWaypointManager::GetDefaultGroup() { return defaultGroup_; }

CWaypointDatabase* TD_STDCALL CWaypointManager::OpenDatabase(const CStr* fileName,
                                                             uint32_t* error) {
  return td::GuardCode(error, static_cast<CWaypointDatabase*>(nullptr), [&] {
    return OpenWith(
        [&](CFixupList& fixups, SProgress* progress, uint32_t& code) {
          return new CWaypointDatabase(this, *fileName, fixups, progress, &code);
        },
        *error);
  });
}

CWaypointDatabase* CWaypointManager::OpenDatabaseFrom(CStream& stream, uint32_t* error) {
  return td::GuardCode(error, static_cast<CWaypointDatabase*>(nullptr), [&] {
    return OpenWith(
        [&](CFixupList& fixups, SProgress* progress, uint32_t& code) {
          td::TObjectPtr<CWaypointDatabase> database(new CWaypointDatabase(this, CStr(), 0, 0));
          database->ReadFrom(stream, fixups, progress, code);
          return database.release();
        },
        *error);
  });
}

namespace {

// Removes the fix-ups added since it was made unless released.
class CFixupRollback {
 public:
  explicit CFixupRollback(CFixupList& list) : list_(list), mark_(list.GetCount()) {}
  ~CFixupRollback() {
    if (armed_) list_.Truncate(mark_);
  }
  void Release() { armed_ = false; }

 private:
  CFixupList& list_;
  int32_t mark_;
  bool armed_ = true;
};

// 0x10015 when the sorted items repeat an identifier, hold an all-zero one or
// one that known already holds.
template <class T>
bool CheckIds(CItemList<T>& items, CItemList<T>& known, uint32_t& error) {
  const SItemId* previous = nullptr;
  for (T* item : items.Snapshot()) {
    const SItemId& id = *item->GetId();
    int32_t at;
    if (IsZeroItemId(id) || (previous && CompareItemId(*previous, id) == 0) ||
        known.Find(id, &at)) {
      error = kErrFileFormat;
      return false;
    }
    previous = &id;
  }
  return true;
}

}  // namespace

template <class Read>
CWaypointDatabase* CWaypointManager::OpenWith(Read read, uint32_t& error) {
  error = kErrNone;
  td::TObjectPtr<CWaypointDatabase> database;
  CFixupRollback rollback(fixups_);
  database.reset(read(fixups_, stage_.get(), error));
  AdvanceFileProgress();
  if (error != kErrNone || !CheckNewDatabase(*database, error)) return nullptr;
  ReserveItemsOf(*database);
  databases_.Add(database.get());
  AdoptItemsOf(*database);
  rollback.Release();
  return database.release();
}

// Room in the manager's lists for the database's items, so that adopting
// them cannot run out of memory half way.
void CWaypointManager::ReserveItemsOf(CWaypointDatabase& database) {
  groups_.Reserve(static_cast<size_t>(database.GetGroupCount()));
  routes_.Reserve(static_cast<size_t>(database.GetRouteCount()));
  types_.Reserve(static_cast<size_t>(database.GetTypeCount()));
  waypoints_.Reserve(static_cast<size_t>(database.GetWaypointCount()));
  defaultGroup_->ReserveMembers(static_cast<size_t>(waypoints_.GetCount()) +
                                static_cast<size_t>(database.GetWaypointCount()));
}

void CWaypointManager::ReserveForAdded(EItemKind kind) {
  switch (kind) {
    case EItemKind::Group:
      groups_.Reserve(1);
      break;
    case EItemKind::Route:
      routes_.Reserve(1);
      break;
    case EItemKind::Type:
      types_.Reserve(1);
      break;
    case EItemKind::Waypoint:
      waypoints_.Reserve(1);
      defaultGroup_->ReserveMembers(static_cast<size_t>(waypoints_.GetCount()) + 1);
      break;
  }
}

void CWaypointManager::AdvanceFileProgress() {
  if (!stage_) return;
  ++filesDone_;
  if (filesDone_ < stageCount_ - 1) td::ProgressStageNext(stage_.get(), 1.0f / stageCount_, 6);
}

bool CWaypointManager::CheckNewDatabase(CWaypointDatabase& database, uint32_t& error) {
  for (int32_t i = 0; i < databases_.GetCount(); ++i)
    if (CompareItemId(*databases_.GetAt(i)->GetId(), *database.GetId()) == 0) {
      error = kErrWptAlreadyOpen;
      return false;
    }
  return CheckIds(database.Groups(), groups_, error) &&
         CheckIds(database.Routes(), routes_, error) && CheckIds(database.Types(), types_, error) &&
         CheckIds(database.Waypoints(), waypoints_, error);
}

void CWaypointManager::AdoptItemsOf(CWaypointDatabase& database) {
  database.Groups().ForEach([&](CWaypointGroup* group) { groups_.Append(group); });
  database.Routes().ForEach([&](CWaypointRoute* route) { routes_.Append(route); });
  database.Types().ForEach([&](CWaypointType* type) { types_.Append(type); });
  database.Waypoints().ForEach([&](CWaypoint* waypoint) { waypoints_.Append(waypoint); });
}

void TD_STDCALL CWaypointManager::FindWaypointsInRadius(const SGeo2D* position, uint16_t mask,
                                                        CWaypointList* found) {
  td::GuardVoid([&] {
    if (!found) return;
    std::vector<CWaypoint*> inside;
    SPoint3D centre;
    GeoToGreatCirclePoint(centre, *position);
    for (int32_t i = waypoints_.GetCount() - 1; i >= 0; --i) {
      PrefetchItem(i - kPrefetchAhead);
      CWaypoint* waypoint = waypoints_.GetAt(i);
      if (!waypoint->TestUserFlags(mask)) continue;
      float radius = waypoint->GetRadius();
      if (!(radius > 0.0f)) continue;
      const SGeo3D& p = *waypoint->GetPosition();
      SPoint3D u;
      GeoToGreatCirclePoint(u, SGeo2D{p.lat, p.lon});
      if (DistAlongGreatCircle1(centre, u) < radius) inside.push_back(waypoint);
    }
    found->ReplaceAll(inside);
  });
}

// The list is in identifier order, not in memory order: a walk over many
// waypoints waits on memory for each one unless it asks for them ahead.
void CWaypointManager::PrefetchItem(int32_t index) {
  if (index < 0) return;
  const char* item = reinterpret_cast<const char*>(waypoints_.GetAt(index));
  for (size_t offset = 0; offset < sizeof(CWaypoint); offset += 64)
    __builtin_prefetch(item + offset);
}

void TD_STDCALL CWaypointManager::RemoveRouteEventHandler(TRouteEventFunc function, void* context) {
  RemoveCallback(subscribers_, MakeCallback(function, context));
}

void TD_STDCALL CWaypointManager::MarkWaypoints(CWaypointList* waypoints, uint16_t mask) {
  td::GuardVoid([&] {
    std::vector<CWaypoint*> all = waypoints_.Snapshot();
    for (auto w = all.rbegin(); w != all.rend(); ++w) (*w)->SetUserFlags(0, mask);
    if (!waypoints) return;
    for (int32_t i = waypoints->GetCount() - 1; i >= 0; --i)
      if (CWaypoint* waypoint = waypoints->GetItem(i)) waypoint->SetUserFlags(1, mask);
  });
}

void CWaypointManager::WaypointAdded(CWaypoint* waypoint) {
  waypoints_.Append(waypoint);
  defaultGroup_->AddWaypointInternal(waypoint);
}

void CWaypointManager::TypeRemoved(CWaypointType* type) {
  types_.Remove(type);
  for (int32_t i = databases_.GetCount() - 1; i >= 0; --i) databases_.GetAt(i)->ReplaceType(type);
}

void CWaypointManager::GroupRemoved(CWaypointGroup* group) {
  groups_.Remove(group);
  fixups_.Forget(group);
}

void CWaypointManager::WaypointRemoved(CWaypoint* waypoint) {
  waypoints_.Remove(waypoint);
  fixups_.Forget(waypoint);
  for (int32_t i = databases_.GetCount() - 1; i >= 0; --i)
    databases_.GetAt(i)->RemoveWaypointFromGroups(waypoint);
  defaultGroup_->RemoveWaypointInternal(waypoint);
}

void CWaypointManager::OwnRouteRemoved(CWaypointRoute* route) {
  if (ownRoutes_.Remove(route) >= 0) td::Free(route);
}

void CWaypointManager::FireRouteEvent(CWaypointRoute* route, int32_t index, CRoutePoint* point) {
  fixups_.Forget(point);
  CallEach<TRouteEventFunc>(subscribers_, route, index, point);
}

void CWaypointManager::AddRouteResetListener(TRouteResetFunc function, void* context) {
  resetListeners_.Add(MakeCallback(function, context));
}

void CWaypointManager::RemoveRouteResetListener(TRouteResetFunc function, void* context) {
  RemoveCallback(resetListeners_, MakeCallback(function, context));
}

void CWaypointManager::RouteResetting(CWaypointRoute* route, ERouteReset reset) {
  if (reset != ERouteReset::Replaced && fixups_.HasWaiting())
    for (int32_t i = 0; i < route->GetPointCount(); ++i) fixups_.Forget(route->GetPoint(i));
  CallEach<TRouteResetFunc>(resetListeners_, route, reset);
}

// Calls the pairs there are at the start, from the last to the first,
// skipping pairs removed by an earlier call; pairs added meanwhile wait for
// the next walk.
template <class Func, class... Args>
void CWaypointManager::CallEach(CArray<SCallback>& callbacks, Args... args) {
  SCallbackWalk walk{&callbacks, callbacks.GetCount() - 1, walks_};
  walks_ = &walk;
  struct SEnd {
    CWaypointManager* manager;
    SCallbackWalk* outer;
    ~SEnd() { manager->walks_ = outer; }
  } end{this, walk.outer};
  while (walk.next >= 0) {
    const SCallback callback = callbacks[walk.next--];
    reinterpret_cast<Func>(callback.Function)(callback.Context, args...);
  }
}

// The last entry equal to callback goes.
bool CWaypointManager::RemoveCallback(CArray<SCallback>& callbacks, const SCallback& callback) {
  for (int32_t i = callbacks.GetCount() - 1; i >= 0; --i)
    if (callbacks[i] == callback) {
      callbacks.RemoveAt(i);
      for (SCallbackWalk* walk = walks_; walk; walk = walk->outer)
        if (walk->callbacks == &callbacks && i <= walk->next) --walk->next;
      return true;
    }
  return false;
}

CStr* CWaypointManager::GetDefaultTypeName() {
  defaultTypeName_ = LangStr(kDefaultTypeName);
  return &defaultTypeName_;
}

CStr* CWaypointManager::GetDefaultGroupName() {
  defaultGroupName_ = LangStr(kDefaultGroupName);
  return &defaultGroupName_;
}

void TD_STDCALL CWaypointManager::OnNightScreenChange(void* context, CNightScreen&,
                                                      ENightScreenChange) {
  td::GuardVoid([&] {
    auto& types = static_cast<CWaypointManager*>(context)->types_;
    for (int32_t i = types.GetCount() - 1; i >= 0; --i) types.GetAt(i)->RebuildIcon();
  });
}
