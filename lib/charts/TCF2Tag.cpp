#include "lib/charts/TCF2Tag.h"

#include <cstring>
#include <utility>

#include "lib/foundation/exports/Guard.h"
#include "lib/geodesy/Lines.h"

namespace {

constexpr int32_t kObjectSize = 896;
constexpr uint32_t kDefaultIdNumber = 4096;

bool PointsEqual(const SPointD* a, const SPointD* b) {
  return PointDEqual(a[0], b[0]) && PointDEqual(a[1], b[1]) && PointDEqual(a[2], b[2]);
}

bool LinksEqual(const TLinkList& a, const TLinkList& b) {
  if (a.GetCount() != b.GetCount()) return false;
  for (int i = 0; i < a.GetCount(); ++i)
    if (!(*a.GetAt(i) == *b.GetAt(i))) return false;
  return true;
}

}  // namespace

CTCF2Tag::CTCF2Tag() { ClearFields(); }

void TD_STDCALL CTCF2Tag::AddLink(uint32_t type, const CStr* file, const CStr* description) {
  td::GuardVoid([&] { AppendLink(type, *file, *description); });
}

void TD_STDCALL CTCF2Tag::Clear() {
  td::GuardVoid([&] { ClearFields(); });
}

void CTCF2Tag::ClearFields() {
  CStr empty[kTagTextCount];  // the one step that may fail comes first
  for (int i = 0; i < 3; ++i) m_Pix[i] = m_Map[i] = SPointD{0, 0};
  m_CalCount = 0;
  m_Value = 0;
  m_Date = 0;
  m_Flag = true;
  m_Guid = SGuid{};
  m_Links.Clear(false);
  m_Opt1 = m_Opt2 = m_Opt3 = 0;
  m_HasOpt = false;
  m_IdCode = 0;
  m_IdNumber = kDefaultIdNumber;
  std::memset(static_cast<void*>(&m_Ref), 0, sizeof m_Ref);
  m_Kind = 0;
  for (int i = 0; i < kTagTextCount; ++i) m_Texts[i] = std::move(empty[i]);
}

void TD_STDCALL CTCF2Tag::GetCalibration(int32_t* count, SPointD* pix1, SPointD* pix2,
                                         SPointD* pix3, SPointD* map1, SPointD* map2,
                                         SPointD* map3) {
  *count = m_CalCount;
  *pix1 = m_Pix[0];
  *pix2 = m_Pix[1];
  *pix3 = m_Pix[2];
  *map1 = m_Map[0];
  *map2 = m_Map[1];
  *map3 = m_Map[2];
}

bool TD_STDCALL CTCF2Tag::GetLink(int32_t n, uint32_t* type, CStr* file, CStr* description) {
  return td::Guard(false, [&] {
    if (n < 0 || n >= m_Links.GetCount()) return false;
    const SLinkInfo& link = *m_Links.GetAt(n);
    *type = link.Type;
    *file = link.File;
    *description = link.Description;
    return true;
  });
}

int32_t TD_STDCALL CTCF2Tag::GetMemorySize(uint8_t includeObject) {
  return td::Guard(0, [&] {
    int32_t size = m_Links.GetMemSize(false);
    for (const CStr& text : m_Texts) size += text.GetMemSize(false);
    return size + (includeObject ? kObjectSize : 0);
  });
}

bool TD_STDCALL CTCF2Tag::IsEqual(const CTCF2Tag* other) {
  return td::Guard(false, [&] { return Equals(*other); });
}

bool CTCF2Tag::Equals(const CTCF2Tag& o) const {
  for (int i = 0; i < kTagTextCount; ++i)
    if (m_Texts[i] != o.m_Texts[i]) return false;
  return PointsEqual(m_Pix, o.m_Pix) && m_CalCount == o.m_CalCount && PointsEqual(m_Map, o.m_Map) &&
         m_Value == o.m_Value && m_Date == o.m_Date && m_Flag == o.m_Flag &&
         std::memcmp(&m_Guid, &o.m_Guid, sizeof m_Guid) == 0 && LinksEqual(m_Links, o.m_Links) &&
         m_Opt1 == o.m_Opt1 && m_HasOpt == o.m_HasOpt && m_Opt2 == o.m_Opt2 && m_Opt3 == o.m_Opt3 &&
         m_IdCode == o.m_IdCode && m_IdNumber == o.m_IdNumber &&
         GeodeticRefIsEqual(m_Ref, o.m_Ref) && m_Kind == o.m_Kind;
}

void TD_STDCALL CTCF2Tag::SetCalibration(int32_t count, const SPointD* pix1, const SPointD* pix2,
                                         const SPointD* pix3, const SPointD* map1,
                                         const SPointD* map2, const SPointD* map3) {
  m_CalCount = count;
  m_Pix[0] = *pix1;
  m_Pix[1] = *pix2;
  m_Map[0] = *map1;
  m_Map[1] = *map2;
  m_Pix[2] = count == 3 ? *pix3 : SPointD{0, 0};
  m_Map[2] = count == 3 ? *map3 : SPointD{0, 0};
}

void TD_STDCALL CTCF2Tag::SetOptValues(uint8_t present, double value1, double value2,
                                       double value3) {
  m_HasOpt = present != 0;
  m_Opt1 = present ? value1 : 0;
  m_Opt2 = present ? value2 : 0;
  m_Opt3 = present ? value3 : 0;
}
