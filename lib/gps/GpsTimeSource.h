// The readings of time that the GPS classes take: the library's
// high-resolution counter, its rate and the UTC system time. The library's
// own source reads the clock of the foundation; tests put a stepped one in
// place. A source must be safe to read from any thread that reads the
// objects using it, and must outlive them.
#pragma once

#include <cstdint>

#include "lib/foundation/time/DateTime.h"

class CGpsTimeSource {
 public:
  virtual ~CGpsTimeSource() = default;
  virtual uint64_t ReadCounter() const;
  virtual uint64_t GetCounterRate() const;  // ticks per second
  virtual void GetUTC(SSystemTime& now) const;

  // Day number of now, from GetUTC.
  double NowUTC() const;
  // Signed seconds and days from stamp `from` to stamp `to`.
  double SecondsBetween(uint64_t from, uint64_t to) const;
  double DaysBetween(uint64_t from, uint64_t to) const {
    return SecondsBetween(from, to) / 86400.0;
  }
};

// The library clock and the system's UTC time.
const CGpsTimeSource& LibraryTimeSource();
