#include "lib/charts/ColorHistogram.h"

#include <utility>

namespace {

constexpr uint32_t kInitialShift = 32 - 10;

// Descending by count: scans stop at elements not on the right side of the
// middle element's count; recursion goes into the smaller part so that the
// depth stays logarithmic, which leaves the same order as sorting the
// left part first.
void SortByCount(SColorCount* items, int left, int right) {
  while (left < right) {
    int i = left;
    int j = right;
    uint32_t pivot = items[(left + right) / 2].count;
    do {
      while (items[i].count > pivot) ++i;
      while (items[j].count < pivot) --j;
      if (i <= j) {
        std::swap(items[i], items[j]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - left < right - i) {
      SortByCount(items, left, j);
      left = i;
    } else {
      SortByCount(items, i, right);
      right = j;
    }
  }
}

}  // namespace

CColorHistogram::CColorHistogram() : slots_(size_t{1} << (32 - kInitialShift)), shift_(kInitialShift) {}

size_t CColorHistogram::SlotOf(uint32_t colour) const {
  size_t mask = slots_.size() - 1;
  size_t slot = (colour * 0x9E3779B1u) >> shift_;
  while (slots_[slot] != 0 && entries_[slots_[slot] - 1].colour != colour) slot = (slot + 1) & mask;
  return slot;
}

void CColorHistogram::Add(uint32_t colour, uint32_t count) {
  size_t slot = SlotOf(colour);
  if (slots_[slot] != 0) {
    entries_[slots_[slot] - 1].count += count;
    return;
  }
  entries_.push_back({colour, count});
  slots_[slot] = Count();
  if (2 * entries_.size() > slots_.size()) Rehash(shift_ - 1);
}

void CColorHistogram::Rehash(uint32_t shift) {
  shift_ = shift;
  slots_.assign(size_t{1} << (32 - shift), 0);
  for (uint32_t i = 0; i < Count(); ++i) slots_[SlotOf(entries_[i].colour)] = i + 1;
}

void CColorHistogram::SortByFrequency() {
  SortByCount(entries_.data(), 0, static_cast<int>(entries_.size()) - 1);
  Rehash(shift_);
}

uint32_t CColorHistogram::IndexOf(uint32_t colour) const {
  uint32_t entry = slots_[SlotOf(colour)];
  return entry == 0 ? 0 : entry - 1;
}
