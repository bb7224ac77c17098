// CNMEAMsgQueue: for one reported quantity, when each source (talker, type)
// last reported, at what interval, and which source is current. The
// interpreter decides whether a new source takes over. Times are day numbers,
// intervals seconds with -1.0 for "unknown". Single-threaded: it belongs to
// the interpreter's thread; hosts read it through the interpreter's getters.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lib/foundation/core/Abi.h"
#include "lib/foundation/containers/List.h"
#include "lib/foundation/core/Object.h"

struct SNMEAMsg {
  double Time;
  uint32_t Talker;
  uint32_t Type;
  float Interval;
};
static_assert(sizeof(SNMEAMsg) == 24 && offsetof(SNMEAMsg, Talker) == 8 &&
              offsetof(SNMEAMsg, Interval) == 16);

// What Update tells about a report.
struct SNMEAReport {
  float Interval;         // since the source's previous report
  float CurrentInterval;  // the current source's, the larger of its silence and its last interval
  bool IsCurrent;
};

class CNMEAMsgQueue : public CObject {
 public:
  explicit CNMEAMsgQueue(float timeout);
  ~CNMEAMsgQueue() = default;

  TD_DELETE_THIS(CNMEAMsgQueue)
  // Null for an index out of range; valid until the next Update or Clear.
  virtual SNMEAMsg* TD_STDCALL GetItem(int32_t index);
  virtual int32_t TD_STDCALL GetCount();
  virtual uint32_t TD_STDCALL GetCurrentType();
  virtual uint32_t TD_STDCALL GetCurrentTalker();

  // Records a report of the source at time.
  SNMEAReport Update(uint32_t talker, uint32_t type, double time);
  void SetCurrent(uint32_t talker, uint32_t type);
  // True when a source of the type reported within the time-out before time.
  bool HasType(uint32_t type, double time);
  void Clear();

 private:
  void Purge(double time);

  CList<SNMEAMsg> items_{true};
  float timeout_;
  uint32_t currentTalker_ = 0;
  uint32_t currentType_ = 0;  // 0: no current source
};

// Seconds from an earlier to a later day number in single precision, -1.0
// below 0.01 s.
float NMEAInterval(double earlier, double later);
// The entry of the source (talker, type), or null.
template <class T>
T* FindNMEAEntry(const CList<T>& items, uint32_t talker, uint32_t type) {
  for (int32_t i = 0; i < items.GetCount(); ++i)
    if (items[i]->Talker == talker && items[i]->Type == type) return items[i];
  return nullptr;
}
// Drops the entries older than timeout seconds before time, the last first.
template <class T>
void PurgeNMEAEntries(CList<T>& items, float timeout, double time) {
  const double limit = time - timeout / 86400.0;
  for (int32_t i = items.GetCount() - 1; i >= 0; --i)
    if (items[i]->Time < limit) items.Delete(i);
}
