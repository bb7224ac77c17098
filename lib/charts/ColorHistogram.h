#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

struct SColorCount {
  uint32_t colour;
  uint32_t count;
  uint32_t first;  // position of its first pixel in the tile, row by row
};

// The distinct colours of a tile with their numbers of occurrence and first
// positions, found through an open-addressing hash table sized for a tile
// of all-different colours. Its storage is taken from the system zeroed
// and touched only where colours land, so a tile of few colours costs
// little; clearing keeps it, so that one histogram serves tile after tile.
class CColorHistogram {
 public:
  CColorHistogram();

  void Clear();
  // Counts `count` more occurrences of a colour, the first of them at
  // position `first`.
  void Add(uint32_t colour, uint32_t count, uint32_t first);
  uint32_t Count() const { return static_cast<uint32_t>(entries_.size()); }
  const SColorCount& At(uint32_t i) const { return entries_[i]; }

  // Puts the most frequent colours first. The order among equal counts is
  // the one a middle-pivot quicksort leaves when it starts from the order
  // of first appearance; it fixes the palette order and so the coded bytes.
  void SortByFrequency();
  // Position of a colour, 0 when absent.
  uint32_t IndexOf(uint32_t colour) const;

 private:
  // A slot is in use when its generation is the histogram's.
  struct SSlot {
    uint32_t generation;
    uint32_t entry;
  };
  struct SFree {
    void operator()(void* p) const { std::free(p); }
  };

  size_t SlotOf(uint32_t colour) const;
  bool InUse(size_t slot) const { return slots_[slot].generation == generation_; }
  // Empties the table in one step.
  void NextGeneration();
  void Reindex();

  std::vector<SColorCount> entries_;
  std::unique_ptr<SSlot[], SFree> slots_;
  uint32_t generation_ = 1;
};
