// CTCF2UpdChartDesc: the identity of the chart that an update is for (version,
// GUID and the identity fields of the chart's tag). Not thread-safe; the texts
// returned by reference live as long as the object.
#pragma once

#include <cstdint>

#include "lib/foundation/core/Object.h"
#include "lib/foundation/text/Str.h"
#include "lib/foundation/streams/Stream.h"

class CTCF2UpdChartDesc final : public CObject {
 public:
  TD_DELETE_THIS(CTCF2UpdChartDesc)

  CTCF2UpdChartDesc() = default;
  ~CTCF2UpdChartDesc() = default;
  CTCF2UpdChartDesc(const CTCF2UpdChartDesc&) = delete;
  CTCF2UpdChartDesc& operator=(const CTCF2UpdChartDesc&) = delete;

  // Virtual operations after slot 0, in the interface's order.
  virtual uint32_t TD_STDCALL GetVersion();
  virtual SGuid* TD_STDCALL GetGUID();
  virtual int32_t TD_STDCALL GetIdCode();
  virtual CStr& TD_STDCALL GetIdText1();
  virtual CStr& TD_STDCALL GetIdText2();
  virtual uint32_t TD_STDCALL GetIdNumber();
  virtual CStr& TD_STDCALL GetIdText3();
  virtual CStr& TD_STDCALL GetIdText4();
  virtual void TD_STDCALL SetVersion(uint32_t version);
  virtual void TD_STDCALL SetGUID(const SGuid* guid);
  virtual void TD_STDCALL SetIdCode(int32_t code);
  virtual void TD_STDCALL SetIdText1(const CStr& text);
  virtual void TD_STDCALL SetIdText2(const CStr& text);
  virtual void TD_STDCALL SetIdNumber(uint32_t number);
  virtual void TD_STDCALL SetIdText3(const CStr& text);
  virtual void TD_STDCALL SetIdText4(const CStr& text);

  // Copies every field; may throw when memory runs out.
  void Assign(const CTCF2UpdChartDesc& other);

 private:
  uint32_t m_Version = 0;
  SGuid m_Guid = {};
  int32_t m_IdCode = 0;
  CStr m_IdText1;
  CStr m_IdText2;
  uint32_t m_IdNumber = 0;
  CStr m_IdText3;
  CStr m_IdText4;
};
