/* A plain C host of the waypoint model: it builds a manager, a database and
 * one item of each kind through the exports and the tables of TdLib.h, calls
 * the last slot of every class and checks that each call leaves the stack as
 * it found it. */
#include <windows.h>
#include <string.h>

#include "TdLib.h"

typedef TdStr*(TDLIB_API* StrCreateFn)(const char*, int32_t);
typedef TdObject*(TDLIB_API* ObjectDeleteFn)(TdObject*);
typedef TdWaypointManager*(TDLIB_API* ManagerCreateFn)(uintptr_t, TdObject*, TdObject*, uint8_t,
                                                       float, float, const char*, int32_t, uint32_t,
                                                       uint32_t, int32_t, uint32_t, uint32_t,
                                                       int32_t);
typedef TdWaypointList*(TDLIB_API* ListCreateFn)(void);
typedef TdWaypointGroupList*(TDLIB_API* GroupListCreateFn)(void);
typedef TdRoutePoint*(TDLIB_API* PointCreateFn)(const double*, float);
typedef uint8_t(TDLIB_API* CheckIconFn)(int32_t, int32_t, float, float, uint32_t*);
typedef uint8_t(TDLIB_API* ValidateFn)(const char*, uint32_t*);
typedef TdBmp32*(TDLIB_API* Bmp32CreateFn)(uint32_t, int32_t, uint8_t);
typedef TdGeodeticCalibration*(TDLIB_API* CalibrationCreateFn)(void);
typedef void(TDLIB_API* DrawWaypointsFn)(TdBmp32*, TdGeodeticCalibration*, const double*, double,
                                         double, TdWaypointList*, uint8_t, TdWaypointHits*);

#if defined(_M_IX86) || defined(__i386__)
#define READ_SP(v) __asm__ volatile("movl %%esp, %0" : "=r"(v))
#else
#define READ_SP(v) ((v) = 0)
#endif

/* Runs one call between two stack readings; a difference ends the host. */
#define BALANCED(call)                                  \
  do {                                                  \
    uintptr_t before_, after_;                          \
    READ_SP(before_);                                   \
    call;                                               \
    READ_SP(after_);                                    \
    if (before_ != after_) return Fail(message, #call); \
  } while (0)

/* The tables as the header declares them: one function pointer per slot. */
#define SLOTS(table, count) _Static_assert(sizeof(table) == (count) * sizeof(void*), #table)
SLOTS(TdWaypointItemVtbl, 17);
SLOTS(TdWaypointLinkVtbl, 5);
SLOTS(TdWaypointVtbl, 54);
SLOTS(TdRoutePointVtbl, 20);
SLOTS(TdWaypointRouteVtbl, 31);
SLOTS(TdWaypointGroupVtbl, 25);
SLOTS(TdWaypointTypeVtbl, 40);
SLOTS(TdWaypointListVtbl, 15);
SLOTS(TdWaypointGroupListVtbl, 15);
SLOTS(TdWaypointDatabaseVtbl, 21);
SLOTS(TdWaypointManagerVtbl, 31);

static int Fail(char* message, const char* text) {
  strncpy(message, text, 127);
  message[127] = 0;
  return 0;
}

static int g_events;

static void TDLIB_API OnRouteEvent(void* context, TdWaypointRoute* route, int32_t index,
                                   TdRoutePoint* point) {
  (void)route;
  (void)point;
  g_events += index == 0 && context == &g_events;
}

int RunWaypointHost(const char* dll_path, char* message) {
  HMODULE dll = LoadLibraryA(dll_path);
  if (!dll) return Fail(message, "LoadLibrary failed");
  StrCreateFn str_create = (StrCreateFn)GetProcAddress(dll, "StrCreate");
  ObjectDeleteFn object_delete = (ObjectDeleteFn)GetProcAddress(dll, "ObjectDelete");
  ManagerCreateFn manager_create = (ManagerCreateFn)GetProcAddress(dll, "WaypointManagerCreate");
  ListCreateFn list_create = (ListCreateFn)GetProcAddress(dll, "WaypointListCreate");
  GroupListCreateFn group_list_create =
      (GroupListCreateFn)GetProcAddress(dll, "WaypointGroupListCreate");
  PointCreateFn point_create = (PointCreateFn)GetProcAddress(dll, "RoutePointCreate");
  CheckIconFn check_icon = (CheckIconFn)GetProcAddress(dll, "WPMCheckIcon");
  if (!str_create || !object_delete || !manager_create || !list_create || !group_list_create ||
      !point_create || !check_icon)
    return Fail(message, "export missing");

  uint32_t error = 7;
  uint8_t ok = 0;
  BALANCED(ok = check_icon(32, 32, 31.5f, -0.5f, &error));
  if (!ok || error != 0) return Fail(message, "WPMCheckIcon");

  ValidateFn validate = (ValidateFn)GetProcAddress(dll, "ValidateWaypointDB");
  if (!validate) return Fail(message, "export missing");
  error = 7;
  BALANCED(ok = validate("waypoint_host_selftest.wpt", &error));
  if (ok != 1 || error != 0 || GetFileAttributesA("waypoint_host_selftest.wpt") != INVALID_FILE_ATTRIBUTES)
    return Fail(message, "ValidateWaypointDB");
  BALANCED(ok = validate("no_such_folder\\selftest.wpt", &error));
  if (ok != 0 || error == 0) return Fail(message, "ValidateWaypointDB in a missing folder");

  TdWaypointManager* manager = NULL;
  BALANCED(manager = manager_create(77, NULL, NULL, 1, 16.0f, 16.0f, "Tahoma", 10, 1, 0xFF000000u,
                                    8, 0, 0xFF000000u, 5));
  if (!manager || manager->vtable->GetHostData(manager) != 77)
    return Fail(message, "WaypointManagerCreate");
  TdStr* name = str_create("Host", -1);
  TdWaypointDatabase* db = NULL;
  BALANCED(db = manager->vtable->CreateDatabase(manager, name, 5, 1));
  double position[3] = {0.1, 0.2, 3.0};
  TdWaypoint* waypoint = NULL;
  BALANCED(waypoint = db->vtable->AddWaypoint(db, position, NULL));
  TdWaypointGroup* group = db->vtable->AddGroup(db);
  TdWaypointRoute* route = db->vtable->AddRoute(db);
  TdWaypointType* type =
      db->vtable->AddType(db, NULL, NULL, 0, 0.0f, 0.0f, 9, 0, 0xFF102030u, 8, 0, 0);
  if (!waypoint || !group || !route || !type) return Fail(message, "database add operations");

  TdWaypointLink* link = NULL;
  BALANCED(link = waypoint->vtable->AddLink(waypoint, name, name, &error));
  BALANCED(link->vtable->SetText2(link, name, &error));
  BALANCED(waypoint->vtable->SetType(waypoint, type, &error));
  if (waypoint->vtable->GetType(waypoint) != type || error != 0)
    return Fail(message, "Waypoint SetType");
  BALANCED(((TdWaypointItem*)waypoint)->vtable->SetUserFlags((TdWaypointItem*)waypoint, 1, 2));
  if (!waypoint->vtable->TestUserFlags(waypoint, 2)) return Fail(message, "SetUserFlags");

  manager->vtable->AddRouteEventHandler(manager, OnRouteEvent, &g_events);
  TdRoutePoint* point = NULL;
  BALANCED(point = route->vtable->AddWaypoint(route, waypoint, 10.0f, &error));
  BALANCED(point->vtable->SetWaypoint(point, NULL, &error));
  BALANCED(route->vtable->RemovePoint(route, point, &error));
  if (g_events != 1 || route->vtable->GetPointCount(route) != 0)
    return Fail(message, "route event");

  BALANCED(group->vtable->RemoveWaypoint(group, waypoint, &error));
  if (error != 0x80033) return Fail(message, "Group RemoveWaypoint");
  BALANCED(type->vtable->SetCommentFontStyle(type, 9, &error));
  if (type->vtable->GetCommentFontStyle(type) != 1)
    return Fail(message, "Type SetCommentFontStyle");

  TdWaypointList* list = list_create();
  TdWaypointGroupList* groups = group_list_create();
  BALANCED(list->vtable->SetOwnsItems(list, 0));
  BALANCED(groups->vtable->SetOwnsItems(groups, 0));
  list->vtable->Add(list, waypoint);
  BALANCED(manager->vtable->MarkWaypoints(manager, list, 4));
  if (!waypoint->vtable->TestUserFlags(waypoint, 4)) return Fail(message, "MarkWaypoints");
  char path[MAX_PATH];
  DWORD folder = GetTempPathA(MAX_PATH - 20, path);
  strcpy(path + folder, "WaypointHost.wpt");
  TdStr* file_name = str_create(path, (int32_t)strlen(path));
  BALANCED(db->vtable->Save(db, file_name, &error));
  object_delete((TdObject*)file_name);
  if (error != 0) return Fail(message, "Save with a type given no icon");
  DeleteFileA(path);

  Bmp32CreateFn bmp32_create = (Bmp32CreateFn)GetProcAddress(dll, "Bmp32Create");
  CalibrationCreateFn calibration_create =
      (CalibrationCreateFn)GetProcAddress(dll, "GeodeticCalibrationCreate");
  DrawWaypointsFn draw_waypoints = (DrawWaypointsFn)GetProcAddress(dll, "DrawWaypoints");
  if (!bmp32_create || !calibration_create || !draw_waypoints)
    return Fail(message, "drawing exports missing");
  TdBmp32* canvas = bmp32_create(64, 64, 0);
  TdGeodeticCalibration* view = calibration_create();
  static TdWaypointHits hits;
  hits.count = 7;
  BALANCED(draw_waypoints(canvas, view, position, 10.0, 500.0, list, 1, &hits));
  BALANCED(draw_waypoints(canvas, view, position, 0.0, 500.0, list, 1, &hits));
  if (hits.count != 0) return Fail(message, "DrawWaypoints with no scale drew");
  object_delete((TdObject*)view);
  object_delete((TdObject*)canvas);

  TdRoutePoint* free_point = NULL;
  BALANCED(free_point = point_create(position, 2.5f));
  if (free_point->vtable->GetRadius(free_point) != 2.5f ||
      !free_point->vtable->IsReadOnly(free_point))
    return Fail(message, "RoutePointCreate");

  object_delete((TdObject*)free_point);
  object_delete((TdObject*)list);
  object_delete((TdObject*)groups);
  object_delete((TdObject*)name);
  BALANCED(object_delete((TdObject*)manager));
  FreeLibrary(dll);
  return 1;
}
