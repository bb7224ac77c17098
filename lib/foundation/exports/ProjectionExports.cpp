// Exports of the geodetic reference record, the map projections, the RD grid,
// the UTM helpers, the scene frame and the great-circle functions. Points
// cross as arrays of doubles ((lat, lon) or (x, y)); a failure inside a
// projection comes out as NaN, never as an exception.
#include "include/TdLib.h"
#include <limits>

#include "lib/foundation/core/Abi.h"
#include "lib/foundation/exports/Guard.h"
#include "lib/geodesy/GeodeticRef.h"
#include "lib/geodesy/GreatCircle.h"
#include "lib/geodesy/Projections.h"
#include "lib/geodesy/Scene.h"
#include "lib/geodesy/UTM.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

SGeo2D Geo2(const double* p) { return {p[0], p[1]}; }
SPointD Point2(const double* p) { return {p[0], p[1]}; }

void Put(double* out, double a, double b) {
  out[0] = a;
  out[1] = b;
}

void Put(double* out, const SPoint3D& p) {
  out[0] = p.x;
  out[1] = p.y;
  out[2] = p.z;
}

using ForwardFn = void (*)(SPointD&, const SGeo2D&, const SGeodeticRef&);
using InverseFn = void (*)(SGeo2D&, const SPointD&, const SGeodeticRef&);

template <ForwardFn Fn>
void Forward(double* out, const double* in, const SGeodeticRef* ref) {
  try {
    SPointD p;
    Fn(p, Geo2(in), *ref);
    Put(out, p.x, p.y);
  } catch (...) {
    Put(out, kNaN, kNaN);
  }
}

template <InverseFn Fn>
void Inverse(double* out, const double* in, const SGeodeticRef* ref) {
  try {
    SGeo2D g;
    Fn(g, Point2(in), *ref);
    Put(out, g.lat, g.lon);
  } catch (...) {
    Put(out, kNaN, kNaN);
  }
}

}  // namespace

// Reference records. They need the geodetic tables; building those is the
// only thing here that could fail, and then the record stays cleared.

TDEXPORT(void) GeodeticRefInitGeo(SGeodeticRef* ref, const SGeodeticDatum* datum) {
  td::GuardVoid([&] { GeodeticRefInitGeo(*ref, *datum); });
}

TDEXPORT(void) GeodeticRefInitGlobal(SGeodeticRef* ref, const SGeodeticDatum* datum) {
  td::GuardVoid([&] { GeodeticRefInitGlobal(*ref, *datum); });
}

TDEXPORT(void) GeodeticRefInitScene(SGeodeticRef* ref, const double* origin) {
  try {
    GeodeticRefInitScene(*ref, SGeo3D{origin[0], origin[1], origin[2]});
  } catch (...) {
    *ref = SGeodeticRef{};
  }
}

TDEXPORT(void) GeodeticRefInitMercator(SGeodeticRef* ref, double long0, const SGeodeticDatum* datum) {
  td::GuardVoid([&] { GeodeticRefInitMercator(*ref, long0, *datum); });
}

TDEXPORT(void) GeodeticRefInitTransverseMercator(SGeodeticRef* ref, double k0, double lat0, double long0,
                                                  const SGeodeticDatum* datum) {
  td::GuardVoid([&] { GeodeticRefInitTransverseMercator(*ref, k0, lat0, long0, *datum); });
}

TDEXPORT(void) GeodeticRefInitEquidistantCylindrical(SGeodeticRef* ref, double lat1, double long0,
                                                      const SGeodeticDatum* datum) {
  td::GuardVoid([&] { GeodeticRefInitEquidistantCylindrical(*ref, lat1, long0, *datum); });
}

TDEXPORT(void) GeodeticRefInitLambertConformalConic(SGeodeticRef* ref, double lat1, double lat2, double lat0,
                                                     double long0, const SGeodeticDatum* datum) {
  td::GuardVoid(
      [&] { GeodeticRefInitLambertConformalConic(*ref, lat1, lat2, lat0, long0, *datum); });
}

TDEXPORT(void) GeodeticRefInitOrthographic(SGeodeticRef* ref, double lat1, double long0,
                                            const SGeodeticDatum* datum) {
  td::GuardVoid([&] { GeodeticRefInitOrthographic(*ref, lat1, long0, *datum); });
}

TDEXPORT(void) GeodeticRefInitStereographic(SGeodeticRef* ref, double k0, double lat1, double long0,
                                             const SGeodeticDatum* datum) {
  td::GuardVoid([&] { GeodeticRefInitStereographic(*ref, k0, lat1, long0, *datum); });
}

TDEXPORT(void) GeodeticRefInitRD(SGeodeticRef* ref) {
  try {
    GeodeticRefInitRD(*ref);
  } catch (...) {
    *ref = SGeodeticRef{};
  }
}

TDEXPORT(uint8_t) GeodeticRefIsEqual(const SGeodeticRef* a, const SGeodeticRef* b) {
  return td::Guard(0, [&] { return GeodeticRefIsEqual(*a, *b); });
}

TDEXPORT(uint8_t) GeodeticRefIsEqualExceptDatum(const SGeodeticRef* a, const SGeodeticRef* b) {
  return td::Guard(0, [&] { return GeodeticRefIsEqualExceptDatum(*a, *b); });
}

TDEXPORT(uint8_t) GeodeticRefIsEqualParams(const SGeodeticRef* a, const SGeodeticRef* b) {
  return td::Guard(0, [&] { return GeodeticRefIsEqualParams(*a, *b); });
}

// Projections: (out, in, reference).

TDEXPORT(void) GeoToProj(double* out, const double* in, const SGeodeticRef* ref) { Forward<GeoToProj>(out, in, ref); }
TDEXPORT(void) ProjToGeo(double* out, const double* in, const SGeodeticRef* ref) { Inverse<ProjToGeo>(out, in, ref); }
TDEXPORT(void) GeoToMercator(double* out, const double* in, const SGeodeticRef* ref) {
  Forward<GeoToMercator>(out, in, ref);
}
TDEXPORT(void) MercatorToGeo(double* out, const double* in, const SGeodeticRef* ref) {
  Inverse<MercatorToGeo>(out, in, ref);
}
TDEXPORT(void) GeoToTransverseMercator(double* out, const double* in, const SGeodeticRef* ref) {
  Forward<GeoToTransverseMercator>(out, in, ref);
}
TDEXPORT(void) TransverseMercatorToGeo(double* out, const double* in, const SGeodeticRef* ref) {
  Inverse<TransverseMercatorToGeo>(out, in, ref);
}
TDEXPORT(void) GeoToEquidistantCylindrical(double* out, const double* in, const SGeodeticRef* ref) {
  Forward<GeoToEquidistantCylindrical>(out, in, ref);
}
TDEXPORT(void) EquidistantCylindricalToGeo(double* out, const double* in, const SGeodeticRef* ref) {
  Inverse<EquidistantCylindricalToGeo>(out, in, ref);
}
TDEXPORT(void) GeoToLambertConformalConic(double* out, const double* in, const SGeodeticRef* ref) {
  Forward<GeoToLambertConformalConic>(out, in, ref);
}
TDEXPORT(void) LambertConformalConicToGeo(double* out, const double* in, const SGeodeticRef* ref) {
  Inverse<LambertConformalConicToGeo>(out, in, ref);
}
TDEXPORT(void) GeoToOrthographic(double* out, const double* in, const SGeodeticRef* ref) {
  Forward<GeoToOrthographic>(out, in, ref);
}
TDEXPORT(void) OrthographicToGeo(double* out, const double* in, const SGeodeticRef* ref) {
  Inverse<OrthographicToGeo>(out, in, ref);
}
TDEXPORT(void) GeoToStereographic(double* out, const double* in, const SGeodeticRef* ref) {
  Forward<GeoToStereographic>(out, in, ref);
}
TDEXPORT(void) StereographicToGeo(double* out, const double* in, const SGeodeticRef* ref) {
  Inverse<StereographicToGeo>(out, in, ref);
}
TDEXPORT(void) GeoToRD(double* out, const double* in, const SGeodeticRef* ref) { Forward<GeoToRD>(out, in, ref); }
TDEXPORT(void) RDToGeo(double* out, const double* in, const SGeodeticRef* ref) { Inverse<RDToGeo>(out, in, ref); }
TDEXPORT(void) GeoToRDExact(double* out, const double* in, const SGeodeticRef* ref) {
  Forward<GeoToRDExact>(out, in, ref);
}
TDEXPORT(void) RDToGeoExact(double* out, const double* in, const SGeodeticRef* ref) {
  Inverse<RDToGeoExact>(out, in, ref);
}

TDEXPORT(double) GeoToTransverseMercatorScale(const double* in, const SGeodeticRef* ref) {
  return td::Guard(kNaN, [&] { return GeoToTransverseMercatorScale(Geo2(in), *ref); });
}

TDEXPORT(double) RDCalcDistance(const double* p1, const double* p2) {
  return td::Guard(kNaN, [&] { return RDCalcDistance(Point2(p1), Point2(p2)); });
}

TDEXPORT(int32_t) UTMLongToZone(double lon) {
  return td::Guard(0, [&] { return geodesy::UTMLongToZone(lon); });
}
TDEXPORT(char) UTMToZoneChar(double lat, double lon) {
  return td::Guard('\0', [&] { return geodesy::UTMToZoneChar(lat, lon); });
}
TDEXPORT(double) UTMZoneToLat(uint8_t band) {
  return td::Guard(kNaN, [&] { return geodesy::UTMZoneToLat(band); });
}
TDEXPORT(double) UTMZoneToLong(int32_t zone) {
  return td::Guard(kNaN, [&] { return geodesy::UTMZoneToLong(zone); });
}

// Scene frame and great circles.

TDEXPORT(void) GeoWGS84ToScene2(double* out, const double* in, const SGeodeticRef* scene) {
  td::GuardVoid([&] {
    SPoint3D p;
    GeoWGS84ToScene2(p, Geo2(in), *scene);
    Put(out, p);
  });
}

TDEXPORT(void) GeoWGS84ToScene3(double* out, const double* in, const SGeodeticRef* scene) {
  td::GuardVoid([&] {
    SPoint3D p;
    GeoWGS84ToScene3(p, SGeo3D{in[0], in[1], in[2]}, *scene);
    Put(out, p);
  });
}

TDEXPORT(void) SceneToGeoWGS84(double* out, const double* in, const SGeodeticRef* scene) {
  td::GuardVoid([&] {
    SGeo3D g;
    SceneToGeoWGS84(g, SPoint3D{in[0], in[1], in[2]}, *scene);
    out[0] = g.lat;
    out[1] = g.lon;
    out[2] = g.h;
  });
}

TDEXPORT(void) DistAndHeadingAlongLine(const double* from, const double* to, double* distance,
                                       double* heading) {
  try {
    DistAndHeadingAlongLine(Geo2(from), Geo2(to), *distance, *heading);
  } catch (...) {
    *distance = *heading = kNaN;
  }
}

TDEXPORT(double) HeadingAlongLine(const double* from, const double* to) {
  try {
    return HeadingAlongLine(Geo2(from), Geo2(to));
  } catch (...) {
    return kNaN;
  }
}

TDEXPORT(double) DistAlongGreatCircle(const double* p1, const double* p2) {
  return td::Guard(kNaN, [&] { return DistAlongGreatCircle(Geo2(p1), Geo2(p2)); });
}

TDEXPORT(double) DistAlongGreatCircle1(const double* u1, const double* u2) {
  return td::Guard(kNaN, [&] {
    return DistAlongGreatCircle1(SPoint3D{u1[0], u1[1], u1[2]}, SPoint3D{u2[0], u2[1], u2[2]});
  });
}

TDEXPORT(void) GeoToGreatCirclePoint(double* out, const double* in) {
  td::GuardVoid([&] {
    SPoint3D u;
    GeoToGreatCirclePoint(u, Geo2(in));
    Put(out, u);
  });
}
