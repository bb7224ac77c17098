// Accumulating stopwatch on the library clock (the painting stopwatch).
#pragma once

#include <cstdint>

class CStopwatch {
 public:
  CStopwatch();  // takes the clock's rate; needs the clock set up
  void Start();  // clears the accumulated time and starts
  void Stop();   // adds the time since Start when running
  uint64_t GetElapsedTicks() const { return m_Elapsed; }
  double GetElapsedSeconds() const;
  bool IsRunning() const { return m_Running; }

 private:
  uint64_t m_Frequency;
  uint64_t m_StartCount = 0;
  uint64_t m_Elapsed = 0;
  bool m_Running = false;
};

// Times the painting of the widget toolkit's windows; built at load.
extern CStopwatch g_PaintStopwatch;
