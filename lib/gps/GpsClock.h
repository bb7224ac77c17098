// CGPSClock: the current UTC time as the system clock corrected by the times
// that GPS sentences carry. It learns the offset (GPS time minus system time)
// from every accepted GPS time and smooths it; a hold window after the first
// GPS time decides whether the receiver sends dates (state 2) or only times
// of day (state 1). It never changes the system's clock. Every operation
// takes the clock's recursive lock, so any thread may call any of them.
#pragma once

#include <cstdint>

#include "lib/foundation/core/Abi.h"
#include "lib/foundation/threads/CriticalSection.h"
#include "lib/foundation/core/Object.h"
#include "lib/gps/GpsTimeSource.h"

// The larger of value and low, then the smaller of that and high.
float ClampF(float value, float low, float high);

class CGPSClock : public CObject {
 public:
  enum : uint32_t { kNoTime = 0, kTimeOfDay = 1, kDateAndTime = 2 };

  // The time source must outlive the clock.
  explicit CGPSClock(const CGpsTimeSource& source = LibraryTimeSource());
  ~CGPSClock() = default;

  TD_DELETE_THIS(CGPSClock)
  virtual double TD_STDCALL GetOffset();  // days
  virtual bool TD_STDCALL IsHoldOver();   // no hold window open
  virtual uint32_t TD_STDCALL GetState();
  virtual double TD_STDCALL GetTime();  // corrected UTC day number
  virtual int32_t TD_STDCALL GetTag();
  // Carries the last GPS time forward on the counter (states 1 and 2).
  virtual void TD_STDCALL UpdateOffset();
  // Back to the state at construction; the tag stays.
  virtual void TD_STDCALL Reset();
  // A value kept for the owner (track files read it as minutes).
  virtual void TD_STDCALL SetTag(int32_t tag);
  // Opens a hold window of that many seconds, unless the state is 2 or the
  // duration is not a finite number of 0 or more.
  virtual void TD_STDCALL StartHold(float seconds);
  // A GPS time: date (day number, 0.0 when the sentence had none), time of
  // day (fraction of a day) and the counter stamp of the sentence's arrival.
  virtual void TD_STDCALL SetTime(double date, double timeOfDay, uint64_t stamp);

  const CGpsTimeSource& GetTimeSource() const { return source_; }

 private:
  void CloseHoldAt(uint64_t stamp);
  // The day within half a day of the clock's own time.
  double CompleteDate(double timeOfDay);
  void AdjustOffset(double time, uint64_t stamp);

  double offset_ = 0;
  bool offsetTaken_ = false;
  uint64_t gpsStamp_ = 0;
  double gpsTime_ = 0;
  CCriticalSection lock_;
  bool holdOver_ = true;
  uint32_t state_ = kNoTime;
  uint64_t holdDeadline_ = 0;
  int32_t tag_ = 0;
  const CGpsTimeSource& source_;
};
