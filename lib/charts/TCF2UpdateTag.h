// CTCF2UpdateTag: the text and the three date-times of the last update
// applied to a chart. Not thread-safe. GetText returns the object's own
// string, valid until SetText or the tag's end.
#pragma once

#include <cstdint>

#include "lib/foundation/core/Object.h"
#include "lib/foundation/text/Str.h"
#include "lib/foundation/exports/Guard.h"

class CTCF2UpdateTag : public CObject {
 public:
  TD_DELETE_THIS(CTCF2UpdateTag)

  CTCF2UpdateTag() = default;
  ~CTCF2UpdateTag() = default;
  CTCF2UpdateTag(const CTCF2UpdateTag&) = delete;
  CTCF2UpdateTag& operator=(const CTCF2UpdateTag&) = delete;

  virtual void TD_STDCALL Clear();
  virtual int32_t TD_STDCALL GetMemorySize(uint8_t includeObject);
  virtual const CStr* TD_STDCALL GetText() { return &m_Text; }
  virtual double TD_STDCALL GetDateTime1() { return m_Times[0]; }
  virtual double TD_STDCALL GetDateTime2() { return m_Times[1]; }
  virtual double TD_STDCALL GetDateTime3() { return m_Times[2]; }
  virtual bool TD_STDCALL IsEqual(const CTCF2UpdateTag* other);
  // A text that cannot be copied for want of memory leaves the old one.
  virtual void TD_STDCALL SetText(const CStr* text) {
    td::GuardVoid([&] { TakeText(*text); });
  }
  virtual void TD_STDCALL SetDateTime1(double value) { m_Times[0] = value; }
  virtual void TD_STDCALL SetDateTime2(double value) { m_Times[1] = value; }
  virtual void TD_STDCALL SetDateTime3(double value) { m_Times[2] = value; }

  // Date-time 1..3 by index 0..2.
  double Time(int i) const { return m_Times[i]; }
  void SetTime(int i, double value) { m_Times[i] = value; }
  // The text, for the file readers: throws when memory runs out.
  void TakeText(const CStr& text) { m_Text = text; }

 private:
  CStr m_Text;
  double m_Times[3] = {0, 0, 0};
};
