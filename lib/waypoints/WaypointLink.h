// CWaypointLink: a pair of texts that belongs to one waypoint; its setters
// follow the waypoint's read-only rule and touch the waypoint.
#pragma once

#include <cstdint>

#include "lib/foundation/core/Object.h"
#include "lib/foundation/text/Str.h"
#include "lib/waypoints/WaypointForward.h"

class CWaypointLink : public CObject {
 public:
  CWaypointLink(const CStr& text1, const CStr& text2, CWaypoint* owner);
  TD_DELETE_THIS(CWaypointLink)

  virtual CStr* TD_STDCALL GetText1();
  virtual CStr* TD_STDCALL GetText2();
  virtual void TD_STDCALL SetText1(const CStr* text, uint32_t* error);
  virtual void TD_STDCALL SetText2(const CStr* text, uint32_t* error);

  CWaypoint* GetOwner() const { return owner_; }
  int32_t GetMemSize() const;

 private:
  void SetText(CStr& field, const CStr& text, uint32_t* error);

  CStr text1_;
  CStr text2_;
  CWaypoint* owner_;
};
