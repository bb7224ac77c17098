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

/* ---- units, progress, services ---- */

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

/* ---- bitmaps and drawing ---- */

/* ---- charts ---- */

/* ---- gps ---- */

/* ---- waypoints ---- */

#ifdef __cplusplus
}
#endif

#endif /* TDLIB_H */
