// CTCF2Tag: what a chart file says about its chart: identity, thirteen
// descriptive texts, a date, optional values, links, the calibration points
// and the geodetic reference. Setters store without checking; the chart
// file reader checks. Not thread-safe: one thread at a time. Text getters
// return the object's own string, valid until that text is set again or the
// tag dies.
#pragma once

#include <cstdint>

#include "lib/foundation/containers/LinkList.h"
#include "lib/foundation/core/Object.h"
#include "lib/foundation/text/Str.h"
#include "lib/foundation/streams/Stream.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/geodesy/GeodeticRef.h"
#include "lib/geodesy/PlaneTypes.h"

// The texts of a tag, by position.
enum ETCF2TagText : int32_t {
  kTagText1,
  kTagText2,
  kTagText3,
  kTagText4,
  kTagText5,
  kTagText6,
  kTagText7,
  kTagText8,
  kTagText9,
  kTagText10,
  kTagText11,
  kTagText12,
  kTagText13,
  kTagIdText1,
  kTagIdText2,
  kTagIdText3,
  kTagIdText4,
  kTagTextCount
};

class CTCF2Tag : public CObject {
 public:
  TD_DELETE_THIS(CTCF2Tag)

  CTCF2Tag();
  ~CTCF2Tag() = default;
  CTCF2Tag(const CTCF2Tag&) = delete;
  CTCF2Tag& operator=(const CTCF2Tag&) = delete;

  virtual void TD_STDCALL AddLink(uint32_t type, const CStr* file, const CStr* description);
  virtual void TD_STDCALL Clear();
  virtual void TD_STDCALL GetCalibration(int32_t* count, SPointD* pix1, SPointD* pix2,
                                         SPointD* pix3, SPointD* map1, SPointD* map2,
                                         SPointD* map3);
  virtual void TD_STDCALL GetCalPixPoint1(SPointD* p) { *p = m_Pix[0]; }
  virtual void TD_STDCALL GetCalPixPoint2(SPointD* p) { *p = m_Pix[1]; }
  virtual void TD_STDCALL GetCalPixPoint3(SPointD* p) { *p = m_Pix[2]; }
  virtual int32_t TD_STDCALL GetCalPointCount() { return m_CalCount; }
  virtual void TD_STDCALL GetCalMapPoint1(SPointD* p) { *p = m_Map[0]; }
  virtual void TD_STDCALL GetCalMapPoint2(SPointD* p) { *p = m_Map[1]; }
  virtual void TD_STDCALL GetCalMapPoint3(SPointD* p) { *p = m_Map[2]; }
  virtual const CStr* TD_STDCALL GetText1() { return &m_Texts[kTagText1]; }
  virtual const CStr* TD_STDCALL GetText2() { return &m_Texts[kTagText2]; }
  virtual const CStr* TD_STDCALL GetText3() { return &m_Texts[kTagText3]; }
  virtual uint16_t TD_STDCALL GetValueU16() { return m_Value; }
  virtual double TD_STDCALL GetDate() { return m_Date; }
  virtual bool TD_STDCALL GetFlag() { return m_Flag; }
  // The 16 bytes of the identifier, valid while the tag lives.
  virtual const SGuid* TD_STDCALL GetGUID() { return &m_Guid; }
  virtual const CStr* TD_STDCALL GetText4() { return &m_Texts[kTagText4]; }
  virtual const CStr* TD_STDCALL GetText5() { return &m_Texts[kTagText5]; }
  virtual const CStr* TD_STDCALL GetText6() { return &m_Texts[kTagText6]; }
  // Copies link n into the caller's strings; false (nothing copied) outside.
  virtual bool TD_STDCALL GetLink(int32_t n, uint32_t* type, CStr* file, CStr* description);
  virtual int32_t TD_STDCALL GetLinkCount() { return m_Links.GetCount(); }
  virtual double TD_STDCALL GetOptValue1() { return m_Opt1; }
  virtual bool TD_STDCALL HasOptValues() { return m_HasOpt; }
  virtual double TD_STDCALL GetOptValue2() { return m_Opt2; }
  virtual double TD_STDCALL GetOptValue3() { return m_Opt3; }
  virtual int32_t TD_STDCALL GetMemorySize(uint8_t includeObject);
  virtual int32_t TD_STDCALL GetIdCode() { return m_IdCode; }
  virtual const CStr* TD_STDCALL GetIdText1() { return &m_Texts[kTagIdText1]; }
  virtual const CStr* TD_STDCALL GetIdText2() { return &m_Texts[kTagIdText2]; }
  virtual uint32_t TD_STDCALL GetIdNumber() { return m_IdNumber; }
  virtual const CStr* TD_STDCALL GetIdText3() { return &m_Texts[kTagIdText3]; }
  virtual const CStr* TD_STDCALL GetIdText4() { return &m_Texts[kTagIdText4]; }
  virtual void TD_STDCALL GetGeodeticRef(SGeodeticRef* ref) { *ref = m_Ref; }
  virtual const CStr* TD_STDCALL GetText7() { return &m_Texts[kTagText7]; }
  virtual const CStr* TD_STDCALL GetText8() { return &m_Texts[kTagText8]; }
  virtual const CStr* TD_STDCALL GetText9() { return &m_Texts[kTagText9]; }
  virtual const CStr* TD_STDCALL GetText10() { return &m_Texts[kTagText10]; }
  virtual int32_t TD_STDCALL GetKind() { return m_Kind; }
  virtual const CStr* TD_STDCALL GetText11() { return &m_Texts[kTagText11]; }
  virtual const CStr* TD_STDCALL GetText12() { return &m_Texts[kTagText12]; }
  virtual const CStr* TD_STDCALL GetText13() { return &m_Texts[kTagText13]; }
  virtual bool TD_STDCALL IsEqual(const CTCF2Tag* other);
  // The third points are stored only when count is 3, else set to 0.
  virtual void TD_STDCALL SetCalibration(int32_t count, const SPointD* pix1, const SPointD* pix2,
                                         const SPointD* pix3, const SPointD* map1,
                                         const SPointD* map2, const SPointD* map3);
  virtual void TD_STDCALL SetText1(const CStr* text) { SetTextKeeping(kTagText1, text); }
  virtual void TD_STDCALL SetText2(const CStr* text) { SetTextKeeping(kTagText2, text); }
  virtual void TD_STDCALL SetText3(const CStr* text) { SetTextKeeping(kTagText3, text); }
  virtual void TD_STDCALL SetValueU16(uint16_t value) { m_Value = value; }
  virtual void TD_STDCALL SetDate(double date) { m_Date = date; }
  virtual void TD_STDCALL SetFlag(uint8_t flag) { m_Flag = flag != 0; }
  virtual void TD_STDCALL SetGUID(const SGuid* guid) { m_Guid = *guid; }
  virtual void TD_STDCALL SetText4(const CStr* text) { SetTextKeeping(kTagText4, text); }
  virtual void TD_STDCALL SetText5(const CStr* text) { SetTextKeeping(kTagText5, text); }
  virtual void TD_STDCALL SetText6(const CStr* text) { SetTextKeeping(kTagText6, text); }
  // With present false the three values are stored as 0.
  virtual void TD_STDCALL SetOptValues(uint8_t present, double value1, double value2,
                                       double value3);
  virtual void TD_STDCALL SetIdCode(int32_t code) { m_IdCode = code; }
  virtual void TD_STDCALL SetIdText1(const CStr* text) { SetTextKeeping(kTagIdText1, text); }
  virtual void TD_STDCALL SetIdText2(const CStr* text) { SetTextKeeping(kTagIdText2, text); }
  virtual void TD_STDCALL SetIdNumber(uint32_t number) { m_IdNumber = number; }
  virtual void TD_STDCALL SetIdText3(const CStr* text) { SetTextKeeping(kTagIdText3, text); }
  virtual void TD_STDCALL SetIdText4(const CStr* text) { SetTextKeeping(kTagIdText4, text); }
  virtual void TD_STDCALL SetGeodeticRef(const SGeodeticRef* ref) { m_Ref = *ref; }
  virtual void TD_STDCALL SetText7(const CStr* text) { SetTextKeeping(kTagText7, text); }
  virtual void TD_STDCALL SetText8(const CStr* text) { SetTextKeeping(kTagText8, text); }
  virtual void TD_STDCALL SetText9(const CStr* text) { SetTextKeeping(kTagText9, text); }
  virtual void TD_STDCALL SetText10(const CStr* text) { SetTextKeeping(kTagText10, text); }
  virtual void TD_STDCALL SetKind(int32_t kind) { m_Kind = kind; }
  virtual void TD_STDCALL SetText11(const CStr* text) { SetTextKeeping(kTagText11, text); }
  virtual void TD_STDCALL SetText12(const CStr* text) { SetTextKeeping(kTagText12, text); }
  virtual void TD_STDCALL SetText13(const CStr* text) { SetTextKeeping(kTagText13, text); }

  // Texts by position, for the file readers and writers.
  const CStr& Text(ETCF2TagText which) const { return m_Texts[which]; }
  void SetText(ETCF2TagText which, const CStr* text) { m_Texts[which] = *text; }
  const TLinkList& Links() const { return m_Links; }
  // Adds a link for the file readers; throws when memory runs out, where the
  // AddLink slot adds nothing.
  void AppendLink(uint32_t type, const CStr& file, const CStr& description) {
    m_Links.Add(type, file, description);
  }
  // Clear for the file readers: throws when memory runs out, leaving the tag
  // as it was, where the Clear slot keeps it silently.
  void ClearFields();
  const SGeodeticRef& Ref() const { return m_Ref; }

 private:
  // A text that cannot be copied for want of memory leaves the old one.
  void SetTextKeeping(ETCF2TagText which, const CStr* text) {
    td::GuardVoid([&] { SetText(which, text); });
  }
  bool Equals(const CTCF2Tag& other) const;

  SPointD m_Pix[3];
  int32_t m_CalCount;
  SPointD m_Map[3];
  uint16_t m_Value;
  double m_Date;
  bool m_Flag;
  SGuid m_Guid;
  TLinkList m_Links;
  double m_Opt1;
  bool m_HasOpt;
  double m_Opt2;
  double m_Opt3;
  int32_t m_IdCode;
  uint32_t m_IdNumber;
  SGeodeticRef m_Ref;
  int32_t m_Kind;
  CStr m_Texts[kTagTextCount];
};
