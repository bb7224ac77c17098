// CWaypointList and CWaypointGroupList: the lists through which hosts receive
// waypoints and groups. A list made by a factory does not own its items; one
// switched to owning frees an item through the item's own Delete, so that its
// database and manager let go of it first; a built-in or read-only item only
// leaves the list. Indices outside the list change nothing (null for GetItem).
// Host thread only.
#pragma once

#include <cstdint>
#include <vector>

#include "lib/foundation/containers/List.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/waypoints/Waypoint.h"
#include "lib/waypoints/WaypointGroup.h"

template <class T>
class CItemPointerList : public CObject {
 public:
  // Each slot runs inside the guard: the list's calls depend on T, so no
  // tool can show them free of exceptions before instantiation.
  virtual int32_t TD_STDCALL Add(T* item) {
    return td::Guard(-1, [&] { return items_.Add(item); });
  }
  virtual void TD_STDCALL Clear() { SetCount(0); }
  virtual void TD_STDCALL Delete(int32_t index) {
    td::GuardVoid([&] {
      if (IsIndex(index)) Release(index);
    });
  }
  virtual void TD_STDCALL Exchange(int32_t a, int32_t b) {
    td::GuardVoid([&] {
      if (IsIndex(a) && IsIndex(b)) items_.Exchange(a, b);
    });
  }
  virtual int32_t TD_STDCALL GetCapacity() {
    return td::Guard(0, [&] { return items_.GetCapacity(); });
  }
  virtual int32_t TD_STDCALL GetCount() {
    return td::Guard(0, [&] { return items_.GetCount(); });
  }
  virtual uint8_t TD_STDCALL GetOwnsItems() { return ownsItems_; }
  virtual T* TD_STDCALL GetItem(int32_t index) {
    return td::Guard(static_cast<T*>(nullptr),
                     [&] { return IsIndex(index) ? items_.GetAt(index) : nullptr; });
  }
  virtual int32_t TD_STDCALL IndexOf(T* item) {
    return td::Guard(-1, [&] { return items_.IndexOf(item); });
  }
  virtual void TD_STDCALL Insert(int32_t index, T* item) {
    td::GuardVoid([&] {
      if (index >= 0 && index <= items_.GetCount()) items_.Insert(index, item);
    });
  }
  virtual int32_t TD_STDCALL Remove(T* item) {
    return td::Guard(-1, [&] {
      int32_t index = items_.IndexOf(item);
      if (index >= 0) Release(index);
      return index;
    });
  }
  // Below the count, the entries beyond go as SetCount lets them go; the
  // smaller storage is made before, so that running out of memory releases
  // nothing.
  virtual void TD_STDCALL SetCapacity(int32_t capacity) {
    td::GuardVoid([&] {
      if (capacity < 0) return;
      if (capacity >= items_.GetCount()) return items_.SetCapacity(capacity);
      CList<T> kept;
      kept.SetCapacity(capacity);
      for (int32_t i = 0; i < capacity; ++i) kept.Add(items_.GetAt(i));
      ReleaseFrom(capacity);
      items_.Swap(kept);
    });
  }
  // A larger count adds null entries; a smaller one removes the last first.
  virtual void TD_STDCALL SetCount(int32_t count) {
    td::GuardVoid([&] {
      if (count < 0) return;
      ReleaseFrom(count);
      items_.SetCount(count);
    });
  }
  virtual void TD_STDCALL SetOwnsItems(uint8_t owns) { ownsItems_ = owns != 0; }

  // The library's answer to a query: the list becomes exactly items (the old
  // entries leave as Clear lets them), or, when memory runs out, it throws
  // and stays as it was. The slots above keep failures to themselves.
  void ReplaceAll(const std::vector<T*>& items) {
    if (static_cast<int64_t>(items.size()) > items_.GetCapacity())
      items_.SetCapacity(static_cast<int32_t>(items.size()));
    while (items_.GetCount() > 0) Release(items_.GetCount() - 1);
    for (T* item : items) items_.Add(item);
  }

 protected:
  explicit CItemPointerList(bool ownsItems) : ownsItems_(ownsItems) {}
  ~CItemPointerList() { Clear(); }

 private:
  bool IsIndex(int32_t i) const { return i >= 0 && i < items_.GetCount(); }

  // The entries from index count on, the last first; throws nothing.
  void ReleaseFrom(int32_t count) {
    while (items_.GetCount() > count) Release(items_.GetCount() - 1);
  }

  // Takes entry index out; an owned item that no other entry holds goes.
  void Release(int32_t index) {
    T* item = items_.GetAt(index);
    items_.Delete(index);
    if (!ownsItems_ || !item || items_.IndexOf(item) >= 0) return;
    uint32_t error;
    item->Delete(&error);
  }

  CList<T> items_;
  bool ownsItems_;
};

class CWaypointList : public CItemPointerList<CWaypoint> {
 public:
  explicit CWaypointList(bool ownsItems = false) : CItemPointerList(ownsItems) {}
  TD_DELETE_THIS(CWaypointList)
};

class CWaypointGroupList : public CItemPointerList<CWaypointGroup> {
 public:
  explicit CWaypointGroupList(bool ownsItems = false) : CItemPointerList(ownsItems) {}
  TD_DELETE_THIS(CWaypointGroupList)
};
