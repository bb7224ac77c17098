#include "lib/waypoints/WaypointDatabase.h"
#include "lib/waypoints/SlotGuard.h"

#include "lib/foundation/files/AtomicFileWriter.h"
#include "lib/foundation/streams/BufferedFileStream.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/text/Language.h"
#include "lib/waypoints/NewItemId.h"
#include "lib/waypoints/RoutePoint.h"
#include "lib/waypoints/WaypointFile.h"
#include "lib/waypoints/WaypointGroup.h"
#include "lib/waypoints/WaypointManager.h"
#include "lib/waypoints/WaypointRoute.h"

namespace {

// The default names of new items, by kind.
const SLangText kKindWords[4] = {
    {{"Waypoint", "Waypoint", "Wegepunkt", "", "", "", "Waypoint", ""}},
    {{"Route", "Route", "Route", "", "", "", "", ""}},
    {{"Group", "Groep", "Gruppe", "", "", "", "", ""}},
    {{"Type", "Type", "Typ", "", "", "", "", ""}},
};

template <class T>
T* At(CItemList<T>& list, int32_t index) {
  return list.IsIndex(index) ? list.GetAt(index) : nullptr;
}

// Allocates nothing: the destructor calls it.
template <class T>
void DestroyAll(CItemList<T>& list) {
  for (T* item : list.TakeAll()) td::Free(item);
}

}  // namespace

CWaypointDatabase::CWaypointDatabase(CWaypointManager* manager, const CStr& name,
                                     uint32_t contentVersion, uint8_t flags)
    : id_(NewItemId()),
      name_(name),
      flags_(flags),
      contentVersion_(contentVersion),
      manager_(manager) {}

CWaypointDatabase::~CWaypointDatabase() {
  if (manager_->HoldsDatabase(this)) LeaveManager();
  DestroyAll(waypoints_);
  DestroyAll(types_);
  DestroyAll(routes_);
  DestroyAll(groups_);
}

SItemArgs CWaypointDatabase::NewItemArgs(EItemKind kind) {
  uint32_t now = NowSecondsSince2000();
  return SItemArgs{NewItemId(), 0, Names(kind).MakeName(), now, now, this, manager_};
}

// The numbers in use after the kind's word in the current language; a change
// of language counts them afresh, aside, so that running out of memory there
// leaves the count as it was.
CNameNumbers& CWaypointDatabase::Names(EItemKind kind) {
  CNameNumbers& names = NumbersOf(kind);
  CStr base = LangStr(kKindWords[static_cast<int>(kind)]) + ' ';
  if (names.GetBase() == base) return names;
  CNameNumbers fresh;
  fresh.Reset(base);
  auto count = [&](auto& list) {
    list.ForEach([&](auto* item) { fresh.AddName(item->GetOwnName()); });
  };
  switch (kind) {
    case EItemKind::Waypoint:
      count(waypoints_);
      break;
    case EItemKind::Route:
      count(routes_);
      break;
    case EItemKind::Group:
      count(groups_);
      break;
    case EItemKind::Type:
      count(types_);
      break;
  }
  names = std::move(fresh);
  return names;
}

CNameNumbers& CWaypointDatabase::NumbersOf(EItemKind kind) {
  return names_[static_cast<int>(kind)];
}

// The database takes the item, or frees it and stays as it was when memory
// runs out.
template <class T>
T* CWaypointDatabase::Track(CItemList<T>& list, td::TObjectPtr<T> item) {
  CNameNumbers& names = NumbersOf(item->GetKind());
  CNameNumbers::CPrepared number = names.Prepare(item->GetOwnName());
  list.Append(item.get());
  names.Commit(std::move(number));
  return item.release();
}

// A new item joins its list, marks the database modified and is announced.
// Every list it joins has room for it first: after that nothing can fail.
template <class T>
T* CWaypointDatabase::Adopt(CItemList<T>& list, td::TObjectPtr<T> item,
                            void (CWaypointManager::*added)(T*)) {
  list.Reserve(1);
  manager_->ReserveForAdded(item->GetKind());
  T* own = Track(list, std::move(item));
  SetModified(true);
  (manager_->*added)(own);
  return own;
}

template <class T>
bool CWaypointDatabase::Untrack(CItemList<T>& list, T* item) {
  if (!list.Remove(item)) return false;
  NumbersOf(item->GetKind()).RemoveName(item->GetOwnName());
  SetModified(true);
  return true;
}

CWaypointGroup* TD_STDCALL CWaypointDatabase::AddGroup() {
  return td::Guard(static_cast<CWaypointGroup*>(nullptr), [&] {
    td::TObjectPtr<CWaypointGroup> group(new CWaypointGroup(NewItemArgs(EItemKind::Group)));
    return Adopt(groups_, std::move(group), &CWaypointManager::GroupAdded);
  });
}

CWaypointRoute* TD_STDCALL CWaypointDatabase::AddRoute() {
  return td::Guard(static_cast<CWaypointRoute*>(nullptr), [&] {
    td::TObjectPtr<CWaypointRoute> route(new CWaypointRoute(NewItemArgs(EItemKind::Route)));
    return Adopt(routes_, std::move(route), &CWaypointManager::RouteAdded);
  });
}

CWaypointType* TD_STDCALL CWaypointDatabase::AddType(
    CBmp32* icon, CBmp32* overlay, uint8_t overlayShown, float originX, float originY,
    int32_t nameFontSize, uint32_t nameFontStyle, uint32_t nameColor, int32_t commentFontSize,
    uint32_t commentFontStyle, uint32_t commentColor) {
  return td::Guard(static_cast<CWaypointType*>(nullptr), [&] {
    STypeLook look{nameFontSize,    nameFontStyle,    nameColor,
                   commentFontSize, commentFontStyle, commentColor};
    STypeArgs args{
        NewItemArgs(EItemKind::Type), icon, overlay, overlayShown != 0, originX, originY, look};
    td::TObjectPtr<CWaypointType> type(new CWaypointType(args, *manager_->GetFontName()));
    return Adopt(types_, std::move(type), &CWaypointManager::TypeAdded);
  });
}

CWaypoint* TD_STDCALL CWaypointDatabase::AddWaypoint(const SGeo3D* position, CWaypointType* type) {
  if (type && type->GetManager() != manager_) return nullptr;  // a type of another manager
  return td::Guard(static_cast<CWaypoint*>(nullptr), [&] {
    SWaypointArgs args{NewItemArgs(EItemKind::Waypoint),
                       CStr(),
                       manager_->GetDefaultLabelPlacement(),
                       *position,
                       0.0f,
                       -1.0f,
                       0.0f,
                       0,
                       CStr(),
                       type};
    td::TObjectPtr<CWaypoint> waypoint(new CWaypoint(args));
    return Adopt(waypoints_, std::move(waypoint), &CWaypointManager::WaypointAdded);
  });
}

CWaypoint* TD_STDCALL CWaypointDatabase::AddWaypoint2D(const SGeo2D* position,
                                                       CWaypointType* type) {
  SGeo3D p = {position->lat, position->lon, 0.0};
  return AddWaypoint(&p, type);
}

uint8_t TD_STDCALL CWaypointDatabase::IsLocked() { return (flags_ & kDatabaseLocked) != 0; }

CWaypointGroup* TD_STDCALL CWaypointDatabase::GetGroup(int32_t index) {
  return td::Guard(static_cast<CWaypointGroup*>(nullptr), [&] { return At(groups_, index); });
}

int32_t TD_STDCALL CWaypointDatabase::GetGroupCount() { return groups_.GetCount(); }

SItemId* TD_STDCALL CWaypointDatabase::GetId() { return &id_; }

int32_t TD_STDCALL CWaypointDatabase::GetStoreSize(uint8_t full) {
  return td::Guard(0, [&] {
    int32_t size = fileName_.GetMemSize(false) + name_.GetMemSize(false) +
                   (full ? static_cast<int32_t>(sizeof(*this)) : 0);
    auto add = [&](auto& list) {
      size += list.GetCount() * static_cast<int32_t>(sizeof(void*));
      for (auto* item : list.Snapshot()) size += item->GetStoreSize(full);
    };
    add(groups_);
    add(routes_);
    add(types_);
    add(waypoints_);
    return size;
  });
}

uint8_t TD_STDCALL CWaypointDatabase::IsModified() { return (state_ & 2) != 0; }

uint8_t TD_STDCALL CWaypointDatabase::IsReadOnly() { return (flags_ & kDatabaseReadOnly) != 0; }

CWaypointRoute* TD_STDCALL CWaypointDatabase::GetRoute(int32_t index) {
  return td::Guard(static_cast<CWaypointRoute*>(nullptr), [&] { return At(routes_, index); });
}

int32_t TD_STDCALL CWaypointDatabase::GetRouteCount() { return routes_.GetCount(); }

CWaypointType* TD_STDCALL CWaypointDatabase::GetType(int32_t index) {
  return td::Guard(static_cast<CWaypointType*>(nullptr), [&] { return At(types_, index); });
}

int32_t TD_STDCALL CWaypointDatabase::GetTypeCount() { return types_.GetCount(); }

CWaypoint* TD_STDCALL CWaypointDatabase::GetWaypoint(int32_t index) {
  return td::Guard(static_cast<CWaypoint*>(nullptr), [&] { return At(waypoints_, index); });
}

int32_t TD_STDCALL CWaypointDatabase::GetWaypointCount() { return waypoints_.GetCount(); }

CWaypointManager* TD_STDCALL CWaypointDatabase::GetManager() { return manager_; }

CWaypointDatabase::CWaypointDatabase(CWaypointManager* manager, const CStr& fileName,
                                     CFixupList& fixups, SProgress* progress, uint32_t* error)
    : CWaypointDatabase(manager, CStr(), 0, 0) {
  fileName_ = fileName;
  CBufferedFileStream file;
  if (file.Open(fileName, kFileModeRead | kFileShareRead, kWptFileBufferSize, *error))
    ReadFrom(file, fixups, progress, *error);
}

bool CWaypointDatabase::ReadFrom(CStream& stream, CFixupList& fixups, SProgress* progress,
                                 uint32_t& error) {
  error = kErrNone;
  SDatabaseHeader header;
  bool ok = ReadWaypointDatabase(stream, this, header, fixups, progress, error);
  id_ = header.id;
  contentVersion_ = header.contentVersion;
  modifiedTime_ = header.modifiedTime;
  name_ = header.name;
  flags_ = header.flags;
  return ok;
}

bool CWaypointDatabase::WriteTo(CStream& stream, uint32_t modifiedTime, uint32_t& error) {
  return WriteWaypointDatabase(stream, *this, modifiedTime, manager_->GetPendingFixups(), error);
}

void TD_STDCALL CWaypointDatabase::Save(const CStr* fileName, uint32_t* error) {
  GuardSlot(error, [&] {
    if (!CheckDatabaseStorable(*this, *error)) return;
    uint32_t now = NowSecondsSince2000();
    CAtomicFileWriter file;
    if (!file.Open(*fileName, kWptFileBufferSize, *error) || !WriteTo(file.Stream(), now, *error) ||
        !file.Commit(*error))
      return;
    modifiedTime_ = now;
    SetModified(false);
  });
}

CWaypointGroup* CWaypointDatabase::CreateLoadedGroup(const SItemId& id, const CStr& name,
                                                     uint32_t created, uint32_t modified) {
  return Track(groups_, td::TObjectPtr<CWaypointGroup>(new CWaypointGroup(
                            SItemArgs{id, 0, name, created, modified, this, manager_})));
}

CWaypointRoute* CWaypointDatabase::CreateLoadedRoute(const SItemId& id, const CStr& name,
                                                     uint32_t created, uint32_t modified) {
  return Track(routes_, td::TObjectPtr<CWaypointRoute>(new CWaypointRoute(
                            SItemArgs{id, 0, name, created, modified, this, manager_})));
}

CWaypointType* CWaypointDatabase::CreateLoadedType(const STypeArgs& args) {
  STypeArgs own = args;
  own.item.state = 0;
  own.item.database = this;
  own.item.manager = manager_;
  return Track(types_,
               td::TObjectPtr<CWaypointType>(new CWaypointType(own, *manager_->GetFontName())));
}

CWaypoint* CWaypointDatabase::CreateLoadedWaypoint(const SWaypointArgs& args) {
  SWaypointArgs own = args;
  own.item.state = 0;
  own.item.database = this;
  own.item.manager = manager_;
  return Track(waypoints_, td::TObjectPtr<CWaypoint>(new CWaypoint(own)));
}

void CWaypointDatabase::RemoveGroup(CWaypointGroup* group) {
  if (Untrack(groups_, group)) ReleaseGroup(group);
}

void CWaypointDatabase::RemoveRoute(CWaypointRoute* route) {
  if (Untrack(routes_, route)) ReleaseRoute(route);
}

void CWaypointDatabase::RemoveType(CWaypointType* type) {
  if (Untrack(types_, type)) ReleaseType(type);
}

void CWaypointDatabase::RemoveWaypoint(CWaypoint* waypoint) {
  if (Untrack(waypoints_, waypoint)) ReleaseWaypoint(waypoint);
}

// The waypoints go first, out of every group, then the groups with the
// members of other databases they still hold, the routes and the types;
// the database leaves the manager's list last.
void CWaypointDatabase::LeaveManager() noexcept {
  for (CWaypoint* waypoint : waypoints_.TakeAll()) ReleaseWaypoint(waypoint);
  for (CWaypointGroup* group : groups_.TakeAll()) ReleaseGroup(group);
  for (CWaypointRoute* route : routes_.TakeAll()) ReleaseRoute(route);
  for (CWaypointType* type : types_.TakeAll()) ReleaseType(type);
  manager_->DatabaseClosed(this);
}

void CWaypointDatabase::ReleaseGroup(CWaypointGroup* group) {
  group->DropMembers();
  manager_->GroupRemoved(group);
  td::Free(group);
}

void CWaypointDatabase::ReleaseRoute(CWaypointRoute* route) {
  manager_->RouteRemoved(route);
  td::Free(route);
}

void CWaypointDatabase::ReleaseType(CWaypointType* type) {
  manager_->TypeRemoved(type);
  td::Free(type);
}

void CWaypointDatabase::ReleaseWaypoint(CWaypoint* waypoint) {
  // Each point, the last first, leaves the waypoint's list and keeps its
  // position.
  const std::vector<CRoutePoint*>& points = waypoint->GetRoutePoints();
  while (!points.empty()) {
    CRoutePoint* point = points.back();
    waypoint->DetachRoutePoint(point);
    point->ForgetWaypoint();
  }
  manager_->WaypointRemoved(waypoint);
  td::Free(waypoint);
}

void CWaypointDatabase::ReplaceType(CWaypointType* type) {
  waypoints_.ForEach([&](CWaypoint* waypoint) {
    if (waypoint->GetType() != type) return;
    waypoint->SetTypeInternal(manager_->GetDefaultType());
    SetModified(true);
  });
}

void CWaypointDatabase::RemoveWaypointFromGroups(CWaypoint* waypoint) {
  for (int32_t i = groups_.GetCount() - 1; i >= 0 && waypoint->GetGroupCount() > 0; --i)
    if (groups_.GetAt(i)->RemoveWaypointInternal(waypoint)) SetModified(true);
}

void CWaypointDatabase::SetModified(bool modified) {
  state_ = modified ? static_cast<uint8_t>(state_ | 2) : static_cast<uint8_t>(state_ & ~2);
}
