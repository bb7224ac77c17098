#include "lib/gps/GpsClock.h"

#include <cmath>
#include <limits>

#include "lib/foundation/exports/Guard.h"

float ClampF(float value, float low, float high) {
  const float raised = value > low ? value : low;
  return raised < high ? raised : high;
}

CGPSClock::CGPSClock(const CGpsTimeSource& source) : source_(source) {}

double TD_STDCALL CGPSClock::GetOffset() {
  CCriticalSectionLock guard(lock_);
  return offset_;
}

bool TD_STDCALL CGPSClock::IsHoldOver() {
  return td::Guard(false, [&] {
    CCriticalSectionLock guard(lock_);
    CloseHoldAt(source_.ReadCounter());
    return holdOver_;
  });
}

uint32_t TD_STDCALL CGPSClock::GetState() {
  CCriticalSectionLock guard(lock_);
  return state_;
}

double TD_STDCALL CGPSClock::GetTime() {
  return td::Guard(std::numeric_limits<double>::quiet_NaN(), [&] {
    CCriticalSectionLock guard(lock_);
    SSystemTime now;
    source_.GetUTC(now);
    double date = 0, time = 0;
    TryEncodeDate(now.Year, now.Month, now.Day, date);
    TryEncodeTime(now.Hour, now.Minute, now.Second, now.Milliseconds, time);
    return date + offset_ + time;
  });
}

int32_t TD_STDCALL CGPSClock::GetTag() {
  CCriticalSectionLock guard(lock_);
  return tag_;
}

void TD_STDCALL CGPSClock::SetTag(int32_t tag) {
  CCriticalSectionLock guard(lock_);
  tag_ = tag;
}

void TD_STDCALL CGPSClock::UpdateOffset() {
  td::GuardVoid([&] {
    CCriticalSectionLock guard(lock_);
    if (state_ == kNoTime) return;
    offset_ = gpsTime_ + source_.DaysBetween(gpsStamp_, source_.ReadCounter()) - source_.NowUTC();
  });
}

void TD_STDCALL CGPSClock::Reset() {
  CCriticalSectionLock guard(lock_);
  offset_ = 0;
  offsetTaken_ = false;
  gpsStamp_ = 0;
  gpsTime_ = 0;
  holdOver_ = true;
  state_ = kNoTime;
  holdDeadline_ = 0;
}

void TD_STDCALL CGPSClock::StartHold(float seconds) {
  td::GuardVoid([&] {
    CCriticalSectionLock guard(lock_);
    if (state_ == kDateAndTime || !std::isfinite(seconds) || seconds < 0) return;
    const uint64_t now = source_.ReadCounter();
    const double ticks = static_cast<double>(source_.GetCounterRate()) * seconds;
    // A window beyond the counter's range never closes by time.
    const uint64_t length = ticks < 0x1p63 ? static_cast<uint64_t>(ticks) : UINT64_MAX;
    holdDeadline_ = length <= UINT64_MAX - now ? now + length : UINT64_MAX;
    holdOver_ = false;
  });
}

void TD_STDCALL CGPSClock::SetTime(double date, double timeOfDay, uint64_t stamp) {
  td::GuardVoid([&] {
    CCriticalSectionLock guard(lock_);
    CloseHoldAt(stamp);
    if (!holdOver_) {
      if (date == 0.0) {
        if (state_ != kDateAndTime) state_ = kTimeOfDay;
        AdjustOffset(CompleteDate(timeOfDay) + timeOfDay, stamp);
      } else {
        state_ = kDateAndTime;
        holdOver_ = true;
        AdjustOffset(date + timeOfDay, stamp);
      }
    } else if (state_ == kTimeOfDay) {
      AdjustOffset(CompleteDate(timeOfDay) + timeOfDay, stamp);
    } else if (state_ == kDateAndTime) {
      AdjustOffset((date == 0.0 ? CompleteDate(timeOfDay) : date) + timeOfDay, stamp);
    }
  });
}

void CGPSClock::CloseHoldAt(uint64_t stamp) {
  if (!holdOver_ && stamp >= holdDeadline_) holdOver_ = true;
}

double CGPSClock::CompleteDate(double timeOfDay) { return NearestDate(timeOfDay, GetTime()); }

// The offset is kept in double precision: in days, a float holds an offset of
// years (a device that lost its clock) only to about a minute.
void CGPSClock::AdjustOffset(double time, uint64_t stamp) {
  const uint64_t now = source_.ReadCounter();
  const double systemAtStamp = source_.NowUTC() - source_.DaysBetween(stamp, now);
  const double sample = time - systemAtStamp;
  if (!offsetTaken_) {
    offset_ = sample;
    offsetTaken_ = true;
  } else {
    // The difference counts in units of 5 s (1/17280 day).
    const double weight =
        ClampF(static_cast<float>(std::fabs(sample - offset_) * 17280.0), 0.05f, 1.0f);
    offset_ = weight * sample + (1.0 - weight) * offset_;
  }
  gpsStamp_ = stamp;
  gpsTime_ = time;
}
