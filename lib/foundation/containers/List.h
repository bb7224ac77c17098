// CList<T>: pointers to items, owned or not; CSortedList<T>: kept ordered.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include "lib/foundation/core/AllocationFaults.h"
#include "lib/foundation/containers/Array.h"
#include "lib/foundation/format/Numeric.h"
#include "lib/foundation/core/Object.h"

namespace td {

// How an owning list destroys an item: exported classes through slot 0,
// records through their destructor.
template <class T>
struct ListItemDeleter {
  static void Destroy(T* item) {
    if constexpr (std::is_base_of_v<CObject, T>)
      item->DeleteThis(1);
    else
      delete item;
  }
};

}  // namespace td

template <class T>
class CList {
 public:
  using CompareFn = int (*)(const T* existing, const T* other);

  explicit CList(bool ownsItems = false) : ownsItems_(ownsItems) {}
  CList(const CList&) = delete;
  CList& operator=(const CList&) = delete;
  virtual ~CList() { Clear(); }

  virtual int32_t Add(T* item) {
    if (count_ == capacity_) Grow();
    items_[count_] = item;
    return count_++;
  }

  // Lowering the count destroys owned items, the last first.
  virtual void SetCount(int32_t n) {
    if (n == count_) return;
    if (n > capacity_) SetCapacity(n);
    if (ownsItems_)
      for (int32_t i = count_ - 1; i >= n; --i) DestroyItem(i);
    for (int32_t i = count_; i < n; ++i) items_[i] = nullptr;
    count_ = n;
  }

  // A capacity whose bytes do not fit (see td::BlockBytes) or that cannot be
  // allocated throws std::bad_alloc and leaves the list as it was. Below the
  // count, the new storage is made before the items beyond it are destroyed.
  void SetCapacity(int32_t n) {
    if (n == capacity_) return;
    if (n == 0) return Clear();
    const size_t bytes = Bytes(n);
    if (n < count_) return MoveToSmaller(n, bytes);
    void* items = td::ReallocBlock(items_, bytes);
    if (!items) throw std::bad_alloc();
    items_ = static_cast<T**>(items);
    capacity_ = n;
  }

  // Destroys owned items, the last first, and frees the storage; allocates
  // nothing, so destructors may call it.
  void Clear() {
    if (ownsItems_)
      for (int32_t i = count_ - 1; i >= 0; --i) DestroyItem(i);
    count_ = 0;
    std::free(items_);
    items_ = nullptr;
    capacity_ = 0;
  }
  int32_t GetCount() const { return count_; }
  int32_t GetCapacity() const { return capacity_; }
  bool OwnsItems() const { return ownsItems_; }
  T* GetAt(int32_t i) const { return items_[i]; }
  T* operator[](int32_t i) const { return items_[i]; }

  int32_t IndexOf(const T* item) const {
    for (int32_t i = 0; i < count_; ++i)
      if (items_[i] == item) return i;
    return -1;
  }

  void Delete(int32_t i) {
    if (ownsItems_) DestroyItem(i);
    std::memmove(items_ + i, items_ + i + 1, HeldBytes(count_ - i - 1));
    --count_;
  }

  int32_t Remove(const T* item) {
    int32_t i = IndexOf(item);
    if (i >= 0) Delete(i);
    return i;
  }

  // Later items move up; the index may equal the count (append).
  void Insert(int32_t index, T* item) { InsertAt(index, item); }

  void Exchange(int32_t a, int32_t b) {
    T* t = items_[a];
    items_[a] = items_[b];
    items_[b] = t;
  }

  // The item at `from` goes to index `to`; the items between shift by one.
  void Move(int32_t from, int32_t to) {
    T* item = items_[from];
    if (from < to)
      std::memmove(items_ + from, items_ + from + 1, HeldBytes(to - from));
    else
      std::memmove(items_ + to + 1, items_ + to, HeldBytes(from - to));
    items_[to] = item;
  }

  // The two lists trade their items and storage, each keeping whether it
  // owns its items; allocates nothing. Not for sorted lists.
  void Swap(CList& other) noexcept {
    std::swap(items_, other.items_);
    std::swap(count_, other.count_);
    std::swap(capacity_, other.capacity_);
  }

  // Whether removing, clearing or destroying the list destroys the items.
  void SetOwnsItems(bool ownsItems) { ownsItems_ = ownsItems; }

  // Quicksort by `compare`; equal items keep no particular order.
  void Sort(CompareFn compare) {
    if (count_ < 2) return;
    td::QuickSort(
        0, count_ - 1, [&](int32_t mid) { return items_[mid]; },
        [&](int32_t i, const T* pivot) { return compare(items_[i], pivot) < 0; },
        [&](int32_t i, const T* pivot) { return compare(items_[i], pivot) > 0; },
        [&](int32_t i, int32_t j) { Exchange(i, j); });
  }

 protected:
  static size_t Bytes(int64_t n) { return td::BlockBytes(n, sizeof(T*)); }
  // n items inside a block already held: its size was checked when it was
  // allocated, so this product cannot wrap.
  static size_t HeldBytes(int32_t n) noexcept { return static_cast<size_t>(n) * sizeof(T*); }
  void Grow() { SetCapacity(td::GrownCapacity(capacity_)); }

  void InsertAt(int32_t index, T* item) {
    if (count_ == capacity_) Grow();
    std::memmove(items_ + index + 1, items_ + index, HeldBytes(count_ - index));
    items_[index] = item;
    ++count_;
  }

  void MoveToSmaller(int32_t n, size_t bytes) {
    void* items = td::ReallocBlock(nullptr, bytes);
    if (!items) throw std::bad_alloc();
    std::memcpy(items, items_, HeldBytes(n));
    if (ownsItems_)
      for (int32_t i = count_ - 1; i >= n; --i) DestroyItem(i);
    std::free(items_);
    items_ = static_cast<T**>(items);
    count_ = n;
    capacity_ = n;
  }

  void DestroyItem(int32_t i) {
    T* item = items_[i];
    items_[i] = nullptr;
    if (item) td::ListItemDeleter<T>::Destroy(item);
  }

  int32_t capacity_ = 0;
  int32_t count_ = 0;
  bool ownsItems_;
  T** items_ = nullptr;
};

template <class T>
class CSortedList : public CList<T>, public td::SortedOrder<typename CList<T>::CompareFn> {
  using Order = td::SortedOrder<typename CList<T>::CompareFn>;
  using Order::compare_;
  using Order::direction_;
  using Order::duplicates_;

 public:
  using typename CList<T>::CompareFn;

  CSortedList(bool ownsItems, CompareFn compare) : CList<T>(ownsItems), Order(compare) {}

  bool Find(const T* item, int32_t* index) const {
    return SortedFind(
        this->count_, direction_, [&](int32_t i) { return compare_(this->items_[i], item); },
        index);
  }

  int32_t Add(T* item) override {
    int32_t index;
    bool found = Find(item, &index);
    if (!SortedAddInserts<CListError>(found, duplicates_,
                                      "CSortedList.Add: Duplicate items are not allowed."))
      return index;
    this->InsertAt(index, item);
    return index;
  }

  void SetCount(int32_t n) override {
    if (n > this->count_)
      throw CListError("Cannot increase count of a sorted list without adding items.");
    CList<T>::SetCount(n);
  }
};
