// Exports of the ellipsoid and datum tables and the geocentric transforms.
// Positions cross as arrays of doubles (lat, lon[, h] or X, Y, Z); nothing
// is thrown past these functions.
#include "include/TdLib.h"
#include "lib/foundation/core/Abi.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/geodesy/Datum.h"
#include "lib/geodesy/Ellipsoid.h"
#include "lib/geodesy/Geocentric.h"
#include "lib/geodesy/Geodetics.h"

namespace {

SGeo2D Geo2(const double* p) { return SGeo2D{p[0], p[1]}; }
SGeo3D Geo3(const double* p) { return SGeo3D{p[0], p[1], p[2]}; }
SPoint3D Point3(const double* p) { return SPoint3D{p[0], p[1], p[2]}; }

void Put(double* out, const SGeo3D& g) {
  out[0] = g.lat;
  out[1] = g.lon;
  out[2] = g.h;
}

void Put(double* out, const SPoint3D& p) {
  out[0] = p.x;
  out[1] = p.y;
  out[2] = p.z;
}

// Stores the found record (null when none, or when the search failed) and
// reports whether there was one.
template <class T, class Search>
bool Found(const T** out, Search&& search) {
  const T* found = td::Guard(static_cast<const T*>(nullptr), search);
  if (out) *out = found;
  return found != nullptr;
}

}  // namespace

TDEXPORT(void*) GeodeticsInitialize() {
  return td::Guard(static_cast<void*>(nullptr), [] { return static_cast<void*>(GeodeticTablesInitialize()); });
}

TDEXPORT(uint8_t) GeodeticDatumCreateByCode(const char* code, const SGeodeticDatum** datum) {
  return Found(datum, [&] { return GeodeticDatumFindByCode(code); });
}

TDEXPORT(const SGeodeticDatum*) GeodeticDatumCreateByDef(const SGeodeticEllipsoid* ellipsoid, double dx,
                                                         double dy, double dz, double rx, double ry, double rz,
                                                         double scale) {
  if (!ellipsoid) return nullptr;
  const SDatumParams params{dx, dy, dz, rx, ry, rz, scale};
  return td::Guard(static_cast<const SGeodeticDatum*>(nullptr),
                   [&] { return GeodeticDatumCreateByDefWorker(ellipsoid, params); });
}

TDEXPORT(const SGeodeticDatum*) GeodeticDatumCreateByShift(const double* position, const double* shift) {
  if (!position || !shift) return nullptr;
  return td::Guard(static_cast<const SGeodeticDatum*>(nullptr),
                   [&] { return GeodeticDatumCreateByShiftWorker(Geo2(position), Geo2(shift)); });
}

TDEXPORT(const SGeodeticDatum*) GeodeticDatumCreateFromNKF(int16_t number) {
  return td::Guard(static_cast<const SGeodeticDatum*>(nullptr), [&] { return GeodeticDatumFindByNumber(number); });
}

TDEXPORT(uint8_t) GeodeticDatumCreateFromOldName(const char* name, const SGeodeticDatum** datum) {
  return Found(datum, [&] { return GeodeticDatumFindByOldName(name); });
}

TDEXPORT(uint8_t) GeodeticDatumGetList(int32_t* count, const SGeodeticDatum** list) {
  return count && td::Guard(false, [&] { return GeodeticDatumListTo(*count, list); });
}

TDEXPORT(uint8_t) GeodeticDatumGetOldName(const SGeodeticDatum* datum, int32_t* size, char* buffer) {
  return size && td::Guard(false, [&] { return GeodeticDatumOldNameTo(datum, *size, buffer); });
}

TDEXPORT(uint8_t) GeodeticDatumIsValid(const SGeodeticDatum* datum) {
  return td::Guard(false, [&] { return GeodeticDatumIsKnown(datum); });
}

TDEXPORT(uint8_t) GeodeticDatumIsEqualParams(const SGeodeticDatum* a, const SGeodeticDatum* b) {
  return td::Guard(0, [&]() -> uint8_t {
    if (a == b) return true;
    return a && b && GeodeticDatumIsEqualParams(*a, *b);
  });
}

TDEXPORT(uint8_t) GeodeticEllipsoidCreateByCode(const char* code, const SGeodeticEllipsoid** ellipsoid) {
  return Found(ellipsoid, [&] { return GeodeticEllipsoidFindByCode(code); });
}

TDEXPORT(const SGeodeticEllipsoid*) GeodeticEllipsoidCreateByDef(double a, double invF) {
  return td::Guard(static_cast<const SGeodeticEllipsoid*>(nullptr),
                   [&] { return GeodeticEllipsoidCreateByDefWorker(a, invF); });
}

TDEXPORT(uint8_t) GeodeticEllipsoidGetList(int32_t* count, const SGeodeticEllipsoid** list) {
  return count && td::Guard(false, [&] { return GeodeticEllipsoidListTo(*count, list); });
}

TDEXPORT(uint8_t) GeodeticEllipsoidCodeToStr(uint32_t code, int32_t* size, char* buffer) {
  return td::Guard(0, [&] {
    return size && (buffer || *size <= 0) && GeodeticEllipsoidCodeToStr(code, *size, buffer);
  });
}

TDEXPORT(void) GeoToGlobal2(double* out, const double* in, const SGeodeticEllipsoid* ellipsoid) {
  td::GuardVoid([&] {
    if (!out || !in || !ellipsoid) return;
    SPoint3D p;
    GeoToGlobal2(p, Geo2(in), *ellipsoid);
    Put(out, p);
  });
}

TDEXPORT(void) GeoToGlobal3(double* out, const double* in, const SGeodeticEllipsoid* ellipsoid) {
  td::GuardVoid([&] {
    if (!out || !in || !ellipsoid) return;
    SPoint3D p;
    GeoToGlobal3(p, Geo3(in), *ellipsoid);
    Put(out, p);
  });
}

TDEXPORT(void) GlobalToGeo(double* out, const double* in, const SGeodeticEllipsoid* ellipsoid) {
  td::GuardVoid([&] {
    if (!out || !in || !ellipsoid) return;
    SGeo3D g;
    GlobalToGeo(g, Point3(in), *ellipsoid);
    Put(out, g);
  });
}

TDEXPORT(void) GeodeticDatumTransform(double* out, const SGeodeticDatum* target, const double* in,
                                      const SGeodeticDatum* source) {
  td::GuardVoid([&] {
    if (!out || !target || !in || !source) return;
    SPoint3D p;
    GeodeticDatumTransform(p, *target, Point3(in), *source);
    Put(out, p);
  });
}

TDEXPORT(void) GeodeticDatumTransform2(double* out, const SGeodeticDatum* target, const double* in,
                                       const SGeodeticDatum* source) {
  td::GuardVoid([&] {
    if (!out || !target || !in || !source) return;
    SGeo3D g;
    GeodeticDatumTransform2(g, *target, Geo2(in), *source);
    Put(out, g);
  });
}

TDEXPORT(void) GeodeticDatumTransform3(double* out, const SGeodeticDatum* target, const double* in,
                                       const SGeodeticDatum* source) {
  td::GuardVoid([&] {
    if (!out || !target || !in || !source) return;
    SGeo3D g;
    GeodeticDatumTransform3(g, *target, Geo3(in), *source);
    Put(out, g);
  });
}
