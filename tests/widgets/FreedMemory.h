// Makes a use of freed memory visible in the widget tests, which have no
// sanitizer under Wine. While a CFreedMemoryWatch stands, blocks given back
// to operator delete are kept instead of freed and filled with poison: every
// pointer-sized word points at a table of functions that count their calls
// and return 0. A virtual call through a freed object therefore counts
// instead of running (or crashing), and a write into a freed block is found
// when the watch ends. Test thread only; one watch at a time.
#pragma once

#include <cstdint>

class CFreedMemoryWatch {
 public:
  CFreedMemoryWatch();
  // Checks and frees the kept blocks.
  ~CFreedMemoryWatch();
  CFreedMemoryWatch(const CFreedMemoryWatch&) = delete;
  CFreedMemoryWatch& operator=(const CFreedMemoryWatch&) = delete;

  // Virtual calls made through freed objects since the watch began.
  int32_t Calls() const;
  // Kept blocks whose poison has been overwritten.
  int32_t Writes() const;
  // Blocks freed since the watch began.
  int32_t Freed() const;
};
