// Date-times as day counts since 1899-12-30 (proleptic Gregorian), the fraction
// of a day being the time of day; encoding, decoding and the current time.
#pragma once

#include <cstdint>

// The platform's calendar record (same layout as the system-time record).
struct SSystemTime {
  uint16_t Year;
  uint16_t Month;      // 1-12
  uint16_t DayOfWeek;  // 0 = Sunday
  uint16_t Day;        // 1-31
  uint16_t Hour;
  uint16_t Minute;
  uint16_t Second;
  uint16_t Milliseconds;
};
static_assert(sizeof(SSystemTime) == 16, "calendar record layout");

// Milliseconds since midnight and days since 0001-01-01 counted from 1.
struct STimeStamp {
  int32_t Time;
  int32_t Date;
};

constexpr int32_t kDateDelta = 693594;  // days from 0001-01-01 to 1899-12-30
constexpr int32_t kMsPerDay = 86400000;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
int64_t RoundToInt64(double x);

bool TryEncodeDate(int year, int month, int day, double& dt);
bool TryEncodeTime(int hour, int minute, int second, int ms, double& t);
bool TryEncodeDateTime(int year, int month, int day, int hour, int minute,
                       int second, int ms, double& dt);
double EncodeDate(int year, int month, int day);
double EncodeTime(int hour, int minute, int second, int ms);
double EncodeDateTime(int year, int month, int day, int hour, int minute,
                      int second, int ms);

// False for NaN and day counts outside 0001-01-01 .. 9999-12-31; a time of day
// that rounds to 24:00:00 carries into the next day.
bool TryDateTimeToTimeStamp(double dt, STimeStamp& stamp);
// The same, with zeros for the refused values.
STimeStamp DateTimeToTimeStamp(double dt);

// Decoders give zeros (and false where they return a flag) for refused values.
bool DecodeDateFully(double dt, int& year, int& month, int& day, int& dayOfWeek);
void DecodeDate(double dt, int& year, int& month, int& day);
void DecodeTime(double dt, int& hour, int& minute, int& second, int& ms);
void DecodeDateTime(double dt, int& year, int& month, int& day, int& hour,
                    int& minute, int& second, int& ms);
int DayOfWeek(double dt);  // 1 = Sunday, 0 when refused

bool DateTimeToSystemTime(SSystemTime& rec, double dt);
double SystemTimeToDateTime(const SSystemTime& rec);

// The whole day D such that D + timeOfDay lies within half a day of reference.
double NearestDate(double timeOfDay, double reference);

// The current time from the local and the UTC clock.
double Date();
double Time();
double Now();
double DateUTC();
double TimeUTC();
double NowUTC();

// Operating-system concern (DateTime_win32.cpp / DateTime_posix.cpp).
void GetLocalSystemTime(SSystemTime& rec);
void GetUTCSystemTime(SSystemTime& rec);
