#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct SColorCount {
  uint32_t colour;
  uint32_t count;
};

// The distinct colours of a tile with their numbers of occurrence, kept in
// order of first appearance, found through an open-addressing hash table.
class CColorHistogram {
 public:
  CColorHistogram();

  // Counts `count` more occurrences of a colour; a new colour goes last.
  void Add(uint32_t colour, uint32_t count);
  uint32_t Count() const { return static_cast<uint32_t>(entries_.size()); }
  const SColorCount& At(uint32_t i) const { return entries_[i]; }

  // Puts the most frequent colours first. The order among equal counts is
  // the one a middle-pivot quicksort leaves, which fixes the palette order
  // and so the coded bytes.
  void SortByFrequency();
  // Position of a colour, 0 when absent.
  uint32_t IndexOf(uint32_t colour) const;

 private:
  size_t SlotOf(uint32_t colour) const;
  void Rehash(uint32_t shift);

  std::vector<SColorCount> entries_;
  std::vector<uint32_t> slots_;  // entry position + 1, 0 when empty
  uint32_t shift_;               // 32 - log2 of the slot count
};
