#include <sys/time.h>
#include <time.h>

#include "lib/foundation/time/DateTime.h"

namespace {

void Fill(SSystemTime& rec, const struct tm& tm, long microseconds) {
  rec.Year = static_cast<uint16_t>(tm.tm_year + 1900);
  rec.Month = static_cast<uint16_t>(tm.tm_mon + 1);
  rec.DayOfWeek = static_cast<uint16_t>(tm.tm_wday);
  rec.Day = static_cast<uint16_t>(tm.tm_mday);
  rec.Hour = static_cast<uint16_t>(tm.tm_hour);
  rec.Minute = static_cast<uint16_t>(tm.tm_min);
  rec.Second = static_cast<uint16_t>(tm.tm_sec > 59 ? 59 : tm.tm_sec);
  rec.Milliseconds = static_cast<uint16_t>(microseconds / 1000);
}

}  // namespace

void GetLocalSystemTime(SSystemTime& rec) {
  struct timeval tv;
  gettimeofday(&tv, nullptr);
  struct tm tm;
  localtime_r(&tv.tv_sec, &tm);
  Fill(rec, tm, tv.tv_usec);
}

void GetUTCSystemTime(SSystemTime& rec) {
  struct timeval tv;
  gettimeofday(&tv, nullptr);
  struct tm tm;
  gmtime_r(&tv.tv_sec, &tm);
  Fill(rec, tm, tv.tv_usec);
}
