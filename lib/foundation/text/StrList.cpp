#include "lib/foundation/text/StrList.h"

#include <cstring>
#include <memory>
#include <utility>

#include "lib/foundation/containers/Growth.h"
#include "lib/foundation/format/Numeric.h"

CStrList::CStrList(bool ownsObjects)
    : capacity_(0), count_(0), ownsObjects_(ownsObjects), items_(nullptr) {}

CStrList::~CStrList() { Clear(); }

int32_t CStrList::AddObject(const CStr& s, void* object) {
  std::unique_ptr<CStr> string(new CStr(s));
  if (count_ == capacity_) SetCapacity(td::GrownCapacity(capacity_));
  items_[count_] = Item{string.release(), object};
  return count_++;
}

int32_t CStrList::IndexOf(const CStr& s) const {
  for (int32_t i = 0; i < count_; ++i)
    if (*items_[i].string == s) return i;
  return -1;
}

bool CStrList::Find(const CStr& s, int32_t* index) const {
  *index = IndexOf(s);
  return *index >= 0;
}

int32_t CStrList::IndexOfObject(const void* object) const {
  for (int32_t i = 0; i < count_; ++i)
    if (items_[i].object == object) return i;
  return -1;
}

// Owned objects are plain memory blocks: freed without a destructor.
void CStrList::DestroyItem(Item& item) {
  td::Free(item.string);
  if (ownsObjects_) ::operator delete(item.object);
  item = Item{nullptr, nullptr};
}

void CStrList::Delete(int32_t i) {
  DestroyItem(items_[i]);
  std::memmove(items_ + i, items_ + i + 1, td::BlockBytes(count_ - i - 1, sizeof(Item)));
  --count_;
}

void CStrList::DestroyFrom(int32_t n) noexcept {
  for (int32_t i = count_ - 1; i >= n; --i) DestroyItem(items_[i]);
  count_ = n;
}

// The new empty strings are counted in one by one, and a string that cannot
// be made takes those made before it away again.
void CStrList::SetCount(int32_t n) {
  if (n > capacity_) SetCapacity(n);
  if (n < count_) return DestroyFrom(n);
  const int32_t first = count_;
  try {
    for (; count_ < n; ++count_) items_[count_] = Item{new CStr(), nullptr};
  } catch (...) {
    DestroyFrom(first);
    throw;
  }
}

// The new storage is made before any string goes.
void CStrList::SetCapacity(int32_t n) {
  if (n == capacity_) return;
  Item* items = n > 0 ? new Item[static_cast<size_t>(n)] : nullptr;
  if (n < count_) DestroyFrom(n);
  if (count_ > 0) std::memcpy(items, items_, td::BlockBytes(count_, sizeof(Item)));
  delete[] items_;
  items_ = items;
  capacity_ = n;
}

// Allocates nothing, so the destructor may call it.
void CStrList::Clear() {
  for (int32_t i = count_ - 1; i >= 0; --i) DestroyItem(items_[i]);
  count_ = 0;
  delete[] items_;
  items_ = nullptr;
  capacity_ = 0;
}

void CStrList::Sort() {
  if (count_ < 2) return;
  td::QuickSort(
      0, count_ - 1, [&](int32_t mid) { return items_[mid].string; },
      [&](int32_t i, const CStr* pivot) { return items_[i].string->Compare(*pivot) < 0; },
      [&](int32_t i, const CStr* pivot) { return items_[i].string->Compare(*pivot) > 0; },
      [&](int32_t i, int32_t j) { std::swap(items_[i], items_[j]); });
}
