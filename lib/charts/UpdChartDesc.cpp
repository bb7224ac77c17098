#include "lib/charts/UpdChartDesc.h"

#include "lib/foundation/exports/Guard.h"

uint32_t TD_STDCALL CTCF2UpdChartDesc::GetVersion() { return m_Version; }
SGuid* TD_STDCALL CTCF2UpdChartDesc::GetGUID() { return &m_Guid; }
int32_t TD_STDCALL CTCF2UpdChartDesc::GetIdCode() { return m_IdCode; }
CStr& TD_STDCALL CTCF2UpdChartDesc::GetIdText1() { return m_IdText1; }
CStr& TD_STDCALL CTCF2UpdChartDesc::GetIdText2() { return m_IdText2; }
uint32_t TD_STDCALL CTCF2UpdChartDesc::GetIdNumber() { return m_IdNumber; }
CStr& TD_STDCALL CTCF2UpdChartDesc::GetIdText3() { return m_IdText3; }
CStr& TD_STDCALL CTCF2UpdChartDesc::GetIdText4() { return m_IdText4; }

void TD_STDCALL CTCF2UpdChartDesc::SetVersion(uint32_t version) { m_Version = version; }
void TD_STDCALL CTCF2UpdChartDesc::SetGUID(const SGuid* guid) { m_Guid = *guid; }
void TD_STDCALL CTCF2UpdChartDesc::SetIdCode(int32_t code) { m_IdCode = code; }
void TD_STDCALL CTCF2UpdChartDesc::SetIdNumber(uint32_t number) { m_IdNumber = number; }

// A text that cannot be copied for want of memory leaves the old one.
void TD_STDCALL CTCF2UpdChartDesc::SetIdText1(const CStr& text) {
  td::GuardVoid([&] { m_IdText1 = text; });
}
void TD_STDCALL CTCF2UpdChartDesc::SetIdText2(const CStr& text) {
  td::GuardVoid([&] { m_IdText2 = text; });
}
void TD_STDCALL CTCF2UpdChartDesc::SetIdText3(const CStr& text) {
  td::GuardVoid([&] { m_IdText3 = text; });
}
void TD_STDCALL CTCF2UpdChartDesc::SetIdText4(const CStr& text) {
  td::GuardVoid([&] { m_IdText4 = text; });
}

void CTCF2UpdChartDesc::Assign(const CTCF2UpdChartDesc& other) {
  m_Version = other.m_Version;
  m_Guid = other.m_Guid;
  m_IdCode = other.m_IdCode;
  m_IdText1 = other.m_IdText1;
  m_IdText2 = other.m_IdText2;
  m_IdNumber = other.m_IdNumber;
  m_IdText3 = other.m_IdText3;
  m_IdText4 = other.m_IdText4;
}
