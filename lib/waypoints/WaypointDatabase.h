// CWaypointDatabase: one set of waypoints, groups, types and routes, stored in
// one file. It owns its items and keeps each kind in identifier order; the
// manager hears of every item added and removed. Host thread only; an item
// returned stays valid until it is deleted or the manager goes.
#pragma once

#include <cstdint>

#include "lib/foundation/core/Object.h"
#include "lib/foundation/display/Progress.h"
#include "lib/foundation/streams/Stream.h"
#include "lib/foundation/text/Str.h"
#include "lib/geodesy/GeoPosition.h"
#include "lib/waypoints/ItemList.h"
#include "lib/waypoints/NameNumbers.h"
#include "lib/waypoints/WaypointFixup.h"
#include "lib/waypoints/Waypoint.h"
#include "lib/waypoints/WaypointType.h"

enum : uint8_t { kDatabaseLocked = 1, kDatabaseReadOnly = 2 };

class CWaypointDatabase : public CObject {
 public:
  CWaypointDatabase(CWaypointManager* manager, const CStr& name, uint32_t contentVersion,
                    uint8_t flags);
  // Reads the file (mode read, others may read): the fix-ups it needs go to
  // fixups. On error *error is set and what was read stays; the caller
  // deletes the database and removes the fix-ups it added.
  CWaypointDatabase(CWaypointManager* manager, const CStr& fileName, CFixupList& fixups,
                    SProgress* progress, uint32_t* error);
  // Deletes the waypoints, then the types, the routes and the groups. A
  // database that a host closes while its manager lives takes its items out
  // of the manager first, as their deletions would; allocates nothing.
  ~CWaypointDatabase();
  TD_DELETE_THIS(CWaypointDatabase)

  virtual CWaypointGroup* TD_STDCALL AddGroup();
  virtual CWaypointRoute* TD_STDCALL AddRoute();
  virtual CWaypointType* TD_STDCALL AddType(CBmp32* icon, CBmp32* overlay, uint8_t overlayShown,
                                            float originX, float originY, int32_t nameFontSize,
                                            uint32_t nameFontStyle, uint32_t nameColor,
                                            int32_t commentFontSize, uint32_t commentFontStyle,
                                            uint32_t commentColor);
  // A null type gives the manager's default type.
  virtual CWaypoint* TD_STDCALL AddWaypoint(const SGeo3D* position, CWaypointType* type);
  virtual CWaypoint* TD_STDCALL AddWaypoint2D(const SGeo2D* position, CWaypointType* type);
  virtual uint8_t TD_STDCALL IsLocked();
  // Getters by index give null outside the list.
  virtual CWaypointGroup* TD_STDCALL GetGroup(int32_t index);
  virtual int32_t TD_STDCALL GetGroupCount();
  virtual SItemId* TD_STDCALL GetId();
  virtual int32_t TD_STDCALL GetStoreSize(uint8_t full);
  virtual uint8_t TD_STDCALL IsModified();
  virtual uint8_t TD_STDCALL IsReadOnly();
  virtual CWaypointRoute* TD_STDCALL GetRoute(int32_t index);
  virtual int32_t TD_STDCALL GetRouteCount();
  virtual CWaypointType* TD_STDCALL GetType(int32_t index);
  virtual int32_t TD_STDCALL GetTypeCount();
  virtual CWaypoint* TD_STDCALL GetWaypoint(int32_t index);
  virtual int32_t TD_STDCALL GetWaypointCount();
  virtual CWaypointManager* TD_STDCALL GetManager();
  // Writes version 2.0.0.0 beside the file and replaces it in one step; on
  // any failure the old file stays as it was and the database modified.
  virtual void TD_STDCALL Save(const CStr* fileName, uint32_t* error);

  // A whole file image from a stream at its start, as the file constructor reads it.
  bool ReadFrom(CStream& stream, CFixupList& fixups, SProgress* progress, uint32_t& error);
  // The file image as Save writes it, with the given modified time.
  bool WriteTo(CStream& stream, uint32_t modifiedTime, uint32_t& error);
  const CStr& GetFileName() const { return fileName_; }
  CItemList<CWaypointGroup>& Groups() { return groups_; }
  CItemList<CWaypointRoute>& Routes() { return routes_; }
  CItemList<CWaypointType>& Types() { return types_; }
  CItemList<CWaypoint>& Waypoints() { return waypoints_; }

  // Load-time creators: append without sorting, telling the manager or
  // marking the database modified.
  CWaypointGroup* CreateLoadedGroup(const SItemId& id, const CStr& name, uint32_t created,
                                    uint32_t modified);
  CWaypointRoute* CreateLoadedRoute(const SItemId& id, const CStr& name, uint32_t created,
                                    uint32_t modified);
  CWaypointType* CreateLoadedType(const STypeArgs& args);
  CWaypoint* CreateLoadedWaypoint(const SWaypointArgs& args);

  // Called by the items' Delete after their read-only check.
  void RemoveGroup(CWaypointGroup* group);
  void RemoveRoute(CWaypointRoute* route);
  void RemoveType(CWaypointType* type);
  void RemoveWaypoint(CWaypoint* waypoint);
  // Every waypoint of type goes over to the manager's default type.
  void ReplaceType(CWaypointType* type);
  void RemoveWaypointFromGroups(CWaypoint* waypoint);
  void SetModified(bool modified);
  // The numbers the names of the kind's items use, for their renames.
  CNameNumbers& NumbersOf(EItemKind kind);
  const CStr& GetName() const { return name_; }
  uint32_t GetContentVersion() const { return contentVersion_; }
  uint32_t GetModifiedTime() const { return modifiedTime_; }

 private:
  SItemArgs NewItemArgs(EItemKind kind);
  CNameNumbers& Names(EItemKind kind);
  template <class T>
  T* Track(CItemList<T>& list, td::TObjectPtr<T> item);
  template <class T>
  T* Adopt(CItemList<T>& list, td::TObjectPtr<T> item, void (CWaypointManager::*added)(T*));
  template <class T>
  bool Untrack(CItemList<T>& list, T* item);
  void LeaveManager() noexcept;
  // The part of each removal after the item has left this database's list:
  // the manager and the other items let go of it, and it is deleted.
  void ReleaseGroup(CWaypointGroup* group);
  void ReleaseRoute(CWaypointRoute* route);
  void ReleaseType(CWaypointType* type);
  void ReleaseWaypoint(CWaypoint* waypoint);

  CStr fileName_;
  CItemList<CWaypointGroup> groups_{kSlotDatabase};
  SItemId id_;
  CStr name_;
  uint8_t flags_;
  CItemList<CWaypointRoute> routes_{kSlotDatabase};
  uint8_t state_ = 0;
  uint32_t modifiedTime_ = 0;
  CItemList<CWaypointType> types_{kSlotDatabase};
  uint32_t contentVersion_;
  CItemList<CWaypoint> waypoints_{kSlotDatabase};
  CWaypointManager* manager_;
  CNameNumbers names_[4];
};
