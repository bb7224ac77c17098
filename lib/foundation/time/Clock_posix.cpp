#include <time.h>

#include "lib/foundation/time/Clock.h"

uint64_t SystemCounterRate() { return 1000000000u; }

uint64_t SystemCounterRead() {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<uint64_t>(ts.tv_sec) * 1000000000u +
         static_cast<uint64_t>(ts.tv_nsec);
}

uint32_t SystemTickCount() {
  return static_cast<uint32_t>(SystemCounterRead() / 1000000u);
}
