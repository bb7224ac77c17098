#include "lib/foundation/time/Stopwatch.h"

#include "lib/foundation/time/Clock.h"

CStopwatch::CStopwatch() : m_Frequency(GetClockRate()) {}

void CStopwatch::Start() {
  m_Elapsed = 0;
  m_Running = true;
  m_StartCount = ReadClock();
}

void CStopwatch::Stop() {
  const uint64_t now = ReadClock();
  if (!m_Running) return;
  m_Elapsed += now - m_StartCount;
  m_Running = false;
}

double CStopwatch::GetElapsedSeconds() const {
  return m_Frequency ? static_cast<double>(m_Elapsed) / m_Frequency : 0.0;
}
