// CNMEAInterpreter: turns checked NMEA sentences into position, course,
// speed, fix, satellite and time reports. For every quantity it follows one
// current source (talker, sentence type) and lets another take over only
// when it reports clearly more often; it converts units (radians, m/s),
// converts positions from its datum into WGS 84, derives course and speed
// from successive positions, feeds the GPS clock and reports missing data.
//
// Single-threaded: OnSentence, Poll and the setters run on the caller's
// thread, and every callback runs inside OnSentence or Poll on that thread.
// The GPS clock, the datum and the sounds are not owned and must outlive
// the interpreter. No exception leaves a virtual operation.
#pragma once

#include <cstdint>

#include "lib/foundation/core/Abi.h"
#include "lib/foundation/core/Callback.h"
#include "lib/foundation/core/Object.h"
#include "lib/foundation/display/Sound.h"
#include "lib/geodesy/Datum.h"
#include "lib/geodesy/GeoPosition.h"
#include "lib/gps/GpsClock.h"
#include "lib/gps/NmeaMsgQueue.h"
#include "lib/gps/NmeaPosMsgQueue.h"
#include "lib/gps/NmeaSentence.h"

class CNMEAInterpreter;

// Value callbacks: valid is 1 here (0 would mean an unknown value); time is
// the day number of the fix. The position is WGS 84 in radians with height
// 0; error points to a code the callee may set and the interpreter ignores.
typedef void(TD_STDCALL* TNMEAPositionFunc)(void* context, const SGeo3D* position, uint8_t valid,
                                            double time, uint32_t* error);
typedef void(TD_STDCALL* TNMEASpeedFunc)(void* context, float speed, uint8_t valid,
                                         double time);  // m/s
typedef void(TD_STDCALL* TNMEACourseFunc)(void* context, float course, uint8_t valid,
                                          double time);  // [-pi, pi)
typedef void(TD_STDCALL* TNMEAFixFunc)(void* context, uint32_t fix, uint8_t valid, double time);
typedef void(TD_STDCALL* TNMEASatellitesFunc)(void* context, uint32_t count, uint8_t valid,
                                              double time);
// After an accepted position while the clock's hold window is closed.
typedef void(TD_STDCALL* TNMEATimedPositionFunc)(void* context, double time,
                                                 const SGeo3D* position);
// Reasons: 1 no sentence since the reset, 2 no position sentence since the
// reset, 3 all sentences stopped, 4 position sentences stopped.
typedef void(TD_STDCALL* TNMEATimeoutFunc)(void* context, CNMEAInterpreter* interpreter,
                                           uint32_t reason);
typedef void(TD_STDCALL* TNMEAUpdateFunc)(void* context, CNMEAInterpreter* interpreter);

// The six value callbacks given at construction.
struct SNMEAValueCallbacks {
  SCallback Position, Speed, Course, Fix, Satellites, TimedPosition;
};

class CNMEAInterpreter : public CObject {
 public:
  // Source types: the sentence a value came from.
  enum : uint32_t {
    kGGA = 1,
    kGLL = 2,
    kGSA = 4,
    kRMC = 16,
    kRMCMeasured = 32,  // course and speed that RMC carries
    kVTG = 64,
  };

  // Created inactive. The clock must not be null; the time source is the
  // clock's.
  CNMEAInterpreter(CGPSClock* clock, const SNMEAValueCallbacks& callbacks);
  ~CNMEAInterpreter();

  TD_DELETE_THIS(CNMEAInterpreter)
  virtual bool TD_STDCALL IsActive();
  virtual const SGeodeticDatum* TD_STDCALL GetDatum();
  virtual bool TD_STDCALL GetTimeoutEnabled();
  virtual float TD_STDCALL GetTimeout();  // seconds
  virtual SCallback* TD_STDCALL GetOnTimeout();
  virtual CSound* TD_STDCALL GetFixLostSound();
  virtual CSound* TD_STDCALL GetFixGainedSound();
  virtual SCallback* TD_STDCALL GetOnUpdate();
  // The queues stay at their address for the interpreter's life.
  virtual CNMEAMsgQueue* TD_STDCALL GetCourseQueue();
  virtual CNMEAMsgQueue* TD_STDCALL GetFixQueue();
  virtual CNMEAMsgQueue* TD_STDCALL GetPositionQueue();
  virtual CNMEAMsgQueue* TD_STDCALL GetSatellitesQueue();
  virtual CNMEAMsgQueue* TD_STDCALL GetSpeedQueue();
  virtual CNMEAMsgQueue* TD_STDCALL GetClockQueue();
  // Checks the time-out (when active) and calls OnUpdate.
  virtual void TD_STDCALL Poll();
  // The sentence is only read during the call; flagged ones are ignored.
  virtual void TD_STDCALL OnSentence(CNMEASentence* sentence);
  // A change resets the interpreter; activation restarts the time-out.
  virtual void TD_STDCALL SetActive(uint8_t active);
  // The datum the receiver reports in; null is ignored.
  virtual void TD_STDCALL SetDatum(const SGeodeticDatum* datum);
  virtual void TD_STDCALL SetTimeoutEnabled(uint8_t enabled);
  virtual void TD_STDCALL SetTimeout(float seconds);
  virtual void TD_STDCALL SetOnTimeout(TNMEATimeoutFunc function, void* context);
  virtual void TD_STDCALL SetFixLostSound(CSound* sound);
  virtual void TD_STDCALL SetFixGainedSound(CSound* sound);
  virtual void TD_STDCALL SetOnUpdate(TNMEAUpdateFunc function, void* context);

 private:
  enum class EQuantity { kCourse, kSpeed, kPosition, kSatellites, kFix, kClock };

  // Where a report comes from and when: the arbitration time of the
  // sentence's arrival and the time of the fix given to the callbacks.
  struct SSource {
    uint32_t Talker;
    uint32_t Type;
    double Time;
    double FixTime;
    uint64_t Stamp;
  };

  void Reset();
  void Interpret(CNMEASentence& sentence);
  void InterpretGGA(CNMEASentence& sentence, SSource& source);
  void InterpretGLL(CNMEASentence& sentence, SSource& source);
  void InterpretGSA(CNMEASentence& sentence, SSource& source);
  void InterpretRMC(CNMEASentence& sentence, SSource& source);
  void InterpretVTG(CNMEASentence& sentence, SSource& source);
  // A time of day of GGA or GLL: reported to the clock, it sets the fix time.
  void TakeTimeOfDay(const SNMEATime& time, SSource& source);
  // Latitude and longitude in degrees in the interpreter's datum.
  void TakePosition(double latitude, double longitude, const SSource& source);

  bool Accept(EQuantity quantity, const SSource& source);
  static float TakeOverRatio(EQuantity quantity, uint32_t type, uint32_t currentType);
  CNMEAMsgQueue& QueueOf(EQuantity quantity);

  void ReportCourse(float course, const SSource& source);
  void ReportSpeed(float speed, const SSource& source);
  void ReportPosition(const SGeo3D& position, const SSource& source);
  void ReportSatellites(uint32_t count, const SSource& source);
  void ReportFix(uint32_t fix, const SSource& source);
  void ReportClock(double date, double timeOfDay, const SSource& source);
  void Timeout(uint32_t reason);
  void CallOnUpdate();

  CGPSClock* clock_;
  const CGpsTimeSource& source_;
  float course_ = 0;
  CNMEAMsgQueue courseQueue_{10.0f};
  bool active_ = false;
  CNMEAMsgQueue fixQueue_{20.0f};
  const SGeodeticDatum* datum_;
  bool inTimeoutCallback_ = false;
  bool timeoutEnabled_ = true;
  uint64_t timeoutReference_ = 0;
  float timeout_ = 10.0f;
  uint32_t fix_ = 1;
  CNMEAPosMsgQueue positionHistory_{10.0f};
  uint64_t lastSentenceStamp_ = 0;
  uint64_t lastPositionStamp_ = 0;
  bool holdStarted_ = false;  // the clock's hold window since the reset
  double lastPollTime_ = 0;
  SCallback onUpdate_;
  SCallback onTimeout_;
  SNMEAValueCallbacks callbacks_;
  CNMEAMsgQueue positionQueue_{10.0f};
  CNMEAMsgQueue satellitesQueue_{20.0f};
  float speed_ = 0;
  CNMEAMsgQueue speedQueue_{10.0f};
  CSound* fixLostSound_ = nullptr;
  CSound* fixGainedSound_ = nullptr;
  CNMEAMsgQueue clockQueue_{10.0f};
};
