// CNMEAPosMsgQueue: the last position of every source (talker, type), from
// which course and speed follow when the same source reports again.
// Single-threaded, like the interpreter that owns it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lib/foundation/core/Abi.h"
#include "lib/foundation/containers/List.h"
#include "lib/foundation/core/Object.h"
#include "lib/geodesy/GeoPosition.h"

struct SNMEAPosMsg {
  double Time;
  SGeo3D Position;  // WGS 84, radians and metres
  uint32_t Talker;
  uint32_t Type;
};
static_assert(sizeof(SNMEAPosMsg) == 40 && offsetof(SNMEAPosMsg, Talker) == 32);

class CNMEAPosMsgQueue : public CObject {
 public:
  explicit CNMEAPosMsgQueue(float timeout);
  ~CNMEAPosMsgQueue() = default;

  TD_DELETE_THIS(CNMEAPosMsgQueue)
  // Null for an index out of range; valid until the next Update or Clear.
  virtual SNMEAPosMsg* TD_STDCALL GetItem(int32_t index);
  virtual int32_t TD_STDCALL GetCount();

  // Stores the source's position at time; true, with course (radians from
  // north) and speed (m/s), when the source's previous position is more
  // than 0.01 s older.
  bool Update(uint32_t talker, uint32_t type, const SGeo3D& position, double time, float& course,
              float& speed);
  void Clear();

 private:
  CList<SNMEAPosMsg> items_{true};
  float timeout_;
};
