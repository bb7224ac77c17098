// CWaypointManager: creates and holds waypoint databases, keeps one list per
// item kind over all of them in identifier order, owns the built-in default
// type and group and the routes of no database, and tells subscribers when a
// point leaves a route. Host thread only; items and databases it returns stay
// valid until they are deleted or the manager goes. Without a night screen
// (none initialised before the manager) everything stays in day mode; one
// that exists must outlive the manager.
#pragma once

#include <cstdint>
#include <memory>

#include "lib/foundation/containers/Array.h"
#include "lib/foundation/core/Callback.h"
#include "lib/foundation/containers/List.h"
#include "lib/foundation/text/Str.h"
#include "lib/geodesy/GeoPosition.h"
#include "lib/waypoints/ItemList.h"
#include "lib/waypoints/WaypointDatabase.h"
#include "lib/waypoints/WaypointGroup.h"
#include "lib/waypoints/WaypointRoute.h"
#include "lib/waypoints/WaypointType.h"

// A route-event subscriber: the point has left the route and is still alive.
typedef void(TD_STDCALL* TRouteEventFunc)(void* context, CWaypointRoute* route, int32_t index,
                                          CRoutePoint* point);
// What an internal route listener hears: the route is about to be destroyed,
// its points are about to be replaced (Assign), or they have been replaced.
// In the first two cases the old points still live during the call.
enum class ERouteReset { Destroying, Replacing, Replaced };
typedef void (*TRouteResetFunc)(void* context, CWaypointRoute* route, ERouteReset reset);

struct SWaypointManagerArgs {
  uintptr_t hostValue;
  CBmp32* icon;
  CBmp32* overlay;
  uint8_t unused;
  float originX;
  float originY;
  const char* fontName;
  STypeLook look;
  int32_t labelPlacement;
};

class CWaypointManager : public CObject {
 public:
  explicit CWaypointManager(const SWaypointManagerArgs& args);
  // Destroys the routes of no database still alive, then every database.
  ~CWaypointManager();
  TD_DELETE_THIS(CWaypointManager)

  virtual void TD_STDCALL AddRouteEventHandler(TRouteEventFunc function, void* context);
  // Loading: BeginLoad, OpenDatabase per file, EndLoad, which resolves the
  // references between the files. progress (an SProgress) must stay valid
  // until EndLoad.
  virtual void TD_STDCALL BeginLoad(int32_t fileCount, void* progress);
  virtual CWaypointDatabase* TD_STDCALL CreateDatabase(const CStr* name, uint32_t contentVersion,
                                                       uint8_t locked);
  virtual CWaypointRoute* TD_STDCALL CreateRoute();
  virtual void TD_STDCALL EndLoad();
  virtual uint8_t TD_STDCALL FindGroup(const SItemId* id, int32_t* index);
  virtual uint8_t TD_STDCALL FindRoute(const SItemId* id, int32_t* index);
  virtual uint8_t TD_STDCALL FindType(const SItemId* id, int32_t* index);
  virtual uint8_t TD_STDCALL FindWaypoint(const SItemId* id, int32_t* index);
  virtual uintptr_t TD_STDCALL GetHostData();
  // Getters by index give null outside the list.
  virtual CWaypointDatabase* TD_STDCALL GetDatabase(int32_t index);
  virtual int32_t TD_STDCALL GetDatabaseCount();
  virtual int32_t TD_STDCALL GetDefaultLabelPlacement();
  virtual CStr* TD_STDCALL GetFontName();
  virtual CWaypointGroup* TD_STDCALL GetGroup(int32_t index);
  virtual int32_t TD_STDCALL GetGroupCount();
  virtual int32_t TD_STDCALL GetStoreSize(uint8_t full);
  virtual CWaypointRoute* TD_STDCALL GetRoute(int32_t index);
  virtual int32_t TD_STDCALL GetRouteCount();
  virtual CWaypointType* TD_STDCALL GetType(int32_t index);
  virtual int32_t TD_STDCALL GetTypeCount();
  virtual CWaypointType* TD_STDCALL GetDefaultType();
  virtual CWaypoint* TD_STDCALL GetWaypoint(int32_t index);
  virtual int32_t TD_STDCALL GetWaypointCount();
  virtual void TD_STDCALL GetGroupWaypoints(CWaypointList* waypoints, CWaypointGroupList* groups);
  virtual CWaypointGroup* TD_STDCALL GetDefaultGroup();
  // A database already open gives 0x80001; a file that repeats an item
  // identifier, holds an all-zero one or one already open gives 0x10015. On
  // any error the manager stays as it was.
  virtual CWaypointDatabase* TD_STDCALL OpenDatabase(const CStr* fileName, uint32_t* error);
  virtual void TD_STDCALL FindWaypointsInRadius(const SGeo2D* position, uint16_t mask,
                                                CWaypointList* found);
  virtual void TD_STDCALL RemoveRouteEventHandler(TRouteEventFunc function, void* context);
  virtual void TD_STDCALL MarkWaypoints(CWaypointList* waypoints, uint16_t mask);

  // Room in the lists a new item of the kind joins (a waypoint also joins
  // the built-in group), so that the Added call for it cannot fail.
  void ReserveForAdded(EItemKind kind);
  // Told by the databases.
  void GroupAdded(CWaypointGroup* group) { groups_.Append(group); }
  void RouteAdded(CWaypointRoute* route) { routes_.Append(route); }
  void TypeAdded(CWaypointType* type) { types_.Append(type); }
  void WaypointAdded(CWaypoint* waypoint);
  void GroupRemoved(CWaypointGroup* group);
  void RouteRemoved(CWaypointRoute* route) { routes_.Remove(route); }
  void TypeRemoved(CWaypointType* type);
  void WaypointRemoved(CWaypoint* waypoint);
  // A route of CreateRoute deletes itself through this.
  void OwnRouteRemoved(CWaypointRoute* route);
  // The routes of CreateRoute still alive, and the route-event subscribers.
  int32_t GetOwnRouteCount() const { return ownRoutes_.GetCount(); }
  int32_t GetRouteSubscriberCount() const { return subscribers_.GetCount(); }
  // Whether the database is in the manager's list: a database being
  // destroyed is there when a host closes it, not when the manager goes.
  bool HoldsDatabase(const CWaypointDatabase* database) const {
    return databases_.IndexOf(database) >= 0;
  }
  // A closed database leaves the list, its items gone.
  void DatabaseClosed(CWaypointDatabase* database) { databases_.Remove(database); }
  // Subscribers from the last added to the first; one that is unsubscribed
  // during the walk is not called any more.
  void FireRouteEvent(CWaypointRoute* route, int32_t index, CRoutePoint* point);
  // AddRouteEventHandler for the library's own callers: throws when memory runs out.
  void AddRouteSubscriber(TRouteEventFunc function, void* context);
  void AddRouteResetListener(TRouteResetFunc function, void* context);
  void RemoveRouteResetListener(TRouteResetFunc function, void* context);
  void RouteResetting(CWaypointRoute* route, ERouteReset reset);
  CStr* GetDefaultTypeName();
  CStr* GetDefaultGroupName();
  bool IsLoading() const { return loading_ != 0; }
  CStr* GetEmptyText() { return &emptyText_; }
  // OpenDatabase over a file image in a stream.
  CWaypointDatabase* OpenDatabaseFrom(CStream& stream, uint32_t* error);
  // The fix-ups waiting for EndLoad; null when there are none.
  const CFixupList* GetPendingFixups() const { return fixups_.HasWaiting() ? &fixups_ : nullptr; }

 private:
  static constexpr int32_t kPrefetchAhead = 16;
  void PrefetchItem(int32_t index);
  // A walk over callbacks under way, from the last to the first. It lives on
  // the caller's stack and reads the array itself, so that a walk allocates
  // nothing (a route's destructor runs one); RemoveCallback moves each walk
  // over the same array past the entry it removes.
  struct SCallbackWalk {
    const CArray<SCallback>* callbacks;
    int32_t next;
    SCallbackWalk* outer;
  };
  template <class Func, class... Args>
  void CallEach(CArray<SCallback>& callbacks, Args... args);
  bool RemoveCallback(CArray<SCallback>& callbacks, const SCallback& callback);
  template <class Read>
  CWaypointDatabase* OpenWith(Read read, uint32_t& error);
  bool CheckNewDatabase(CWaypointDatabase& database, uint32_t& error);
  void ReserveItemsOf(CWaypointDatabase& database);
  // After ReserveItemsOf it allocates nothing.
  void AdoptItemsOf(CWaypointDatabase& database);
  void AdvanceFileProgress();
  void ResolveFixups();
  void SettleDefaultGroup();
  // Every type, the built-in one included, rebuilds its display icon.
  static void TD_STDCALL OnNightScreenChange(void* context, CNightScreen& screen,
                                             ENightScreenChange change);

  uintptr_t hostValue_;
  CList<CWaypointDatabase> databases_;  // owned: the destructor frees them
  int32_t labelPlacement_;
  CStr emptyText_;
  CStr fontName_;
  CItemList<CWaypointGroup> groups_{kSlotManager};
  uint8_t loading_ = 0;
  CItemList<CWaypointRoute> routes_{kSlotManager};
  CList<CWaypointRoute> ownRoutes_;
  CWaypointType* defaultType_ = nullptr;
  CStr defaultTypeName_;
  CItemList<CWaypointType> types_{kSlotManager};
  CWaypointGroup* defaultGroup_ = nullptr;
  CStr defaultGroupName_;
  CItemList<CWaypoint> waypoints_{kSlotManager};
  CArray<SCallback> subscribers_;
  CArray<SCallback> resetListeners_;
  SCallbackWalk* walks_ = nullptr;
  CFixupList fixups_;
  std::unique_ptr<SProgress> stage_;
  int32_t stageCount_ = 0;
  int32_t filesDone_ = 0;
  CNightScreen* nightScreen_;
};
