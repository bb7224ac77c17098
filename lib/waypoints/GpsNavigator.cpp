#include "lib/waypoints/GpsNavigator.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <new>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/core/Exception.h"
#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/format/FormatSettings.h"
#include "lib/foundation/core/Object.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/geodesy/Geocentric.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/geodesy/Lines.h"
#include "lib/gps/GpsClock.h"
#include "lib/gps/NMEATrack.h"
#include "lib/gps/NmeaInterpreter.h"
#include "lib/waypoints/NavigatorAlarm.h"
#include "lib/waypoints/RoutePoint.h"

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kMinutesPerDay = 1440.0;

CGPSNavigator* Self(void* context) { return static_cast<CGPSNavigator*>(context); }

}  // namespace

void CGPSNavigator::SInterpreterDeleter::operator()(CNMEAInterpreter* interpreter) const {
  td::Free(interpreter);
}
void CGPSNavigator::SPointDeleter::operator()(CRoutePoint* point) const { td::Free(point); }
void CGPSNavigator::STrackDeleter::operator()(CNMEATrack* track) const { delete track; }

CGPSNavigator::CGPSNavigator(CWaypointManager* manager, const CStr& trackFolder)
    : manager_(manager),
      clock_(reinterpret_cast<CGPSClock*>(manager->GetHostData())),
      trackFolder_(trackFolder) {
  GeodeticRefInitScene(scene_, SGeo3D{0.0, 0.0, 0.0});
  SNMEAValueCallbacks callbacks;
  callbacks.Position = MakeCallback(&PositionReport, this);
  callbacks.Speed = MakeCallback(&SpeedReport, this);
  callbacks.Course = MakeCallback(&CourseReport, this);
  callbacks.Fix = MakeCallback(&FixReport, this);
  callbacks.Satellites = MakeCallback(&SatellitesReport, this);
  callbacks.TimedPosition = MakeCallback(&TimedPositionReport, this);
  if (clock_) {
    try {
      interpreter_.reset(new CNMEAInterpreter(clock_, callbacks));
    } catch (const std::bad_alloc&) {
    }
  }
}

CGPSNavigator::~CGPSNavigator() {
  StopTrack(true);
  interpreter_.reset();
  SetRoute(nullptr);
}

void CGPSNavigator::BeginUpdate() { ++updateDepth_; }

void CGPSNavigator::EndUpdate() {
  if (--updateDepth_ != 0 || mask_ == 0) return;
  const uint32_t mask = mask_;
  mask_ = 0;
  if (OnChange.IsSet())
    reinterpret_cast<TNavChangeFunc>(OnChange.Function)(OnChange.Context, this, mask);
}

double CGPSNavigator::ClockTime() const { return clock_ ? clock_->GetTime() : 0.0; }

// The interpreter's reports. Nothing the owner's change event throws may
// leave them: the interpreter calls them as it would a host's callbacks.

void TD_STDCALL CGPSNavigator::PositionReport(void* context, const SGeo3D* position, uint8_t valid,
                                              double time, uint32_t* error) {
  td::GuardVoidCode(error,
                    [&] { Self(context)->TakePosition(*position, valid != 0, time, error); });
}

void TD_STDCALL CGPSNavigator::SpeedReport(void* context, float speed, uint8_t valid, double time) {
  CGPSNavigator* self = Self(context);
  td::GuardVoid([&] {
    self->TakeValue(self->speed_, speed, valid != 0, time, kInvalidF, kChangeSpeed, true);
  });
}

void TD_STDCALL CGPSNavigator::CourseReport(void* context, float course, uint8_t valid,
                                            double time) {
  CGPSNavigator* self = Self(context);
  td::GuardVoid([&] {
    self->TakeValue(self->course_, course, valid != 0, time, kInvalidF, kChangeCourse, true);
  });
}

void TD_STDCALL CGPSNavigator::FixReport(void* context, uint32_t fix, uint8_t valid, double time) {
  CGPSNavigator* self = Self(context);
  td::GuardVoid([&] {
    self->TakeValue(self->fix_, static_cast<int32_t>(fix), valid != 0, time, kInvalidFix,
                    kChangeFix, false);
  });
}

void TD_STDCALL CGPSNavigator::SatellitesReport(void* context, uint32_t count, uint8_t valid,
                                                double time) {
  CGPSNavigator* self = Self(context);
  td::GuardVoid([&] {
    self->TakeValue(self->satellites_, static_cast<int32_t>(count), valid != 0, time,
                    kInvalidSatellites, kChangeSatellites, false);
  });
}

// A failing track file must not end the caller (the interpreter, called from a
// host's message loop): the log keeps the point and writes the file whole at
// a later fix, and the first failure stays for the owner to read.
void TD_STDCALL CGPSNavigator::TimedPositionReport(void* context, double time,
                                                   const SGeo3D* position) {
  CGPSNavigator* self = Self(context);
  if (!self->track_) return;
  const float course = self->course_.Valid ? self->course_.Value : 0.0f;
  const float speed = self->speed_.Valid ? self->speed_.Value : 0.0f;
  try {
    self->track_->AddPoint(time, position->lat, position->lon, course, speed);
  } catch (const CStreamError&) {
    if (self->trackError_ == 0) self->trackError_ = kErrFileWrite;
  } catch (...) {
    if (self->trackError_ == 0) self->trackError_ = kErrUnknown;
  }
}

template <class T>
void CGPSNavigator::TakeValue(SValue<T>& value, T reported, bool valid, double time, T invalid,
                              uint32_t bit, bool movesVelocity) {
  BeginUpdate();
  if (valid != value.Valid) {
    value.Valid = valid;
    if (!valid) value.Value = invalid;
    Changed(bit);
  }
  if (value.Valid) {
    value.Time = time;
    if (reported != value.Value) {
      value.Value = reported;
      if (movesVelocity) RecomputeVelocity();
      Changed(bit);
    }
  }
  EndUpdate();
}

// A report that would make the position invalid while a route is started is
// refused: the last valid position and its time stay as they were.
void CGPSNavigator::TakePosition(const SGeo3D& position, bool valid, double time, uint32_t* error) {
  ReserveArrival();
  BeginUpdate();
  *error = 0;
  if (valid != position_.Valid) {
    if (!valid && started_) {
      *error = kErrRouteStarted;
      EndUpdate();
      return;
    }
    position_.Valid = valid;
    if (!valid) position_.Value = SGeo2D{kInvalidD, kInvalidD};
    Changed(kChangePosition);
  }
  if (position_.Valid) {
    position_.Time = time;
    if (position.lat != position_.Value.lat || position.lon != position_.Value.lon)
      MoveTo(position.lat, position.lon);
  }
  EndUpdate();
}

void CGPSNavigator::MoveTo(double lat, double lon) {
  if (started_) {
    const SGeodeticEllipsoid& wgs84 = *GeodeticWGS84Ellipsoid();
    SPoint3D from, to;
    GeoToGlobal2(from, position_.Value, wgs84);
    GeoToGlobal2(to, SGeo2D{lat, lon}, wgs84);
    const double step = PointDistance3D(from, to);
    tripDistance1_ += step;
    tripDistance2_ += step;
    if (tripDistance3Enabled_) tripDistance3_ += step;
  }
  position_.Value = SGeo2D{lat, lon};
  GeodeticRefInitScene(scene_, SGeo3D{lat, lon, 0.0});
  CheckArrival();
  Changed(kChangePosition);
}

void CGPSNavigator::RecomputeVelocity() {
  if (course_.Valid && speed_.Valid)
    velocity_ =
        SPointF{speed_.Value * std::cos(course_.Value), speed_.Value * std::sin(course_.Value)};
  else
    velocity_ = SPointF{kInvalidF, kInvalidF};
}

void CGPSNavigator::SetValues(const SGeo3D* position, bool positionValid, bool positionUntimed,
                              float speed, bool speedValid, bool speedUntimed, float course,
                              bool courseValid, bool courseUntimed, uint32_t* error) {
  const double now = ClockTime();
  ReserveArrival();  // before the update opens: a failure there changes nothing
  BeginUpdate();
  TakePosition(*position, positionValid, positionUntimed ? 0.0 : now, error);
  TakeValue(speed_, speed, speedValid, speedUntimed ? 0.0 : now, kInvalidF, kChangeSpeed, true);
  TakeValue(course_, course, courseValid, courseUntimed ? 0.0 : now, kInvalidF, kChangeCourse,
            true);
  EndUpdate();
  if (active_ && interpreter_) {
    interpreter_->SetActive(0);
    interpreter_->SetActive(1);
  }
}

// Activation and polling.

void CGPSNavigator::Activate() {
  if (active_) return;
  active_ = true;
  if (interpreter_) interpreter_->SetActive(1);
}

void CGPSNavigator::Deactivate() {
  if (!active_) return;
  if (interpreter_) interpreter_->SetActive(0);
  active_ = false;
}

void CGPSNavigator::Poll() {
  const double now = ClockTime();
  if (active_ && alarm_) alarm_->GetState(now);
  lastPollTime_ = now;
  if (interpreter_) interpreter_->Poll();
}

// Values.

bool CGPSNavigator::GetCourse(float& course) const {
  course = course_.Valid ? course_.Value : kInvalidF;
  return course_.Valid;
}

bool CGPSNavigator::GetSpeed(float& speed) const {
  speed = speed_.Valid ? speed_.Value : kInvalidF;
  return speed_.Valid;
}

bool CGPSNavigator::GetPosition(SGeo2D& position) const {
  position = position_.Valid ? position_.Value : SGeo2D{kInvalidD, kInvalidD};
  return position_.Valid;
}

bool CGPSNavigator::GetFix(int32_t& fix) const {
  fix = fix_.Valid ? fix_.Value : kInvalidFix;
  return fix_.Valid;
}

bool CGPSNavigator::GetSatellites(int32_t& count) const {
  count = satellites_.Valid ? satellites_.Value : kInvalidSatellites;
  return satellites_.Valid;
}

bool CGPSNavigator::GetVelocity(SPointF& velocity) const {
  const bool valid = course_.Valid && speed_.Valid;
  velocity = valid ? velocity_ : SPointF{kInvalidF, kInvalidF};
  return valid;
}

bool CGPSNavigator::IsStale(bool valid, double time, float maxAge, double now) const {
  return valid && maxAge < (now - time) * kSecondsPerDay;
}

void CGPSNavigator::GetSnapshot(SNavSnapshot& s) const {
  const double now = ClockTime();
  s.Time = now;
  s.CourseValid = GetCourse(s.Course);
  s.TripDistance3 = tripDistance3_;
  s.FixValid = GetFix(s.Fix);
  SGeo2D position;
  s.PositionValid = GetPosition(position);
  s.Latitude = position.lat;
  s.Longitude = position.lon;
  s.SatellitesValid = GetSatellites(s.Satellites);
  s.SpeedValid = GetSpeed(s.Speed);
  SPointF velocity;
  s.VelocityValid = GetVelocity(velocity);
  s.VelocityNorth = velocity.x;
  s.VelocityEast = velocity.y;
  s.CourseStale = IsStale(course_.Valid, course_.Time, course_.MaxAge, now);
  s.TripDistance3Stale = IsStale(true, position_.Time, position_.MaxAge, now);
  s.FixStale = IsStale(fix_.Valid, fix_.Time, fix_.MaxAge, now);
  s.PositionStale = IsStale(position_.Valid, position_.Time, position_.MaxAge, now);
  s.SatellitesStale = IsStale(satellites_.Valid, satellites_.Time, satellites_.MaxAge, now);
  s.SpeedStale = IsStale(speed_.Valid, speed_.Time, speed_.MaxAge, now);
  s.VelocityStale = IsStale(s.VelocityValid, std::min(course_.Time, speed_.Time),
                            std::min(course_.MaxAge, speed_.MaxAge), now);
}

// Recording.

void CGPSNavigator::StartTrack(bool writeToFile) {
  if (track_) return;
  std::unique_ptr<CNMEATrack, STrackDeleter> track(new CNMEATrack(clock_, writeToFile));
  const double time = ClockTime() + (clock_ ? clock_->GetTag() : 0) / kMinutesPerDay;
  const CStr name = FormatDateTime("yyyy-mm-dd hh.nn.ss", time, UserFormatSettings());
  track->CompanionFileName(MakeUniqueFileName(trackFolder_, name, ".trk"));
  trackError_ = 0;
  track_ = std::move(track);
}

// The track's files are made with its first point, so a track without one
// has none to remove.
CNMEATrack* CGPSNavigator::StopTrack(bool deleteTrack) {
  if (!track_) return nullptr;
  std::unique_ptr<CNMEATrack, STrackDeleter> track = std::move(track_);
  return track->GetCount() == 0 || deleteTrack ? nullptr : track.release();
}

// The alarm.

void CGPSNavigator::SetAlarm(CNavigatorAlarm* alarm) {
  if (alarm == alarm_) return;
  alarm_ = alarm;
  if (alarm_) alarm_->GetTime();
}

void CGPSNavigator::ArmAlarm(bool notify) {
  if (alarm_ && !alarm_->IsArmed()) alarm_->SetArmed(true, notify);
}

void CGPSNavigator::DisarmAlarm(bool notify) {
  if (alarm_ && alarm_->IsArmed()) alarm_->SetArmed(false, notify);
}
