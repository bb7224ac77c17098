#include "lib/waypoints/WaypointLink.h"

#include "lib/waypoints/SlotGuard.h"
#include "lib/waypoints/Waypoint.h"

CWaypointLink::CWaypointLink(const CStr& text1, const CStr& text2, CWaypoint* owner)
    : text1_(text1), text2_(text2), owner_(owner) {}

CStr* TD_STDCALL CWaypointLink::GetText1() { return &text1_; }

CStr* TD_STDCALL CWaypointLink::GetText2() { return &text2_; }

void TD_STDCALL CWaypointLink::SetText1(const CStr* text, uint32_t* error) {
  SetText(text1_, *text, error);
}

void TD_STDCALL CWaypointLink::SetText2(const CStr* text, uint32_t* error) {
  SetText(text2_, *text, error);
}

void CWaypointLink::SetText(CStr& field, const CStr& text, uint32_t* error) {
  GuardSlot(error, [&] {
    if (owner_->CheckWritable(error) || field == text) return;
    field = text;
    owner_->Touch();
  });
}

int32_t CWaypointLink::GetMemSize() const {
  return text1_.GetMemSize(false) + text2_.GetMemSize(false) + static_cast<int32_t>(sizeof(*this));
}
