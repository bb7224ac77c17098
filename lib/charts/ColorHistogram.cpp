#include "lib/charts/ColorHistogram.h"

#include <algorithm>
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

void CColorHistogram::Clear() {
  entries_.clear();
  NextGeneration();
}

void CColorHistogram::NextGeneration() {
  if (++generation_ == 0) {
    std::fill(slots_.begin(), slots_.end(), SSlot{0, 0});
    generation_ = 1;
  }
}

size_t CColorHistogram::SlotOf(uint32_t colour) const {
  size_t mask = slots_.size() - 1;
  size_t slot = (colour * 0x9E3779B1u) >> shift_;
  while (InUse(slot) && entries_[slots_[slot].entry].colour != colour) slot = (slot + 1) & mask;
  return slot;
}

void CColorHistogram::Add(uint32_t colour, uint32_t count, uint32_t first) {
  size_t slot = SlotOf(colour);
  if (InUse(slot)) {
    SColorCount& entry = entries_[slots_[slot].entry];
    entry.count += count;
    entry.first = std::min(entry.first, first);
    return;
  }
  slots_[slot] = {generation_, Count()};
  entries_.push_back({colour, count, first});
  if (2 * entries_.size() > slots_.size()) {
    --shift_;
    slots_.assign(size_t{1} << (32 - shift_), SSlot{0, 0});
    Reindex();
  }
}

void CColorHistogram::Reindex() {
  NextGeneration();
  for (uint32_t i = 0; i < Count(); ++i) slots_[SlotOf(entries_[i].colour)] = {generation_, i};
}

void CColorHistogram::SortByFrequency() {
  std::sort(entries_.begin(), entries_.end(),
            [](const SColorCount& a, const SColorCount& b) { return a.first < b.first; });
  SortByCount(entries_.data(), 0, static_cast<int>(entries_.size()) - 1);
  Reindex();
}

uint32_t CColorHistogram::IndexOf(uint32_t colour) const {
  size_t slot = SlotOf(colour);
  return InUse(slot) ? slots_[slot].entry : 0;
}
