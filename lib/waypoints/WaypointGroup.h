// CWaypointGroup: a named set of waypoints in identifier order. The manager's
// built-in group holds exactly the waypoints of no other group; each
// waypoint's group count keeps that true. Host thread only.
#pragma once

#include <cstdint>

#include "lib/waypoints/ItemList.h"
#include "lib/waypoints/WaypointManagerItem.h"

class CWaypointGroup : public CWaypointManagerItem {
 public:
  explicit CWaypointGroup(const SItemArgs& args);
  TD_DELETE_THIS(CWaypointGroup)

  int32_t TD_STDCALL GetStoreSize(uint8_t whole) override;
  CStr* TD_STDCALL GetName() override;
  void TD_STDCALL Delete(uint32_t* error) override;

  virtual void TD_STDCALL AddWaypoint(CWaypoint* waypoint, uint32_t* error);
  virtual void TD_STDCALL Clear(uint32_t* error);
  virtual void TD_STDCALL RemoveAt(int32_t index, uint32_t* error);
  virtual uint8_t TD_STDCALL Find(CWaypoint* waypoint, int32_t* index);
  virtual int32_t TD_STDCALL GetCount();
  virtual CWaypoint* TD_STDCALL GetWaypoint(int32_t index);
  virtual uint8_t TD_STDCALL IsDefault();
  virtual void TD_STDCALL RemoveWaypoint(CWaypoint* waypoint, uint32_t* error);

  bool Contains(const CWaypoint* waypoint) const { return members_.Contains(waypoint); }
  // Without checks or touch, for the manager, the databases and the fix-ups.
  void AddWaypointInternal(CWaypoint* waypoint);
  // Members are kept in identifier order whichever way they come in.
  void AppendWaypointInternal(CWaypoint* waypoint) { AddWaypointInternal(waypoint); }
  bool RemoveWaypointInternal(CWaypoint* waypoint);
  // Every member leaves without touching the group; allocates nothing.
  void DropMembers();
  // Room for count members in all. The manager keeps room in its built-in
  // group for every waypoint, so that a waypoint's leaving its last group,
  // which puts it there, cannot fail.
  void ReserveMembers(size_t count) { members_.ReserveTotal(count); }

 private:
  bool IsBuiltIn() const { return (state_ & kItemDefaultGroup) != 0; }

  CItemList<CWaypoint> members_;
};
