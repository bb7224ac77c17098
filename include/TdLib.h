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

/* Serial port "\\.\COM<n>" (defaults 4800 baud, 8 data bits, parity 0, stop
 * bits 0, handshake 0 none, port 1). Setters act at the next Open. Callbacks
 * run on the thread that loaded the library, which must pump messages;
 * after Close or ObjectDelete returns none of them runs, and a callback may
 * delete its own port. */
typedef void(TDLIB_API* TdCommReceiveFunc)(void* context);
/* text: the read thread's error text (a TdStr, empty for a failed read). */
typedef void(TDLIB_API* TdCommTerminateFunc)(void* context, uint32_t code, const TdStr* text);
typedef struct TdCallbackPair {
  void (*function)(void);
  void* context;
} TdCallbackPair;
typedef struct TdCommPortTable {
  TdDeleteThis DeleteThis;
  void(TDLIB_API* Close)(TdObject* self);
  uint32_t(TDLIB_API* GetBaudRate)(TdObject* self);
  uint8_t(TDLIB_API* GetByteSize)(TdObject* self);
  uint32_t(TDLIB_API* GetHandshake)(TdObject* self);
  uint8_t(TDLIB_API* IsOpen)(TdObject* self);
  TdCallbackPair*(TDLIB_API* GetOnReceive)(TdObject* self);
  TdCallbackPair*(TDLIB_API* GetOnTerminate)(TdObject* self);
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
  void(TDLIB_API* SetOnReceive)(TdObject* self, TdCommReceiveFunc function, void* context);
  void(TDLIB_API* SetOnTerminate)(TdObject* self, TdCommTerminateFunc function, void* context);
  void(TDLIB_API* SetParity)(TdObject* self, uint32_t value);
  void(TDLIB_API* SetErrorChar)(TdObject* self, uint8_t value);
  void(TDLIB_API* SetErrorCharEnabled)(TdObject* self, uint8_t value);
  void(TDLIB_API* SetPortNumber)(TdObject* self, uint32_t value);
  void(TDLIB_API* SetStopBits)(TdObject* self, uint32_t value);
} TdCommPortTable;
TdObject* TDLIB_API CommPortCreate(void);

/* ---- waypoints ---- */

#ifdef __cplusplus
}
#endif

#endif /* TDLIB_H */
