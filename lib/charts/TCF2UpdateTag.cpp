#include "lib/charts/TCF2UpdateTag.h"

#include "lib/foundation/exports/Guard.h"

namespace {

constexpr int32_t kObjectSize = 48;

}  // namespace

void TD_STDCALL CTCF2UpdateTag::Clear() {
  td::GuardVoid([&] {
    m_Text = "";
    for (double& t : m_Times) t = 0;
  });
}

int32_t TD_STDCALL CTCF2UpdateTag::GetMemorySize(uint8_t includeObject) {
  return m_Text.GetLength() + (includeObject ? kObjectSize : 0);
}

bool TD_STDCALL CTCF2UpdateTag::IsEqual(const CTCF2UpdateTag* other) {
  return td::Guard(false, [&] {
    return m_Text == other->m_Text && m_Times[0] == other->m_Times[0] &&
           m_Times[1] == other->m_Times[1] && m_Times[2] == other->m_Times[2];
  });
}
