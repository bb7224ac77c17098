// Reference fix-ups: a reference read from a database file waits, as an item
// identifier, for the manager to resolve it once every file of a batch is
// read. CFixupList owns them and drops the ones whose waiting item goes
// before they are resolved. Host thread only.
#pragma once

#include <cstdint>
#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

#include "lib/waypoints/ItemId.h"
#include "lib/waypoints/WaypointForward.h"

class CFixup {
 public:
  CFixup(const SItemId& id, const void* waiting) : id_(id), waiting_(waiting) {}
  virtual ~CFixup() = default;
  // Looks the identifier up in the manager; nothing happens when it is missing.
  virtual void Resolve(CWaypointManager* manager) = 0;
  virtual int32_t GetStoreSize(bool full) const { return full ? sizeof(*this) : 0; }
  const SItemId& GetRefId() const { return id_; }
  const void* GetWaiting() const { return waiting_; }

 protected:
  SItemId id_;
  const void* waiting_;
};

// A waypoint's type.
class CWaypointFixup final : public CFixup {
 public:
  CWaypointFixup(const SItemId& id, CWaypoint* waypoint) : CFixup(id, waypoint) {}
  void Resolve(CWaypointManager* manager) override;
};

// A member of a group.
class CWaypointGroupFixup final : public CFixup {
 public:
  CWaypointGroupFixup(const SItemId& id, CWaypointGroup* group) : CFixup(id, group) {}
  void Resolve(CWaypointManager* manager) override;
};

// The waypoint of a route point. Resolving attaches without recomputing the
// route's distances: the caller recomputes each route once afterwards.
class CRoutePointFixup final : public CFixup {
 public:
  CRoutePointFixup(const SItemId& id, CRoutePoint* point) : CFixup(id, point) {}
  void Resolve(CWaypointManager* manager) override;
};

class CFixupList {
 public:
  // Counts the places of dropped fix-ups too: a mark for Truncate.
  int32_t GetCount() const { return static_cast<int32_t>(fixups_.size()); }
  // Whether any fix-up still waits.
  bool HasWaiting() const { return live_ > 0; }
  void Add(std::unique_ptr<CFixup> fixup);
  // Deletes the fix-ups from index count on.
  void Truncate(int32_t count);
  // Drops every fix-up that waits on item. Item destructors call it, so it
  // needs no memory: without room for the index it searches the list.
  void Forget(const void* item) noexcept;
  // The identifiers that fix-ups waiting on item still hold, in list order.
  std::vector<SItemId> PendingIds(const void* item) const;
  bool IsWaiting(const void* item) const;
  // Resolves every fix-up in list order, reporting after each, then empties the list.
  template <class Report>
  void ResolveAll(CWaypointManager* manager, Report report);
  int32_t GetStoreSize() const;

 private:
  // The index by waiting item is built at the first lookup, so that a batch
  // in which nothing is deleted or saved never pays for it.
  void EnsureIndex() const;
  // EnsureIndex, or false (and no index) when memory runs out.
  bool TryIndex() const noexcept;

  std::vector<std::unique_ptr<CFixup>> fixups_;  // null once forgotten
  int32_t live_ = 0;
  mutable bool indexed_ = false;
  mutable std::unordered_multimap<const void*, size_t> byWaiting_;
};

template <class Report>
void CFixupList::ResolveAll(CWaypointManager* manager, Report report) {
  for (size_t i = 0; i < fixups_.size(); ++i) {
    if (fixups_[i]) fixups_[i]->Resolve(manager);
    report(static_cast<int32_t>(i), GetCount());
  }
  fixups_.clear();
  byWaiting_.clear();
  indexed_ = false;
  live_ = 0;
}
