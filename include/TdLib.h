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
 * DrawTransform. Slots 24-28 belong to the vector drawing and do nothing yet. */
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

/* ---- gps ---- */

/* ---- waypoints ---- */

#ifdef __cplusplus
}
#endif

#endif /* TDLIB_H */
