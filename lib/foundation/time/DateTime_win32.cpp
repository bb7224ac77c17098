#include <windows.h>

#include <cstring>

#include "lib/foundation/time/DateTime.h"

static_assert(sizeof(SYSTEMTIME) == sizeof(SSystemTime), "calendar record layout");

void GetLocalSystemTime(SSystemTime& rec) {
  SYSTEMTIME st;
  GetLocalTime(&st);
  std::memcpy(&rec, &st, sizeof rec);
}

void GetUTCSystemTime(SSystemTime& rec) {
  SYSTEMTIME st;
  GetSystemTime(&st);
  std::memcpy(&rec, &st, sizeof rec);
}
