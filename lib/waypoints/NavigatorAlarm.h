// CNavigatorAlarm: what the GPS navigator asks of an alarm that its owner
// hands it. The navigator does not own it; the owner keeps it alive while
// it is set. Called on the navigator's thread only.
#pragma once

#include <cstdint>

class CNavigatorAlarm {
 public:
  virtual ~CNavigatorAlarm() = default;
  // Asked once when the alarm is set: its time as a day number.
  virtual double GetTime() = 0;
  virtual bool IsArmed() = 0;
  // Arms or disarms it; notify asks it to tell its own listeners.
  virtual void SetArmed(bool armed, bool notify) = 0;
  // Asked at every poll while the navigator is active, with the clock time.
  virtual uint32_t GetState(double time) = 0;
};
