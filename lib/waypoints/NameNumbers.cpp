#include "lib/waypoints/NameNumbers.h"

#include <cstdint>
#include <cstring>

#include "lib/foundation/format/Convert.h"

int32_t CNameNumbers::NumberOf(const CStr& name, const CStr& base) {
  int32_t length = base.GetLength();
  if (name.GetLength() <= length ||
      std::memcmp(name.c_str(), base.c_str(), static_cast<size_t>(length)) != 0)
    return 0;
  for (const char* p = name.c_str() + length; *p; ++p)
    if (*p < '0' || *p > '9') return 0;
  int32_t n = 0;
  if (!TryStrToInt(CStr(name.c_str() + length), &n)) return 0;
  return n > 0 ? n : 0;
}

void CNameNumbers::Reset(const CStr& base) {
  base_ = base;
  uses_.clear();
  runs_.clear();
}

void CNameNumbers::Rename(const CStr& from, const CStr& to) {
  RemoveName(from);
  AddName(to);
}

void CNameNumbers::Add(int32_t n) {
  if (n <= 0 || uses_[n]++ > 0) return;
  int32_t first = n, last = n;
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
  runs_[first] = last;
}

void CNameNumbers::Remove(int32_t n) {
  auto use = uses_.find(n);
  if (n <= 0 || use == uses_.end() || --use->second > 0) return;
  uses_.erase(use);
  auto run = --runs_.upper_bound(n);
  int32_t first = run->first, last = run->second;
  runs_.erase(run);
  if (first < n) runs_[first] = n - 1;
  if (n < last) runs_[n + 1] = last;
}

int64_t CNameNumbers::LowestFree() const {
  auto run = runs_.begin();
  return run != runs_.end() && run->first == 1 ? int64_t{run->second} + 1 : 1;
}

CStr CNameNumbers::MakeName() const {
  return base_ + UIntToStr(static_cast<uint32_t>(LowestFree()), 10);
}
