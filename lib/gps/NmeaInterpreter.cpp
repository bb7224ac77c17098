#include "lib/gps/NmeaInterpreter.h"

#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/geodesy/Angles.h"
#include "lib/geodesy/Geocentric.h"
#include "lib/geodesy/Geodetics.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr float kRadiansPerDegreeF = 0.017453292f;
constexpr float kMetresPerSecondPerKnot = 0.5144445f;
constexpr float kMetresPerSecondPerKmh = 0.2777778f;
constexpr float kHoldSeconds = 6.0f;

// Calls a set callback pair with its context first.
template <class F, class... Args>
void Call(const SCallback& callback, Args... args) {
  if (callback.IsSet()) reinterpret_cast<F>(callback.Function)(callback.Context, args...);
}

// Degrees true into radians in [-pi, pi), in single precision.
float CourseFromDegrees(float degrees) {
  float course = degrees * kRadiansPerDegreeF;
  AngleNormaliseF(course, -3.14159265f);
  return course;
}

bool IsPositionType(uint32_t type) {
  return type == CNMEAInterpreter::kGGA || type == CNMEAInterpreter::kGLL ||
         type == CNMEAInterpreter::kRMC;
}

bool IsMeasuredType(uint32_t type) {
  return type == CNMEAInterpreter::kRMCMeasured || type == CNMEAInterpreter::kVTG;
}

double DayFraction(const SNMEATime& time) {
  return EncodeTime(time.Hour, time.Minute, time.Second, time.Millisecond);
}

}  // namespace

CNMEAInterpreter::CNMEAInterpreter(CGPSClock* clock, const SNMEAValueCallbacks& callbacks)
    : clock_(clock),
      source_(clock->GetTimeSource()),
      datum_(GeodeticWGS84Datum()),
      callbacks_(callbacks) {
  Reset();
}

CNMEAInterpreter::~CNMEAInterpreter() { Reset(); }

bool TD_STDCALL CNMEAInterpreter::IsActive() { return active_; }
const SGeodeticDatum* TD_STDCALL CNMEAInterpreter::GetDatum() { return datum_; }
bool TD_STDCALL CNMEAInterpreter::GetTimeoutEnabled() { return timeoutEnabled_; }
float TD_STDCALL CNMEAInterpreter::GetTimeout() { return timeout_; }
SCallback* TD_STDCALL CNMEAInterpreter::GetOnTimeout() { return &onTimeout_; }
CSound* TD_STDCALL CNMEAInterpreter::GetFixLostSound() { return fixLostSound_; }
CSound* TD_STDCALL CNMEAInterpreter::GetFixGainedSound() { return fixGainedSound_; }
SCallback* TD_STDCALL CNMEAInterpreter::GetOnUpdate() { return &onUpdate_; }
CNMEAMsgQueue* TD_STDCALL CNMEAInterpreter::GetCourseQueue() { return &courseQueue_; }
CNMEAMsgQueue* TD_STDCALL CNMEAInterpreter::GetFixQueue() { return &fixQueue_; }
CNMEAMsgQueue* TD_STDCALL CNMEAInterpreter::GetPositionQueue() { return &positionQueue_; }
CNMEAMsgQueue* TD_STDCALL CNMEAInterpreter::GetSatellitesQueue() { return &satellitesQueue_; }
CNMEAMsgQueue* TD_STDCALL CNMEAInterpreter::GetSpeedQueue() { return &speedQueue_; }
CNMEAMsgQueue* TD_STDCALL CNMEAInterpreter::GetClockQueue() { return &clockQueue_; }

void TD_STDCALL CNMEAInterpreter::SetActive(uint8_t active) {
  td::GuardVoid([&] {
    if ((active != 0) == active_) return;
    active_ = active != 0;
    Reset();
    if (active_) timeoutReference_ = source_.ReadCounter();
  });
}

void TD_STDCALL CNMEAInterpreter::SetDatum(const SGeodeticDatum* datum) {
  if (datum) datum_ = datum;
}

void TD_STDCALL CNMEAInterpreter::SetTimeoutEnabled(uint8_t enabled) {
  td::GuardVoid([&] {
    if ((enabled != 0) == timeoutEnabled_) return;
    timeoutEnabled_ = enabled != 0;
    if (timeoutEnabled_) timeoutReference_ = source_.ReadCounter();
  });
}

void TD_STDCALL CNMEAInterpreter::SetTimeout(float seconds) { timeout_ = seconds; }

void TD_STDCALL CNMEAInterpreter::SetOnTimeout(TNMEATimeoutFunc function, void* context) {
  onTimeout_ = MakeCallback(function, context);
}

void TD_STDCALL CNMEAInterpreter::SetFixLostSound(CSound* sound) { fixLostSound_ = sound; }
void TD_STDCALL CNMEAInterpreter::SetFixGainedSound(CSound* sound) { fixGainedSound_ = sound; }

void TD_STDCALL CNMEAInterpreter::SetOnUpdate(TNMEAUpdateFunc function, void* context) {
  onUpdate_ = MakeCallback(function, context);
}

void CNMEAInterpreter::Reset() {
  course_ = 0;
  fix_ = 1;
  speed_ = 0;
  lastSentenceStamp_ = 0;
  lastPositionStamp_ = 0;
  holdStarted_ = false;
  positionHistory_.Clear();
  for (CNMEAMsgQueue* queue :
       {&courseQueue_, &fixQueue_, &positionQueue_, &satellitesQueue_, &speedQueue_, &clockQueue_})
    queue->Clear();
}

void CNMEAInterpreter::CallOnUpdate() {
  td::GuardVoid([&] { Call<TNMEAUpdateFunc>(onUpdate_, this); });
}

void TD_STDCALL CNMEAInterpreter::Poll() {
  td::GuardVoid([&] {
    const double now = clock_->GetTime();
    if (active_ && !inTimeoutCallback_ && timeoutEnabled_) {
      const uint64_t stamp = source_.ReadCounter();
      const auto silent = [&](uint64_t since) {
        return source_.SecondsBetween(since, stamp) > timeout_;
      };
      if (silent(timeoutReference_)) {
        if (lastSentenceStamp_ == 0)
          Timeout(1);
        else if (lastPositionStamp_ == 0)
          Timeout(2);
        else if (silent(lastSentenceStamp_))
          Timeout(3);
        else if (silent(lastPositionStamp_))
          Timeout(4);
      }
    }
    lastPollTime_ = now;
  });
  CallOnUpdate();
}

// The same time-out is reported again at most once per time-out period.
void CNMEAInterpreter::Timeout(uint32_t reason) {
  if (!onTimeout_.IsSet()) return;
  inTimeoutCallback_ = true;
  td::GuardVoid([&] { Call<TNMEATimeoutFunc>(onTimeout_, this, reason); });
  inTimeoutCallback_ = false;
  const uint64_t stamp = source_.ReadCounter();
  timeoutReference_ = stamp;
  if (lastSentenceStamp_ != 0) lastSentenceStamp_ = stamp;
  if (lastPositionStamp_ != 0) lastPositionStamp_ = stamp;
}

void TD_STDCALL CNMEAInterpreter::OnSentence(CNMEASentence* sentence) {
  if (!active_ || !sentence || sentence->GetFlags() != 0) return;
  td::GuardVoid([&] { Interpret(*sentence); });
  CallOnUpdate();
}

void CNMEAInterpreter::Interpret(CNMEASentence& sentence) {
  lastSentenceStamp_ = source_.ReadCounter();
  const double now = clock_->GetTime();
  SSource source{sentence.GetTalkerId(), 0, 0, 0, sentence.GetReceiveTime()};
  source.Time = now - source_.DaysBetween(source.Stamp, lastSentenceStamp_);
  source.FixTime = source.Time;
  const uint32_t id = sentence.GetSentenceId();
  if (id == kNMEAGGA || id == kNMEAGLL || id == kNMEARMC) lastPositionStamp_ = lastSentenceStamp_;
  switch (id) {
    case kNMEAGGA:
      InterpretGGA(sentence, source);
      break;
    case kNMEAGLL:
      InterpretGLL(sentence, source);
      break;
    case kNMEAGSA:
      InterpretGSA(sentence, source);
      break;
    case kNMEARMC:
      InterpretRMC(sentence, source);
      break;
    case kNMEAVTG:
      InterpretVTG(sentence, source);
      break;
    default:
      break;
  }
}

void CNMEAInterpreter::InterpretGGA(CNMEASentence& sentence, SSource& source) {
  SNMEAGGA r;
  sentence.GetGGA(&r);
  source.Type = kGGA;
  if (r.QualityValid) {
    const bool fix = r.Quality >= 1 && r.Quality <= 8;
    ReportFix(fix ? 1 : 0, source);
    if (!fix) return;
  }
  if (r.TimeValid) TakeTimeOfDay(r.Time, source);
  if (r.LatitudeValid && r.LongitudeValid) TakePosition(r.Latitude, r.Longitude, source);
  if (r.SatellitesValid) ReportSatellites(r.Satellites, source);
}

void CNMEAInterpreter::InterpretGLL(CNMEASentence& sentence, SSource& source) {
  SNMEAGLL r;
  sentence.GetGLL(&r);
  source.Type = kGLL;
  if (r.StatusValid) {
    ReportFix(r.Status == 'A' ? 1 : 0, source);
    if (r.Status == 'V' && (!r.ModeValid || r.Mode == 'N')) return;
  }
  if (r.TimeValid) TakeTimeOfDay(r.Time, source);
  if (r.LatitudeValid && r.LongitudeValid) TakePosition(r.Latitude, r.Longitude, source);
}

void CNMEAInterpreter::InterpretGSA(CNMEASentence& sentence, SSource& source) {
  SNMEAGSA r;
  sentence.GetGSA(&r);
  source.Type = kGSA;
  if (r.FixTypeValid) ReportFix(r.FixType == 2 || r.FixType == 3 ? r.FixType : 0, source);
  ReportSatellites(r.IdCount, source);
}

void CNMEAInterpreter::InterpretRMC(CNMEASentence& sentence, SSource& source) {
  SNMEARMC r;
  sentence.GetRMC(&r);
  source.Type = kRMC;
  if (r.StatusValid) {
    ReportFix(r.Status == 'A' ? 1 : 0, source);
    if (r.Status == 'V' && (!r.ModeValid || r.Mode == 'N')) return;
  }
  if (r.TimeValid) {
    const double timeOfDay = DayFraction(r.Time);
    double date = r.DateValid ? EncodeDate(2000 + r.Date.Year, r.Date.Month, r.Date.Day) : 0.0;
    ReportClock(date, timeOfDay, source);
    if (date == 0.0) date = NearestDate(timeOfDay, clock_->GetTime());
    source.FixTime = date + timeOfDay;
  }
  SSource measured = source;
  measured.Type = kRMCMeasured;
  if (r.CourseValid) ReportCourse(CourseFromDegrees(r.Course), measured);
  if (r.SpeedValid) ReportSpeed(r.Speed * kMetresPerSecondPerKnot, measured);
  if (r.LatitudeValid && r.LongitudeValid) TakePosition(r.Latitude, r.Longitude, source);
}

void CNMEAInterpreter::InterpretVTG(CNMEASentence& sentence, SSource& source) {
  SNMEAVTG r;
  sentence.GetVTG(&r);
  source.Type = kVTG;
  if (r.ModeValid) {
    ReportFix(r.Mode != 'N' ? 1 : 0, source);
    if (r.Mode == 'N') return;
  }
  if (r.CourseTrueValid) ReportCourse(CourseFromDegrees(r.CourseTrue), source);
  if (r.SpeedKmhValid) ReportSpeed(r.SpeedKmh * kMetresPerSecondPerKmh, source);
  if (r.SpeedKnotsValid) ReportSpeed(r.SpeedKnots * kMetresPerSecondPerKnot, source);
}

void CNMEAInterpreter::TakeTimeOfDay(const SNMEATime& time, SSource& source) {
  const double timeOfDay = DayFraction(time);
  ReportClock(0.0, timeOfDay, source);
  source.FixTime = NearestDate(timeOfDay, clock_->GetTime()) + timeOfDay;
}

void CNMEAInterpreter::TakePosition(double latitude, double longitude, const SSource& source) {
  const SGeo3D local{latitude * kRadiansPerDegree, longitude * kRadiansPerDegree, 0.0};
  SGeo3D position;
  GeodeticDatumTransform3(position, *GeodeticWGS84Datum(), local, *datum_);
  position.h = 0.0;
  float course, speed;
  if (positionHistory_.Update(source.Talker, source.Type, position, source.FixTime, course,
                              speed)) {
    ReportCourse(course, source);
    ReportSpeed(speed, source);
  }
  ReportPosition(position, source);
}

CNMEAMsgQueue& CNMEAInterpreter::QueueOf(EQuantity quantity) {
  switch (quantity) {
    case EQuantity::kCourse:
      return courseQueue_;
    case EQuantity::kSpeed:
      return speedQueue_;
    case EQuantity::kPosition:
      return positionQueue_;
    case EQuantity::kSatellites:
      return satellitesQueue_;
    case EQuantity::kFix:
      return fixQueue_;
    case EQuantity::kClock:
      break;
  }
  return clockQueue_;
}

// Below which interval / current interval a source of the type takes over
// from a current source of currentType; 0 for types that never take over.
float CNMEAInterpreter::TakeOverRatio(EQuantity quantity, uint32_t type, uint32_t currentType) {
  switch (quantity) {
    case EQuantity::kCourse:
    case EQuantity::kSpeed:
      if (IsPositionType(type)) return IsMeasuredType(currentType) ? 0.45f : 0.75f;
      if (IsMeasuredType(type)) return IsMeasuredType(currentType) ? 0.75f : 2.2f;
      return 0;
    case EQuantity::kPosition:
      return IsPositionType(type) ? 0.75f : 0;
    case EQuantity::kSatellites:
      return type == kGGA || type == kGSA ? 0.75f : 0;
    case EQuantity::kFix:
      if (type == kGSA) return 1.1f;
      return IsPositionType(type) || type == kVTG ? 0.75f : 0;
    case EQuantity::kClock:
      if (type == kGGA || type == kGLL) return currentType == kRMC ? 0.1f : 0.75f;
      return type == kRMC ? 10.0f : 0;
  }
  return 0;
}

// The first source, and any source while the current one is unknown or
// silent, is accepted and becomes current.
bool CNMEAInterpreter::Accept(EQuantity quantity, const SSource& source) {
  CNMEAMsgQueue& queue = QueueOf(quantity);
  const SNMEAReport report = queue.Update(source.Talker, source.Type, source.Time);
  bool current = report.IsCurrent;
  if (!current && quantity == EQuantity::kClock && source.Type == kRMC && report.Interval == -1.0f)
    current = true;
  if (!current && report.Interval > 0.01f)
    current = report.Interval / report.CurrentInterval <
              TakeOverRatio(quantity, source.Type, queue.GetCurrentType());
  if (current) queue.SetCurrent(source.Talker, source.Type);
  // A GSA fix always counts; its ratio only decides whether GSA leads.
  return current || (quantity == EQuantity::kFix && source.Type == kGSA);
}

void CNMEAInterpreter::ReportCourse(float course, const SSource& source) {
  if (!Accept(EQuantity::kCourse, source)) return;
  course_ = course;
  Call<TNMEACourseFunc>(callbacks_.Course, course, uint8_t{1}, source.FixTime);
}

void CNMEAInterpreter::ReportSpeed(float speed, const SSource& source) {
  if (!Accept(EQuantity::kSpeed, source)) return;
  speed_ = speed;
  Call<TNMEASpeedFunc>(callbacks_.Speed, speed, uint8_t{1}, source.FixTime);
}

void CNMEAInterpreter::ReportPosition(const SGeo3D& position, const SSource& source) {
  if (!Accept(EQuantity::kPosition, source)) return;
  uint32_t error = 0;
  Call<TNMEAPositionFunc>(callbacks_.Position, &position, uint8_t{1}, source.FixTime, &error);
  if (callbacks_.TimedPosition.IsSet() && clock_->IsHoldOver())
    Call<TNMEATimedPositionFunc>(callbacks_.TimedPosition, source.FixTime, &position);
}

void CNMEAInterpreter::ReportSatellites(uint32_t count, const SSource& source) {
  if (!Accept(EQuantity::kSatellites, source)) return;
  Call<TNMEASatellitesFunc>(callbacks_.Satellites, count, uint8_t{1}, source.FixTime);
}

// A plain fix from another sentence does not hide the 2D or 3D fix of a GSA
// source that is still alive.
void CNMEAInterpreter::ReportFix(uint32_t fix, const SSource& source) {
  if (!Accept(EQuantity::kFix, source)) return;
  if ((fix_ == 2 || fix_ == 3) && fix == 1 && fixQueue_.HasType(kGSA, source.Time)) fix = fix_;
  Call<TNMEAFixFunc>(callbacks_.Fix, fix, uint8_t{1}, source.FixTime);
  if (fix == fix_) return;
  const uint32_t previous = fix_;
  fix_ = fix;
  CSound* sound = previous == 0 ? fixGainedSound_ : fix == 0 ? fixLostSound_ : nullptr;
  if (sound) sound->Play();
}

// The clock's hold window opens with the first time that reaches it after a
// reset, so that a receiver without a fix at start does not close it unused.
void CNMEAInterpreter::ReportClock(double date, double timeOfDay, const SSource& source) {
  if (!Accept(EQuantity::kClock, source)) return;
  if (!holdStarted_) {
    clock_->StartHold(kHoldSeconds);
    holdStarted_ = true;
  }
  clock_->SetTime(date, timeOfDay, source.Stamp);
}
