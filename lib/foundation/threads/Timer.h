// A window timer that calls its callback as function(context, timer) on the
// thread that created it.
#pragma once

#include <cstdint>

#include "lib/foundation/core/Callback.h"

class CTimer;
typedef void (*TTimerFunc)(void* context, CTimer* timer);

class CTimer {
 public:
  CTimer();  // enabled, 1000 ms, no callback: not started
  ~CTimer();
  CTimer(const CTimer&) = delete;
  CTimer& operator=(const CTimer&) = delete;

  void SetEnabled(bool enabled);
  void SetInterval(uint32_t ms);
  void SetCallback(const SCallback& callback);
  // Restarts timer 1 when enabled, with an interval and a callback; throws the
  // text "CTimer::UpdateTimer(), Unable to create timer" when refused.
  void UpdateTimer();
  void Fire();

 private:
  bool m_Enabled = true;
  void* m_Window = nullptr;
  uint32_t m_Interval = 1000;
  SCallback m_Callback;
};
