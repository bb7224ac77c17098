#include <windows.h>

#include "lib/foundation/time/Clock.h"

uint64_t SystemCounterRate() {
  LARGE_INTEGER frequency;
  if (!QueryPerformanceFrequency(&frequency)) return 0;
  return static_cast<uint64_t>(frequency.QuadPart);
}

uint64_t SystemCounterRead() {
  LARGE_INTEGER count;
  QueryPerformanceCounter(&count);
  return static_cast<uint64_t>(count.QuadPart);
}

uint32_t SystemTickCount() { return GetTickCount(); }
