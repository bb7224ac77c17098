#include "lib/foundation/time/Clock.h"

#include <gtest/gtest.h>

#include "lib/foundation/time/Stopwatch.h"

namespace {

TEST(Clock, FallbackWidensAcrossTheWrap) {
  CTickWidener widener(0xFFFFFF00u);
  EXPECT_EQ(widener.Widen(0xFFFFFF80u), 0x00000000FFFFFF80ull);
  EXPECT_EQ(widener.Widen(0x00000010u), 0x0000000100000010ull);
  EXPECT_EQ(widener.Widen(0x00000020u), 0x0000000100000020ull);
}

TEST(Clock, IsSetUpAtLoadAndRunsForward) {
  ASSERT_GT(GetClockRate(), 0u);
  EXPECT_DOUBLE_EQ(GetClockSecondsPerTick(), 1.0 / GetClockRate());
  EXPECT_FALSE(ClockUsesFallback());
  const uint64_t first = ReadClock();
  EXPECT_GE(ReadClock(), first);
}

TEST(Clock, PaintStopwatchStartsIdle) {
  EXPECT_FALSE(g_PaintStopwatch.IsRunning());
  CStopwatch watch;
  watch.Stop();
  EXPECT_EQ(watch.GetElapsedTicks(), 0u);
  watch.Start();
  EXPECT_TRUE(watch.IsRunning());
  watch.Stop();
  EXPECT_FALSE(watch.IsRunning());
  EXPECT_GE(watch.GetElapsedSeconds(), 0.0);
}

}  // namespace
