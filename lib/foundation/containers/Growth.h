// The one growth rule of every container of the library.
#pragma once

#include <cstdint>

namespace td {

// 4, 8, 12, 28, 44, 60, 76, 95, 118, ...: small steps while small, a quarter after.
constexpr int32_t GrownCapacity(int32_t capacity) {
  if (capacity < 9) return capacity + 4;
  if (capacity < 65) return capacity + 16;
  return capacity + capacity / 4;
}

// The quicksort of the containers: Hoare partition around the middle element,
// recursing into the smaller side and looping on the larger, so the depth
// stays logarithmic. `less(i, pivot)` and `greater(i, pivot)` compare item i
// with the pivot captured by `take_pivot(mid)`; `swap(i, j)` exchanges items.
// Every index handed to the three lies in [left, right] and the sort ends
// whatever the comparisons answer (a host's comparator may be inconsistent);
// only a consistent order gives a sorted result.
template <class TakePivot, class Less, class Greater, class Swap>
void QuickSort(int32_t left, int32_t right, TakePivot take_pivot, Less less, Greater greater, Swap swap) {
  while (left < right) {
    auto pivot = take_pivot(left + (right - left) / 2);
    int32_t i = left, j = right;
    while (i <= j) {
      // The bounds matter only to an inconsistent order: a consistent one
      // stops both scans at the pivot or at an item already exchanged. A
      // partition always ends with i above left and j below right, so both
      // sides are smaller than the range.
      while (i < right && less(i, pivot)) ++i;
      while (j > left && greater(j, pivot)) --j;
      if (i <= j) {
        if (i != j) swap(i, j);
        ++i;
        --j;
      }
    }
    if (j - left < right - i) {
      if (left < j) QuickSort(left, j, take_pivot, less, greater, swap);
      left = i;
    } else {
      if (i < right) QuickSort(i, right, take_pivot, less, greater, swap);
      right = j;
    }
  }
}

}  // namespace td
