#include "lib/waypoints/NameNumbers.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "lib/foundation/format/Convert.h"

namespace {

using TCounts = std::map<int32_t, int32_t>;

// A detached node holding key -> value.
TCounts::node_type MakeNode(int32_t key, int32_t value) {
  TCounts one;
  one.emplace(key, value);
  return one.extract(one.begin());
}

// Puts a detached node in with another key; allocates nothing.
void InsertAs(TCounts& map, TCounts::node_type node, int32_t key, int32_t value) noexcept {
  node.key() = key;
  node.mapped() = value;
  map.insert(std::move(node));
}

}  // namespace

int32_t CNameNumbers::NumberOf(const CStr& name, const CStr& base) {
  int32_t length = base.GetLength();
  if (name.GetLength() <= length ||
      std::memcmp(name.c_str(), base.c_str(), static_cast<size_t>(length)) != 0)
    return 0;
  const char* digits = name.c_str() + length;
  for (const char* p = digits; *p; ++p)
    if (*p < '0' || *p > '9') return 0;
  int32_t n = 0;
  if (!TryStrToInt(digits, static_cast<int32_t>(std::strlen(digits)), &n)) return 0;
  return n > 0 ? n : 0;
}

void CNameNumbers::Reset(const CStr& base) {
  base_ = base;
  uses_.clear();
  runs_.clear();
}

// A number not in use needs a count and possibly a run of its own; one in
// use now may be free by the commit (a rename to a name of the same number).
CNameNumbers::CPrepared CNameNumbers::Prepare(const CStr& name) const {
  CPrepared prepared;
  prepared.number_ = NumberOf(name, base_);
  if (prepared.number_ > 0) {
    prepared.use_ = MakeNode(prepared.number_, 0);
    prepared.run_ = MakeNode(prepared.number_, prepared.number_);
  }
  return prepared;
}

void CNameNumbers::Commit(CPrepared&& prepared) noexcept {
  const int32_t n = prepared.number_;
  if (n <= 0) return;
  auto use = uses_.find(n);
  if (use != uses_.end()) {
    ++use->second;
    return;
  }
  InsertAs(uses_, std::move(prepared.use_), n, 1);
  int32_t last = n;
  auto next = n < INT32_MAX ? runs_.find(n + 1) : runs_.end();
  if (next != runs_.end()) {
    last = next->second;
    runs_.erase(next);
  }
  auto before = runs_.lower_bound(n);
  if (before != runs_.begin() && (--before)->second == n - 1) {
    before->second = last;
    return;
  }
  InsertAs(runs_, std::move(prepared.run_), n, last);
}

// A run split in two takes the freed count's node for its upper part.
void CNameNumbers::Remove(int32_t n) noexcept {
  auto use = uses_.find(n);
  if (n <= 0 || use == uses_.end() || --use->second > 0) return;
  TCounts::node_type spare = uses_.extract(use);
  auto run = --runs_.upper_bound(n);
  const int32_t first = run->first, last = run->second;
  if (first < n)
    run->second = n - 1;
  else
    runs_.erase(run);
  if (n < last) InsertAs(runs_, std::move(spare), n + 1, last);
}

void CNameNumbers::Rename(const CStr& from, CPrepared&& to) noexcept {
  RemoveName(from);
  Commit(std::move(to));
}

int64_t CNameNumbers::LowestFree() const {
  auto run = runs_.begin();
  return run != runs_.end() && run->first == 1 ? int64_t{run->second} + 1 : 1;
}

CStr CNameNumbers::MakeName() const {
  return base_ + UIntToStr(static_cast<uint32_t>(LowestFree()), 10);
}
