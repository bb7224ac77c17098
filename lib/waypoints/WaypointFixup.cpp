#include "lib/waypoints/WaypointFixup.h"

#include "lib/waypoints/RoutePoint.h"
#include "lib/waypoints/Waypoint.h"
#include "lib/waypoints/WaypointGroup.h"
#include "lib/waypoints/WaypointManager.h"
#include "lib/waypoints/WaypointRoute.h"

void CWaypointFixup::Resolve(CWaypointManager* manager) {
  int32_t index;
  if (manager->FindType(&id_, &index))
    static_cast<CWaypoint*>(const_cast<void*>(waiting_))->SetTypeInternal(manager->GetType(index));
}

void CWaypointGroupFixup::Resolve(CWaypointManager* manager) {
  int32_t index;
  if (!manager->FindWaypoint(&id_, &index)) return;
  auto* group = static_cast<CWaypointGroup*>(const_cast<void*>(waiting_));
  CWaypoint* waypoint = manager->GetWaypoint(index);
  if (!group->Contains(waypoint)) group->AppendWaypointInternal(waypoint);
}

void CRoutePointFixup::Resolve(CWaypointManager* manager) {
  int32_t index;
  if (!manager->FindWaypoint(&id_, &index)) return;
  static_cast<CRoutePoint*>(const_cast<void*>(waiting_))
      ->AttachWaypointDeferred(manager->GetWaypoint(index));
}

// A fix-up the index has no room for drops the index, which the next lookup
// builds again.
void CFixupList::Add(std::unique_ptr<CFixup> fixup) {
  const void* waiting = fixup->GetWaiting();
  fixups_.push_back(std::move(fixup));
  ++live_;
  if (!indexed_) return;
  try {
    byWaiting_.emplace(waiting, fixups_.size() - 1);
  } catch (...) {
    byWaiting_.clear();
    indexed_ = false;
  }
}

void CFixupList::EnsureIndex() const {
  if (indexed_) return;
  byWaiting_.reserve(fixups_.size());
  for (size_t i = 0; i < fixups_.size(); ++i)
    if (fixups_[i]) byWaiting_.emplace(fixups_[i]->GetWaiting(), i);
  indexed_ = true;
}

bool CFixupList::TryIndex() const noexcept {
  try {
    EnsureIndex();
    return true;
  } catch (...) {
    byWaiting_.clear();
    return false;
  }
}

void CFixupList::Truncate(int32_t count) {
  while (GetCount() > count) {
    if (const CFixup* last = fixups_.back().get()) {
      --live_;
      auto range = byWaiting_.equal_range(last->GetWaiting());
      for (auto at = range.first; at != range.second; ++at)
        if (at->second == fixups_.size() - 1) {
          byWaiting_.erase(at);
          break;
        }
    }
    fixups_.pop_back();
  }
}

void CFixupList::Forget(const void* item) noexcept {
  if (live_ == 0) return;
  if (!TryIndex()) {
    for (std::unique_ptr<CFixup>& fixup : fixups_)
      if (fixup && fixup->GetWaiting() == item) {
        fixup.reset();
        --live_;
      }
    return;
  }
  auto range = byWaiting_.equal_range(item);
  for (auto at = range.first; at != range.second; ++at) {
    fixups_[at->second].reset();
    --live_;
  }
  byWaiting_.erase(item);
}

bool CFixupList::IsWaiting(const void* item) const {
  if (live_ == 0) return false;
  EnsureIndex();
  return byWaiting_.count(item) != 0;
}

std::vector<SItemId> CFixupList::PendingIds(const void* item) const {
  EnsureIndex();
  std::vector<size_t> at;
  auto range = byWaiting_.equal_range(item);
  for (auto i = range.first; i != range.second; ++i) at.push_back(i->second);
  std::sort(at.begin(), at.end());
  std::vector<SItemId> ids;
  for (size_t i : at) ids.push_back(fixups_[i]->GetRefId());
  return ids;
}

int32_t CFixupList::GetStoreSize() const {
  int32_t size = static_cast<int32_t>(fixups_.capacity() * sizeof(void*));
  for (const auto& fixup : fixups_)
    if (fixup) size += fixup->GetStoreSize(true);
  return size;
}
