#include "lib/charts/ColorHistogram.h"

#include <algorithm>
#include <new>
#include <utility>

#include "lib/charts/TileFormat.h"
#include "lib/foundation/containers/Growth.h"
#include "lib/foundation/core/AllocationFaults.h"

namespace {

// Twice the most colours a tile can have, so that probe chains stay short.
constexpr uint32_t kSlotBits = 17;
constexpr size_t kSlots = size_t{1} << kSlotBits;
static_assert(kSlots >= 2 * kTilePixels);

}  // namespace

CColorHistogram::CColorHistogram() : slots_(static_cast<SSlot*>(td::ZeroedBlock(kSlots, sizeof(SSlot)))) {
  if (!slots_) throw std::bad_alloc();
  entries_.reserve(kTilePixels);
}

void CColorHistogram::Clear() {
  entries_.clear();
  NextGeneration();
}

void CColorHistogram::NextGeneration() {
  if (++generation_ == 0) {
    std::fill_n(slots_.get(), kSlots, SSlot{0, 0});
    generation_ = 1;
  }
}

size_t CColorHistogram::SlotOf(uint32_t colour) const {
  size_t slot = (colour * 0x9E3779B1u) >> (32 - kSlotBits);
  while (InUse(slot) && entries_[slots_[slot].entry].colour != colour) slot = (slot + 1) & (kSlots - 1);
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
}

void CColorHistogram::Reindex() {
  NextGeneration();
  for (uint32_t i = 0; i < Count(); ++i) slots_[SlotOf(entries_[i].colour)] = {generation_, i};
}

void CColorHistogram::SortByFrequency() {
  std::sort(entries_.begin(), entries_.end(),
            [](const SColorCount& a, const SColorCount& b) { return a.first < b.first; });
  // Descending by count with the containers' quicksort: scans stop at
  // elements not on the right side of the middle element's count.
  td::QuickSort(
      0, static_cast<int32_t>(entries_.size()) - 1, [&](int32_t mid) { return entries_[mid].count; },
      [&](int32_t i, uint32_t pivot) { return entries_[i].count > pivot; },
      [&](int32_t i, uint32_t pivot) { return entries_[i].count < pivot; },
      [&](int32_t i, int32_t j) { std::swap(entries_[i], entries_[j]); });
  Reindex();
}

uint32_t CColorHistogram::IndexOf(uint32_t colour) const {
  size_t slot = SlotOf(colour);
  return InUse(slot) ? slots_[slot].entry : 0;
}
