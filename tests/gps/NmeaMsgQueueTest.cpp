// The message queues: intervals, the current source, purging, and course
// and speed from successive positions.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "lib/gps/NmeaMsgQueue.h"
#include "lib/gps/NmeaPosMsgQueue.h"

namespace {

constexpr double kT0 = 45000.25;  // a day number
constexpr double kSecond = 1.0 / 86400;

TEST(NmeaMsgQueue, IntervalsOfOneSource) {
  CNMEAMsgQueue queue(10.0f);
  EXPECT_EQ(queue.Update(0x5047, 1, kT0).Interval, -1.0f);
  EXPECT_FLOAT_EQ(queue.Update(0x5047, 1, kT0 + kSecond).Interval, 1.0f);
  EXPECT_EQ(queue.Update(0x5047, 1, kT0 + 1.005 * kSecond).Interval, -1.0f);  // within 0.01 s
  ASSERT_EQ(queue.GetCount(), 1);
  EXPECT_EQ(queue.GetItem(0)->Interval, -1.0f);
  EXPECT_EQ(queue.GetItem(1), nullptr);
  EXPECT_EQ(queue.GetItem(-1), nullptr);
}

TEST(NmeaMsgQueue, CurrentIntervalIsTheLargerOfSilenceAndLastInterval) {
  CNMEAMsgQueue queue(10.0f);
  queue.Update(0x5047, 1, kT0);
  queue.Update(0x5047, 1, kT0 + kSecond);
  queue.SetCurrent(0x5047, 1);
  EXPECT_EQ(queue.GetCurrentType(), 1u);
  EXPECT_EQ(queue.GetCurrentTalker(), 0x5047u);
  SNMEAReport report = queue.Update(0x5047, 16, kT0 + 4 * kSecond);  // silent for 3 s
  EXPECT_FLOAT_EQ(report.CurrentInterval, 3.0f);
  EXPECT_FALSE(report.IsCurrent);
  report = queue.Update(0x5047, 16, kT0 + 1.5 * kSecond + 3 * kSecond);
  EXPECT_FLOAT_EQ(report.CurrentInterval, 3.5f);
  report = queue.Update(0x5047, 1, kT0 + 4.6 * kSecond);
  EXPECT_TRUE(report.IsCurrent);
}

TEST(NmeaMsgQueue, SilentCurrentSourceIsPurgedAndAnySourceIsCurrent) {
  CNMEAMsgQueue queue(10.0f);
  queue.Update(0x5047, 1, kT0);
  queue.SetCurrent(0x5047, 1);
  EXPECT_FALSE(queue.Update(0x4E47, 1, kT0 + 5 * kSecond).IsCurrent);
  EXPECT_TRUE(queue.Update(0x4E47, 1, kT0 + 10.5 * kSecond).IsCurrent);
  EXPECT_EQ(queue.GetCount(), 1);  // the silent source is gone
  EXPECT_FALSE(queue.HasType(1, kT0 + 21 * kSecond));
  queue.Clear();
  EXPECT_EQ(queue.GetCurrentType(), 0u);
}

// 1/8192 day is a time-out that day numbers hold exactly.
TEST(NmeaMsgQueue, EntryExactlyTimeoutOldSurvives) {
  const float timeout = 86400.0f / 8192;
  CNMEAMsgQueue queue(timeout);
  queue.Update(0x5047, 4, 45000.0);
  EXPECT_TRUE(queue.HasType(4, 45000.0 + 1.0 / 8192));
  EXPECT_FALSE(queue.HasType(4, 45000.0 + 2.0 / 8192));
}

TEST(NmeaPosMsgQueue, CourseAndSpeedFromTwoPositions) {
  CNMEAPosMsgQueue queue(10.0f);
  // 100 m north along the meridian at 52 degrees: 1 arc minute there is
  // 1853.2 m (meridional radius of curvature of WGS 84).
  const double lat = 52 * std::numbers::pi / 180, lon = 4.9 * std::numbers::pi / 180;
  const double m = 6335439.327 / std::pow(1 - 0.00669437999014 * std::pow(std::sin(lat), 2), 1.5);
  float course, speed;
  EXPECT_FALSE(queue.Update(0x5047, 1, SGeo3D{lat, lon, 0}, kT0, course, speed));
  EXPECT_TRUE(
      queue.Update(0x5047, 1, SGeo3D{lat + 100 / m, lon, 0}, kT0 + 10 * kSecond, course, speed));
  EXPECT_NEAR(speed, 10.0f, 1e-3);
  EXPECT_NEAR(course, 0.0f, 1e-5);
  EXPECT_FALSE(queue.Update(0x5047, 1, SGeo3D{lat, lon, 0}, kT0 + 10.005 * kSecond, course, speed));
  EXPECT_EQ(speed, 0.0f);
  // Another source keeps its own history.
  EXPECT_FALSE(queue.Update(0x5047, 2, SGeo3D{lat, lon, 0}, kT0 + 11 * kSecond, course, speed));
  EXPECT_EQ(queue.GetCount(), 2);
  EXPECT_NE(queue.GetItem(1), nullptr);
  EXPECT_EQ(queue.GetItem(2), nullptr);
  queue.Clear();
  EXPECT_EQ(queue.GetCount(), 0);
}

TEST(NmeaPosMsgQueue, EastboundCourseIsHalfPi) {
  CNMEAPosMsgQueue queue(10.0f);
  float course, speed;
  queue.Update(0x5047, 1, SGeo3D{0, 0, 0}, kT0, course, speed);
  ASSERT_TRUE(queue.Update(0x5047, 1, SGeo3D{0, 1e-5, 0}, kT0 + kSecond, course, speed));
  EXPECT_NEAR(course, std::numbers::pi / 2, 1e-6);
  EXPECT_NEAR(speed, 63.78137f, 1e-3);  // 1e-5 rad of the equator, 6378137 m
}

}  // namespace
