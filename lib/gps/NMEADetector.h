// CNMEADetector: finds which serial port, at which line settings, carries
// NMEA 0183. The host lists candidate settings and optional talker and
// sentence filters and starts the search; a CNMEADetectorThread tries every
// port at once and each port's settings in turn, and the first setting on
// which a counted sentence arrives is that port's result.
//
// The host calls every operation on its main thread (the thread that loaded
// the library), which must pump messages: progress and completion arrive
// there. Each operation holds the detector's lock for its whole run; the
// search thread takes it to count. Deleting the detector stops a search and
// calls no callback.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "lib/foundation/core/Abi.h"
#include "lib/foundation/core/Callback.h"
#include "lib/foundation/threads/CriticalSection.h"
#include "lib/foundation/core/Object.h"

class CThread;
class CNMEADetectorThread;

// One candidate: the values go to the serial port as they are.
struct SNMEADetectorSetting {
  int32_t Port;  // 1 = COM1
  int32_t BaudRate;
  uint8_t DataBits;
  int32_t StopBits;
  int32_t Parity;
  int32_t Handshake;  // 0 none, 1 RTS/CTS, 2 XON/XOFF
};
static_assert(sizeof(SNMEADetectorSetting) == 24 && offsetof(SNMEADetectorSetting, DataBits) == 8 &&
                  offsetof(SNMEADetectorSetting, StopBits) == 12,
              "host-visible record");

class CNMEADetector;
// OnProgress and OnFinished: function(context, detector).
typedef void(TD_STDCALL* TNMEADetectorFunc)(void* context, CNMEADetector* detector);

class CNMEADetector : public CObject {
 public:
  TD_DELETE_THIS(CNMEADetector)

  CNMEADetector();
  ~CNMEADetector();
  CNMEADetector(const CNMEADetector&) = delete;
  CNMEADetector& operator=(const CNMEADetector&) = delete;

  // The host's table, in this order. The adders and setters do nothing
  // while a search runs; an index out of range gives a zeroed record, 0 or
  // null.
  virtual void TD_STDCALL AddSetting(int32_t port, int32_t baudRate, uint8_t dataBits,
                                     int32_t stopBits, int32_t parity, int32_t handshake);
  virtual void TD_STDCALL AddTalkerFilter(uint32_t talker);
  virtual void TD_STDCALL AddSentenceFilter(uint32_t sentence);
  virtual void TD_STDCALL Stop();
  // value is always set to 0.
  virtual void TD_STDCALL GetResult(int32_t index, SNMEADetectorSetting* setting, uint32_t* value);
  virtual int32_t TD_STDCALL GetResultCount();  // 0 while running
  virtual bool TD_STDCALL IsStopped();
  virtual uint32_t TD_STDCALL GetTalkerFilter(int32_t index);
  virtual int32_t TD_STDCALL GetTalkerFilterCount();
  virtual float TD_STDCALL GetProgress();  // percent
  virtual bool TD_STDCALL IsRunning();
  virtual uint32_t TD_STDCALL GetSentenceFilter(int32_t index);
  virtual int32_t TD_STDCALL GetSentenceFilterCount();
  // The detector's own record, valid until the next AddSetting or the
  // detector's end.
  virtual const SNMEADetectorSetting* TD_STDCALL GetSetting(int32_t index);
  virtual int32_t TD_STDCALL GetSettingCount();
  virtual float TD_STDCALL GetListenTime();  // seconds per setting
  virtual void TD_STDCALL SetOnFinished(TNMEADetectorFunc function, void* context);
  virtual void TD_STDCALL SetOnProgress(TNMEADetectorFunc function, void* context);
  // Ignores a value that is not finite or below 0.
  virtual void TD_STDCALL SetListenTime(float seconds);
  virtual void TD_STDCALL Start(uint8_t stopAtFirst);

  // Search thread.
  const std::vector<SNMEADetectorSetting>& Settings() const { return m_Settings; }
  // Whether a sentence of this talker and type counts; under stop at first
  // only the first one of the whole search does.
  bool Counts(uint32_t talker, uint32_t sentence);
  bool FoundFirst();
  float ListenTime();
  // Sets the progress and, when post is set and a progress callback is,
  // posts it through the thread.
  void ReportProgress(CThread& thread, float percent, bool post);

 private:
  static void ProgressEvent(void* context, CThread* sender);
  static void CompletionEvent(void* context, CThread* sender);

  CCriticalSection m_Lock;
  std::vector<SNMEADetectorSetting> m_Settings;
  std::vector<uint32_t> m_TalkerFilter;  // sorted, unsigned, no duplicates
  std::vector<uint32_t> m_SentenceFilter;
  std::vector<SNMEADetectorSetting> m_Results;
  float m_ListenTime = 3.0f;
  float m_Progress = 0;
  bool m_Running = false;
  bool m_StopAtFirst = false;
  bool m_Found = false;
  bool m_StopRequested = false;
  SCallback m_OnProgress;
  SCallback m_OnFinished;
  CNMEADetectorThread* m_Thread = nullptr;
};
