/* A careless C host: it calls slots of every exported class that take an
 * index, a flag byte, a NaN or an object of another manager with the values a
 * host gets wrong, through the tables of TdLib.h. Each row says which slot,
 * which value and what must come back; every call must return (the process
 * lives), leave the stack balanced, give the failure result and leave the
 * object's count as it was. */
#include <math.h>
#include <stddef.h>
#include <string.h>
#include <windows.h>

#include "TdLib.h"

static const char* g_Unbalanced;
#include "StackBalance.h"

/* The slot number of a member of a table. */
#define SLOT(Table, member) ((int)(offsetof(Table, member) / sizeof(void*)))
#define NONE (-1)

/* Calls through a table entry in the shapes the rows use. */
typedef uintptr_t(TDLIB_API* IndexSlot)(void* self, int32_t index);
typedef uintptr_t(TDLIB_API* Getter)(void* self);
typedef void(TDLIB_API* ByteSetter)(void* self, uint8_t value);
typedef float(TDLIB_API* FloatGetter)(void* self);
typedef void(TDLIB_API* FloatSetter)(void* self, float value);
typedef void(TDLIB_API* IndexErrorSlot)(void* self, int32_t index, uint32_t* error);
typedef void(TDLIB_API* ObjectErrorSlot)(void* self, void* object, uint32_t* error);

static void* Entry(void* object, int slot) { return (*(void* const* const*)object)[slot]; }

static uintptr_t Count(void* object, int countSlot) {
  return countSlot == NONE ? 0 : ((Getter)Entry(object, countSlot))(object);
}

/* The objects the rows name, made before the rows run. */
static void* g_Mipmap;
static void* g_Tiles;
static void* g_Tag;
static void* g_Bounds;
static void* g_Bsb;
static void* g_Sound;
static void* g_Port;
static void* g_Clock;
static void* g_Interpreter;
static void* g_CourseQueue;
static void* g_Detector;
static void* g_Bmp32;
static void* g_Bmp16;
static void* g_Night;
static void* g_Manager;
static void* g_Database;
static void* g_Waypoint;
static void* g_Group;
static void* g_Route;
static void* g_Point;
static void* g_List;
static void* g_OtherWaypoint; /* of another manager */
static void* g_OtherType;     /* of another manager */

/* A slot given an index outside its table: the masked result and the count. */
typedef struct IndexRow {
  const char* name;
  void** object;
  int slot;
  int32_t index;
  uintptr_t mask; /* the bits of the result type: 0xFF for a byte */
  uintptr_t expected;
  int countSlot;
} IndexRow;

#define PTR ((uintptr_t)-1)
#define U8 ((uintptr_t)0xFF)
#define U32 ((uintptr_t)0xFFFFFFFFu)

static const IndexRow kIndexRows[] = {
    {"MipmapTable GetTileCount past the end", &g_Mipmap, SLOT(TdTCF2MipmapTableVtbl, GetTileCount),
     2, U32, 0, SLOT(TdTCF2MipmapTableVtbl, GetCount)},
    {"MipmapTable GetMipmap -1", &g_Mipmap, SLOT(TdTCF2MipmapTableVtbl, GetMipmap), -1, PTR, 0,
     SLOT(TdTCF2MipmapTableVtbl, GetCount)},
    {"TileTable GetEntry past the end", &g_Tiles, SLOT(TdTCF2TileTableVtbl, GetEntry), 5, PTR, 0,
     SLOT(TdTCF2TileTableVtbl, GetCount)},
    {"Bounds DeletePoint on none", &g_Bounds, SLOT(TdTCF2BoundsVtbl, DeletePoint), 0, U8, 0,
     SLOT(TdTCF2BoundsVtbl, GetCount)},
    {"Bounds DeletePoint INT32_MIN", &g_Bounds, SLOT(TdTCF2BoundsVtbl, DeletePoint), INT32_MIN, U8,
     0, SLOT(TdTCF2BoundsVtbl, GetCount)},
    {"BSBChartInfoFile Delete -1", &g_Bsb, SLOT(TdBSBChartInfoFileVtbl, Delete), -1, 0, 0,
     SLOT(TdBSBChartInfoFileVtbl, GetCount)},
    {"NMEAMsgQueue GetItem -1", &g_CourseQueue, SLOT(TdNMEAMsgQueueTable, GetItem), -1, PTR, 0,
     SLOT(TdNMEAMsgQueueTable, GetCount)},
    {"NMEADetector GetTalkerFilter -1", &g_Detector, SLOT(TdNMEADetectorTable, GetTalkerFilter), -1,
     U32, 0, SLOT(TdNMEADetectorTable, GetTalkerFilterCount)},
    {"NMEADetector GetSentenceFilter past the end", &g_Detector,
     SLOT(TdNMEADetectorTable, GetSentenceFilter), 1, U32, 0,
     SLOT(TdNMEADetectorTable, GetSentenceFilterCount)},
    {"NMEADetector GetSetting past the end", &g_Detector, SLOT(TdNMEADetectorTable, GetSetting), 0,
     PTR, 0, SLOT(TdNMEADetectorTable, GetSettingCount)},
    {"Bmp32 GetScanLine -1", &g_Bmp32, SLOT(TdBmp32Vtbl, GetScanLine), -1, PTR, 0, NONE},
    {"Bmp32 GetScanLine past the end", &g_Bmp32, SLOT(TdBmp32Vtbl, GetScanLine), 9, PTR, 0, NONE},
    {"Bmp16 GetScanLine INT32_MIN", &g_Bmp16, SLOT(TdBmp16Vtbl, GetScanLine), INT32_MIN, PTR, 0,
     NONE},
    {"Manager GetDatabase past the end", &g_Manager, SLOT(TdWaypointManagerVtbl, GetDatabase), 1,
     PTR, 0, SLOT(TdWaypointManagerVtbl, GetDatabaseCount)},
    {"Manager GetGroup -1", &g_Manager, SLOT(TdWaypointManagerVtbl, GetGroup), -1, PTR, 0,
     SLOT(TdWaypointManagerVtbl, GetGroupCount)},
    {"Manager GetWaypoint past the end", &g_Manager, SLOT(TdWaypointManagerVtbl, GetWaypoint), 99,
     PTR, 0, SLOT(TdWaypointManagerVtbl, GetWaypointCount)},
    {"Database GetRoute -1", &g_Database, SLOT(TdWaypointDatabaseVtbl, GetRoute), -1, PTR, 0,
     SLOT(TdWaypointDatabaseVtbl, GetRouteCount)},
    {"Database GetType past the end", &g_Database, SLOT(TdWaypointDatabaseVtbl, GetType), 99, PTR,
     0, SLOT(TdWaypointDatabaseVtbl, GetTypeCount)},
    {"Group GetWaypoint -1", &g_Group, SLOT(TdWaypointGroupVtbl, GetWaypoint), -1, PTR, 0,
     SLOT(TdWaypointGroupVtbl, GetCount)},
    {"Route GetPoint past the end", &g_Route, SLOT(TdWaypointRouteVtbl, GetPoint), 1, PTR, 0,
     SLOT(TdWaypointRouteVtbl, GetPointCount)},
    {"Waypoint GetLink past the end", &g_Waypoint, SLOT(TdWaypointVtbl, GetLink), 0, PTR, 0,
     SLOT(TdWaypointVtbl, GetLinkCount)},
    {"WaypointList GetItem -1", &g_List, SLOT(TdWaypointListVtbl, GetItem), -1, PTR, 0,
     SLOT(TdWaypointListVtbl, GetCount)},
    {"WaypointList Delete past the end", &g_List, SLOT(TdWaypointListVtbl, Delete), 1, 0, 0,
     SLOT(TdWaypointListVtbl, GetCount)},
};

/* A byte flag of 2 set, then read back: a boolean result is exactly 0 or 1. */
typedef struct FlagRow {
  const char* name;
  void** object;
  int setter, getter;
} FlagRow;

static const FlagRow kFlagRows[] = {
    {"Tag SetFlag", &g_Tag, SLOT(TdTCF2TagVtbl, SetFlag), SLOT(TdTCF2TagVtbl, GetFlag)},
    {"Sound SetEnabled", &g_Sound, SLOT(TdSoundTable, SetEnabled), SLOT(TdSoundTable, GetEnabled)},
    {"CommPort SetErrorCharEnabled", &g_Port, SLOT(TdCommPortTable, SetErrorCharEnabled),
     SLOT(TdCommPortTable, GetErrorCharEnabled)},
    {"Interpreter SetTimeoutEnabled", &g_Interpreter,
     SLOT(TdNMEAInterpreterTable, SetTimeoutEnabled),
     SLOT(TdNMEAInterpreterTable, GetTimeoutEnabled)},
    {"Interpreter SetActive", &g_Interpreter, SLOT(TdNMEAInterpreterTable, SetActive),
     SLOT(TdNMEAInterpreterTable, IsActive)},
    {"NightScreen SetNight", &g_Night, SLOT(TdNightScreenVtbl, SetNight),
     SLOT(TdNightScreenVtbl, IsNight)},
    {"WaypointList SetOwnsItems", &g_List, SLOT(TdWaypointListVtbl, SetOwnsItems),
     SLOT(TdWaypointListVtbl, GetOwnsItems)},
};

/* NaN given to a float setter: ignored, the getter gives what it gave. */
typedef struct NaNRow {
  const char* name;
  void** object;
  int setter, getter;
} NaNRow;

static const NaNRow kNaNRows[] = {
    {"NightScreen SetBrightness", &g_Night, SLOT(TdNightScreenVtbl, SetBrightness),
     SLOT(TdNightScreenVtbl, GetBrightness)},
    {"NightScreen SetBrightnessMax", &g_Night, SLOT(TdNightScreenVtbl, SetBrightnessMax),
     SLOT(TdNightScreenVtbl, GetBrightnessMax)},
    {"NMEADetector SetListenTime", &g_Detector, SLOT(TdNMEADetectorTable, SetListenTime),
     SLOT(TdNMEADetectorTable, GetListenTime)},
};

/* An index or an object the slot with an error pointer must refuse. */
typedef struct RefusalRow {
  const char* name;
  void** object;
  int slot;
  int32_t index;   /* for slots that take an index */
  void** argument; /* for slots that take an object, else NULL */
  uint32_t expected;
  int countSlot;
} RefusalRow;

static const RefusalRow kRefusalRows[] = {
    {"Group RemoveAt -1", &g_Group, SLOT(TdWaypointGroupVtbl, RemoveAt), -1, NULL, 0x80034,
     SLOT(TdWaypointGroupVtbl, GetCount)},
    {"Route DeletePoint past the end", &g_Route, SLOT(TdWaypointRouteVtbl, DeletePoint), 1, NULL,
     0x80034, SLOT(TdWaypointRouteVtbl, GetPointCount)},
    {"Waypoint DeleteLink -1", &g_Waypoint, SLOT(TdWaypointVtbl, DeleteLink), -1, NULL, 0x80034,
     SLOT(TdWaypointVtbl, GetLinkCount)},
    {"Group AddWaypoint of another manager", &g_Group, SLOT(TdWaypointGroupVtbl, AddWaypoint), 0,
     &g_OtherWaypoint, 0x80034, SLOT(TdWaypointGroupVtbl, GetCount)},
    {"Waypoint SetType of another manager", &g_Waypoint, SLOT(TdWaypointVtbl, SetType), 0,
     &g_OtherType, 0x80034, NONE},
    {"RoutePoint SetWaypoint of another manager", &g_Point, SLOT(TdRoutePointVtbl, SetWaypoint), 0,
     &g_OtherWaypoint, 0x80034, NONE},
};

static int Fail(char* message, const char* what, const char* row) {
  strncpy(message, what, 63);
  message[63] = 0;
  strncat(message, ": ", 127 - strlen(message));
  strncat(message, row, 127 - strlen(message));
  return 0;
}

static int RunIndexRows(char* message) {
  for (size_t i = 0; i < sizeof kIndexRows / sizeof kIndexRows[0]; ++i) {
    const IndexRow* r = &kIndexRows[i];
    void* self = *r->object;
    uintptr_t before = Count(self, r->countSlot), result = 0;
    BALANCED(r->name, result = ((IndexSlot)Entry(self, r->slot))(self, r->index));
    if ((result & r->mask) != r->expected) return Fail(message, "result", r->name);
    if (Count(self, r->countSlot) != before) return Fail(message, "changed", r->name);
  }
  return 1;
}

static int RunFlagRows(char* message) {
  for (size_t i = 0; i < sizeof kFlagRows / sizeof kFlagRows[0]; ++i) {
    const FlagRow* r = &kFlagRows[i];
    void* self = *r->object;
    uintptr_t was = ((Getter)Entry(self, r->getter))(self)&0xFF, is = 0;
    BALANCED(r->name, ((ByteSetter)Entry(self, r->setter))(self, 2));
    is = ((Getter)Entry(self, r->getter))(self)&0xFF;
    ((ByteSetter)Entry(self, r->setter))(self, (uint8_t)was);
    if (is != 1) return Fail(message, "not 1", r->name);
  }
  return 1;
}

static int RunNaNRows(char* message) {
  for (size_t i = 0; i < sizeof kNaNRows / sizeof kNaNRows[0]; ++i) {
    const NaNRow* r = &kNaNRows[i];
    void* self = *r->object;
    float before = ((FloatGetter)Entry(self, r->getter))(self);
    BALANCED(r->name, ((FloatSetter)Entry(self, r->setter))(self, (float)NAN));
    if (((FloatGetter)Entry(self, r->getter))(self) != before)
      return Fail(message, "changed", r->name);
  }
  return 1;
}

static int RunRefusalRows(char* message) {
  for (size_t i = 0; i < sizeof kRefusalRows / sizeof kRefusalRows[0]; ++i) {
    const RefusalRow* r = &kRefusalRows[i];
    void* self = *r->object;
    uintptr_t before = Count(self, r->countSlot);
    uint32_t error = 7;
    if (r->argument)
      BALANCED(r->name, ((ObjectErrorSlot)Entry(self, r->slot))(self, *r->argument, &error));
    else
      BALANCED(r->name, ((IndexErrorSlot)Entry(self, r->slot))(self, r->index, &error));
    if (error != r->expected) return Fail(message, "error code", r->name);
    if (Count(self, r->countSlot) != before) return Fail(message, "changed", r->name);
  }
  return 1;
}

/* Cases whose slots take more than one careless value. */
static int RunOtherCases(char* message, TdStr* text) {
  TdTCF2Tag* tag = (TdTCF2Tag*)g_Tag;
  BALANCED("Tag AddLink type 2", tag->vtable->AddLink(tag, 2, text, text));
  if (tag->vtable->GetLinkCount(tag) != 0) return Fail(message, "changed", "Tag AddLink type 2");
  BALANCED("Tag SetOptValues 2", tag->vtable->SetOptValues(tag, 2, 1.0, 2.0, 3.0));
  if (tag->vtable->HasOptValues(tag) != 1) return Fail(message, "not 1", "Tag SetOptValues 2");

  /* The tile table refuses levels a host changed so that they overlap. */
  TdTCF2MipmapTable* mipmap = (TdTCF2MipmapTable*)g_Mipmap;
  TdTCF2TileTable* tiles = (TdTCF2TileTable*)g_Tiles;
  const TdTCF2Mipmap overlapping = {256, 256, 1, 1, 0};
  uint8_t built = 1;
  mipmap->vtable->SetMipmap(mipmap, 1, &overlapping);
  BALANCED("TileTable Build on changed levels", built = tiles->vtable->Build(tiles, 1, mipmap));
  if (built != 0 || tiles->vtable->GetCount(tiles) != 5)
    return Fail(message, "result", "TileTable Build on changed levels");

  TdWaypointRoute* route = (TdWaypointRoute*)g_Route;
  uint32_t error = 7;
  TdRoutePoint* point = NULL;
  BALANCED("Route AddWaypoint of another manager",
           point = route->vtable->AddWaypoint(route, (TdWaypoint*)g_OtherWaypoint, 0.0f, &error));
  if (point || error != 0x80034 || route->vtable->GetPointCount(route) != 1)
    return Fail(message, "result", "Route AddWaypoint of another manager");
  return 1;
}

typedef TdObject*(TDLIB_API* ObjectCreateFn)(void);
typedef TdObject*(TDLIB_API* ObjectDeleteFn)(TdObject*);
typedef TdStr*(TDLIB_API* StrCreateFn)(const char*, int32_t);
typedef TdObject*(TDLIB_API* InterpreterCreateFn)(TdObject*, void*, void*, void*, void*, void*,
                                                  void*, void*, void*, void*, void*, void*, void*);
typedef void*(TDLIB_API* BmpCreateFn)(uint32_t, int32_t, uint8_t);
typedef TdWaypointManager*(TDLIB_API* ManagerCreateFn)(uintptr_t, TdBmp32*, TdBmp32*, uint8_t,
                                                       float, float, const char*, int32_t, uint32_t,
                                                       uint32_t, int32_t, uint32_t, uint32_t,
                                                       int32_t);

static TdWaypointManager* NewManager(ManagerCreateFn create, TdStr* name,
                                     TdWaypointDatabase** database) {
  TdWaypointManager* manager =
      create(1, NULL, NULL, 0, 16.0f, 16.0f, "Tahoma", 10, 1, 0xFF000000u, 8, 0, 0xFF000000u, 5);
  *database = manager ? manager->vtable->CreateDatabase(manager, name, 1, 0) : NULL;
  return manager;
}

int RunCarelessHost(const char* dll_path, char* message) {
  HMODULE dll = LoadLibraryA(dll_path);
  if (!dll) return Fail(message, "LoadLibrary failed", dll_path);
#define EXPORT(type, name) type name = (type)GetProcAddress(dll, #name)
  EXPORT(ObjectCreateFn, TCF2MipmapTableCreate);
  EXPORT(ObjectCreateFn, TCF2TileTableCreate);
  EXPORT(ObjectCreateFn, TCF2TagCreate);
  EXPORT(ObjectCreateFn, TCF2BoundsCreate);
  EXPORT(ObjectCreateFn, BSBChartInfoFileCreate);
  EXPORT(ObjectCreateFn, SoundCreate);
  EXPORT(ObjectCreateFn, CommPortCreate);
  EXPORT(ObjectCreateFn, GPSClockCreate);
  EXPORT(ObjectCreateFn, NMEADetectorCreate);
  EXPORT(ObjectCreateFn, NightScreenInitialize);
  EXPORT(InterpreterCreateFn, NMEAInterpreterCreate);
  EXPORT(BmpCreateFn, Bmp32Create);
  EXPORT(BmpCreateFn, Bmp16Create);
  EXPORT(ManagerCreateFn, WaypointManagerCreate);
  EXPORT(ObjectCreateFn, WaypointListCreate);
  EXPORT(ObjectDeleteFn, ObjectDelete);
  EXPORT(StrCreateFn, StrCreate);
#undef EXPORT
  if (!TCF2MipmapTableCreate || !TCF2TileTableCreate || !TCF2TagCreate || !TCF2BoundsCreate ||
      !BSBChartInfoFileCreate || !SoundCreate || !CommPortCreate || !GPSClockCreate ||
      !NMEADetectorCreate || !NightScreenInitialize || !NMEAInterpreterCreate || !Bmp32Create ||
      !Bmp16Create || !WaypointManagerCreate || !WaypointListCreate || !ObjectDelete || !StrCreate)
    return Fail(message, "export missing", "");

  TdStr* text = StrCreate("careless", -1);
  uint32_t total = 0;
  g_Mipmap = TCF2MipmapTableCreate();
  g_Tiles = TCF2TileTableCreate();
  ((TdTCF2MipmapTable*)g_Mipmap)->vtable->Build((TdTCF2MipmapTable*)g_Mipmap, 2, 512, 512, &total);
  ((TdTCF2TileTable*)g_Tiles)
      ->vtable->Build((TdTCF2TileTable*)g_Tiles, (int32_t)total, (TdTCF2MipmapTable*)g_Mipmap);
  g_Tag = TCF2TagCreate();
  g_Bounds = TCF2BoundsCreate();
  g_Bsb = BSBChartInfoFileCreate();
  g_Sound = SoundCreate();
  g_Port = CommPortCreate();
  g_Clock = GPSClockCreate();
  g_Interpreter = NMEAInterpreterCreate((TdObject*)g_Clock, NULL, NULL, NULL, NULL, NULL, NULL,
                                        NULL, NULL, NULL, NULL, NULL, NULL);
  g_CourseQueue = g_Interpreter ? ((const TdNMEAInterpreterTable*)*(void**)g_Interpreter)
                                      ->GetCourseQueue((TdObject*)g_Interpreter)
                                : NULL;
  g_Detector = NMEADetectorCreate();
  g_Bmp32 = Bmp32Create(8, 8, 0);
  g_Bmp16 = Bmp16Create(8, 8, 0);
  g_Night = NightScreenInitialize();

  TdWaypointDatabase* database = NULL;
  TdWaypointDatabase* otherDatabase = NULL;
  TdWaypointManager* manager = NewManager(WaypointManagerCreate, text, &database);
  TdWaypointManager* other = NewManager(WaypointManagerCreate, text, &otherDatabase);
  if (!database || !otherDatabase) return Fail(message, "no waypoint database", "");
  const double at[3] = {0.1, 0.2, 0.0};
  g_Manager = manager;
  g_Database = database;
  g_Waypoint = database->vtable->AddWaypoint(database, at, NULL);
  g_Group = database->vtable->AddGroup(database);
  g_Route = database->vtable->AddRoute(database);
  uint32_t error = 0;
  g_Point =
      ((TdWaypointRoute*)g_Route)
          ->vtable->AddWaypoint((TdWaypointRoute*)g_Route, (TdWaypoint*)g_Waypoint, 0.0f, &error);
  g_List = WaypointListCreate();
  g_OtherWaypoint = otherDatabase->vtable->AddWaypoint(otherDatabase, at, NULL);
  g_OtherType = other->vtable->GetDefaultType(other);

  void** made[] = {&g_Mipmap,   &g_Tiles, &g_Tag,   &g_Bounds,      &g_Bsb,
                   &g_Sound,    &g_Port,  &g_Clock, &g_Interpreter, &g_CourseQueue,
                   &g_Detector, &g_Bmp32, &g_Bmp16, &g_Night,       &g_Waypoint,
                   &g_Group,    &g_Route, &g_Point, &g_List,        &g_OtherWaypoint,
                   &g_OtherType};
  for (size_t i = 0; i < sizeof made / sizeof made[0]; ++i)
    if (!*made[i]) return Fail(message, "an object was not made", "");

  int passed = RunIndexRows(message) && RunFlagRows(message) && RunNaNRows(message) &&
               RunRefusalRows(message) && RunOtherCases(message, text);
  if (passed && g_Unbalanced) passed = Fail(message, "stack unbalanced", g_Unbalanced);

  void* owned[] = {g_List, other,    manager, g_Detector, g_Interpreter, g_Clock, g_Port,  g_Sound,
                   g_Bsb,  g_Bounds, g_Tag,   g_Tiles,    g_Mipmap,      g_Bmp32, g_Bmp16, text};
  for (size_t i = 0; i < sizeof owned / sizeof owned[0]; ++i) ObjectDelete((TdObject*)owned[i]);
  return passed;
}
