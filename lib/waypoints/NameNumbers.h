// Numbered default names ("Group 1", "Group 2", ...): which numbers a set of
// names already uses after a base text, and the lowest one still free.
#pragma once

#include <cstdint>
#include <map>

#include "lib/foundation/text/Str.h"

class CNameNumbers {
 public:
  // The number that name carries after base: base, then only decimal digits
  // of a positive 32-bit value. 0 when the name carries none.
  static int32_t NumberOf(const CStr& name, const CStr& base);

  const CStr& GetBase() const { return base_; }
  // Forgets every name and starts counting after a new base.
  void Reset(const CStr& base);
  void AddName(const CStr& name) { Add(NumberOf(name, base_)); }
  void RemoveName(const CStr& name) { Remove(NumberOf(name, base_)); }
  void Rename(const CStr& from, const CStr& to);
  // The smallest number from 1 that no name uses: up to 2^31 when every
  // positive 32-bit number is taken.
  int64_t LowestFree() const;
  // base followed by LowestFree in decimal.
  CStr MakeName() const;

 private:
  void Add(int32_t n);
  void Remove(int32_t n);

  CStr base_;
  std::map<int32_t, int32_t> uses_;  // number -> names that carry it
  std::map<int32_t, int32_t> runs_;  // first -> last of each run of used numbers
};

// The first free numbered name over the names of items (each item's GetName).
template <class List>
CStr MakeUniqueName(List& items, const CStr& base) {
  CNameNumbers numbers;
  numbers.Reset(base);
  for (int32_t i = items.GetCount() - 1; i >= 0; --i) numbers.AddName(*items.GetAt(i)->GetName());
  return numbers.MakeName();
}
