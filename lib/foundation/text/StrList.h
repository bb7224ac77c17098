// CStrList: an ordered list of strings, each with an optional object pointer.
#pragma once

#include <cstdint>

#include "lib/foundation/text/Str.h"

class CStrList {
 public:
  explicit CStrList(bool ownsObjects = false);
  ~CStrList();
  CStrList(const CStrList&) = delete;
  CStrList& operator=(const CStrList&) = delete;

  // Adding, growing the count and changing the capacity throw std::bad_alloc
  // when memory runs out and leave the strings as they were.
  int32_t Add(const CStr& s) { return AddObject(s, nullptr); }
  int32_t AddObject(const CStr& s, void* object);
  CStr& GetString(int32_t i) const { return *items_[i].string; }
  void* GetObject(int32_t i) const { return items_[i].object; }
  int32_t GetCount() const { return count_; }
  int32_t GetCapacity() const { return capacity_; }
  int32_t IndexOf(const CStr& s) const;
  bool Find(const CStr& s, int32_t* index) const;
  int32_t IndexOfObject(const void* object) const;
  void Delete(int32_t i);
  void SetCount(int32_t n);
  void SetCapacity(int32_t n);
  void Clear();
  void Sort();

 private:
  struct Item {
    CStr* string;
    void* object;
  };
  void DestroyItem(Item& item);
  // Destroys the strings from index n on, the last first.
  void DestroyFrom(int32_t n) noexcept;

  int32_t capacity_;
  int32_t count_;
  bool ownsObjects_;
  Item* items_;
};
