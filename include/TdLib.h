/* TdLib: the exports of TdLib.dll for C and C++ hosts.
 *
 * Every function uses the standard Windows calling convention. Objects come
 * from the factories and are freed with ObjectDelete. Each exported class is
 * listed with its virtual operations in table order: slot 0 is always the
 * deleting destructor (flag bit 0 frees), and every operation takes the
 * object as its first argument on the stack.
 */
#ifndef TDLIB_H
#define TDLIB_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define TDLIB_API __stdcall

/* ---- object model, strings, errors ---- */

typedef struct TdObject TdObject;
typedef void* (TDLIB_API* TdDeleteThis)(TdObject* self, unsigned flags); /* slot 0 of every class */

/* CStr: a 16-byte object: table, length, characters, wide copy. */
typedef struct TdStr {
  const void* const* vtable; /* slot 0: TdDeleteThis */
  int32_t length;            /* characters, not counting the terminator */
  char* chars;               /* always terminated */
  uint16_t* wide;            /* UTF-16 copy, null until made */
} TdStr;

TdObject* TDLIB_API ObjectDelete(TdObject* object);
TdStr* TDLIB_API StrCreate(const char* text, int32_t length);
const char* TDLIB_API ErrorToStr(uint32_t code);

/* ---- runtime ---- */

/* CStream: a byte stream with 64-bit positions (seek origin 0 start,
 * 1 current, 2 end). Its table: */
typedef struct TdStreamTable {
  TdDeleteThis DeleteThis;
  int64_t(TDLIB_API* GetPosition)(TdObject* self);
  int64_t(TDLIB_API* GetSize)(TdObject* self);
  int32_t(TDLIB_API* Read)(TdObject* self, void* buffer, int32_t count);
  int64_t(TDLIB_API* Seek)(TdObject* self, int64_t offset, int32_t origin);
  uint8_t(TDLIB_API* SetSize)(TdObject* self, int64_t size);
  int32_t(TDLIB_API* Write)(TdObject* self, const void* buffer, int32_t count);
} TdStreamTable;

/* The whole day d for which d + timeOfDay lies within half a day of the
 * reference; days count from 1899-12-30, the fraction is the time of day. */
double TDLIB_API CalcDate(double timeOfDay, double reference);

/* ---- units, progress, services ---- */

/* Units of measure. A unit code is quantity << 16 | unit: SI units carry
 * 0x8000 and a prefix index 1..21 (11 = no prefix) in the low byte (metre
 * 0x0006800B, kilometre 0x0006800E), other units their index in their
 * quantity's list (nautical mile 0x00060006, knot 0x00090002). Call
 * UnitsInitialize once before converting or naming a unit. */
#define TD_UNIT_UNKNOWN 0xFFFFFFFFu
void TDLIB_API UnitsInitialize(void);
/* NaN when the quantities do not match or a code names no unit. */
double TDLIB_API UnitConvert(double value, uint32_t from, uint32_t to);
/* Converts count values, the last first, so source may equal destination;
 * on failure every destination value becomes NaN. */
void TDLIB_API UnitConvertD(const double* source, double* destination, int32_t count,
                            uint32_t from, uint32_t to);
void TDLIB_API UnitConvertF(const float* source, float* destination, int32_t count,
                            uint32_t from, uint32_t to);
/* The code of a unit text ("km", "kn", "\xB0""C"); TD_UNIT_UNKNOWN when the
 * text names no unit. */
uint32_t TDLIB_API StrToUnit(const TdStr* text);
/* The unit's text as a new string, or null for a code that names no unit. */
TdStr* TDLIB_API StrCreateFromUnit(uint32_t unit);

/* Progress. A root record covers 0.0 to 1.0; child records cover their
 * parent's current step, so nested operations report one overall position. */
typedef struct TdProgressInfo {
  uint32_t stageId;
  float fraction; /* as given to ProgressCall */
  float position; /* overall position, 0.0 to 1.0 */
  uint32_t extra;
  uint32_t value; /* as given to ProgressCall */
  uint8_t cancel; /* 0 on entry; set it to cancel */
} TdProgressInfo;
typedef void(TDLIB_API* TdProgressCallback)(void* userData, TdProgressInfo* info);
typedef struct TdProgress {
  TdProgressCallback callback; /* may be null */
  void* userData;
  float position;
  float scale;
  uint32_t stageId;
  float step;
  uint32_t extra;
} TdProgress;
void TDLIB_API ProgressStageInit1(TdProgress* record, float fraction, uint32_t stageId,
                                  TdProgressCallback callback, void* userData, uint32_t extra);
void TDLIB_API ProgressLoopInit1(TdProgress* record, int32_t count, float fraction,
                                 uint32_t stageId, TdProgressCallback callback, void* userData,
                                 uint32_t extra);
void TDLIB_API ProgressStageInit(TdProgress* child, const TdProgress* parent, float fraction,
                                 uint32_t stageId);
void TDLIB_API ProgressLoopInit(TdProgress* child, const TdProgress* parent, int32_t count,
                                float fraction, uint32_t stageId);
void TDLIB_API ProgressStageNext(TdProgress* record, float fraction, uint32_t stageId);
void TDLIB_API ProgressLoopNext(TdProgress* record);
/* Calls the callback; *error becomes 2 when it cancelled, else 0. */
void TDLIB_API ProgressCall(const TdProgress* record, float fraction, uint32_t value,
                            uint32_t* error);

/* Visual styles: ThemesInitialize loads "uxtheme.dll" when present. The
 * queries answer 0 or 1. */
void TDLIB_API ThemesInitialize(void);
uint8_t TDLIB_API ThemesAvailable(void);
uint8_t TDLIB_API ThemesEnabled(void);

/* CSound: a wave file held in memory. Its table: */
typedef struct TdSoundTable {
  TdDeleteThis DeleteThis;
  uint8_t(TDLIB_API* GetEnabled)(TdObject* self);
  /* Replaces the sound by the file; error codes of the file streams. */
  void(TDLIB_API* Load)(TdObject* self, const char* fileName, uint32_t* error);
  /* Plays asynchronously when loaded and enabled. */
  void(TDLIB_API* Play)(TdObject* self);
  void(TDLIB_API* SetEnabled)(TdObject* self, uint8_t enabled);
} TdSoundTable;
TdObject* TDLIB_API SoundCreate(void);
/* Returns the sound even when loading failed; the error code tells. */
TdObject* TDLIB_API SoundCreate1(const char* fileName, uint32_t* error);

/* CZip holds the host's compression callbacks, which the chart update files
 * use. Each reads its source stream from its current position and writes the
 * destination at its current position; *error is 0 on success. */
typedef void(TDLIB_API* TdZipCallback)(void* userData, TdObject* destination, TdObject* source,
                                       uint32_t* error);
TdObject* TDLIB_API ZipCreate(TdZipCallback compress, void* compressData, TdZipCallback uncompress,
                              void* uncompressData);

/* ---- geodesy ---- */

/* Rows of the library's ellipsoid and datum tables, valid until it unloads.
 * A datum record begins with four text pointers: code, area, name, source.
 * Angles are radians, lengths metres; positions are arrays of doubles
 * (lat, lon[, h]), geocentric points (X, Y, Z) with the Y axis mirrored.
 * Outputs come first; transforms take (out, target datum, in, source datum).
 * Boolean results are 0 or 1. */
typedef struct SGeodeticEllipsoid SGeodeticEllipsoid;
typedef struct SGeodeticDatum SGeodeticDatum;

void* TDLIB_API GeodeticsInitialize(void);
uint8_t TDLIB_API GeodeticDatumCreateByCode(const char* code, const SGeodeticDatum** datum);
const SGeodeticDatum* TDLIB_API GeodeticDatumCreateByDef(const SGeodeticEllipsoid* ellipsoid, double dx, double dy,
                                                         double dz, double rx, double ry, double rz, double scale);
const SGeodeticDatum* TDLIB_API GeodeticDatumCreateByShift(const double* position, const double* shift);
const SGeodeticDatum* TDLIB_API GeodeticDatumCreateFromNKF(int16_t number);
uint8_t TDLIB_API GeodeticDatumCreateFromOldName(const char* name, const SGeodeticDatum** datum);
uint8_t TDLIB_API GeodeticDatumGetList(int32_t* count, const SGeodeticDatum** list);
uint8_t TDLIB_API GeodeticDatumGetOldName(const SGeodeticDatum* datum, int32_t* size, char* buffer);
uint8_t TDLIB_API GeodeticDatumIsValid(const SGeodeticDatum* datum);
uint8_t TDLIB_API GeodeticDatumIsEqualParams(const SGeodeticDatum* a, const SGeodeticDatum* b);
uint8_t TDLIB_API GeodeticEllipsoidCreateByCode(const char* code, const SGeodeticEllipsoid** ellipsoid);
const SGeodeticEllipsoid* TDLIB_API GeodeticEllipsoidCreateByDef(double a, double inverseFlattening);
uint8_t TDLIB_API GeodeticEllipsoidGetList(int32_t* count, const SGeodeticEllipsoid** list);
uint8_t TDLIB_API GeodeticEllipsoidCodeToStr(uint32_t code, int32_t* size, char* buffer);
void TDLIB_API GeoToGlobal2(double* xyz, const double* latLon, const SGeodeticEllipsoid* ellipsoid);
void TDLIB_API GeoToGlobal3(double* xyz, const double* latLonH, const SGeodeticEllipsoid* ellipsoid);
void TDLIB_API GlobalToGeo(double* latLonH, const double* xyz, const SGeodeticEllipsoid* ellipsoid);
void TDLIB_API GeodeticDatumTransform(double* xyz, const SGeodeticDatum* target, const double* sourceXyz,
                                      const SGeodeticDatum* source);
void TDLIB_API GeodeticDatumTransform2(double* latLonH, const SGeodeticDatum* target, const double* latLon,
                                       const SGeodeticDatum* source);
void TDLIB_API GeodeticDatumTransform3(double* latLonH, const SGeodeticDatum* target, const double* sourceLatLonH,
                                       const SGeodeticDatum* source);

/* ---- projections and calibration ---- */

/* SGeodeticRef: the coordinate system of a pair or triple of numbers, 392
 * bytes, filled by a GeodeticRefInit... export and copied by value. Angles in
 * radians, lengths in metres. Fields a kind or projection does not use are 0. */
typedef struct SGeodeticRef {
  uint32_t Kind;       /* 0 geographic, 1 geocentric, 2 scene, 3 projected */
  uint32_t Projection; /* 1 Mercator, 2 transverse Mercator, 3 equidistant cylindrical,
                          4 Lambert conformal conic, 5 orthographic, 6 stereographic, 7 RD */
  const SGeodeticDatum* Datum;
  double K0, Lat0, Long0, Lat1, Lat2, Height;
  double SceneToGlobal[16], GlobalToScene[16]; /* rows; points are row vectors */
  double CosLat1, M0, LccN, LccF, LccRho0;
  double StereoChi1, StereoSinChi1, StereoCosChi1, StereoM1;
} SGeodeticRef;

void TDLIB_API GeodeticRefInitGeo(SGeodeticRef* ref, const SGeodeticDatum* datum);
void TDLIB_API GeodeticRefInitGlobal(SGeodeticRef* ref, const SGeodeticDatum* datum);
void TDLIB_API GeodeticRefInitScene(SGeodeticRef* ref, const double* origin); /* lat, lon, h on WGS 84 */
void TDLIB_API GeodeticRefInitMercator(SGeodeticRef* ref, double long0, const SGeodeticDatum* datum);
void TDLIB_API GeodeticRefInitTransverseMercator(SGeodeticRef* ref, double k0, double lat0, double long0,
                                                 const SGeodeticDatum* datum);
void TDLIB_API GeodeticRefInitEquidistantCylindrical(SGeodeticRef* ref, double lat1, double long0,
                                                     const SGeodeticDatum* datum);
void TDLIB_API GeodeticRefInitLambertConformalConic(SGeodeticRef* ref, double lat1, double lat2, double lat0,
                                                    double long0, const SGeodeticDatum* datum);
void TDLIB_API GeodeticRefInitOrthographic(SGeodeticRef* ref, double lat1, double long0,
                                           const SGeodeticDatum* datum);
void TDLIB_API GeodeticRefInitStereographic(SGeodeticRef* ref, double k0, double lat1, double long0,
                                            const SGeodeticDatum* datum);
void TDLIB_API GeodeticRefInitRD(SGeodeticRef* ref);
/* Boolean results are 0 or 1. */
uint8_t TDLIB_API GeodeticRefIsEqual(const SGeodeticRef* a, const SGeodeticRef* b);
uint8_t TDLIB_API GeodeticRefIsEqualExceptDatum(const SGeodeticRef* a, const SGeodeticRef* b);
uint8_t TDLIB_API GeodeticRefIsEqualParams(const SGeodeticRef* a, const SGeodeticRef* b);

/* Projections: out (x, y) or (lat, lon), in (lat, lon) or (x, y), reference.
 * A projection that cannot compute a point (orthographic, an unknown code)
 * writes NaN. */
void TDLIB_API GeoToProj(double* out, const double* in, const SGeodeticRef* ref);
void TDLIB_API ProjToGeo(double* out, const double* in, const SGeodeticRef* ref);
void TDLIB_API GeoToMercator(double* out, const double* in, const SGeodeticRef* ref);
void TDLIB_API MercatorToGeo(double* out, const double* in, const SGeodeticRef* ref);
void TDLIB_API GeoToTransverseMercator(double* out, const double* in, const SGeodeticRef* ref);
void TDLIB_API TransverseMercatorToGeo(double* out, const double* in, const SGeodeticRef* ref);
void TDLIB_API GeoToEquidistantCylindrical(double* out, const double* in, const SGeodeticRef* ref);
void TDLIB_API EquidistantCylindricalToGeo(double* out, const double* in, const SGeodeticRef* ref);
void TDLIB_API GeoToLambertConformalConic(double* out, const double* in, const SGeodeticRef* ref);
void TDLIB_API LambertConformalConicToGeo(double* out, const double* in, const SGeodeticRef* ref);
void TDLIB_API GeoToOrthographic(double* out, const double* in, const SGeodeticRef* ref);
void TDLIB_API OrthographicToGeo(double* out, const double* in, const SGeodeticRef* ref);
void TDLIB_API GeoToStereographic(double* out, const double* in, const SGeodeticRef* ref);
void TDLIB_API StereographicToGeo(double* out, const double* in, const SGeodeticRef* ref);
void TDLIB_API GeoToRD(double* out, const double* in, const SGeodeticRef* ref);
void TDLIB_API RDToGeo(double* out, const double* in, const SGeodeticRef* ref);
void TDLIB_API GeoToRDExact(double* out, const double* in, const SGeodeticRef* ref);
void TDLIB_API RDToGeoExact(double* out, const double* in, const SGeodeticRef* ref);
double TDLIB_API GeoToTransverseMercatorScale(const double* in, const SGeodeticRef* ref);
double TDLIB_API RDCalcDistance(const double* p1, const double* p2);
/* UTM helpers: 0, '\0' or NaN for input outside their tables. */
int32_t TDLIB_API UTMLongToZone(double lon);
char TDLIB_API UTMToZoneChar(double lat, double lon);
double TDLIB_API UTMZoneToLat(uint8_t band); /* band index 0 (A) to 25 (Z) */
double TDLIB_API UTMZoneToLong(int32_t zone);

/* Scene frame (x north, y east, z up, metres) and great circles on a sphere of
 * 6367400 m; positions (lat, lon[, h]) on WGS 84. */
void TDLIB_API GeoWGS84ToScene2(double* out, const double* in, const SGeodeticRef* scene); /* writes x, y, z */
void TDLIB_API GeoWGS84ToScene3(double* out, const double* in, const SGeodeticRef* scene);
void TDLIB_API SceneToGeoWGS84(double* out, const double* in, const SGeodeticRef* scene);
void TDLIB_API DistAndHeadingAlongLine(const double* from, const double* to, double* distance, double* heading);
double TDLIB_API HeadingAlongLine(const double* from, const double* to);
double TDLIB_API DistAlongGreatCircle(const double* p1, const double* p2);
double TDLIB_API DistAlongGreatCircle1(const double* u1, const double* u2);
void TDLIB_API GeoToGreatCirclePoint(double* out, const double* in);

/* CGeodeticCalibration: pixels (x right, y down) <-> projected coordinates of
 * a chart from two or three points. Points are two doubles, rectangles four
 * (left, top, right, bottom). Status 1 good, 0 weak, 2 and above faults. */
typedef struct TdGeodeticCalibration TdGeodeticCalibration;
typedef struct TdGeodeticCalibrationVtbl {
  TdDeleteThis DeleteThis;                                                                     /*  0 */
  void(TDLIB_API* Assign)(TdGeodeticCalibration* self, const TdGeodeticCalibration* source);    /*  1 */
  void(TDLIB_API* GeoToPix)(TdGeodeticCalibration* self, double* pixel, const double* geo);     /*  2 */
  void(TDLIB_API* GeoWGS84ToPix)(TdGeodeticCalibration* self, double* pixel, const double* geo); /* 3 */
  uint32_t(TDLIB_API* GetPixPoints)(TdGeodeticCalibration* self, double* p1, double* p2, double* p3);
  uint32_t(TDLIB_API* GetPointCount)(TdGeodeticCalibration* self);                             /*  5 */
  uint32_t(TDLIB_API* GetProjPoints)(TdGeodeticCalibration* self, double* p1, double* p2, double* p3);
  int32_t(TDLIB_API* GetHeight)(TdGeodeticCalibration* self);                                  /*  7 */
  double(TDLIB_API* GetNorthAngle)(TdGeodeticCalibration* self, const double* pixel);
  void(TDLIB_API* GetCornerBL)(TdGeodeticCalibration* self, double* out);                      /*  9 */
  void(TDLIB_API* GetCornerBR)(TdGeodeticCalibration* self, double* out);
  void(TDLIB_API* GetCentre)(TdGeodeticCalibration* self, double* out);                        /* 11 */
  void(TDLIB_API* GetCornerTL)(TdGeodeticCalibration* self, double* out);
  void(TDLIB_API* GetCornerTR)(TdGeodeticCalibration* self, double* out);                      /* 13 */
  SGeodeticRef*(TDLIB_API* GetRef)(TdGeodeticCalibration* self);
  void(TDLIB_API* GetPixBounds)(TdGeodeticCalibration* self, double* rect);                    /* 15 */
  double(TDLIB_API* GetRotation)(TdGeodeticCalibration* self);
  double(TDLIB_API* GetPixelDistance)(TdGeodeticCalibration* self, const double* pixel,
                                      const double* direction);                                /* 17 */
  double(TDLIB_API* GetPixelSize)(TdGeodeticCalibration* self, const double* pixel);
  uint32_t(TDLIB_API* GetStatus)(TdGeodeticCalibration* self);                                 /* 19 */
  int32_t(TDLIB_API* GetWidth)(TdGeodeticCalibration* self);
  uint32_t(TDLIB_API* Calibrate2)(TdGeodeticCalibration* self, const double* pix1, const double* pix2,
                                  const double* proj1, const double* proj2, int32_t width, int32_t height,
                                  const SGeodeticRef* ref);                                    /* 21 */
  uint32_t(TDLIB_API* Calibrate3)(TdGeodeticCalibration* self, const double* pix1, const double* pix2,
                                  const double* pix3, const double* proj1, const double* proj2,
                                  const double* proj3, int32_t width, int32_t height, const SGeodeticRef* ref);
  void(TDLIB_API* PixToGeo)(TdGeodeticCalibration* self, double* geo, const double* pixel);     /* 23 */
  void(TDLIB_API* PixToGeoWGS84)(TdGeodeticCalibration* self, double* geo, const double* pixel);
  void(TDLIB_API* PixToProj)(TdGeodeticCalibration* self, double* proj, const double* pixel);   /* 25 */
  void(TDLIB_API* ProjToPix)(TdGeodeticCalibration* self, double* pixel, const double* proj);
} TdGeodeticCalibrationVtbl;
struct TdGeodeticCalibration {
  const TdGeodeticCalibrationVtbl* vtable;
};

TdGeodeticCalibration* TDLIB_API GeodeticCalibrationCreate(void);
uint32_t TDLIB_API ValidateCalibration2(const double* pix1, const double* pix2, const double* proj1,
                                        const double* proj2, int32_t width, int32_t height,
                                        const SGeodeticRef* ref);
uint32_t TDLIB_API ValidateCalibration3(const double* pix1, const double* pix2, const double* pix3,
                                        const double* proj1, const double* proj2, const double* proj3,
                                        int32_t width, int32_t height, const SGeodeticRef* ref);
/* The pixel of target at the place of a pixel of source; integer pixels are
 * rounded as floor(v + 0.5). NaN (or INT32_MIN) unless both are calibrated. */
void TDLIB_API PixTransform(double* out, TdGeodeticCalibration* target, const double* in,
                            TdGeodeticCalibration* source);
void TDLIB_API PixTransform1(int32_t* out, TdGeodeticCalibration* target, const int32_t* in,
                             TdGeodeticCalibration* source);
void TDLIB_API PixTransform2(int32_t* out, TdGeodeticCalibration* target, const double* in,
                             TdGeodeticCalibration* source);
void TDLIB_API PixTransform3(double* out, TdGeodeticCalibration* target, const int32_t* in,
                             TdGeodeticCalibration* source);

/* ---- bitmaps and drawing ---- */

/* ---- charts ---- */

/* Tile codec. A tile is up to 256 x 256 pixels 0xAARRGGBB, rows packed; the
 * functions do nothing for a width or height outside 1..256. */
void TDLIB_API TCF2Initialize(void);
/* Decodes a compressed tile (colour stream, then the alpha stream when
 * hasAlpha is not 0). Damaged data gives transparent black pixels,
 * *allTransparent 1, *allOpaque 0 and *colourSize 0. */
void TDLIB_API TCF2TileDecompress(uint32_t* dst, uint32_t width, uint32_t height, uint8_t* allTransparent,
                                  uint8_t* allOpaque, uint32_t* colourSize, const uint8_t* src,
                                  uint8_t hasAlpha);
/* dst must hold TCF2_TILE_CODE_BUFFER_SIZE bytes. */
void TDLIB_API TCF2TileCompress(uint8_t* dst, const uint32_t* src, uint32_t width, uint32_t height,
                                uint32_t* colourSize, uint32_t* alphaSize);
/* dst must hold TCF2_TILE_ALPHA_BUFFER_SIZE bytes. */
void TDLIB_API TCF2TileCompressAlpha(uint8_t* dst, const uint32_t* src, uint32_t width, uint32_t height,
                                     uint32_t* alphaSize);
#define TCF2_TILE_CODE_BUFFER_SIZE 338690
#define TCF2_TILE_ALPHA_BUFFER_SIZE 131072

/* ---- gps ---- */

/* ---- waypoints ---- */

/* Waypoint model. Texts cross as TdStr (make one with StrCreate); positions
 * are three doubles (latitude, longitude in radians, altitude) or two;
 * identifiers 16 bytes; times day numbers; booleans bytes 0 or 1. Every
 * operation with an error pointer sets it, 0 on success: 0x80000 read-only,
 * 0x80028 name too long, 0x80034 index, link, point or item not found. Icons
 * are CBmp32 objects. */
uint8_t TDLIB_API WPMCheckName(const TdStr* name, uint32_t* error);
uint8_t TDLIB_API WPMCheckIcon(int32_t width, int32_t height, float originX, float originY, uint32_t* error);
uint8_t TDLIB_API WPMCheckIconOverlay(int32_t width, int32_t height, uint32_t* error);
uint8_t TDLIB_API WPMCheckFontSize(int32_t size, uint32_t* error);

typedef struct TdWaypointItem TdWaypointItem;
typedef struct TdWaypointLink TdWaypointLink;
typedef struct TdWaypoint TdWaypoint;
typedef struct TdRoutePoint TdRoutePoint;
typedef struct TdWaypointRoute TdWaypointRoute;
typedef struct TdWaypointGroup TdWaypointGroup;
typedef struct TdWaypointType TdWaypointType;
typedef struct TdWaypointList TdWaypointList;
typedef struct TdWaypointGroupList TdWaypointGroupList;
typedef struct TdWaypointDatabase TdWaypointDatabase;
typedef struct TdWaypointManager TdWaypointManager;

/* The 17 slots that every item (waypoint, route, group, type) starts with. */
#define TD_WAYPOINT_ITEM_SLOTS(Self)                                                  \
  TdDeleteThis DeleteThis;                                              /*  0 */      \
  void(TDLIB_API* Assign)(Self * self, Self * source, uint32_t * error);               \
  uint8_t(TDLIB_API* IsLocked)(Self * self);                            /*  2 */      \
  uint8_t*(TDLIB_API* GetId)(Self * self);                                             \
  int32_t(TDLIB_API* GetStoreSize)(Self * self, uint8_t whole);         /*  4 */      \
  TdStr*(TDLIB_API* GetName)(Self * self);                                             \
  uint8_t(TDLIB_API* IsReadOnly)(Self * self);                          /*  6 */      \
  double(TDLIB_API* GetCreated)(Self * self);                                          \
  double(TDLIB_API* GetModified)(Self * self);                          /*  8 */      \
  uint8_t(TDLIB_API* TestUserFlags)(Self * self, uint16_t mask);                       \
  TdWaypointDatabase*(TDLIB_API* GetDatabase)(Self * self);             /* 10 */      \
  TdWaypointManager*(TDLIB_API* GetManager)(Self * self);                              \
  uint8_t(TDLIB_API* IsFreeStanding)(Self * self);                      /* 12 */      \
  void(TDLIB_API* Delete)(Self * self, uint32_t * error);                              \
  void(TDLIB_API* SetName)(Self * self, const TdStr* name, uint32_t* error); /* 14 */ \
  void(TDLIB_API* SetCreated)(Self * self, double day, uint32_t* error);               \
  void(TDLIB_API* SetUserFlags)(Self * self, uint8_t set, uint16_t mask) /* 16 */

typedef struct TdWaypointItemVtbl {
  TD_WAYPOINT_ITEM_SLOTS(TdWaypointItem);
} TdWaypointItemVtbl;
struct TdWaypointItem {
  const TdWaypointItemVtbl* vtable;
};

typedef struct TdWaypointLinkVtbl {
  TdDeleteThis DeleteThis;                                                             /*  0 */
  TdStr*(TDLIB_API* GetText1)(TdWaypointLink* self);
  TdStr*(TDLIB_API* GetText2)(TdWaypointLink* self);                                   /*  2 */
  void(TDLIB_API* SetText1)(TdWaypointLink* self, const TdStr* text, uint32_t* error);
  void(TDLIB_API* SetText2)(TdWaypointLink* self, const TdStr* text, uint32_t* error); /*  4 */
} TdWaypointLinkVtbl;
struct TdWaypointLink {
  const TdWaypointLinkVtbl* vtable;
};

typedef struct TdWaypointVtbl {
  TD_WAYPOINT_ITEM_SLOTS(TdWaypoint);
  TdWaypointLink*(TDLIB_API* AddLink)(TdWaypoint* self, const TdStr* text1, const TdStr* text2,
                                      uint32_t* error);                                /* 17 */
  void(TDLIB_API* DeleteLink)(TdWaypoint* self, int32_t index, uint32_t* error);
  int32_t(TDLIB_API* GetGroupCount)(TdWaypoint* self);                                 /* 19 */
  void(TDLIB_API* GetGroups)(TdWaypoint* self, TdWaypointGroupList* groups);
  double(TDLIB_API* GetAltitude)(TdWaypoint* self);                                    /* 21 */
  double(TDLIB_API* GetLatitude)(TdWaypoint* self);
  TdWaypointLink*(TDLIB_API* GetLink)(TdWaypoint* self, int32_t index);                /* 23 */
  TdWaypointLink*(TDLIB_API* GetChosenLink1)(TdWaypoint* self);
  int32_t(TDLIB_API* GetLinkCount)(TdWaypoint* self);                                  /* 25 */
  float(TDLIB_API* GetFloatAttribute1)(TdWaypoint* self);
  TdWaypointLink*(TDLIB_API* GetChosenLink2)(TdWaypoint* self);                        /* 27 */
  double(TDLIB_API* GetLongitude)(TdWaypoint* self);
  int32_t(TDLIB_API* GetLabelPlacement)(TdWaypoint* self);                             /* 29 */
  double*(TDLIB_API* GetPosition)(TdWaypoint* self);
  float(TDLIB_API* GetFloatAttribute2)(TdWaypoint* self);                              /* 31 */
  float(TDLIB_API* GetRadius)(TdWaypoint* self);
  uint32_t(TDLIB_API* GetIntAttribute)(TdWaypoint* self);                              /* 33 */
  TdStr*(TDLIB_API* GetComment)(TdWaypoint* self);
  TdStr*(TDLIB_API* GetDescription)(TdWaypoint* self);                                 /* 35 */
  TdWaypointType*(TDLIB_API* GetType)(TdWaypoint* self);
  TdWaypointLink*(TDLIB_API* InsertLink)(TdWaypoint* self, int32_t index, const TdStr* text1,
                                         const TdStr* text2, uint32_t* error);         /* 37 */
  void(TDLIB_API* RemoveLink)(TdWaypoint* self, TdWaypointLink* link, uint32_t* error);
  void(TDLIB_API* SetAltitude)(TdWaypoint* self, double altitude, uint32_t* error);    /* 39 */
  void(TDLIB_API* SetLatitude)(TdWaypoint* self, double latitude, uint32_t* error);
  void(TDLIB_API* SetChosenLink1)(TdWaypoint* self, TdWaypointLink* link, uint32_t* error); /* 41 */
  void(TDLIB_API* SetFloatAttribute1)(TdWaypoint* self, float value, uint32_t* error);
  void(TDLIB_API* SetChosenLink2)(TdWaypoint* self, TdWaypointLink* link, uint32_t* error); /* 43 */
  void(TDLIB_API* SetLongitude)(TdWaypoint* self, double longitude, uint32_t* error);
  void(TDLIB_API* SetLabelPlacement)(TdWaypoint* self, int32_t placement, uint32_t* error); /* 45 */
  void(TDLIB_API* SetPosition)(TdWaypoint* self, const double* position3, uint32_t* error);
  void(TDLIB_API* SetPosition2D)(TdWaypoint* self, const double* position2, uint32_t* error); /* 47 */
  void(TDLIB_API* SetFloatAttribute2)(TdWaypoint* self, float value, uint32_t* error);
  void(TDLIB_API* SetRadius)(TdWaypoint* self, float radius, uint32_t* error);         /* 49 */
  void(TDLIB_API* SetIntAttribute)(TdWaypoint* self, uint32_t value, uint32_t* error);
  void(TDLIB_API* SetComment)(TdWaypoint* self, const TdStr* comment, uint32_t* error); /* 51 */
  void(TDLIB_API* SetDescription)(TdWaypoint* self, const TdStr* description, uint32_t* error);
  void(TDLIB_API* SetType)(TdWaypoint* self, TdWaypointType* type, uint32_t* error);   /* 53 */
} TdWaypointVtbl;
struct TdWaypoint {
  const TdWaypointVtbl* vtable;
};

typedef struct TdRoutePointVtbl {
  TdDeleteThis DeleteThis;                                                             /*  0 */
  double(TDLIB_API* GetDistance)(TdRoutePoint* self);
  double(TDLIB_API* GetAltitude)(TdRoutePoint* self);                                  /*  2 */
  int32_t(TDLIB_API* GetIndex)(TdRoutePoint* self);
  double(TDLIB_API* GetLatitude)(TdRoutePoint* self);                                  /*  4 */
  double(TDLIB_API* GetLongitude)(TdRoutePoint* self);
  TdStr*(TDLIB_API* GetDisplayName)(TdRoutePoint* self);                               /*  6 */
  TdStr*(TDLIB_API* GetName)(TdRoutePoint* self);
  double*(TDLIB_API* GetPosition)(TdRoutePoint* self);                                 /*  8 */
  float(TDLIB_API* GetRadius)(TdRoutePoint* self);
  uint8_t(TDLIB_API* IsReadOnly)(TdRoutePoint* self);                                  /* 10 */
  TdWaypoint*(TDLIB_API* GetWaypoint)(TdRoutePoint* self);
  void(TDLIB_API* SetAltitude)(TdRoutePoint* self, double altitude, uint32_t* error);  /* 12 */
  void(TDLIB_API* SetLatitude)(TdRoutePoint* self, double latitude, uint32_t* error);
  void(TDLIB_API* SetLongitude)(TdRoutePoint* self, double longitude, uint32_t* error); /* 14 */
  void(TDLIB_API* SetName)(TdRoutePoint* self, const TdStr* name, uint32_t* error);
  void(TDLIB_API* SetPosition)(TdRoutePoint* self, const double* position3, uint32_t* error); /* 16 */
  void(TDLIB_API* SetPosition2D)(TdRoutePoint* self, const double* position2, uint32_t* error);
  void(TDLIB_API* SetRadius)(TdRoutePoint* self, float radius, uint32_t* error);       /* 18 */
  void(TDLIB_API* SetWaypoint)(TdRoutePoint* self, TdWaypoint* waypoint, uint32_t* error);
} TdRoutePointVtbl;
struct TdRoutePoint {
  const TdRoutePointVtbl* vtable;
};
/* A free point: no route, read-only; free it with ObjectDelete. */
TdRoutePoint* TDLIB_API RoutePointCreate(const double* position3, float radius);

typedef struct TdWaypointRouteVtbl {
  TD_WAYPOINT_ITEM_SLOTS(TdWaypointRoute);
  TdRoutePoint*(TDLIB_API* AddPoint)(TdWaypointRoute* self, const double* position3, float radius,
                                     uint32_t* error);                                 /* 17 */
  TdRoutePoint*(TDLIB_API* AddPointLatLon)(TdWaypointRoute* self, const double* position2, float radius,
                                           uint32_t* error);
  TdRoutePoint*(TDLIB_API* AddWaypoint)(TdWaypointRoute* self, TdWaypoint* waypoint, float radius,
                                        uint32_t* error);                              /* 19 */
  double(TDLIB_API* GetDistanceBetween)(TdWaypointRoute* self, int32_t a, int32_t b);
  double(TDLIB_API* GetLegHeading)(TdWaypointRoute* self, int32_t index, uint8_t towardsPrevious); /* 21 */
  void(TDLIB_API* DeletePoint)(TdWaypointRoute* self, int32_t index, uint32_t* error);
  int32_t(TDLIB_API* GetPointCount)(TdWaypointRoute* self);                            /* 23 */
  double(TDLIB_API* GetLength)(TdWaypointRoute* self);
  TdRoutePoint*(TDLIB_API* GetPoint)(TdWaypointRoute* self, int32_t index);            /* 25 */
  int32_t(TDLIB_API* IndexOf)(TdWaypointRoute* self, TdRoutePoint* point);
  TdRoutePoint*(TDLIB_API* InsertPoint)(TdWaypointRoute* self, int32_t index, const double* position3,
                                        float radius, uint32_t* error);                /* 27 */
  TdRoutePoint*(TDLIB_API* InsertPointLatLon)(TdWaypointRoute* self, int32_t index, const double* position2,
                                              float radius, uint32_t* error);
  TdRoutePoint*(TDLIB_API* InsertWaypoint)(TdWaypointRoute* self, int32_t index, TdWaypoint* waypoint,
                                           float radius, uint32_t* error);             /* 29 */
  void(TDLIB_API* RemovePoint)(TdWaypointRoute* self, TdRoutePoint* point, uint32_t* error);
} TdWaypointRouteVtbl;
struct TdWaypointRoute {
  const TdWaypointRouteVtbl* vtable;
};

typedef struct TdWaypointGroupVtbl {
  TD_WAYPOINT_ITEM_SLOTS(TdWaypointGroup);
  void(TDLIB_API* AddWaypoint)(TdWaypointGroup* self, TdWaypoint* waypoint, uint32_t* error); /* 17 */
  void(TDLIB_API* Clear)(TdWaypointGroup* self, uint32_t* error);
  void(TDLIB_API* RemoveAt)(TdWaypointGroup* self, int32_t index, uint32_t* error);   /* 19 */
  uint8_t(TDLIB_API* Find)(TdWaypointGroup* self, TdWaypoint* waypoint, int32_t* index);
  int32_t(TDLIB_API* GetCount)(TdWaypointGroup* self);                                 /* 21 */
  TdWaypoint*(TDLIB_API* GetWaypoint)(TdWaypointGroup* self, int32_t index);
  uint8_t(TDLIB_API* IsDefault)(TdWaypointGroup* self);                                /* 23 */
  void(TDLIB_API* RemoveWaypoint)(TdWaypointGroup* self, TdWaypoint* waypoint, uint32_t* error);
} TdWaypointGroupVtbl;
struct TdWaypointGroup {
  const TdWaypointGroupVtbl* vtable;
};

typedef struct TdWaypointTypeVtbl {
  TD_WAYPOINT_ITEM_SLOTS(TdWaypointType);
  uint8_t(TDLIB_API* GetShowOverlay)(TdWaypointType* self);                            /* 17 */
  uint32_t(TDLIB_API* GetColor)(TdWaypointType* self);
  uint32_t(TDLIB_API* GetDayColor)(TdWaypointType* self);                              /* 19 */
  TdStr*(TDLIB_API* GetFontFace)(TdWaypointType* self);
  int32_t(TDLIB_API* GetFontSize)(TdWaypointType* self);                               /* 21 */
  uint32_t(TDLIB_API* GetFontStyle)(TdWaypointType* self);
  TdObject*(TDLIB_API* GetIcon)(TdWaypointType* self);                                 /* 23 */
  TdObject*(TDLIB_API* GetPlainIcon)(TdWaypointType* self);
  float(TDLIB_API* GetIconOriginX)(TdWaypointType* self);                              /* 25 */
  float(TDLIB_API* GetIconOriginY)(TdWaypointType* self);
  TdObject*(TDLIB_API* GetOverlay)(TdWaypointType* self);                              /* 27 */
  uint32_t(TDLIB_API* GetCommentColor)(TdWaypointType* self);
  uint32_t(TDLIB_API* GetCommentDayColor)(TdWaypointType* self);                       /* 29 */
  int32_t(TDLIB_API* GetCommentFontSize)(TdWaypointType* self);
  uint32_t(TDLIB_API* GetCommentFontStyle)(TdWaypointType* self);                      /* 31 */
  uint8_t(TDLIB_API* IsDefault)(TdWaypointType* self);
  void(TDLIB_API* SetColor)(TdWaypointType* self, uint32_t argb, uint32_t* error);    /* 33 */
  void(TDLIB_API* SetFontSize)(TdWaypointType* self, int32_t size, uint32_t* error);
  void(TDLIB_API* SetFontStyle)(TdWaypointType* self, uint32_t style, uint32_t* error); /* 35 */
  void(TDLIB_API* SetIcon)(TdWaypointType* self, TdObject* icon, TdObject* overlay, uint8_t overlayShown,
                           float originX, float originY, uint32_t* error);
  void(TDLIB_API* SetCommentColor)(TdWaypointType* self, uint32_t argb, uint32_t* error); /* 37 */
  void(TDLIB_API* SetCommentFontSize)(TdWaypointType* self, int32_t size, uint32_t* error);
  void(TDLIB_API* SetCommentFontStyle)(TdWaypointType* self, uint32_t style, uint32_t* error); /* 39 */
} TdWaypointTypeVtbl;
struct TdWaypointType {
  const TdWaypointTypeVtbl* vtable;
};

/* The two lists share their table; Item is TdWaypoint or TdWaypointGroup. */
#define TD_WAYPOINT_LIST_SLOTS(Self, Item)                                     \
  TdDeleteThis DeleteThis;                                       /*  0 */      \
  int32_t(TDLIB_API* Add)(Self * self, Item * item);                           \
  void(TDLIB_API* Clear)(Self * self);                           /*  2 */      \
  void(TDLIB_API* Delete)(Self * self, int32_t index);                         \
  void(TDLIB_API* Exchange)(Self * self, int32_t a, int32_t b);  /*  4 */      \
  int32_t(TDLIB_API* GetCapacity)(Self * self);                                \
  int32_t(TDLIB_API* GetCount)(Self * self);                     /*  6 */      \
  uint8_t(TDLIB_API* GetOwnsItems)(Self * self);                               \
  Item*(TDLIB_API* GetItem)(Self * self, int32_t index);         /*  8 */      \
  int32_t(TDLIB_API* IndexOf)(Self * self, Item * item);                       \
  void(TDLIB_API* Insert)(Self * self, int32_t index, Item * item); /* 10 */   \
  int32_t(TDLIB_API* Remove)(Self * self, Item * item);                        \
  void(TDLIB_API* SetCapacity)(Self * self, int32_t capacity);   /* 12 */      \
  void(TDLIB_API* SetCount)(Self * self, int32_t count);                       \
  void(TDLIB_API* SetOwnsItems)(Self * self, uint8_t owns) /* 14 */

typedef struct TdWaypointListVtbl {
  TD_WAYPOINT_LIST_SLOTS(TdWaypointList, TdWaypoint);
} TdWaypointListVtbl;
struct TdWaypointList {
  const TdWaypointListVtbl* vtable;
};
typedef struct TdWaypointGroupListVtbl {
  TD_WAYPOINT_LIST_SLOTS(TdWaypointGroupList, TdWaypointGroup);
} TdWaypointGroupListVtbl;
struct TdWaypointGroupList {
  const TdWaypointGroupListVtbl* vtable;
};
/* Empty lists that do not own their items. */
TdWaypointList* TDLIB_API WaypointListCreate(void);
TdWaypointGroupList* TDLIB_API WaypointGroupListCreate(void);

typedef struct TdWaypointDatabaseVtbl {
  TdDeleteThis DeleteThis;                                                             /*  0 */
  TdWaypointGroup*(TDLIB_API* AddGroup)(TdWaypointDatabase* self);
  TdWaypointRoute*(TDLIB_API* AddRoute)(TdWaypointDatabase* self);                     /*  2 */
  TdWaypointType*(TDLIB_API* AddType)(TdWaypointDatabase* self, TdObject* icon, TdObject* overlay,
                                      uint8_t overlayShown, float originX, float originY, int32_t nameFontSize,
                                      uint32_t nameFontStyle, uint32_t nameColor, int32_t commentFontSize,
                                      uint32_t commentFontStyle, uint32_t commentColor);
  TdWaypoint*(TDLIB_API* AddWaypoint)(TdWaypointDatabase* self, const double* position3,
                                      TdWaypointType* type);                           /*  4 */
  TdWaypoint*(TDLIB_API* AddWaypoint2D)(TdWaypointDatabase* self, const double* position2, TdWaypointType* type);
  uint8_t(TDLIB_API* IsLocked)(TdWaypointDatabase* self);                              /*  6 */
  TdWaypointGroup*(TDLIB_API* GetGroup)(TdWaypointDatabase* self, int32_t index);
  int32_t(TDLIB_API* GetGroupCount)(TdWaypointDatabase* self);                         /*  8 */
  uint8_t*(TDLIB_API* GetId)(TdWaypointDatabase* self);
  int32_t(TDLIB_API* GetStoreSize)(TdWaypointDatabase* self, uint8_t full);            /* 10 */
  uint8_t(TDLIB_API* IsModified)(TdWaypointDatabase* self);
  uint8_t(TDLIB_API* IsReadOnly)(TdWaypointDatabase* self);                            /* 12 */
  TdWaypointRoute*(TDLIB_API* GetRoute)(TdWaypointDatabase* self, int32_t index);
  int32_t(TDLIB_API* GetRouteCount)(TdWaypointDatabase* self);                         /* 14 */
  TdWaypointType*(TDLIB_API* GetType)(TdWaypointDatabase* self, int32_t index);
  int32_t(TDLIB_API* GetTypeCount)(TdWaypointDatabase* self);                          /* 16 */
  TdWaypoint*(TDLIB_API* GetWaypoint)(TdWaypointDatabase* self, int32_t index);
  int32_t(TDLIB_API* GetWaypointCount)(TdWaypointDatabase* self);                      /* 18 */
  TdWaypointManager*(TDLIB_API* GetManager)(TdWaypointDatabase* self);
  void(TDLIB_API* Save)(TdWaypointDatabase* self, const TdStr* fileName, uint32_t* error); /* 20 */
} TdWaypointDatabaseVtbl;
struct TdWaypointDatabase {
  const TdWaypointDatabaseVtbl* vtable;
};

/* Called after a point has left a route and before it is destroyed. */
typedef void(TDLIB_API* TdRouteEventFunc)(void* context, TdWaypointRoute* route, int32_t index, TdRoutePoint* point);

typedef struct TdWaypointManagerVtbl {
  TdDeleteThis DeleteThis;                                                             /*  0 */
  void(TDLIB_API* AddRouteEventHandler)(TdWaypointManager* self, TdRouteEventFunc function, void* context);
  void(TDLIB_API* BeginLoad)(TdWaypointManager* self, int32_t fileCount, void* progress); /* 2 */
  TdWaypointDatabase*(TDLIB_API* CreateDatabase)(TdWaypointManager* self, const TdStr* name,
                                                 uint32_t contentVersion, uint8_t locked);
  TdWaypointRoute*(TDLIB_API* CreateRoute)(TdWaypointManager* self);                   /*  4 */
  void(TDLIB_API* EndLoad)(TdWaypointManager* self);
  uint8_t(TDLIB_API* FindGroup)(TdWaypointManager* self, const uint8_t* id, int32_t* index); /* 6 */
  uint8_t(TDLIB_API* FindRoute)(TdWaypointManager* self, const uint8_t* id, int32_t* index);
  uint8_t(TDLIB_API* FindType)(TdWaypointManager* self, const uint8_t* id, int32_t* index); /* 8 */
  uint8_t(TDLIB_API* FindWaypoint)(TdWaypointManager* self, const uint8_t* id, int32_t* index);
  uintptr_t(TDLIB_API* GetHostData)(TdWaypointManager* self);                          /* 10 */
  TdWaypointDatabase*(TDLIB_API* GetDatabase)(TdWaypointManager* self, int32_t index);
  int32_t(TDLIB_API* GetDatabaseCount)(TdWaypointManager* self);                       /* 12 */
  int32_t(TDLIB_API* GetDefaultLabelPlacement)(TdWaypointManager* self);
  TdStr*(TDLIB_API* GetFontName)(TdWaypointManager* self);                             /* 14 */
  TdWaypointGroup*(TDLIB_API* GetGroup)(TdWaypointManager* self, int32_t index);
  int32_t(TDLIB_API* GetGroupCount)(TdWaypointManager* self);                          /* 16 */
  int32_t(TDLIB_API* GetStoreSize)(TdWaypointManager* self, uint8_t full);
  TdWaypointRoute*(TDLIB_API* GetRoute)(TdWaypointManager* self, int32_t index);       /* 18 */
  int32_t(TDLIB_API* GetRouteCount)(TdWaypointManager* self);
  TdWaypointType*(TDLIB_API* GetType)(TdWaypointManager* self, int32_t index);         /* 20 */
  int32_t(TDLIB_API* GetTypeCount)(TdWaypointManager* self);
  TdWaypointType*(TDLIB_API* GetDefaultType)(TdWaypointManager* self);                 /* 22 */
  TdWaypoint*(TDLIB_API* GetWaypoint)(TdWaypointManager* self, int32_t index);
  int32_t(TDLIB_API* GetWaypointCount)(TdWaypointManager* self);                       /* 24 */
  void(TDLIB_API* GetGroupWaypoints)(TdWaypointManager* self, TdWaypointList* waypoints,
                                     TdWaypointGroupList* groups);
  TdWaypointGroup*(TDLIB_API* GetDefaultGroup)(TdWaypointManager* self);               /* 26 */
  TdWaypointDatabase*(TDLIB_API* OpenDatabase)(TdWaypointManager* self, const TdStr* fileName, uint32_t* error);
  void(TDLIB_API* FindWaypointsInRadius)(TdWaypointManager* self, const double* position2, uint16_t mask,
                                         TdWaypointList* found);                       /* 28 */
  void(TDLIB_API* RemoveRouteEventHandler)(TdWaypointManager* self, TdRouteEventFunc function, void* context);
  void(TDLIB_API* MarkWaypoints)(TdWaypointManager* self, TdWaypointList* waypoints, uint16_t mask); /* 30 */
} TdWaypointManagerVtbl;
struct TdWaypointManager {
  const TdWaypointManagerVtbl* vtable;
};
/* hostValue is pointer-sized (32 bits in the product); style bits 1 bold,
 * 2 italic, 4 underline; colours 0xAARRGGBB; label placement 0 to 8. */
TdWaypointManager* TDLIB_API WaypointManagerCreate(uintptr_t hostValue, TdObject* icon, TdObject* overlay,
                                                   uint8_t unused, float originX, float originY,
                                                   const char* fontName, int32_t nameFontSize,
                                                   uint32_t nameFontStyle, uint32_t nameColor,
                                                   int32_t commentFontSize, uint32_t commentFontStyle,
                                                   uint32_t commentColor, int32_t labelPlacement);

#ifdef __cplusplus
}
#endif

#endif /* TDLIB_H */
