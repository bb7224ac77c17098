#include "lib/foundation/time/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>

#include "lib/foundation/core/Exception.h"
#include "lib/foundation/app/Version.h"

namespace {

struct SDateCase {
  int Year, Month, Day;
  double Count;
};

// Day counts from the published convention: day 0 is 1899-12-30.
const SDateCase kDates[] = {
    {1899, 12, 30, 0},      {1899, 12, 29, -1},     {1900, 1, 1, 2},
    {1900, 3, 1, 61},       {2000, 1, 1, 36526},    {2000, 2, 29, 36585},
    {1, 1, 1, -693593},     {9999, 12, 31, 2958465}, {1752, 9, 14, -53797},
};

TEST(DateTime, EncodesAndDecodesKnownDays) {
  for (const SDateCase& c : kDates) {
    EXPECT_EQ(EncodeDate(c.Year, c.Month, c.Day), c.Count) << c.Year << "-" << c.Month;
    int y, m, d;
    DecodeDate(c.Count, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, c.Year * 10000 + c.Month * 100 + c.Day) << c.Count;
  }
}

TEST(DateTime, RefusesImpossibleDates) {
  const int bad[][3] = {{1900, 2, 29}, {2100, 2, 29}, {0, 1, 1}, {10000, 1, 1},
                        {2000, 13, 1}, {2000, 4, 31}, {2000, 1, 0}};
  for (const auto& b : bad) {
    double dt = 0;
    EXPECT_FALSE(TryEncodeDate(b[0], b[1], b[2], dt)) << b[0] << "-" << b[1] << "-" << b[2];
  }
  try {
    EncodeDate(1900, 2, 29);
    FAIL();
  } catch (const CDateTimeError& e) {
    EXPECT_STREQ(e.what(), "EncodeDate: Error encoding date.");
  }
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), CDateTimeError);
  EXPECT_THROW(EncodeDateTime(2000, 1, 1, 0, 60, 0, 0), CDateTimeError);
}

TEST(DateTime, NegativeDaysKeepTheTimeAsMagnitude) {
  // -1.25 is 1899-12-29 06:00; encoding subtracts the time from a negative date.
  EXPECT_DOUBLE_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25);
  int y, mo, d, h, mi, s, ms;
  DecodeDateTime(-1.25, y, mo, d, h, mi, s, ms);
  EXPECT_EQ(y * 10000 + mo * 100 + d, 18991229);
  EXPECT_EQ(h, 6);
  EXPECT_EQ(DayOfWeek(-1.0), 6);  // a Friday
  EXPECT_EQ(DayOfWeek(36526.0), 7);  // 2000-01-01 was a Saturday
}

TEST(DateTime, TimeRoundingAtMidnightCarriesIntoTheNextDay) {
  const double almost = 36526.0 + (kMsPerDay - 0.4) / kMsPerDay;
  int y, mo, d, h, mi, s, ms;
  DecodeDateTime(almost, y, mo, d, h, mi, s, ms);
  EXPECT_EQ(y * 10000 + mo * 100 + d, 20000102);
  EXPECT_EQ(h * 10000000 + mi * 100000 + s * 1000 + ms, 0);
  DecodeDateTime(36526.0 + 0.5 + 1.0 / kMsPerDay, y, mo, d, h, mi, s, ms);
  EXPECT_EQ(h * 10000000 + mi * 100000 + s * 1000 + ms, 120000001);
}

// Ordinal days from 0001-01-01 counted from 1: 1899-12-31 is day 693595.
TEST(DateTime, TimeStampsCountMillisecondsAndOrdinalDays) {
  const STimeStamp noon = DateTimeToTimeStamp(1.5);
  EXPECT_EQ(noon.Time, 43200000);
  EXPECT_EQ(noon.Date, 693595);
  const STimeStamp refused = DateTimeToTimeStamp(NAN);
  EXPECT_EQ(refused.Time, 0);
  EXPECT_EQ(refused.Date, 0);
}

TEST(DateTime, RefusesNaNAndOutOfRangeCounts) {
  const double refused[] = {NAN, INFINITY, -INFINITY, 1e300, -693594.0, 2958466.0};
  for (double dt : refused) {
    STimeStamp stamp;
    EXPECT_FALSE(TryDateTimeToTimeStamp(dt, stamp)) << dt;
    int y = -1, m = -1, d = -1, w = -1;
    EXPECT_FALSE(DecodeDateFully(dt, y, m, d, w));
    EXPECT_EQ(y + m + d + w, 0);
    SSystemTime rec;
    EXPECT_FALSE(DateTimeToSystemTime(rec, dt));
    EXPECT_EQ(DayOfWeek(dt), 0);
  }
}

TEST(DateTime, SystemTimeRoundTrip) {
  const SSystemTime rec = {2024, 2, 4, 29, 23, 59, 58, 999};
  const double dt = SystemTimeToDateTime(rec);
  SSystemTime back;
  ASSERT_TRUE(DateTimeToSystemTime(back, dt));
  EXPECT_EQ(back.Year, 2024);
  EXPECT_EQ(back.Day, 29);
  EXPECT_EQ(back.DayOfWeek, 4);  // Thursday
  EXPECT_EQ(back.Milliseconds, 999);
  EXPECT_EQ(back.Second, 58);
}

TEST(DateTime, NearestDatePicksTheDayWithinHalfADay) {
  // The last four lie exactly half a day away on one side: the day stays.
  const double cases[][3] = {{0.95, 1000.02, 999}, {0.02, 1000.97, 1001}, {0.5, 1000.4, 1000},
                             {0.1, 1000.75, 1001}, {0.85, 1000.4, 1000},  {0.8, 1000.25, 999},
                             {0.75, 1000.25, 1000}, {0.25, 1000.75, 1000}, {0.0, 1000.5, 1000},
                             {1.0, 1000.5, 1000}};
  for (const auto& c : cases) EXPECT_EQ(NearestDate(c[0], c[1]), c[2]) << c[0] << " " << c[1];
}

TEST(DateTime, CurrentTimeAgreesWithItsParts) {
  const double now = Now(), utc = NowUTC();
  EXPECT_GT(now, 45000.0);
  EXPECT_LT(std::fabs(now - utc), 1.0);  // time zones lie within a day
  EXPECT_GE(Date(), std::floor(now) - 1);
  EXPECT_LT(Time(), 1.0);
  EXPECT_LT(TimeUTC(), 1.0);
  EXPECT_NEAR(DateUTC(), std::floor(utc), 1.0);
}

TEST(DateTime, MakeVersionPacksTheHighPartFirst) {
  EXPECT_EQ(MakeVersion(1, 0, 0, 2), 0x01000002u);
  EXPECT_EQ(MakeVersion(2, 0, 0, 0), 0x02000000u);
  EXPECT_EQ(MakeVersion(1, 1, 0, 0), 0x01010000u);
}

TEST(DateTime, LeapYearsAndRounding) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_EQ(RoundToInt64(2.5), 3);
  EXPECT_EQ(RoundToInt64(-2.5), -2);
}

}  // namespace
