/* TdLib: the exports of TdLib.dll for C and C++ hosts.
 *
 * Every function uses the standard Windows calling convention. Objects come
 * from the factories and are freed with ObjectDelete. Each exported class is
 * listed with its virtual operations in table order: slot 0 is always the
 * deleting destructor (flag bit 0 frees), and every operation takes the
 * object as its first argument on the stack.
 *
 * Load the library on the thread that runs the host's message loop: the
 * library makes its hidden event window on the loading thread, and the events
 * of its worker threads run there when that loop dispatches them.
 */
#ifndef TDLIB_H
#define TDLIB_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#define TDLIB_API __stdcall
#else
#define TDLIB_API /* the library's own tests on other systems */
#endif

/* Layout checks of the records hosts read and write, in the 32-bit product. */
#if defined(_WIN32) && !defined(_WIN64)
#if defined(__cplusplus)
#define TDLIB_LAYOUT(condition) static_assert(condition, "TdLib record layout")
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#define TDLIB_LAYOUT(condition) _Static_assert(condition, "TdLib record layout")
#endif
#endif
#ifndef TDLIB_LAYOUT
#define TDLIB_LAYOUT(condition)
#endif

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
TDLIB_LAYOUT(sizeof(TdProgressInfo) == 24);
TDLIB_LAYOUT(offsetof(TdProgressInfo, cancel) == 20);
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
TDLIB_LAYOUT(sizeof(TdProgress) == 28);
TDLIB_LAYOUT(offsetof(TdProgress, step) == 20);
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
 * Angles are radians, lengths metres; positions are arrays of doubles
 * (lat, lon[, h]), geocentric points (X, Y, Z) with the Y axis mirrored.
 * Outputs come first; transforms take (out, target datum, in, source datum).
 * Boolean results are 0 or 1. Hosts read these records and never write them. */

/* A 4 x 4 matrix of rows; points are row vectors (p' = p M), the
 * translation is in row 3. */
typedef struct SMatrix4 {
  double m[4][4];
} SMatrix4;

typedef struct SGeodeticEllipsoid {
  uint32_t Code; /* packed: first character in the top byte ("WE" 0x57450000); 0 when created */
  const char* Name;
  const char* Area;
  const char* Source;
  uint32_t Kind; /* 0 table row, 1 created from a and 1/f */
  uint32_t Reserved;
  double A;    /* semi-major axis */
  double B;    /* semi-minor axis */
  double E;    /* eccentricity */
  double EP2;  /* second eccentricity squared */
  double E2;   /* eccentricity squared */
  double F;    /* flattening */
  double InvF; /* 1/f, 0 for a sphere */
  double ConfLat[4];  /* geodetic -> conformal latitude series */
  double GeoLat[4];   /* conformal -> geodetic latitude series */
  double FootLat[4];  /* rectifying -> footpoint latitude series */
  double Meridian[4]; /* meridian arc series */
  double InvMeridianScale;
} SGeodeticEllipsoid;
TDLIB_LAYOUT(sizeof(SGeodeticEllipsoid) == 216);
TDLIB_LAYOUT(offsetof(SGeodeticEllipsoid, Name) == 4);
TDLIB_LAYOUT(offsetof(SGeodeticEllipsoid, Source) == 12);
TDLIB_LAYOUT(offsetof(SGeodeticEllipsoid, A) == 24);
TDLIB_LAYOUT(offsetof(SGeodeticEllipsoid, InvF) == 72);
TDLIB_LAYOUT(offsetof(SGeodeticEllipsoid, ConfLat) == 80);
TDLIB_LAYOUT(offsetof(SGeodeticEllipsoid, InvMeridianScale) == 208);

/* The four texts come first: code, area, name, source. The seven parameters
 * of the transformation to WGS 84 are in the library's frame. */
typedef struct SGeodeticDatum {
  const char* Code;
  const char* Area;
  const char* Name;
  const char* Source;
  const SGeodeticEllipsoid* Ellipsoid;
  uint32_t Kind;   /* 0 table row, 1 created by shift, 2 created by definition */
  uint8_t IsWGS84; /* 1 for WGS 84 itself */
  uint8_t Reserved1;
  uint16_t Reserved2;
  uint32_t Reserved3;
  double Dx, Dy, Dz; /* metres */
  double Rx, Ry, Rz; /* radians */
  double Scale;      /* 1 + ppm x 1e-6 */
  SMatrix4 FromWGS84;
  SMatrix4 ToWGS84;
  double RefPoint[2]; /* created by shift: lat, lon of the shift */
  double Shift[2];    /* created by shift: dlat, dlon */
} SGeodeticDatum;
TDLIB_LAYOUT(sizeof(SGeodeticDatum) == 376);
TDLIB_LAYOUT(offsetof(SGeodeticDatum, Source) == 12);
TDLIB_LAYOUT(offsetof(SGeodeticDatum, Ellipsoid) == 16);
TDLIB_LAYOUT(offsetof(SGeodeticDatum, Kind) == 20);
TDLIB_LAYOUT(offsetof(SGeodeticDatum, IsWGS84) == 24);
TDLIB_LAYOUT(offsetof(SGeodeticDatum, Dx) == 32);
TDLIB_LAYOUT(offsetof(SGeodeticDatum, Scale) == 80);
TDLIB_LAYOUT(offsetof(SGeodeticDatum, FromWGS84) == 88);
TDLIB_LAYOUT(offsetof(SGeodeticDatum, ToWGS84) == 216);
TDLIB_LAYOUT(offsetof(SGeodeticDatum, RefPoint) == 344);
TDLIB_LAYOUT(offsetof(SGeodeticDatum, Shift) == 360);

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
  SMatrix4 SceneToGlobal, GlobalToScene;
  double CosLat1, M0, LccN, LccF, LccRho0;
  double StereoChi1, StereoSinChi1, StereoCosChi1, StereoM1;
} SGeodeticRef;
TDLIB_LAYOUT(sizeof(SGeodeticRef) == 392);
TDLIB_LAYOUT(offsetof(SGeodeticRef, Datum) == 8);
TDLIB_LAYOUT(offsetof(SGeodeticRef, K0) == 16);
TDLIB_LAYOUT(offsetof(SGeodeticRef, Height) == 56);
TDLIB_LAYOUT(offsetof(SGeodeticRef, SceneToGlobal) == 64);
TDLIB_LAYOUT(offsetof(SGeodeticRef, GlobalToScene) == 192);
TDLIB_LAYOUT(offsetof(SGeodeticRef, CosLat1) == 320);
TDLIB_LAYOUT(offsetof(SGeodeticRef, LccN) == 336);
TDLIB_LAYOUT(offsetof(SGeodeticRef, StereoChi1) == 360);
TDLIB_LAYOUT(offsetof(SGeodeticRef, StereoM1) == 384);

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

/* Bitmaps are top-down blocks of pixels (row 0 first) in DIB sections,
 * optionally with a memory DC of their own. CBmp32 pixels are 0xAARRGGBB
 * words (bytes blue, green, red, alpha), width x height of them, packed;
 * CBmp16 pixels are A1R5G5B5 words, rows padded to 4 bytes. Pixel (x, y)
 * covers x - 0.5 .. x + 0.5 and y - 0.5 .. y + 0.5, so a bitmap of width W
 * spans -0.5 .. W - 0.5; integer rectangles exclude right and bottom.
 * Rectangles and points passed by value cross as their members in order.
 * Handles (HDC, HFONT) are void*, colours for GDI text are COLORREFs.
 * BmpInitialize may be called once at start; nothing depends on it. */
typedef struct TdRect {
  int32_t left, top, right, bottom;
} TdRect;
typedef struct TdSize {
  int32_t cx, cy;
} TdSize;
/* Pixel format 5 A1R5G5B5, 9 A8R8G8B8; row steps in bytes. */
typedef struct TdPixelBufferDesc {
  int32_t format, stride, width, height, nextRow, previousRow;
} TdPixelBufferDesc;
/* Blend modes of Draw and DrawTransform (DrawTransform takes 0 and 1). */
#define TD_BM_COPY 0
#define TD_BM_TRANSPARENT 1
#define TD_BM_BLEND 2
#define TD_BM_BLEND_DISABLED 3
#define TD_BM_BLEND_ALPHA 4

/* Slots 0-19 of every bitmap. Text alignment 0..8 = 3 x horizontal (left,
 * centre, right) + vertical (TextOut: top, baseline, bottom; DrawText: top,
 * centre, bottom); DrawText mode 0 one line, 1 word-wrapped, 2 and 3 the same
 * measuring only (rect becomes the extent). GetTextExtent gives (0, 0) when
 * the text cannot be measured. A failed SetSize leaves an empty bitmap. */
#define TD_BMP_SLOTS(Self)                                                                                  \
  TdDeleteThis DeleteThis; /* 0 */                                                                         \
  uint8_t(TDLIB_API* DrawToDC)(Self * self, void* dc, int32_t dstLeft, int32_t dstTop, int32_t dstRight,   \
                               int32_t dstBottom, int32_t srcLeft, int32_t srcTop, int32_t srcRight,        \
                               int32_t srcBottom);                                                          \
  void(TDLIB_API* TextOut)(Self * self, const TdStr* text, int32_t x, int32_t y, void* font, uint32_t colour, \
                           int32_t alignment);                                                              \
  void(TDLIB_API* DrawText)(Self * self, const TdStr* text, TdRect* rect, void* font, uint32_t colour,      \
                            int32_t alignment, int32_t mode);                                               \
  void*(TDLIB_API* GetDC)(Self * self);                                                                     \
  int32_t(TDLIB_API* GetHeight)(Self * self); /* 5 */                                                       \
  uint32_t(TDLIB_API* GetMemorySize)(Self * self, uint8_t includeObject);                                   \
  int32_t(TDLIB_API* GetStride)(Self * self);                                                               \
  int32_t(TDLIB_API* GetPixelFormat)(Self * self);                                                          \
  void(TDLIB_API* GetRect)(Self * self, TdRect * rect);                                                     \
  void(TDLIB_API* GetPixBounds)(Self * self, double* rect); /* 10 */                                        \
  void(TDLIB_API* GetBufferDesc)(Self * self, TdPixelBufferDesc * desc);                                    \
  void(TDLIB_API* GetTextExtent)(Self * self, const TdStr* text, void* font, TdSize* size);                 \
  int32_t(TDLIB_API* GetWidth)(Self * self);                                                                \
  void(TDLIB_API* LoadBmp)(Self * self, const TdStr* path, uint32_t shrink, uint8_t alpha, void* param,     \
                           uint32_t* error);                                                                \
  void(TDLIB_API* LoadFromFile)(Self * self, const TdStr* path, uint32_t shrink, uint8_t flag, void* param, \
                                uint32_t* error); /* 15 */                                                  \
  void(TDLIB_API* LoadTga)(Self * self, const TdStr* path, int32_t shrink, void* param, uint32_t* error);   \
  void(TDLIB_API* SaveBmp)(Self * self, const TdStr* path, void* param);                                    \
  void(TDLIB_API* ShrinkTo)(Self * self, Self * destination, int32_t factor, uint8_t roundUp);              \
  void(TDLIB_API* SetSize)(Self * self, int32_t width, int32_t height)

/* CBmp16: A1R5G5B5 pixels. */
typedef struct TdBmp16 TdBmp16;
typedef struct TdBmp16Vtbl {
  TD_BMP_SLOTS(TdBmp16);
  /* 20: copies src to dst's top-left when both have the same size, clipped;
   * with transparent only pixels whose bit 15 is clear. */
  void(TDLIB_API* Draw)(TdBmp16* self, TdBmp16* destination, int32_t dstLeft, int32_t dstTop, int32_t dstRight,
                        int32_t dstBottom, int32_t srcLeft, int32_t srcTop, int32_t srcRight, int32_t srcBottom,
                        uint8_t transparent);
  void(TDLIB_API* Reserved1)(TdBmp16* self, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t);
  uint8_t(TDLIB_API* Reserved2)(TdBmp16* self, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t);
  /* Columns ceil(left) .. ceil(right) - 1, rows likewise, clipped. */
  void(TDLIB_API* FillRect)(TdBmp16* self, double left, double top, double right, double bottom, uint16_t colour);
  void(TDLIB_API* Fill)(TdBmp16* self, uint16_t colour);
  uint16_t*(TDLIB_API* GetBits)(TdBmp16* self); /* 25 */
  /* Row 0..height (height: just past the last row), else null. */
  uint16_t*(TDLIB_API* GetScanLine)(TdBmp16* self, int32_t row);
} TdBmp16Vtbl;
struct TdBmp16 {
  const TdBmp16Vtbl* vtable;
};

/* CBmp32: 0xAARRGGBB pixels; this bitmap is the source of Draw and
 * DrawTransform. Slots 24-28 draw anti-aliased: lines and circles with pixel
 * (i, j) centred on (i, j), polygons (even-odd, 8 x 8 sub-pixels) with pixel
 * i over i .. i + 1, rectangles as a fill inside a line band of the width.
 * Points are two doubles (x, y), rectangles four (left, top, right, bottom);
 * non-finite geometry draws nothing. DrawLine ignores width and drawEnd and
 * returns 0 when nothing was drawn. */
typedef struct TdBmp32 TdBmp32;
typedef struct TdBmp32Vtbl {
  TD_BMP_SLOTS(TdBmp32);
  void(TDLIB_API* Assign)(TdBmp32* self, TdBmp32* source); /* 20 */
  /* The source scaled so that its longer side is max(width, height). */
  void(TDLIB_API* AssignScaled)(TdBmp32* self, TdBmp32* source, int32_t width, int32_t height);
  /* Double rectangles, clipped to both bitmaps, nearest pixel. */
  void(TDLIB_API* Draw)(TdBmp32* self, TdBmp32* destination, double dstLeft, double dstTop, double dstRight,
                        double dstBottom, double srcLeft, double srcTop, double srcRight, double srcBottom,
                        int32_t mode);
  /* The integer source rectangle onto the quadrilateral (x0, y0) .. (x3, y3),
   * the images of its top-left, top-right, bottom-right, bottom-left corners. */
  void(TDLIB_API* DrawTransform)(TdBmp32* self, TdBmp32* destination, int32_t srcLeft, int32_t srcTop,
                                 int32_t srcRight, int32_t srcBottom, double x0, double y0, double x1, double y1,
                                 double x2, double y2, double x3, double y3, int32_t mode);
  void(TDLIB_API* DrawCircle)(TdBmp32* self, double centreX, double centreY, double radius, uint32_t colour);
  uint8_t(TDLIB_API* DrawLine)(TdBmp32* self, const double* from, const double* to, uint32_t colour, double width,
                               uint8_t drawEnd); /* 25 */
  void(TDLIB_API* FillPolygon)(TdBmp32* self, const double* points, int32_t count, uint32_t colour);
  void(TDLIB_API* DrawPolyline)(TdBmp32* self, const double* points, int32_t count, uint32_t colour,
                                uint8_t closed);
  void(TDLIB_API* DrawRect)(TdBmp32* self, const double* rect, uint32_t lineColour, uint32_t fillColour,
                            double width);
  void(TDLIB_API* Fill)(TdBmp32* self, uint32_t colour);
  void(TDLIB_API* FlipHorizontal)(TdBmp32* self); /* 30 */
  void(TDLIB_API* FlipVertical)(TdBmp32* self);
  uint32_t*(TDLIB_API* GetBits)(TdBmp32* self);
  /* Row 0..height (height: just past the last row), else null. */
  uint32_t*(TDLIB_API* GetScanLine)(TdBmp32* self, int32_t row);
  void(TDLIB_API* SetAlpha)(TdBmp32* self, uint8_t alpha);
  /* Pixels of keyColour's RGB get keyAlpha, all others otherAlpha. */
  void(TDLIB_API* SetAlphaByColor)(TdBmp32* self, uint8_t keyAlpha, uint8_t otherAlpha, uint32_t keyColour);
  void(TDLIB_API* Reserved)(TdBmp32* self, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t); /* 36 */
} TdBmp32Vtbl;
struct TdBmp32 {
  const TdBmp32Vtbl* vtable;
};

void TDLIB_API BmpInitialize(void);
/* Null when the pixels cannot be had (above 1 GiB, or the system refuses);
 * a width or height of 0 or less gives an empty bitmap. ownDC != 0 keeps a
 * memory DC with the pixels selected (GetDC). */
TdBmp16* TDLIB_API Bmp16Create(uint32_t width, int32_t height, uint8_t ownDC);
TdBmp32* TDLIB_API Bmp32Create(uint32_t width, int32_t height, uint8_t ownDC);

/* The night screen: the one switch between day and night display. At night
 * registered colour variables, the system colours and pixels passed through
 * it are dimmed by factor = floor(brightness x 256 + 0.5): R, G, B become
 * (c x factor) >> 8. Main thread only. NightScreenInitialize makes it once
 * (later calls return the same object; it lives until the library unloads)
 * and must run before WaypointManagerCreate. Listeners are called from the
 * last registered to the first with change 0 (brightness changed at night),
 * 1 (to day) or 2 (to night); they may add and remove listeners meanwhile. */
typedef struct TdNightScreen TdNightScreen;
typedef void(TDLIB_API* TdNightScreenListener)(void* context, TdNightScreen* screen, int32_t change);
typedef struct TdNightScreenVtbl {
  TdDeleteThis DeleteThis; /* 0: switches to day first */
  /* Formats 8 and 9 only; rows by the descriptor's stride. */
  void(TDLIB_API* DimPixels)(TdNightScreen* self, void* pixels, const TdPixelBufferDesc* desc);
  uint32_t(TDLIB_API* DimARGB)(TdNightScreen* self, uint32_t colour);
  void(TDLIB_API* DimBitmap)(TdNightScreen* self, TdBmp32* bitmap);
  /* A COLORREF with the top bit set comes back unchanged. */
  uint32_t(TDLIB_API* DimCOLORREF)(TdNightScreen* self, uint32_t colour);
  uint8_t(TDLIB_API* IsNight)(TdNightScreen* self); /* 5 */
  float(TDLIB_API* GetBrightness)(TdNightScreen* self);
  float(TDLIB_API* GetBrightnessMax)(TdNightScreen* self);
  float(TDLIB_API* GetBrightnessMin)(TdNightScreen* self);
  /* The variable's value is its day value; it must stay valid while registered. */
  void(TDLIB_API* RegisterARGB)(TdNightScreen* self, uint32_t* variable);
  void(TDLIB_API* RegisterCOLORREF)(TdNightScreen* self, uint32_t* variable); /* 10 */
  void(TDLIB_API* AddListener)(TdNightScreen* self, TdNightScreenListener listener, void* context);
  void(TDLIB_API* SetNight)(TdNightScreen* self, uint8_t night);
  /* Clamped to [min, max]; bounds stay within [0, 1]; NaN is ignored. */
  void(TDLIB_API* SetBrightness)(TdNightScreen* self, float brightness);
  void(TDLIB_API* SetBrightnessMax)(TdNightScreen* self, float bound);
  void(TDLIB_API* SetBrightnessMin)(TdNightScreen* self, float bound); /* 15 */
  /* Writes the day value back; unknown variables are ignored. */
  void(TDLIB_API* UnregisterARGB)(TdNightScreen* self, uint32_t* variable);
  void(TDLIB_API* UnregisterCOLORREF)(TdNightScreen* self, uint32_t* variable);
  void(TDLIB_API* RemoveListener)(TdNightScreen* self, TdNightScreenListener listener, void* context);
} TdNightScreenVtbl;
struct TdNightScreen {
  const TdNightScreenVtbl* vtable;
};
TdNightScreen* TDLIB_API NightScreenInitialize(void);

/* Chart-view decorations, drawn through the rasteriser; nothing for a null
 * bitmap or calibration. The needle points to the calibration's north at
 * (x, y). The cursor: `count` points (x, y) of a symbol with its nose toward
 * negative y, scaled by size and turned to heading (radians clockwise from
 * north), with a heading line; nothing unless -0.5 <= x < width - 0.5 and
 * -0.5 <= y < height - 0.5 of the calibration. The scale bar's box has its
 * top-left corner at (x, y) and fits before column 190; labels in `font`
 * (an HFONT the host keeps) in the unit's length (kilometre code: metres
 * below 10 km); nothing when no bar fits or the unit is no length. */
void TDLIB_API DrawCompassNeedle(TdBmp32* bitmap, TdGeodeticCalibration* calibration, double x, double y);
void TDLIB_API DrawGPSCursorSimple(TdBmp32* bitmap, TdGeodeticCalibration* calibration, double x, double y,
                                   float heading, const double* shape, int32_t count, float size);
void TDLIB_API DrawScale(TdBmp32* bitmap, int32_t x, int32_t y, double metresPerPixel, uint32_t unit, void* font);
/* Image files. The loading slots (LoadBmp, LoadTga, LoadFromFile) take an
 * optional TdPixelBufferDesc* as their param, which receives the file's own
 * description (format, stride, width, height; row steps (-stride, +stride)
 * for rows stored bottom-up, (+stride, -stride) for top-down); SaveBmp takes
 * an optional TdImageProgress*. Null means none. */
typedef struct TdImageProgress {
  void(TDLIB_API* function)(double percent, void* context1, void* context2);
  void* context1;
  void* context2;
} TdImageProgress;
/* The 54 bytes of a .bmp file's headers as stored (packed, little-endian). */
#pragma pack(push, 1)
typedef struct TdBmpHeader {
  char magic[2];
  uint32_t fileSize, reserved, dataOffset, headerSize;
  int32_t width, height;
  uint16_t planes, bitCount;
  uint32_t compression, imageSize;
  int32_t xPixelsPerMetre, yPixelsPerMetre;
  uint32_t coloursUsed, coloursImportant;
} TdBmpHeader;
#pragma pack(pop)
/* Reads the headers and the palette (1024 bytes: 256 x blue, green, red, 0)
 * of the .bmp file at path. error: 0, 0x10016 not a .bmp, 0x5000A unknown
 * header size, 0x5000B planes not 1, 0x50001 a bit count other than 1, 2,
 * 4, 8, 16, 24 or 32, or the file's open and read codes. */
void TDLIB_API BitmapLoadHeader(const char* path, TdBmpHeader* header, uint8_t* palette, uint32_t* error);

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

/* Chart files. Records use 4-byte packing. Points are two doubles (x, y),
 * rectangles four (left, top, right, bottom); texts cross as TdStr objects:
 * getters return the object's own string (valid until that text changes or
 * the object dies), setters copy. Index arguments outside a table do nothing
 * and give 0, null or false. A byte flag is true when it is not 0; boolean
 * results are 0 or 1. */
#pragma pack(push, 4)
typedef struct TdTCF2FileSection {
  uint64_t position;
  uint64_t size; /* payload + 4-byte checksum */
} TdTCF2FileSection;
typedef struct TdTCF2FileHeader { /* 164 bytes, the header of version 2.0.0.0 */
  uint64_t tileDataPosition, tileDataSize;
  uint64_t tableAPosition, tableASize, tableACount;
  uint64_t updateTileDataPosition, updateTileDataSize;
  uint64_t updateTablePosition, updateTableSize, updateTableCount;
  uint64_t tableBPosition, tableBSize, tableBCount;
  TdTCF2FileSection updateTagSection, boundsSection, tagSection;
  int32_t width, height;
  uint32_t levelCount;
} TdTCF2FileHeader;
typedef struct TdTCF2Mipmap {
  uint32_t width, height;
  uint16_t tilesAcross, tilesDown;
  uint32_t firstTile;
} TdTCF2Mipmap;
typedef struct TdTCF2TileTableEntry {
  uint64_t offset, updateOffset;
  uint32_t colourSize, alphaSize, updateColourSize, updateAlphaSize;
  uint16_t width, height;
  uint32_t reserved;
} TdTCF2TileTableEntry;
typedef struct TdTCF2TileInfo {
  uint64_t offset;
  uint32_t size; /* colour + alpha bytes */
  uint16_t width, height;
  uint32_t tile, reserved;
} TdTCF2TileInfo;
#pragma pack(pop)

/* CTCF2MipmapTable: the levels of a chart, level 0 at full size. */
typedef struct TdTCF2MipmapTable TdTCF2MipmapTable;
typedef struct TdTCF2MipmapTableVtbl {
  TdDeleteThis DeleteThis;
  int32_t(TDLIB_API* GetCount)(TdTCF2MipmapTable* self);
  int32_t(TDLIB_API* GetMemorySize)(TdTCF2MipmapTable* self, uint8_t includeObject);
  uint32_t(TDLIB_API* GetTileCount)(TdTCF2MipmapTable* self, int32_t level);
  const TdTCF2Mipmap*(TDLIB_API* GetMipmap)(TdTCF2MipmapTable* self, int32_t level);
  /* count -1 chooses it; bad sizes or counts leave the table empty, total 0 */
  void(TDLIB_API* Build)(TdTCF2MipmapTable* self, int32_t count, int32_t width, int32_t height,
                         uint32_t* totalTiles);
  void(TDLIB_API* SetMipmap)(TdTCF2MipmapTable* self, int32_t level, const TdTCF2Mipmap* record);
} TdTCF2MipmapTableVtbl;
struct TdTCF2MipmapTable {
  const TdTCF2MipmapTableVtbl* vtable;
};

/* CTCF2TileTable: every tile with its normal and its update copy. */
typedef struct TdTCF2TileTable TdTCF2TileTable;
typedef struct TdTCF2TileTableVtbl {
  TdDeleteThis DeleteThis;
  int32_t(TDLIB_API* GetCount)(TdTCF2TileTable* self);
  int32_t(TDLIB_API* GetMemorySize)(TdTCF2TileTable* self, uint8_t includeObject);
  const TdTCF2TileTableEntry*(TDLIB_API* GetEntry)(TdTCF2TileTable* self, int32_t tile);
  uint8_t(TDLIB_API* GetTileInfo)(TdTCF2TileTable* self, int32_t tile, uint8_t useUpdate,
                                  TdTCF2TileInfo* info);
  /* 0, the table as it was, when count is not the mipmap's total tiles, when
   * its levels (as SetMipmap left them) do not cover their sizes or do not
   * follow one another from tile 0, or when memory runs out */
  uint8_t(TDLIB_API* Build)(TdTCF2TileTable* self, int32_t count, TdTCF2MipmapTable* mipmap);
  void(TDLIB_API* Assign)(TdTCF2TileTable* self, const TdTCF2TileTable* other);
  uint8_t(TDLIB_API* SetTile)(TdTCF2TileTable* self, int32_t tile, uint32_t offsetLow,
                              uint32_t offsetHigh, uint32_t colourSize, uint32_t alphaSize);
  uint8_t(TDLIB_API* SetUpdateTile)(TdTCF2TileTable* self, int32_t tile, uint32_t offsetLow,
                                    uint32_t offsetHigh, uint32_t colourSize, uint32_t alphaSize);
} TdTCF2TileTableVtbl;
struct TdTCF2TileTable {
  const TdTCF2TileTableVtbl* vtable;
};

/* CTCF2TileTableC: the update copy of every tile, packed. */
typedef struct TdTCF2TileTableC TdTCF2TileTableC;
typedef struct TdTCF2TileTableCVtbl {
  TdDeleteThis DeleteThis;
  int32_t(TDLIB_API* GetCount)(TdTCF2TileTableC* self);
  int32_t(TDLIB_API* GetMemorySize)(TdTCF2TileTableC* self, uint8_t includeObject);
  void(TDLIB_API* Assign)(TdTCF2TileTableC* self, const TdTCF2TileTable* table);
  uint8_t(TDLIB_API* GetTileInfo)(TdTCF2TileTableC* self, int32_t tile, TdTCF2TileInfo* info);
} TdTCF2TileTableCVtbl;
struct TdTCF2TileTableC {
  const TdTCF2TileTableCVtbl* vtable;
};

/* CTCF2Tag: what a chart file says about its chart. */
typedef struct TdTCF2Tag TdTCF2Tag;
typedef const TdStr*(TDLIB_API* TdTCF2TagGetText)(TdTCF2Tag* self);
typedef void(TDLIB_API* TdTCF2TagSetText)(TdTCF2Tag* self, const TdStr* text);
typedef void(TDLIB_API* TdTCF2TagGetPoint)(TdTCF2Tag* self, double* point);
typedef struct TdTCF2TagVtbl {
  TdDeleteThis DeleteThis;
  void(TDLIB_API* AddLink)(TdTCF2Tag* self, uint32_t type, const TdStr* file,
                           const TdStr* description);
  void(TDLIB_API* Clear)(TdTCF2Tag* self);
  void(TDLIB_API* GetCalibration)(TdTCF2Tag* self, int32_t* count, double* pix1, double* pix2,
                                  double* pix3, double* map1, double* map2, double* map3);
  TdTCF2TagGetPoint GetCalPixPoint1, GetCalPixPoint2, GetCalPixPoint3;
  int32_t(TDLIB_API* GetCalPointCount)(TdTCF2Tag* self);
  TdTCF2TagGetPoint GetCalMapPoint1, GetCalMapPoint2, GetCalMapPoint3;
  TdTCF2TagGetText GetText1, GetText2, GetText3;
  uint16_t(TDLIB_API* GetValueU16)(TdTCF2Tag* self);
  double(TDLIB_API* GetDate)(TdTCF2Tag* self);
  uint8_t(TDLIB_API* GetFlag)(TdTCF2Tag* self);
  const uint8_t*(TDLIB_API* GetGUID)(TdTCF2Tag* self); /* the tag's 16 bytes */
  TdTCF2TagGetText GetText4, GetText5, GetText6;
  /* copies link n into the caller's strings */
  uint8_t(TDLIB_API* GetLink)(TdTCF2Tag* self, int32_t n, uint32_t* type, TdStr* file,
                              TdStr* description);
  int32_t(TDLIB_API* GetLinkCount)(TdTCF2Tag* self);
  double(TDLIB_API* GetOptValue1)(TdTCF2Tag* self);
  uint8_t(TDLIB_API* HasOptValues)(TdTCF2Tag* self);
  double(TDLIB_API* GetOptValue2)(TdTCF2Tag* self);
  double(TDLIB_API* GetOptValue3)(TdTCF2Tag* self);
  int32_t(TDLIB_API* GetMemorySize)(TdTCF2Tag* self, uint8_t includeObject);
  int32_t(TDLIB_API* GetIdCode)(TdTCF2Tag* self);
  TdTCF2TagGetText GetIdText1, GetIdText2;
  uint32_t(TDLIB_API* GetIdNumber)(TdTCF2Tag* self);
  TdTCF2TagGetText GetIdText3, GetIdText4;
  void(TDLIB_API* GetGeodeticRef)(TdTCF2Tag* self, SGeodeticRef* ref);
  TdTCF2TagGetText GetText7, GetText8, GetText9, GetText10;
  int32_t(TDLIB_API* GetKind)(TdTCF2Tag* self);
  TdTCF2TagGetText GetText11, GetText12, GetText13;
  uint8_t(TDLIB_API* IsEqual)(TdTCF2Tag* self, const TdTCF2Tag* other);
  /* the third points are stored only when count is 3 */
  void(TDLIB_API* SetCalibration)(TdTCF2Tag* self, int32_t count, const double* pix1,
                                  const double* pix2, const double* pix3, const double* map1,
                                  const double* map2, const double* map3);
  TdTCF2TagSetText SetText1, SetText2, SetText3;
  void(TDLIB_API* SetValueU16)(TdTCF2Tag* self, uint16_t value);
  void(TDLIB_API* SetDate)(TdTCF2Tag* self, double date);
  void(TDLIB_API* SetFlag)(TdTCF2Tag* self, uint8_t flag);
  void(TDLIB_API* SetGUID)(TdTCF2Tag* self, const uint8_t* guid);
  TdTCF2TagSetText SetText4, SetText5, SetText6;
  void(TDLIB_API* SetOptValues)(TdTCF2Tag* self, uint8_t present, double value1, double value2,
                                double value3);
  void(TDLIB_API* SetIdCode)(TdTCF2Tag* self, int32_t code);
  TdTCF2TagSetText SetIdText1, SetIdText2;
  void(TDLIB_API* SetIdNumber)(TdTCF2Tag* self, uint32_t number);
  TdTCF2TagSetText SetIdText3, SetIdText4;
  void(TDLIB_API* SetGeodeticRef)(TdTCF2Tag* self, const SGeodeticRef* ref);
  TdTCF2TagSetText SetText7, SetText8, SetText9, SetText10;
  void(TDLIB_API* SetKind)(TdTCF2Tag* self, int32_t kind);
  TdTCF2TagSetText SetText11, SetText12, SetText13;
} TdTCF2TagVtbl;
struct TdTCF2Tag {
  const TdTCF2TagVtbl* vtable;
};

/* CTCF2Bounds: the outline of a chart's valid area in pixels. */
typedef struct TdTCF2Bounds TdTCF2Bounds;
typedef struct TdTCF2BoundsVtbl {
  TdDeleteThis DeleteThis;
  void(TDLIB_API* AddPoint)(TdTCF2Bounds* self, const double* point);
  void(TDLIB_API* Assign)(TdTCF2Bounds* self, const TdTCF2Bounds* other);
  void(TDLIB_API* Clear)(TdTCF2Bounds* self);
  uint8_t(TDLIB_API* DeletePoint)(TdTCF2Bounds* self, int32_t n);
  void(TDLIB_API* GetBoundingBox)(TdTCF2Bounds* self, double* box);
  int32_t(TDLIB_API* GetCount)(TdTCF2Bounds* self);
  int32_t(TDLIB_API* GetMemorySize)(TdTCF2Bounds* self, uint8_t includeObject);
  uint8_t(TDLIB_API* GetPoint)(TdTCF2Bounds* self, int32_t n, double* point);
  uint8_t(TDLIB_API* InsertPoint)(TdTCF2Bounds* self, int32_t n, const double* point);
  uint8_t(TDLIB_API* IsEqual)(TdTCF2Bounds* self, const TdTCF2Bounds* other);
  uint8_t(TDLIB_API* IsRectangle)(TdTCF2Bounds* self);
  uint8_t(TDLIB_API* ContainsPoint)(TdTCF2Bounds* self, const double* point);
  /* 0 disjoint, 1 rectangle inside the outline, 2 outline inside, 3 overlap */
  int32_t(TDLIB_API* IntersectsRect)(TdTCF2Bounds* self, const double* rect);
  void(TDLIB_API* Scale)(TdTCF2Bounds* self, double factor);
  uint8_t(TDLIB_API* SetPoint)(TdTCF2Bounds* self, int32_t n, const double* point);
  void(TDLIB_API* Offset)(TdTCF2Bounds* self, double dx, double dy);
  /* 1 valid, 0 valid with a straight vertex, 2 too few vertices, 3 a repeated
   * vertex, 4 crossing edges */
  int32_t(TDLIB_API* Validate)(TdTCF2Bounds* self);
} TdTCF2BoundsVtbl;
struct TdTCF2Bounds {
  const TdTCF2BoundsVtbl* vtable;
};

/* CTCF2UpdateTag: the text and date-times of a chart's last update. */
typedef struct TdTCF2UpdateTag TdTCF2UpdateTag;
typedef struct TdTCF2UpdateTagVtbl {
  TdDeleteThis DeleteThis;
  void(TDLIB_API* Clear)(TdTCF2UpdateTag* self);
  int32_t(TDLIB_API* GetMemorySize)(TdTCF2UpdateTag* self, uint8_t includeObject);
  const TdStr*(TDLIB_API* GetText)(TdTCF2UpdateTag* self);
  double(TDLIB_API* GetDateTime1)(TdTCF2UpdateTag* self);
  double(TDLIB_API* GetDateTime2)(TdTCF2UpdateTag* self);
  double(TDLIB_API* GetDateTime3)(TdTCF2UpdateTag* self);
  uint8_t(TDLIB_API* IsEqual)(TdTCF2UpdateTag* self, const TdTCF2UpdateTag* other);
  void(TDLIB_API* SetText)(TdTCF2UpdateTag* self, const TdStr* text);
  void(TDLIB_API* SetDateTime1)(TdTCF2UpdateTag* self, double value);
  void(TDLIB_API* SetDateTime2)(TdTCF2UpdateTag* self, double value);
  void(TDLIB_API* SetDateTime3)(TdTCF2UpdateTag* self, double value);
} TdTCF2UpdateTagVtbl;
struct TdTCF2UpdateTag {
  const TdTCF2UpdateTagVtbl* vtable;
};

TdTCF2MipmapTable* TDLIB_API TCF2MipmapTableCreate(void);
TdTCF2TileTable* TDLIB_API TCF2TileTableCreate(void);
TdTCF2TileTableC* TDLIB_API TCF2TileTableCCreate(void);
TdTCF2Tag* TDLIB_API TCF2TagCreate(void);
TdTCF2Bounds* TDLIB_API TCF2BoundsCreate(void);
TdTCF2UpdateTag* TDLIB_API TCF2UpdateTagCreate(void);
/* Reading a chart file into the caller's objects. The warnings word gets
 * bits ORed in and is never cleared; *error is 0 on success, else the first
 * error, with the objects filled so far left as they are. */
void TDLIB_API TCF2FileRead(const char* fileName, uint64_t* fileSize, uint32_t* version,
                            uint32_t* formatIndex, TdTCF2FileHeader* header,
                            TdTCF2MipmapTable* mipmap, TdTCF2TileTable* tiles, TdTCF2Tag* tag,
                            TdTCF2UpdateTag* updateTag, TdTCF2Bounds* bounds, uint32_t* warnings,
                            uint32_t* error);
void TDLIB_API TCF2FileReadTag(const char* fileName, TdTCF2Tag* tag, uint32_t* warnings,
                               uint32_t* error);
void TDLIB_API TCF2FileReadBoundsTag(const char* fileName, TdTCF2Bounds* bounds, uint32_t* warnings,
                                     uint32_t* error);
void TDLIB_API TCF2FileReadUpdateTag(const char* fileName, TdTCF2UpdateTag* updateTag,
                                     uint32_t* warnings, uint32_t* error);
/* The chart error code of a calibration status: 0 for 0 (weak: bit 0 of
 * *warnings is set) and 1 (good), the fault's code for 2..16, 0x7001E for
 * any other. Only status 0 touches *warnings. */
void TDLIB_API ConvertCalibrationResult(uint32_t status, uint32_t* warnings, uint32_t* error);
/* Converts a chart file of an older version into targetIndex's (1..4, else
 * 0x70000): the same version is copied, 4 gives version 2.0.0.0, any other
 * 0x70000. The target is written under a temporary name and replaces any old
 * target only when complete; on an error no new file is left, an old target
 * and the source are as they were. The target may name the source. A null
 * progress reports nothing; a cancel stops with its code. */
void TDLIB_API TCF2FileConvert(const char* sourceName, const char* targetName,
                               uint32_t targetIndex, const TdProgress* progress, uint32_t* error);
/* Chart updates. Texts and file names of the update family are CStr objects
 * made with StrCreate; the factories take zero-terminated texts. All
 * compression goes through the host's callbacks held by a CZip (ZipCreate);
 * without one, writing fails with 10 and reading with 11. */
typedef struct TdGuid {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
} TdGuid;

/* CTCF2UpdChartDesc: the chart an update is for. Texts come by reference and
 * belong to the object; setters copy. */
typedef struct TdTCF2UpdChartDesc TdTCF2UpdChartDesc;
typedef struct TdTCF2UpdChartDescVtbl {
  TdDeleteThis DeleteThis;                                                          /*  0 */
  uint32_t(TDLIB_API* GetVersion)(TdTCF2UpdChartDesc* self);                        /*  1 */
  TdGuid*(TDLIB_API* GetGUID)(TdTCF2UpdChartDesc* self);                            /*  2 */
  int32_t(TDLIB_API* GetIdCode)(TdTCF2UpdChartDesc* self);                          /*  3 */
  TdStr*(TDLIB_API* GetIdText1)(TdTCF2UpdChartDesc* self);                          /*  4 */
  TdStr*(TDLIB_API* GetIdText2)(TdTCF2UpdChartDesc* self);                          /*  5 */
  uint32_t(TDLIB_API* GetIdNumber)(TdTCF2UpdChartDesc* self);                       /*  6 */
  TdStr*(TDLIB_API* GetIdText3)(TdTCF2UpdChartDesc* self);                          /*  7 */
  TdStr*(TDLIB_API* GetIdText4)(TdTCF2UpdChartDesc* self);                          /*  8 */
  void(TDLIB_API* SetVersion)(TdTCF2UpdChartDesc* self, uint32_t version);          /*  9 */
  void(TDLIB_API* SetGUID)(TdTCF2UpdChartDesc* self, const TdGuid* guid);           /* 10 */
  void(TDLIB_API* SetIdCode)(TdTCF2UpdChartDesc* self, int32_t code);               /* 11 */
  void(TDLIB_API* SetIdText1)(TdTCF2UpdChartDesc* self, const TdStr* text);         /* 12 */
  void(TDLIB_API* SetIdText2)(TdTCF2UpdChartDesc* self, const TdStr* text);         /* 13 */
  void(TDLIB_API* SetIdNumber)(TdTCF2UpdChartDesc* self, uint32_t number);          /* 14 */
  void(TDLIB_API* SetIdText3)(TdTCF2UpdChartDesc* self, const TdStr* text);         /* 15 */
  void(TDLIB_API* SetIdText4)(TdTCF2UpdChartDesc* self, const TdStr* text);         /* 16 */
} TdTCF2UpdChartDescVtbl;
struct TdTCF2UpdChartDesc {
  const TdTCF2UpdChartDescVtbl* vtable;
};
TdTCF2UpdChartDesc* TDLIB_API TCF2UpdChartDescCreate(void);

/* CTCF2Update: an opened update. GetChartDesc's descriptor belongs to the
 * update: never pass it to ObjectDelete. An update from a package belongs to
 * the package, lives as long as it does and never goes to ObjectDelete. */
typedef struct TdTCF2Update TdTCF2Update;
typedef struct TdTCF2UpdateVtbl {
  TdDeleteThis DeleteThis;                                                          /*  0 */
  TdTCF2UpdChartDesc*(TDLIB_API* GetChartDesc)(TdTCF2Update* self);                 /*  1 */
  double(TDLIB_API* GetDateTime)(TdTCF2Update* self); /* days since 1899-12-30 */   /*  2 */
  TdStr*(TDLIB_API* GetFileName)(TdTCF2Update* self);                               /*  3 */
  uint32_t(TDLIB_API* GetFormat)(TdTCF2Update* self); /* 1: 1.0.0.0, 2: 1.1.0.0 */  /*  4 */
} TdTCF2UpdateVtbl;
struct TdTCF2Update {
  const TdTCF2UpdateVtbl* vtable;
};
/* Opens an update file; null and a non-zero code when it cannot be read. */
TdTCF2Update* TDLIB_API TCF2UpdateCreate(const char* fileName, uint32_t* error);
/* Writes an update file (version 1.1.0.0) from a chart file and a newer .bmp
 * of the same size: a patch for every level-0 tile whose pixels differ, the
 * chart's identity from its tag, blocks A and B when their pointers are not
 * null, the text as block C when not empty. rawBytes and compressedBytes
 * receive the sizes of the patches and block C. 0 with error 0 and no file
 * when nothing differs; 0x7003C when the sizes differ; 2 when the progress
 * callback cancels (a null progress reports nothing). An older file of the
 * name stays as it was on every failure. */
uint8_t TDLIB_API TCF2UpdFileGenerate(const TdStr* updateFileName, const TdStr* newImageFileName,
                                      const TdStr* chartFileName, double dateTime, const TdStr* text,
                                      const void* blockA, int32_t blockASize, const void* blockB,
                                      int32_t blockBSize, TdObject* zip, uint64_t* rawBytes,
                                      uint64_t* compressedBytes, const TdProgress* progress,
                                      uint32_t* error);
/* Rewrites an update file of version 1.1.0.0 (0x10019 for 1.0.0.0): each of
 * the text (block C) and blocks A and B is kept when its replace flag is 0,
 * else replaced by the given bytes, or dropped when they are empty. The file
 * is replaced in one step; on failure it stays as it was. keepFileTimes keeps
 * its times. */
void TDLIB_API TCF2UpdFileUpdate(const TdStr* updateFileName, const TdStr* text, uint8_t replaceText,
                                 const void* blockA, int32_t blockASize, uint8_t replaceA, const void* blockB,
                                 int32_t blockBSize, uint8_t replaceB, uint8_t keepFileTimes, TdObject* zip,
                                 uint32_t* error);

/* CTCF2UpdPackage: update files bundled with the GUIDs of their charts. */
typedef struct TdTCF2UpdPackage TdTCF2UpdPackage;
typedef struct TdTCF2UpdPackageVtbl {
  TdDeleteThis DeleteThis;                                                          /*  0 */
  /* Writes the chart's update file into the package's folder; 0 with error 0
   * when no item is for the chart. */
  uint8_t(TDLIB_API* ExtractItem)(TdTCF2UpdPackage* self, const TdGuid* guid, uint32_t* error); /* 1 */
  /* The last item for the chart; index -1 when none. */
  uint8_t(TDLIB_API* FindItem)(TdTCF2UpdPackage* self, const TdGuid* guid, int32_t* index); /* 2 */
  int32_t(TDLIB_API* GetCount)(TdTCF2UpdPackage* self);                             /*  3 */
  /* Item n's update, the same object on later calls; owned by the package. */
  TdTCF2Update*(TDLIB_API* CreateUpdate)(TdTCF2UpdPackage* self, int32_t n, uint32_t* error); /* 4 */
} TdTCF2UpdPackageVtbl;
struct TdTCF2UpdPackage {
  const TdTCF2UpdPackageVtbl* vtable;
};
TdTCF2UpdPackage* TDLIB_API TCF2UpdPackageOpen(const char* packageFileName, const char* folder,
                                              uint32_t* error);
/* fileNames: zero-terminated names, ended by an empty one. */
void TDLIB_API TCF2UpdPackageWrite(const char* packageFileName, const char* fileNames, uint32_t* error);

/* CBSBChartInfoFile: records of three texts, sorted by text3, text2, text1,
 * and one free text, kept in a small file. */
typedef struct TdBSBChartInfoFile TdBSBChartInfoFile;
typedef struct TdBSBChartInfoFileVtbl {
  TdDeleteThis DeleteThis;                                                          /*  0 */
  void(TDLIB_API* Add)(TdBSBChartInfoFile* self, const TdStr* text1, const TdStr* text2,
                       const TdStr* text3);                                         /*  1 */
  void(TDLIB_API* Clear)(TdBSBChartInfoFile* self);                                 /*  2 */
  void(TDLIB_API* Delete)(TdBSBChartInfoFile* self, int32_t index);                 /*  3 */
  uint8_t(TDLIB_API* Find)(TdBSBChartInfoFile* self, const TdStr* text1, const TdStr* text2,
                           const TdStr* text3, int32_t* index);                     /*  4 */
  int32_t(TDLIB_API* GetCount)(TdBSBChartInfoFile* self);                           /*  5 */
  void(TDLIB_API* GetItem)(TdBSBChartInfoFile* self, int32_t index, TdStr* text1, TdStr* text2,
                           TdStr* text3);                                           /*  6 */
  TdStr*(TDLIB_API* GetText)(TdBSBChartInfoFile* self);                             /*  7 */
  /* Merges the file's records; 0 and nothing changed when it does not read. */
  uint8_t(TDLIB_API* LoadFromFile)(TdBSBChartInfoFile* self, const TdStr* path);    /*  8 */
  /* Replaces the file in one step; 0 when it could not. */
  uint8_t(TDLIB_API* SaveToFile)(TdBSBChartInfoFile* self, const TdStr* path);      /*  9 */
  void(TDLIB_API* SetText)(TdBSBChartInfoFile* self, const TdStr* text);            /* 10 */
} TdBSBChartInfoFileVtbl;
struct TdBSBChartInfoFile {
  const TdBSBChartInfoFileVtbl* vtable;
};
TdBSBChartInfoFile* TDLIB_API BSBChartInfoFileCreate(void);

/* ---- gps ---- */

/* NMEA records, filled by the CNMEASentence readers: values first, then one
 * byte flag per value in the same order (use a value only when its flag is
 * not 0). Degrees north and east positive; times hour, minute, second,
 * millisecond; RMC dates with the year's two digits. */
typedef struct TdNMEATime {
  uint16_t hour, minute, second, millisecond;
} TdNMEATime;
typedef struct TdNMEADate {
  uint16_t year, month, day;
} TdNMEADate;
typedef struct TdNMEAGGA {
  double latitude, longitude, hdop, altitude, geoidSeparation, differentialAge;
  TdNMEATime time;
  uint32_t quality, satellites, stationId;
  uint8_t latitudeValid, longitudeValid, hdopValid, altitudeValid, geoidSeparationValid, differentialAgeValid,
      timeValid, qualityValid, satellitesValid, stationIdValid;
} TdNMEAGGA; /* 80 bytes */
typedef struct TdNMEAGLL {
  double latitude, longitude;
  TdNMEATime time;
  char status, mode;
  uint8_t latitudeValid, longitudeValid, timeValid, statusValid, modeValid;
} TdNMEAGLL; /* 32 bytes */
typedef struct TdNMEAGSA {
  uint32_t satelliteIds[12];
  uint32_t idCount; /* ids whose flag is set */
  uint32_t fixType; /* 1 none, 2 2D, 3 3D */
  double pdop, hdop, vdop;
  char mode;
  uint8_t modeValid, fixTypeValid, pdopValid, hdopValid, vdopValid, idCountValid, satelliteIdValid[12];
} TdNMEAGSA; /* 104 bytes */
typedef struct TdNMEAGSV {
  uint32_t messageCount, messageNumber, satellitesInView;
  uint32_t satelliteIds[4], elevations[4], azimuths[4], signalToNoise[4];
  uint8_t messageCountValid, messageNumberValid, satellitesInViewValid;
  uint8_t satelliteIdValid[4], elevationValid[4], azimuthValid[4], signalToNoiseValid[4];
} TdNMEAGSV; /* 96 bytes */
typedef struct TdNMEARMC {
  double latitude, longitude;
  float speed;     /* knots */
  float course;    /* degrees true */
  float variation; /* degrees, west negative */
  TdNMEATime time;
  TdNMEADate date;
  char status, mode;
  uint8_t latitudeValid, longitudeValid, speedValid, courseValid, variationValid, timeValid, dateValid,
      statusValid, modeValid;
} TdNMEARMC; /* 56 bytes */
typedef struct TdNMEAVTG {
  float speedKnots, speedKmh, courseTrue, courseMagnetic;
  char mode;
  uint8_t speedKnotsValid, speedKmhValid, courseTrueValid, courseMagneticValid, modeValid;
} TdNMEAVTG; /* 24 bytes */

/* Identifiers pack their characters little-endian: "GGA" 0x414747, talker
 * "GP" 0x5047, proprietary talker "P" 0x50. Flags: 1 proprietary, 2 query,
 * 4 checksum error; the interpreter ignores a sentence with any of them. */
#define TD_NMEA_PROPRIETARY 1u
#define TD_NMEA_QUERY 2u
#define TD_NMEA_CHECKSUM_ERROR 4u

/* CNMEASentence: lent to the parser's callback and deleted right after it. */
typedef struct TdNMEASentenceTable {
  TdDeleteThis DeleteThis;
  uint32_t(TDLIB_API* GetFlags)(TdObject* self);
  uint32_t(TDLIB_API* GetSentenceId)(TdObject* self);
  void(TDLIB_API* GetGGA)(TdObject* self, TdNMEAGGA* record);
  void(TDLIB_API* GetGLL)(TdObject* self, TdNMEAGLL* record);
  void(TDLIB_API* GetGSA)(TdObject* self, TdNMEAGSA* record);
  void(TDLIB_API* GetGSV)(TdObject* self, TdNMEAGSV* record);
  void(TDLIB_API* GetRMC)(TdObject* self, TdNMEARMC* record);
  uint32_t(TDLIB_API* GetTalkerId)(TdObject* self);
  uint32_t(TDLIB_API* GetListenerId)(TdObject* self);
  uint64_t(TDLIB_API* GetReceiveTime)(TdObject* self); /* stamp of the chunk that held the '$' */
  void(TDLIB_API* GetVTG)(TdObject* self, TdNMEAVTG* record);
} TdNMEASentenceTable;

/* CNMEAParser: calls back once per sentence ended by CR LF (checksum
 * errors, proprietary and query sentences too, marked by their flags), on the
 * thread that calls Parse. */
typedef void(TDLIB_API* TdNMEASentenceCallback)(void* context, TdObject* parser, TdObject* sentence);
typedef struct TdNMEAParserTable {
  TdDeleteThis DeleteThis;
  void(TDLIB_API* Parse)(TdObject* self, const uint8_t* bytes, int32_t count, uint64_t time);
  void(TDLIB_API* Reset)(TdObject* self);
} TdNMEAParserTable;
TdObject* TDLIB_API NMEAParserCreate(TdNMEASentenceCallback callback, void* context);

/* Message queues of the interpreter: per source (talker, type) its last
 * report (day number) and interval (seconds, -1 unknown). Types: 1 GGA,
 * 2 GLL, 4 GSA, 16 RMC, 32 course and speed measured in RMC, 64 VTG. Items
 * are null outside 0 .. count - 1. */
typedef struct TdNMEAMsg {
  double time;
  uint32_t talker, type;
  float interval;
} TdNMEAMsg; /* 24 bytes */
typedef struct TdNMEAPosMsg {
  double time;
  double position[3]; /* WGS 84 latitude, longitude (radians), height */
  uint32_t talker, type;
} TdNMEAPosMsg; /* 40 bytes */
typedef struct TdNMEAMsgQueueTable {
  TdDeleteThis DeleteThis;
  TdNMEAMsg*(TDLIB_API* GetItem)(TdObject* self, int32_t index);
  int32_t(TDLIB_API* GetCount)(TdObject* self);
  uint32_t(TDLIB_API* GetCurrentType)(TdObject* self); /* 0: no current source */
  uint32_t(TDLIB_API* GetCurrentTalker)(TdObject* self);
} TdNMEAMsgQueueTable;
typedef struct TdNMEAPosMsgQueueTable {
  TdDeleteThis DeleteThis;
  TdNMEAPosMsg*(TDLIB_API* GetItem)(TdObject* self, int32_t index);
  int32_t(TDLIB_API* GetCount)(TdObject* self);
} TdNMEAPosMsgQueueTable;

/* CGPSClock: system time corrected by GPS time, in day numbers (days since
 * 1899-12-30). States: 0 no GPS time, 1 times of day only, 2 date and time.
 * Any thread may call it. */
typedef struct TdGPSClockTable {
  TdDeleteThis DeleteThis;
  double(TDLIB_API* GetOffset)(TdObject* self); /* days */
  uint8_t(TDLIB_API* IsHoldOver)(TdObject* self);
  uint32_t(TDLIB_API* GetState)(TdObject* self);
  double(TDLIB_API* GetTime)(TdObject* self);
  int32_t(TDLIB_API* GetTag)(TdObject* self);
  void(TDLIB_API* UpdateOffset)(TdObject* self);
  void(TDLIB_API* Reset)(TdObject* self); /* keeps the tag */
  void(TDLIB_API* SetTag)(TdObject* self, int32_t tag);
  void(TDLIB_API* StartHold)(TdObject* self, float seconds);
  void(TDLIB_API* SetTime)(TdObject* self, double date, double timeOfDay, uint64_t stamp);
} TdGPSClockTable;
TdObject* TDLIB_API GPSClockCreate(void);

/* CNMEAInterpreter: created inactive; feed it the parser's sentences and
 * poll it. Callbacks run inside OnSentence and Poll on the caller's thread;
 * valid is 1; times are day numbers of the fix; positions are WGS 84
 * (latitude, longitude in radians, height 0); speeds m/s; courses radians
 * in [-pi, pi); fix 0 none, 1 fix, 2 2D, 3 3D. Time-out reasons: 1 no
 * sentence since the reset, 2 no position sentence, 3 all sentences
 * stopped, 4 position sentences stopped. */
typedef void(TDLIB_API* TdNMEAPositionCallback)(void* context, const double* position, uint8_t valid, double time,
                                                uint32_t* error);
typedef void(TDLIB_API* TdNMEAFloatCallback)(void* context, float value, uint8_t valid, double time);
typedef void(TDLIB_API* TdNMEACountCallback)(void* context, uint32_t value, uint8_t valid, double time);
typedef void(TDLIB_API* TdNMEATimedPositionCallback)(void* context, double time, const double* position);
typedef void(TDLIB_API* TdNMEATimeoutCallback)(void* context, TdObject* interpreter, uint32_t reason);
typedef void(TDLIB_API* TdNMEAUpdateCallback)(void* context, TdObject* interpreter);
typedef struct TdCallback {
  void (*function)(void);
  void* context;
} TdCallback;
typedef struct TdNMEAInterpreterTable {
  TdDeleteThis DeleteThis;
  uint8_t(TDLIB_API* IsActive)(TdObject* self);
  const SGeodeticDatum*(TDLIB_API* GetDatum)(TdObject* self);
  uint8_t(TDLIB_API* GetTimeoutEnabled)(TdObject* self);
  float(TDLIB_API* GetTimeout)(TdObject* self);
  TdCallback*(TDLIB_API* GetOnTimeout)(TdObject* self);
  TdObject*(TDLIB_API* GetFixLostSound)(TdObject* self);
  TdObject*(TDLIB_API* GetFixGainedSound)(TdObject* self);
  TdCallback*(TDLIB_API* GetOnUpdate)(TdObject* self);
  TdObject*(TDLIB_API* GetCourseQueue)(TdObject* self); /* CNMEAMsgQueue, owned by the interpreter */
  TdObject*(TDLIB_API* GetFixQueue)(TdObject* self);
  TdObject*(TDLIB_API* GetPositionQueue)(TdObject* self);
  TdObject*(TDLIB_API* GetSatellitesQueue)(TdObject* self);
  TdObject*(TDLIB_API* GetSpeedQueue)(TdObject* self);
  TdObject*(TDLIB_API* GetClockQueue)(TdObject* self);
  void(TDLIB_API* Poll)(TdObject* self);
  void(TDLIB_API* OnSentence)(TdObject* self, TdObject* sentence);
  void(TDLIB_API* SetActive)(TdObject* self, uint8_t active);
  void(TDLIB_API* SetDatum)(TdObject* self, const SGeodeticDatum* datum); /* the receiver's; null ignored */
  void(TDLIB_API* SetTimeoutEnabled)(TdObject* self, uint8_t enabled);
  void(TDLIB_API* SetTimeout)(TdObject* self, float seconds);
  void(TDLIB_API* SetOnTimeout)(TdObject* self, TdNMEATimeoutCallback callback, void* context);
  void(TDLIB_API* SetFixLostSound)(TdObject* self, TdObject* sound); /* CSound, not owned */
  void(TDLIB_API* SetFixGainedSound)(TdObject* self, TdObject* sound);
  void(TDLIB_API* SetOnUpdate)(TdObject* self, TdNMEAUpdateCallback callback, void* context);
} TdNMEAInterpreterTable;
/* Null when clock is null or memory runs out; the clock must outlive it. */
TdObject* TDLIB_API NMEAInterpreterCreate(TdObject* clock, TdNMEAPositionCallback position, void* positionContext,
                                          TdNMEAFloatCallback speed, void* speedContext, TdNMEAFloatCallback course,
                                          void* courseContext, TdNMEACountCallback fix, void* fixContext,
                                          TdNMEACountCallback satellites, void* satellitesContext,
                                          TdNMEATimedPositionCallback timedPosition, void* timedPositionContext);

/* Serial port "\\.\COM<n>" (defaults 4800 baud, 8 data bits, parity 0, stop
 * bits 0, handshake 0 none, port 1). Setters act at the next Open. Callbacks
 * run on the thread that loaded the library, which must pump messages;
 * after Close or ObjectDelete returns none of them runs, and a callback may
 * delete its own port. */
typedef void(TDLIB_API* TdCommReceiveCallback)(void* context);
/* text: the read thread's error text (a TdStr, empty for a failed read). */
typedef void(TDLIB_API* TdCommTerminateCallback)(void* context, uint32_t code, const TdStr* text);
typedef struct TdCommPortTable {
  TdDeleteThis DeleteThis;
  void(TDLIB_API* Close)(TdObject* self);
  uint32_t(TDLIB_API* GetBaudRate)(TdObject* self);
  uint8_t(TDLIB_API* GetByteSize)(TdObject* self);
  uint32_t(TDLIB_API* GetHandshake)(TdObject* self);
  uint8_t(TDLIB_API* IsOpen)(TdObject* self);
  TdCallback*(TDLIB_API* GetOnReceive)(TdObject* self);
  TdCallback*(TDLIB_API* GetOnTerminate)(TdObject* self);
  uint32_t(TDLIB_API* GetParity)(TdObject* self);
  uint8_t(TDLIB_API* GetErrorChar)(TdObject* self);
  uint8_t(TDLIB_API* GetErrorCharEnabled)(TdObject* self);
  uint32_t(TDLIB_API* GetPortNumber)(TdObject* self);
  uint32_t(TDLIB_API* GetStopBits)(TdObject* self);
  /* name: the read thread's name; *error 0 or 0x30000..0x30006, 1. */
  void(TDLIB_API* Open)(TdObject* self, const char* name, uint32_t* error);
  /* buffer: room for 256 bytes; 0 when no packet waits. */
  uint8_t(TDLIB_API* ReadPacket)(TdObject* self, uint8_t* buffer, uint32_t* size, uint64_t* time);
  void(TDLIB_API* SetBaudRate)(TdObject* self, uint32_t value);
  void(TDLIB_API* SetByteSize)(TdObject* self, uint8_t value);
  void(TDLIB_API* SetHandshake)(TdObject* self, uint32_t value);
  void(TDLIB_API* SetOnReceive)(TdObject* self, TdCommReceiveCallback function, void* context);
  void(TDLIB_API* SetOnTerminate)(TdObject* self, TdCommTerminateCallback function, void* context);
  void(TDLIB_API* SetParity)(TdObject* self, uint32_t value);
  void(TDLIB_API* SetErrorChar)(TdObject* self, uint8_t value);
  void(TDLIB_API* SetErrorCharEnabled)(TdObject* self, uint8_t value);
  void(TDLIB_API* SetPortNumber)(TdObject* self, uint32_t value);
  void(TDLIB_API* SetStopBits)(TdObject* self, uint32_t value);
} TdCommPortTable;
TdObject* TDLIB_API CommPortCreate(void);

/* NMEA receiver detector: tries every port of its settings at once and each
 * port's settings in turn, and keeps per port the first setting on which a
 * counted sentence arrives. Call it on the thread that loaded the library,
 * which must pump messages: both callbacks run there. Deleting it stops a
 * search and calls nothing. An index out of range gives a zeroed record, 0
 * or null. */
typedef struct TdNMEADetectorSetting {
  int32_t port; /* 1 = COM1 */
  int32_t baudRate;
  uint8_t dataBits;
  int32_t stopBits, parity, handshake; /* as the serial port takes them */
} TdNMEADetectorSetting;
TDLIB_LAYOUT(sizeof(TdNMEADetectorSetting) == 24);
TDLIB_LAYOUT(offsetof(TdNMEADetectorSetting, dataBits) == 8);
TDLIB_LAYOUT(offsetof(TdNMEADetectorSetting, stopBits) == 12);
typedef void(TDLIB_API* TdNMEADetectorCallback)(void* context, TdObject* detector);
typedef struct TdNMEADetectorTable {
  TdDeleteThis DeleteThis;
  void(TDLIB_API* AddSetting)(TdObject* self, int32_t port, int32_t baudRate, uint8_t dataBits,
                              int32_t stopBits, int32_t parity, int32_t handshake);
  void(TDLIB_API* AddTalkerFilter)(TdObject* self, uint32_t talker);
  void(TDLIB_API* AddSentenceFilter)(TdObject* self, uint32_t sentence);
  void(TDLIB_API* Stop)(TdObject* self);
  /* *value is always set to 0. */
  void(TDLIB_API* GetResult)(TdObject* self, int32_t index, TdNMEADetectorSetting* setting,
                             uint32_t* value);
  int32_t(TDLIB_API* GetResultCount)(TdObject* self); /* 0 while running */
  uint8_t(TDLIB_API* IsStopped)(TdObject* self);
  uint32_t(TDLIB_API* GetTalkerFilter)(TdObject* self, int32_t index);
  int32_t(TDLIB_API* GetTalkerFilterCount)(TdObject* self);
  float(TDLIB_API* GetProgress)(TdObject* self); /* percent */
  uint8_t(TDLIB_API* IsRunning)(TdObject* self);
  uint32_t(TDLIB_API* GetSentenceFilter)(TdObject* self, int32_t index);
  int32_t(TDLIB_API* GetSentenceFilterCount)(TdObject* self);
  /* The detector's own record, valid until the next AddSetting. */
  const TdNMEADetectorSetting*(TDLIB_API* GetSetting)(TdObject* self, int32_t index);
  int32_t(TDLIB_API* GetSettingCount)(TdObject* self);
  float(TDLIB_API* GetListenTime)(TdObject* self); /* seconds per setting, 3 at first */
  void(TDLIB_API* SetOnFinished)(TdObject* self, TdNMEADetectorCallback function, void* context);
  void(TDLIB_API* SetOnProgress)(TdObject* self, TdNMEADetectorCallback function, void* context);
  /* Ignores a value that is not finite or below 0. */
  void(TDLIB_API* SetListenTime)(TdObject* self, float seconds);
  void(TDLIB_API* Start)(TdObject* self, uint8_t stopAtFirst);
} TdNMEADetectorTable;
TdObject* TDLIB_API NMEADetectorCreate(void);

/* ---- waypoints ---- */

/* Waypoint model. Texts cross as TdStr (make one with StrCreate); positions
 * are three doubles (latitude, longitude in radians, altitude) or two;
 * identifiers 16 bytes; times day numbers; booleans bytes 0 or 1. Every
 * operation with an error pointer sets it, 0 on success: 0x80000 read-only,
 * 0x80028 name too long, 0x80034 index, link, point or item not found, or an
 * item (waypoint, type) of another manager. Icons are CBmp32 objects. */
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
TdWaypointManager* TDLIB_API WaypointManagerCreate(uintptr_t hostValue, TdBmp32* icon, TdBmp32* overlay,
                                                   uint8_t unused, float originX, float originY,
                                                   const char* fontName, int32_t nameFontSize,
                                                   uint32_t nameFontStyle, uint32_t nameColor,
                                                   int32_t commentFontSize, uint32_t commentFontStyle,
                                                   uint32_t commentColor, int32_t labelPlacement);

/* Saves a reference database that uses every stored field to fileName, reads
 * it into a second manager and compares: 1 when equal (the file is deleted
 * then), 0 with *error set when a step failed, 0 with *error 0 when the data
 * differed (the file stays). */
uint8_t TDLIB_API ValidateWaypointDB(const char* fileName, uint32_t* error);
/* DrawWaypoints: the list's waypoints from the last to the first (the first
 * on top), at most 200, each as its type's icon at its pixel of the view
 * calibration, its arrival circle when wider than a pixel and, with labels
 * 1, its name and comment where its label placement says. centre is the
 * view centre (latitude, longitude, radians), viewRadius the metres from it
 * to the farthest edge. hits, when not null, gets the rounded pixel of each
 * drawn waypoint in drawing order; the caller gives room for 200 entries.
 * Nothing is drawn for a metres-per-pixel that is not a positive number. */
typedef struct TdWaypointHit {
  int32_t x;
  int32_t y;
  TdWaypoint* waypoint;
} TdWaypointHit;
typedef struct TdWaypointHits {
  uint32_t count;
  TdWaypointHit entries[200];
} TdWaypointHits;
void TDLIB_API DrawWaypoints(TdBmp32* bitmap, TdGeodeticCalibration* view, const double* centre,
                             double metresPerPixel, double viewRadius, TdWaypointList* waypoints,
                             uint8_t labels, TdWaypointHits* hits);

/* Applies an opened update to a chart file of version 1.0.0.2 or 2.0.0.0
 * (1.0.0.0 and 1.0.0.1: 0x70000): the patched level-0 tiles are re-coded,
 * every smaller tile rebuilt and a new update tag written. The update must
 * be for this chart (0x7003E) and name only its level-0 tiles (0x10015). The
 * chart is replaced in one step once the new file is complete; on any error,
 * a cancel through progress included, it stays byte for byte as it was. *flag
 * is set to 0. zip inflates the update's data; a null progress reports
 * nothing. */
void TDLIB_API TCF2FileUpdate(const TdStr* chartName, TdTCF2Update* update, uint8_t* flag,
                              TdObject* zip, const TdProgress* progress, uint32_t* error);

#ifdef __cplusplus
}
#endif

#endif /* TDLIB_H */
