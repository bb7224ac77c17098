// CArray<T>: elements held by value; CSortedArray<T>: kept ordered.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

#include "lib/foundation/core/AllocationFaults.h"
#include "lib/foundation/core/Exception.h"
#include "lib/foundation/containers/Growth.h"
#include "lib/foundation/format/Numeric.h"

// Elements are plain records, copied and moved bytewise, never destroyed one by one.
template <class T>
class CArray {
  static_assert(std::is_trivially_copyable_v<T>, "CArray holds plain records");

 public:
  using CompareFn = int (*)(const T* existing, const T* other);

  CArray() = default;
  CArray(const CArray& other) {
    SetCapacity(other.capacity_);
    if (other.count_ > 0)
      std::memcpy(static_cast<void*>(data_), other.data_, HeldBytes(other.count_));
    count_ = other.count_;
  }
  CArray& operator=(const CArray&) = delete;
  virtual ~CArray() { std::free(data_); }

  virtual int32_t Add(const T& element) {
    if (count_ == capacity_) Grow();
    std::memcpy(static_cast<void*>(data_ + count_), &element, sizeof(T));
    return count_++;
  }

  // Grows to exactly n when needed; new elements are zero-filled.
  virtual void SetCount(int32_t n) {
    if (n == count_) return;
    if (n > capacity_) SetCapacity(n);
    if (n > count_) std::memset(static_cast<void*>(data_ + count_), 0, HeldBytes(n - count_));
    count_ = n;
  }

  // A capacity whose bytes do not fit (see td::BlockBytes) or that cannot be
  // allocated throws std::bad_alloc and leaves the array as it was; below the
  // count it drops the last elements.
  void SetCapacity(int32_t n) {
    if (n == capacity_) return;
    const size_t bytes = Bytes(n);
    if (n == 0) {
      std::free(data_);
      data_ = nullptr;
    } else {
      void* data = td::ReallocBlock(data_, bytes);
      if (!data) throw std::bad_alloc();
      data_ = static_cast<T*>(data);
    }
    if (n < count_) count_ = n;
    capacity_ = n;
  }

  void Clear() { SetCapacity(0); }
  int32_t GetCount() const { return count_; }
  int32_t GetCapacity() const { return capacity_; }
  T* ElementAt(int32_t i) const { return data_ + i; }
  T& operator[](int32_t i) const { return data_[i]; }

  int32_t IndexOf(const T& element) const {
    for (int32_t i = 0; i < count_; ++i)
      if (std::memcmp(data_ + i, &element, sizeof(T)) == 0) return i;
    return -1;
  }

  // Appends a zero-filled element and returns its address.
  T* AddNew() {
    SetCount(count_ + 1);
    return data_ + count_ - 1;
  }

  // Later elements move down.
  void RemoveAt(int32_t i) {
    std::memmove(static_cast<void*>(data_ + i), data_ + i + 1, HeldBytes(count_ - i - 1));
    --count_;
  }

  void Sort(CompareFn compare) {
    if (count_ < 2) return;
    td::QuickSort(
        0, count_ - 1, [&](int32_t mid) { return data_[mid]; },
        [&](int32_t i, const T& pivot) { return compare(data_ + i, &pivot) < 0; },
        [&](int32_t i, const T& pivot) { return compare(data_ + i, &pivot) > 0; },
        [&](int32_t i, int32_t j) {
          T t;
          std::memcpy(static_cast<void*>(&t), data_ + i, sizeof(T));
          std::memcpy(static_cast<void*>(data_ + i), data_ + j, sizeof(T));
          std::memcpy(static_cast<void*>(data_ + j), &t, sizeof(T));
        });
  }

 protected:
  static size_t Bytes(int64_t n) { return td::BlockBytes(n, sizeof(T)); }
  // n items inside a block already held: its size was checked when it was
  // allocated, so this product cannot wrap.
  static size_t HeldBytes(int32_t n) noexcept { return static_cast<size_t>(n) * sizeof(T); }
  void Grow() { SetCapacity(td::GrownCapacity(capacity_)); }

  // Opens a gap at `index` for one element (the caller fills it).
  void InsertGap(int32_t index) {
    if (count_ == capacity_) Grow();
    std::memmove(static_cast<void*>(data_ + index + 1), data_ + index, HeldBytes(count_ - index));
    ++count_;
  }

  int32_t capacity_ = 0;
  int32_t count_ = 0;
  T* data_ = nullptr;
};

// The default order of 64-bit integers: signed, -1, 0 or 1.
inline int CompareInt64(const int64_t* a, const int64_t* b) {
  return *a < *b ? -1 : (*a > *b ? 1 : 0);
}

// What a sorted container does with an item equal to one it holds.
enum : int32_t { kDupAccept = 0, kDupIgnore = 1, kDupError = 2 };

// Binary search shared by the sorted containers: returns whether an equal
// element exists; `index` is its position or the insertion point.
template <class At>
bool SortedFind(int32_t count, int32_t direction, At compare_at, int32_t* index) {
  int32_t lo = 0, hi = count - 1;
  while (lo <= hi) {
    int32_t mid = lo + (hi - lo) / 2;
    int c = compare_at(mid) * direction;
    if (c >= 0) {
      hi = mid - 1;
      if (c == 0) {
        *index = mid;
        return true;
      }
    } else {
      lo = mid + 1;
    }
  }
  *index = lo;
  return false;
}

namespace td {

// The ordering state both sorted templates keep after their base's fields:
// compare function, direction, a reserved word, duplicate mode.
template <class CompareFn>
class SortedOrder {
 public:
  void SetDirection(int32_t direction) { direction_ = direction; }
  void SetDuplicates(int32_t mode) { duplicates_ = mode; }
  int32_t GetDuplicates() const { return duplicates_; }

 protected:
  explicit SortedOrder(CompareFn compare) : compare_(compare) {}

  CompareFn compare_;
  int32_t direction_ = 1;
  [[maybe_unused]] int32_t reserved_ = 0;  // kept for the layout; nothing reads it
  int32_t duplicates_ = 0;
};

}  // namespace td

// What Add does with the search's outcome: true when it inserts; throws in
// the duplicate mode that refuses equal elements.
template <class Error>
bool SortedAddInserts(bool found, int32_t duplicates, const char* refusal) {
  if (!found || duplicates == kDupAccept) return true;
  if (duplicates == kDupError) throw Error(refusal);
  return false;
}

template <class T>
class CSortedArray : public CArray<T>, public td::SortedOrder<typename CArray<T>::CompareFn> {
  using Order = td::SortedOrder<typename CArray<T>::CompareFn>;
  using Order::compare_;
  using Order::direction_;
  using Order::duplicates_;

 public:
  using typename CArray<T>::CompareFn;

  explicit CSortedArray(CompareFn compare) : Order(compare) {}

  bool Find(const T& element, int32_t* index) const {
    return SortedFind(
        this->count_, direction_, [&](int32_t i) { return compare_(this->data_ + i, &element); },
        index);
  }

  int32_t Add(const T& element) override {
    int32_t index;
    bool found = Find(element, &index);
    if (!SortedAddInserts<CArrayError>(found, duplicates_,
                                       "CSortedArray.Add: Duplicate items are not allowed."))
      return index;
    this->InsertGap(index);
    std::memcpy(static_cast<void*>(this->data_ + index), &element, sizeof(T));
    return index;
  }

  void SetCount(int32_t n) override {
    if (n > this->count_)
      throw CArrayError(
          "CSortedArray::SetCount: Cannot increase count of a sorted list without adding items.");
    CArray<T>::SetCount(n);
  }
};

// A fixed block of 16-byte elements for the chart tables' readers and writers.
// A block of more than 2 GB (count above 0x07FFFFFF) throws std::bad_alloc on
// every build, before anything is allocated.
class CBlock16Array {
 public:
  explicit CBlock16Array(uint32_t count)
      : count_(count), buffer_(new uint8_t[td::BlockBytes(count, 16)]) {}
  ~CBlock16Array() { delete[] buffer_; }
  CBlock16Array(const CBlock16Array&) = delete;
  CBlock16Array& operator=(const CBlock16Array&) = delete;

  uint32_t GetCount() const { return count_; }
  uint8_t* ElementAt(uint32_t i) const { return buffer_ + static_cast<size_t>(i) * 16; }

 private:
  uint32_t count_;
  uint8_t* buffer_;
};
