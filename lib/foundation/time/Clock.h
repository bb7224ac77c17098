// The library's high-resolution clock: 64-bit tick counts and their rate.
#pragma once

#include <cstdint>

// Chooses the counter (the performance counter, else the millisecond tick
// count widened to 64 bits) and registers its clean-up; run once at load.
void InitClock();

uint64_t ReadClock();
uint64_t GetClockRate();          // ticks per second
double GetClockSecondsPerTick();
bool ClockUsesFallback();

// Widens a wrapping 32-bit millisecond tick count: every time the count goes
// down, the high word goes up by one.
class CTickWidener {
 public:
  explicit constexpr CTickWidener(uint32_t first) : m_Last(first) {}
  uint64_t Widen(uint32_t tick);

 private:
  uint32_t m_Last;
  uint32_t m_Wraps = 0;
};

// Operating-system concern (Clock_win32.cpp / Clock_posix.cpp): the precise
// counter's rate (0 when there is none), its reading and the tick count.
uint64_t SystemCounterRate();
uint64_t SystemCounterRead();
uint32_t SystemTickCount();
