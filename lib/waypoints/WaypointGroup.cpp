#include "lib/waypoints/WaypointGroup.h"

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/waypoints/SlotGuard.h"
#include "lib/waypoints/Waypoint.h"
#include "lib/waypoints/WaypointDatabase.h"
#include "lib/waypoints/WaypointManager.h"

CWaypointGroup::CWaypointGroup(const SItemArgs& args)
    : CWaypointManagerItem(EItemKind::Group, args),
      members_(IsBuiltIn() ? kSlotBuiltInGroup : kSlotNone) {}

int32_t TD_STDCALL CWaypointGroup::GetStoreSize(uint8_t whole) {
  return CWaypointManagerItem::GetStoreSize(0) +
         members_.GetCount() * static_cast<int32_t>(sizeof(void*)) +
         (whole ? static_cast<int32_t>(sizeof(*this)) : 0);
}

CStr* TD_STDCALL CWaypointGroup::GetName() {
  return td::Guard(static_cast<CStr*>(nullptr), [&] {
    return IsBuiltIn() ? manager_->GetDefaultGroupName() : CWaypointManagerItem::GetName();
  });
}

void TD_STDCALL CWaypointGroup::Delete(uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckDelete(error) && database_) database_->RemoveGroup(this);
  });
}

void TD_STDCALL CWaypointGroup::AddWaypoint(CWaypoint* waypoint, uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckWritable(error)) return;
    if (!waypoint || !SameManager(*waypoint)) {
      *error = kErrItemNotFound;
      return;
    }
    if (Contains(waypoint)) return;
    AddWaypointInternal(waypoint);
    Touch();
  });
}

void TD_STDCALL CWaypointGroup::Clear(uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckWritable(error) || members_.GetCount() == 0) return;
    DropMembers();
    Touch();
  });
}

void CWaypointGroup::DropMembers() {
  if (IsBuiltIn()) return members_.Clear();
  for (CWaypoint* member : members_.TakeAll()) member->LeaveGroup();
}

void TD_STDCALL CWaypointGroup::RemoveAt(int32_t index, uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckWritable(error)) return;
    if (!members_.IsIndex(index)) {
      *error = kErrItemNotFound;
      return;
    }
    RemoveWaypointInternal(members_.GetAt(index));
    Touch();
  });
}

uint8_t TD_STDCALL CWaypointGroup::Find(CWaypoint* waypoint, int32_t* index) {
  return td::Guard(false, [&] {
    int32_t at = -1;
    bool found = waypoint && members_.Find(*waypoint->GetId(), &at);
    // The position of this very waypoint among members of the same identifier.
    if (found) at = members_.IndexOf(waypoint);
    if (index) *index = at;
    return found && at >= 0;
  });
}

int32_t TD_STDCALL CWaypointGroup::GetCount() { return members_.GetCount(); }

CWaypoint* TD_STDCALL CWaypointGroup::GetWaypoint(int32_t index) {
  return td::Guard(static_cast<CWaypoint*>(nullptr),
                   [&] { return members_.IsIndex(index) ? members_.GetAt(index) : nullptr; });
}

uint8_t TD_STDCALL CWaypointGroup::IsDefault() { return IsBuiltIn(); }

void TD_STDCALL CWaypointGroup::RemoveWaypoint(CWaypoint* waypoint, uint32_t* error) {
  GuardSlot(error, [&] {
    if (CheckWritable(error)) return;
    if (!waypoint || !Contains(waypoint)) {
      *error = waypoint ? kErrWaypointNotFound : kErrItemNotFound;
      return;
    }
    RemoveWaypointInternal(waypoint);
    Touch();
  });
}

void CWaypointGroup::AddWaypointInternal(CWaypoint* waypoint) {
  if (Contains(waypoint)) return;
  members_.Append(waypoint);
  if (!IsBuiltIn()) waypoint->JoinGroup();
}

bool CWaypointGroup::RemoveWaypointInternal(CWaypoint* waypoint) {
  if (!members_.Remove(waypoint)) return false;
  if (!IsBuiltIn()) waypoint->LeaveGroup();
  return true;
}
