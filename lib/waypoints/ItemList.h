// Searches and sorts of item lists by identifier, and CItemList, the list in
// identifier order that the manager, the databases and the groups keep.
#pragma once

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "lib/foundation/containers/List.h"
#include "lib/waypoints/ItemId.h"

// Binary search over count items in identifier order; idOf(i) gives item i's
// identifier. *index is the item's position when found, else where it would go.
template <class IdOf>
bool FindItemById(int32_t count, IdOf idOf, const SItemId& id, int32_t* index) {
  int32_t low = 0, high = count - 1;
  bool found = false;
  while (low <= high) {
    int32_t middle = low + (high - low) / 2;
    int c = CompareItemId(*idOf(middle), id);
    if (c < 0) {
      low = middle + 1;
    } else {
      high = middle - 1;
      if (c == 0) {
        found = true;
        low = middle;
      }
    }
  }
  *index = low;
  return found;
}

template <class T>
bool FindItemById(const CList<T>& list, const SItemId& id, int32_t* index) {
  return FindItemById(
      list.GetCount(), [&](int32_t i) { return list.GetAt(i)->GetId(); }, id, index);
}

template <class T>
int CompareItemsById(const T* a, const T* b) {
  return CompareItemId(*const_cast<T*>(a)->GetId(), *const_cast<T*>(b)->GetId());
}

template <class T>
void SortItemsById(CList<T>& list) {
  list.Sort(CompareItemsById<T>);
}

template <class T>
int32_t InsertItemSorted(CList<T>& list, T* item) {
  int32_t index;
  FindItemById(list, *item->GetId(), &index);
  list.Insert(index, item);
  return index;
}

// Removes exactly this item, not another one of the same identifier: -1 when
// it is not in the list.
template <class T>
int32_t RemoveItemById(CList<T>& list, T* item) {
  const SItemId& id = *item->GetId();
  int32_t index;
  if (FindItemById(list, id, &index))
    for (int32_t i = index; i < list.GetCount() && CompareItemId(*list.GetAt(i)->GetId(), id) == 0;
         ++i)
      if (list.GetAt(i) == item) {
        list.Delete(i);
        return i;
      }
  int32_t i = list.IndexOf(item);
  if (i >= 0) list.Delete(i);
  return i;
}

// Where an item keeps its own position in the lists that every item of its
// kind is in at most once, so those lists need no lookup table.
enum EItemListSlot : int32_t {
  kSlotDatabase = 0,
  kSlotManager = 1,
  kSlotBuiltInGroup = 2,
  kSlotNone = -1
};

// Items in identifier order, never owned. Adding appends and removing leaves
// a gap, each in constant time; the order is restored and the gaps closed
// before the next access by index or identifier, so that long runs of adds or
// removals cost no move of the list each. Membership is by identity: a list
// with a slot keeps each item's position in the item, others in a table.
template <class T>
class CItemList {
 public:
  explicit CItemList(EItemListSlot slot = kSlotNone) : slot_(slot) {}
  CItemList(const CItemList&) = delete;
  CItemList& operator=(const CItemList&) = delete;

  int32_t GetCount() const { return static_cast<int32_t>(items_.size()) - gaps_; }
  bool Contains(const T* item) const { return PositionOf(item) >= 0; }

  T* GetAt(int32_t i) {
    Settle();
    return items_[static_cast<size_t>(i)];
  }

  bool IsIndex(int32_t i) const { return i >= 0 && i < GetCount(); }

  // Throws, leaving the list as it was, when memory runs out; with room
  // reserved in a list with a slot it cannot fail.
  void Append(T* item) {
    if (items_.size() == items_.capacity() && gaps_ > 0) CloseGaps();
    const bool inOrder =
        items_.empty() || (items_.back() && CompareItemsById<T>(items_.back(), item) <= 0);
    items_.push_back(item);
    try {
      SetPosition(item, static_cast<int32_t>(items_.size()) - 1);
    } catch (...) {
      items_.pop_back();
      throw;
    }
    if (!inOrder) sorted_ = false;
  }

  // Room for count more items without allocating.
  void Reserve(size_t count) { items_.reserve(items_.size() + count); }
  // Room for count items in all: while the list holds fewer, appending to a
  // list with a slot cannot fail, however many were removed meanwhile.
  void ReserveTotal(size_t count) { items_.reserve(count); }

  bool Remove(T* item) {
    int32_t at = PositionOf(item);
    if (at < 0) return false;
    items_[static_cast<size_t>(at)] = nullptr;
    ForgetPosition(item);
    ++gaps_;
    return true;
  }

  bool Find(const SItemId& id, int32_t* index) {
    Settle();
    return FindItemById(
        GetCount(), [&](int32_t i) { return items_[static_cast<size_t>(i)]->GetId(); }, id, index);
  }

  int32_t IndexOf(const T* item) {
    Settle();
    return PositionOf(item);
  }

  // Touches the items: call it while they live.
  void Clear() {
    for (T* item : items_)
      if (item) ForgetPosition(item);
    items_.clear();
    where_.clear();
    gaps_ = 0;
    sorted_ = true;
  }

  // Empties the list and gives its items, in no particular order, without
  // allocating: for destructors, which destroy them. Touches the items.
  std::vector<T*> TakeAll() {
    std::vector<T*> items = std::move(items_);
    items_.clear();
    items.erase(std::remove(items.begin(), items.end(), nullptr), items.end());
    for (T* item : items) ForgetPosition(item);
    where_.clear();
    gaps_ = 0;
    sorted_ = true;
    return items;
  }

  // Calls visit with each item, in order, for walks that leave the list as it
  // is; no copy is made.
  template <class Visit>
  void ForEach(Visit visit) {
    Settle();
    for (T* item : items_) visit(item);
  }

  // The items in order, for walks during which the list may change.
  std::vector<T*> Snapshot() {
    Settle();
    return items_;
  }

 private:
  int32_t PositionOf(const T* item) const {
    if (slot_ != kSlotNone) return item->GetListPosition(slot_);
    auto at = where_.find(item);
    return at == where_.end() ? -1 : at->second;
  }

  void SetPosition(T* item, int32_t position) {
    if (slot_ != kSlotNone)
      item->SetListPosition(slot_, position);
    else
      where_[item] = position;
  }

  void ForgetPosition(T* item) {
    if (slot_ != kSlotNone)
      item->SetListPosition(slot_, -1);
    else
      where_.erase(item);
  }

  void Settle() {
    if (gaps_ == 0 && sorted_) return;
    items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end());
    if (!sorted_)
      std::stable_sort(items_.begin(), items_.end(),
                       [](T* a, T* b) { return CompareItemsById<T>(a, b) < 0; });
    RenumberPositions();
    sorted_ = true;
  }

  // The order stays as it is. Allocates nothing: the items already have
  // their positions.
  void CloseGaps() {
    items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end());
    RenumberPositions();
  }

  void RenumberPositions() {
    for (size_t i = 0; i < items_.size(); ++i) SetPosition(items_[i], static_cast<int32_t>(i));
    gaps_ = 0;
  }

  EItemListSlot slot_;
  std::vector<T*> items_;
  std::unordered_map<const T*, int32_t> where_;
  int32_t gaps_ = 0;
  bool sorted_ = true;
};
