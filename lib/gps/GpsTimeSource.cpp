#include "lib/gps/GpsTimeSource.h"

#include "lib/foundation/time/Clock.h"

uint64_t CGpsTimeSource::ReadCounter() const { return ReadClock(); }

uint64_t CGpsTimeSource::GetCounterRate() const { return GetClockRate(); }

void CGpsTimeSource::GetUTC(SSystemTime& now) const { GetUTCSystemTime(now); }

double CGpsTimeSource::NowUTC() const {
  SSystemTime now;
  GetUTC(now);
  return SystemTimeToDateTime(now);
}

double CGpsTimeSource::SecondsBetween(uint64_t from, uint64_t to) const {
  return static_cast<double>(static_cast<int64_t>(to - from)) /
         static_cast<double>(GetCounterRate());
}

const CGpsTimeSource& LibraryTimeSource() {
  static const CGpsTimeSource source;
  return source;
}
