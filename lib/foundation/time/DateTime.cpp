#include "lib/foundation/time/DateTime.h"

#include <cmath>

#include "lib/foundation/core/Exception.h"

namespace {

const int kMonthDays[2][12] = {
    {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// Everything between 0001-01-01 00:00 and the end of 9999-12-31; NaN fails.
bool IsDecodable(double dt) { return dt > -693594.0 && dt < 2958466.0; }

}  // namespace

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
  return kMonthDays[IsLeapYear(year) ? 1 : 0][month - 1];
}

int64_t RoundToInt64(double x) {
  return static_cast<int64_t>(std::floor(x + 0.5));
}

bool TryEncodeDate(int year, int month, int day, double& dt) {
  if (year < 1 || year > 9999 || month < 1 || month > 12) return false;
  if (day < 1 || day > DaysInMonth(year, month)) return false;
  int n = day;
  for (int m = 1; m < month; ++m) n += DaysInMonth(year, m);
  const int y = year - 1;
  dt = y * 365 + y / 4 - y / 100 + y / 400 + n - kDateDelta;
  return true;
}

bool TryEncodeTime(int hour, int minute, int second, int ms, double& t) {
  if (hour < 0 || minute < 0 || second < 0 || ms < 0) return false;
  if (hour >= 24 || minute >= 60 || second >= 60 || ms >= 1000) return false;
  t = (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + ms) / kMsPerDay;
  return true;
}

bool TryEncodeDateTime(int year, int month, int day, int hour, int minute,
                       int second, int ms, double& dt) {
  double d = 0, t = 0;
  if (!TryEncodeDate(year, month, day, d)) return false;
  if (!TryEncodeTime(hour, minute, second, ms, t)) return false;
  dt = d < 0 ? d - t : d + t;
  return true;
}

double EncodeDate(int year, int month, int day) {
  double dt = 0;
  if (!TryEncodeDate(year, month, day, dt))
    throw CDateTimeError("EncodeDate: Error encoding date.");
  return dt;
}

double EncodeTime(int hour, int minute, int second, int ms) {
  double t = 0;
  if (!TryEncodeTime(hour, minute, second, ms, t))
    throw CDateTimeError("EncodeTime: Error encoding time.");
  return t;
}

double EncodeDateTime(int year, int month, int day, int hour, int minute,
                      int second, int ms) {
  double dt = 0;
  if (!TryEncodeDateTime(year, month, day, hour, minute, second, ms, dt))
    throw CDateTimeError("EncodeDateTime: Error encoding date and time.");
  return dt;
}

bool TryDateTimeToTimeStamp(double dt, STimeStamp& stamp) {
  if (!IsDecodable(dt)) return false;
  const double whole = std::trunc(dt);
  int64_t ms = RoundToInt64(std::fabs(dt - whole) * kMsPerDay);
  int32_t date = static_cast<int32_t>(whole) + kDateDelta;
  if (ms >= kMsPerDay) {
    ms -= kMsPerDay;
    ++date;
  }
  stamp.Time = static_cast<int32_t>(ms);
  stamp.Date = date;
  return true;
}

STimeStamp DateTimeToTimeStamp(double dt) {
  STimeStamp stamp = {0, 0};
  if (!TryDateTimeToTimeStamp(dt, stamp)) stamp = {0, 0};
  return stamp;
}

bool DecodeDateFully(double dt, int& year, int& month, int& day, int& dayOfWeek) {
  year = month = day = dayOfWeek = 0;
  STimeStamp stamp;
  if (!TryDateTimeToTimeStamp(dt, stamp) || stamp.Date <= 0) return false;
  int t = stamp.Date;
  dayOfWeek = t % 7 + 1;
  --t;
  int y = 1;
  y += t / 146097 * 400;
  t %= 146097;
  int i = t / 36524, d = t % 36524;
  if (i == 4) { i = 3; d += 36524; }
  y += i * 100;
  y += d / 1461 * 4;
  d %= 1461;
  i = d / 365;
  d %= 365;
  if (i == 4) { i = 3; d += 365; }
  y += i;
  int m = 1;
  while (d >= DaysInMonth(y, m)) d -= DaysInMonth(y, m++);
  year = y;
  month = m;
  day = d + 1;
  return IsLeapYear(y);
}

void DecodeDate(double dt, int& year, int& month, int& day) {
  int dayOfWeek = 0;
  DecodeDateFully(dt, year, month, day, dayOfWeek);
}

void DecodeTime(double dt, int& hour, int& minute, int& second, int& ms) {
  const STimeStamp stamp = DateTimeToTimeStamp(dt);
  const int minutes = stamp.Time / 60000, rest = stamp.Time % 60000;
  hour = minutes / 60;
  minute = minutes % 60;
  second = rest / 1000;
  ms = rest % 1000;
}

void DecodeDateTime(double dt, int& year, int& month, int& day, int& hour,
                    int& minute, int& second, int& ms) {
  DecodeDate(dt, year, month, day);
  DecodeTime(dt, hour, minute, second, ms);
}

int DayOfWeek(double dt) {
  STimeStamp stamp;
  if (!TryDateTimeToTimeStamp(dt, stamp)) return 0;
  return stamp.Date % 7 + 1;
}

bool DateTimeToSystemTime(SSystemTime& rec, double dt) {
  int year, month, day, dayOfWeek, hour, minute, second, ms;
  DecodeDateFully(dt, year, month, day, dayOfWeek);
  if (year == 0) return false;
  DecodeTime(dt, hour, minute, second, ms);
  rec = {static_cast<uint16_t>(year), static_cast<uint16_t>(month),
         static_cast<uint16_t>(dayOfWeek - 1), static_cast<uint16_t>(day),
         static_cast<uint16_t>(hour), static_cast<uint16_t>(minute),
         static_cast<uint16_t>(second), static_cast<uint16_t>(ms)};
  return true;
}

double SystemTimeToDateTime(const SSystemTime& rec) {
  const double d = EncodeDate(rec.Year, rec.Month, rec.Day);
  const double t = EncodeTime(rec.Hour, rec.Minute, rec.Second, rec.Milliseconds);
  return d < 0 ? d - t : d + t;
}

double NearestDate(double timeOfDay, double reference) {
  const double whole = std::trunc(reference);
  const double fraction = reference - whole;
  if (fraction < 0.5 && fraction + 0.5 < timeOfDay) return whole - 1;
  if (fraction >= 0.5 && fraction - 0.5 > timeOfDay) return whole + 1;
  return whole;
}

namespace {

SSystemTime LocalRecord() {
  SSystemTime rec;
  GetLocalSystemTime(rec);
  return rec;
}

SSystemTime UTCRecord() {
  SSystemTime rec;
  GetUTCSystemTime(rec);
  return rec;
}

double DateOf(const SSystemTime& rec) {
  return EncodeDate(rec.Year, rec.Month, rec.Day);
}

double TimeOf(const SSystemTime& rec) {
  return EncodeTime(rec.Hour, rec.Minute, rec.Second, rec.Milliseconds);
}

}  // namespace

double Date() { return DateOf(LocalRecord()); }
double Time() { return TimeOf(LocalRecord()); }

double Now() {
  const SSystemTime rec = LocalRecord();
  return DateOf(rec) + TimeOf(rec);
}

double DateUTC() { return DateOf(UTCRecord()); }
double TimeUTC() { return TimeOf(UTCRecord()); }

double NowUTC() {
  const SSystemTime rec = UTCRecord();
  return DateOf(rec) + TimeOf(rec);
}
