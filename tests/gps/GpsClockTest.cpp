// The GPS clock on a stepped time source: states, the hold window and the
// smoothing of its offset.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "lib/gps/GpsClock.h"
#include "tests/gps/NmeaCollector.h"

namespace {

constexpr double kStart = 45000.5;  // the system's UTC when the counter reads 0
constexpr double kSecond = 1.0 / 86400;

class GpsClock : public ::testing::Test {
 protected:
  // The system's time of day now, as a GPS time of day that many seconds ahead.
  double TimeOfDayAhead(double seconds) const {
    return std::fmod(time_.NowUTC() + seconds * kSecond, 1.0);
  }

  CSteppedTimeSource time_{kStart};
  CGPSClock clock_{time_};
};

TEST_F(GpsClock, NewClockGivesTheSystemTime) {
  EXPECT_NEAR(clock_.GetTime(), kStart + kSecond, 1e-9);  // the counter starts at 1 s
  EXPECT_EQ(clock_.GetState(), 0u);
  EXPECT_TRUE(clock_.IsHoldOver());
  EXPECT_EQ(clock_.GetOffset(), 0.0);
}

TEST_F(GpsClock, TimeWithoutHoldIsIgnored) {
  clock_.SetTime(0.0, TimeOfDayAhead(3), time_.ReadCounter());
  EXPECT_EQ(clock_.GetState(), 0u);
  EXPECT_EQ(clock_.GetOffset(), 0.0);
}

TEST_F(GpsClock, TimeOfDayThenDateInsideTheWindow) {
  clock_.StartHold(6.0f);
  EXPECT_FALSE(clock_.IsHoldOver());
  clock_.SetTime(0.0, TimeOfDayAhead(0), time_.ReadCounter());
  EXPECT_EQ(clock_.GetState(), 1u);
  EXPECT_FALSE(clock_.IsHoldOver());
  time_.StepSeconds(2);
  clock_.SetTime(std::floor(kStart), TimeOfDayAhead(0), time_.ReadCounter());
  EXPECT_EQ(clock_.GetState(), 2u);
  EXPECT_TRUE(clock_.IsHoldOver());
  clock_.StartHold(6.0f);  // refused in state 2
  EXPECT_TRUE(clock_.IsHoldOver());
}

TEST_F(GpsClock, WindowClosedWithoutTimeLeavesStateZero) {
  clock_.StartHold(6.0f);
  time_.StepSeconds(6);
  EXPECT_TRUE(clock_.IsHoldOver());
  clock_.SetTime(0.0, TimeOfDayAhead(0), time_.ReadCounter());
  EXPECT_EQ(clock_.GetState(), 0u);
}

TEST_F(GpsClock, SmoothingOfTheOffset) {
  clock_.StartHold(6.0f);
  clock_.SetTime(0.0, TimeOfDayAhead(3), time_.ReadCounter());
  EXPECT_NEAR(clock_.GetOffset(), 3 * kSecond, 1e-11);
  EXPECT_NEAR(clock_.GetTime(), time_.NowUTC() + 3 * kSecond, 1e-11);
  time_.StepSeconds(1);
  clock_.SetTime(0.0, TimeOfDayAhead(3.1), time_.ReadCounter());
  EXPECT_NEAR(clock_.GetOffset(), 3.005 * kSecond, 1e-11);  // 5 per cent of 0.1 s
  time_.StepSeconds(1);
  clock_.SetTime(0.0, TimeOfDayAhead(13), time_.ReadCounter());
  EXPECT_NEAR(clock_.GetOffset(), 13 * kSecond, 1e-11);  // 10 s away replaces it
  time_.StepSeconds(1);
  clock_.SetTime(0.0, TimeOfDayAhead(15.5), time_.ReadCounter());
  EXPECT_NEAR(clock_.GetOffset(), (13 + 0.5 * 2.5) * kSecond, 1e-11);  // 2.5 s: half a unit
}

// The stamp says when the sentence arrived: 2 s ago, the GPS time was then
// 2 s older too, so the offset is the same.
TEST_F(GpsClock, SampleTakenAtTheStamp) {
  clock_.StartHold(6.0f);
  const uint64_t stamp = time_.ReadCounter();
  const double timeOfDay = TimeOfDayAhead(3);
  time_.StepSeconds(2);
  clock_.SetTime(0.0, timeOfDay, stamp);
  EXPECT_NEAR(clock_.GetOffset(), 3 * kSecond, 1e-11);
}

// Offsets of years keep their precision: a float in days would hold this one
// only to about 30 s.
TEST_F(GpsClock, OffsetOfYearsKeepsItsSeconds) {
  clock_.StartHold(6.0f);
  const double gps = kStart + 7300 + 0.25;
  clock_.SetTime(std::floor(gps), gps - std::floor(gps), time_.ReadCounter());
  time_.StepSeconds(1);
  clock_.SetTime(std::floor(gps), gps - std::floor(gps) + 1.2 * kSecond, time_.ReadCounter());
  const double expected = gps - time_.NowUTC() + kSecond + 0.05 * 0.2 * kSecond;
  EXPECT_NEAR(clock_.GetOffset(), expected, 1e-3 * kSecond);
}

TEST_F(GpsClock, UpdateOffsetCarriesTheLastGpsTimeForward) {
  clock_.UpdateOffset();  // state 0: nothing
  EXPECT_EQ(clock_.GetOffset(), 0.0);
  clock_.StartHold(6.0f);
  clock_.SetTime(0.0, TimeOfDayAhead(3), time_.ReadCounter());
  time_.StepSeconds(100);
  clock_.UpdateOffset();
  EXPECT_NEAR(clock_.GetOffset(), 3 * kSecond, 1e-11);
}

TEST_F(GpsClock, ResetKeepsTheTag) {
  clock_.SetTag(-90);
  clock_.StartHold(6.0f);
  clock_.SetTime(0.0, TimeOfDayAhead(3), time_.ReadCounter());
  clock_.Reset();
  EXPECT_EQ(clock_.GetTag(), -90);
  EXPECT_EQ(clock_.GetState(), 0u);
  EXPECT_EQ(clock_.GetOffset(), 0.0);
  EXPECT_TRUE(clock_.IsHoldOver());
}

TEST_F(GpsClock, HoldOfNoNumberOpensNoWindow) {
  for (float seconds :
       {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), -1.0f}) {
    clock_.StartHold(seconds);
    EXPECT_TRUE(clock_.IsHoldOver()) << seconds;
  }
  clock_.StartHold(3e38f);  // finite: a window that time does not close
  time_.StepSeconds(1e6);
  EXPECT_FALSE(clock_.IsHoldOver());
}

TEST(GpsClockHelpers, ClampF) {
  EXPECT_EQ(ClampF(0.02f, 0.05f, 1.0f), 0.05f);
  EXPECT_EQ(ClampF(3.0f, 0.05f, 1.0f), 1.0f);
  EXPECT_EQ(ClampF(0.5f, 0.05f, 1.0f), 0.5f);
}

}  // namespace
