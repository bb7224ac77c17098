// Numbered default names ("Group 1", "Group 2", ...): which numbers a set of
// names already uses after a base text, and the lowest one still free.
// Taking a name in allocates; letting one go never does, so that a change
// prepared ahead (Prepare, then Commit) cannot fail half way.
#pragma once

#include <cstdint>
#include <map>
#include <type_traits>

#include "lib/foundation/text/Str.h"

class CNameNumbers {
  using TCounts = std::map<int32_t, int32_t>;

 public:
  // The nodes a name's number may need, made ahead: committing it then
  // allocates nothing. Holds nothing for a name that carries no number.
  class CPrepared {
   public:
    CPrepared() = default;

   private:
    friend class CNameNumbers;
    int32_t number_ = 0;
    TCounts::node_type use_;
    TCounts::node_type run_;
  };

  // The number that name carries after base: base, then only decimal digits
  // of a positive 32-bit value. 0 when the name carries none. Allocates nothing.
  static int32_t NumberOf(const CStr& name, const CStr& base);

  const CStr& GetBase() const { return base_; }
  // Forgets every name and starts counting after a new base.
  void Reset(const CStr& base);
  // Everything name needs to be counted; throws, changing nothing, when
  // memory runs out.
  CPrepared Prepare(const CStr& name) const;
  // Counts the prepared name: the names counted meanwhile may differ.
  void Commit(CPrepared&& prepared) noexcept;
  void AddName(const CStr& name) { Commit(Prepare(name)); }
  void RemoveName(const CStr& name) noexcept { Remove(NumberOf(name, base_)); }
  // Whole or not at all: throws, changing nothing, when memory runs out.
  void Rename(const CStr& from, const CStr& to) { Rename(from, Prepare(to)); }
  // The name from goes and the prepared one comes, which may carry the same
  // number.
  void Rename(const CStr& from, CPrepared&& to) noexcept;
  // The smallest number from 1 that no name uses: up to 2^31 when every
  // positive 32-bit number is taken.
  int64_t LowestFree() const;
  // base followed by LowestFree in decimal.
  CStr MakeName() const;

 private:
  void Remove(int32_t n) noexcept;

  CStr base_;
  TCounts uses_;  // number -> names that carry it
  TCounts runs_;  // first -> last of each run of used numbers
};

// Numbers counted aside take the place of others in one step that cannot fail.
static_assert(std::is_nothrow_move_assignable_v<CNameNumbers>);

// The first free numbered name over the names of items (each item's GetName).
template <class List>
CStr MakeUniqueName(List& items, const CStr& base) {
  CNameNumbers numbers;
  numbers.Reset(base);
  for (int32_t i = items.GetCount() - 1; i >= 0; --i) numbers.AddName(*items.GetAt(i)->GetName());
  return numbers.MakeName();
}
