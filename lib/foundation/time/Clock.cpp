#include "lib/foundation/time/Clock.h"

#include "lib/foundation/threads/CriticalSection.h"
#include "lib/foundation/app/FinalizeRegistry.h"

namespace {

struct SClockState {
  uint64_t (*Read)() = nullptr;
  uint64_t Rate = 0;
  double SecondsPerTick = 0;
  bool Fallback = false;
};

SClockState g_Clock;
CTickWidener g_Widener(0);
CCriticalSection* g_WidenerLock = nullptr;

uint64_t ReadFallback() {
  CCriticalSectionLock guard(*g_WidenerLock);
  return g_Widener.Widen(SystemTickCount());
}

void FreeClock() {
  delete g_WidenerLock;
  g_WidenerLock = nullptr;
  g_Clock = SClockState();
}

}  // namespace

uint64_t CTickWidener::Widen(uint32_t tick) {
  if (tick < m_Last) ++m_Wraps;
  m_Last = tick;
  return static_cast<uint64_t>(m_Wraps) << 32 | tick;
}

void InitClock() {
  AddFinalizeProc(FreeClock);
  const uint64_t rate = SystemCounterRate();
  if (rate != 0) {
    g_Clock.Read = SystemCounterRead;
    g_Clock.Rate = rate;
    g_Clock.Fallback = false;
  } else {
    g_WidenerLock = new CCriticalSection;
    g_Widener = CTickWidener(SystemTickCount());
    g_Clock.Read = ReadFallback;
    g_Clock.Rate = 1000;
    g_Clock.Fallback = true;
  }
  g_Clock.SecondsPerTick = 1.0 / static_cast<double>(g_Clock.Rate);
}

uint64_t ReadClock() { return g_Clock.Read(); }
uint64_t GetClockRate() { return g_Clock.Rate; }
double GetClockSecondsPerTick() { return g_Clock.SecondsPerTick; }
bool ClockUsesFallback() { return g_Clock.Fallback; }
