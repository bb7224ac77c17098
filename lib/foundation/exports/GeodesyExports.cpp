// Exports of the ellipsoid and datum tables and the geocentric transforms.
// Positions cross as arrays of doubles (lat, lon[, h] or X, Y, Z); nothing
// is thrown past these functions.
#include "lib/foundation/Abi.h"
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

// Stores the found record (or null) and reports whether there was one.
template <class T>
bool Found(const T* found, const T** out) {
  if (out) *out = found;
  return found != nullptr;
}

}  // namespace

TDEXPORT(void*) GeodeticsInitialize() {
  try {
    return GeodeticTablesInitialize();
  } catch (...) {
    return nullptr;
  }
}

TDEXPORT(bool) GeodeticDatumCreateByCode(const char* code, const SGeodeticDatum** datum) {
  try {
    return Found(GeodeticDatumFindByCode(code), datum);
  } catch (...) {
    return Found<SGeodeticDatum>(nullptr, datum);
  }
}

TDEXPORT(const SGeodeticDatum*) GeodeticDatumCreateByDef(const SGeodeticEllipsoid* ellipsoid, double dx,
                                                         double dy, double dz, double rx, double ry, double rz,
                                                         double scale) {
  try {
    return ellipsoid ? GeodeticDatumCreateByDefWorker(ellipsoid, {dx, dy, dz, rx, ry, rz, scale}) : nullptr;
  } catch (...) {
    return nullptr;
  }
}

TDEXPORT(const SGeodeticDatum*) GeodeticDatumCreateByShift(const double* position, const double* shift) {
  try {
    return position && shift ? GeodeticDatumCreateByShiftWorker(Geo2(position), Geo2(shift)) : nullptr;
  } catch (...) {
    return nullptr;
  }
}

TDEXPORT(const SGeodeticDatum*) GeodeticDatumCreateFromNKF(int16_t number) {
  try {
    return GeodeticDatumFindByNumber(number);
  } catch (...) {
    return nullptr;
  }
}

TDEXPORT(bool) GeodeticDatumCreateFromOldName(const char* name, const SGeodeticDatum** datum) {
  try {
    return Found(GeodeticDatumFindByOldName(name), datum);
  } catch (...) {
    return Found<SGeodeticDatum>(nullptr, datum);
  }
}

TDEXPORT(bool) GeodeticDatumGetList(int32_t* count, const SGeodeticDatum** list) {
  try {
    return count && GeodeticDatumListTo(*count, list);
  } catch (...) {
    return false;
  }
}

TDEXPORT(bool) GeodeticDatumGetOldName(const SGeodeticDatum* datum, int32_t* size, char* buffer) {
  try {
    return size && GeodeticDatumOldNameTo(datum, *size, buffer);
  } catch (...) {
    return false;
  }
}

TDEXPORT(bool) GeodeticDatumIsValid(const SGeodeticDatum* datum) {
  try {
    return GeodeticDatumIsKnown(datum);
  } catch (...) {
    return false;
  }
}

TDEXPORT(bool) GeodeticDatumIsEqualParams(const SGeodeticDatum* a, const SGeodeticDatum* b) {
  if (a == b) return true;
  return a && b && GeodeticDatumIsEqualParams(*a, *b);
}

TDEXPORT(bool) GeodeticEllipsoidCreateByCode(const char* code, const SGeodeticEllipsoid** ellipsoid) {
  try {
    return Found(GeodeticEllipsoidFindByCode(code), ellipsoid);
  } catch (...) {
    return Found<SGeodeticEllipsoid>(nullptr, ellipsoid);
  }
}

TDEXPORT(const SGeodeticEllipsoid*) GeodeticEllipsoidCreateByDef(double a, double invF) {
  try {
    return GeodeticEllipsoidCreateByDefWorker(a, invF);
  } catch (...) {
    return nullptr;
  }
}

TDEXPORT(bool) GeodeticEllipsoidGetList(int32_t* count, const SGeodeticEllipsoid** list) {
  try {
    return count && GeodeticEllipsoidListTo(*count, list);
  } catch (...) {
    return false;
  }
}

TDEXPORT(bool) GeodeticEllipsoidCodeToStr(uint32_t code, int32_t* size, char* buffer) {
  return size && (buffer || *size <= 0) && GeodeticEllipsoidCodeToStr(code, *size, buffer);
}

TDEXPORT(void) GeoToGlobal2(double* out, const double* in, const SGeodeticEllipsoid* ellipsoid) {
  if (!out || !in || !ellipsoid) return;
  SPoint3D p;
  GeoToGlobal2(p, Geo2(in), *ellipsoid);
  Put(out, p);
}

TDEXPORT(void) GeoToGlobal3(double* out, const double* in, const SGeodeticEllipsoid* ellipsoid) {
  if (!out || !in || !ellipsoid) return;
  SPoint3D p;
  GeoToGlobal3(p, Geo3(in), *ellipsoid);
  Put(out, p);
}

TDEXPORT(void) GlobalToGeo(double* out, const double* in, const SGeodeticEllipsoid* ellipsoid) {
  if (!out || !in || !ellipsoid) return;
  SGeo3D g;
  GlobalToGeo(g, Point3(in), *ellipsoid);
  Put(out, g);
}

TDEXPORT(void) GeodeticDatumTransform(double* out, const SGeodeticDatum* target, const double* in,
                                      const SGeodeticDatum* source) {
  if (!out || !target || !in || !source) return;
  SPoint3D p;
  GeodeticDatumTransform(p, *target, Point3(in), *source);
  Put(out, p);
}

TDEXPORT(void) GeodeticDatumTransform2(double* out, const SGeodeticDatum* target, const double* in,
                                       const SGeodeticDatum* source) {
  if (!out || !target || !in || !source) return;
  SGeo3D g;
  GeodeticDatumTransform2(g, *target, Geo2(in), *source);
  Put(out, g);
}

TDEXPORT(void) GeodeticDatumTransform3(double* out, const SGeodeticDatum* target, const double* in,
                                       const SGeodeticDatum* source) {
  if (!out || !target || !in || !source) return;
  SGeo3D g;
  GeodeticDatumTransform3(g, *target, Geo3(in), *source);
  Put(out, g);
}
