#include "lib/geodesy/GeodeticRef.h"

#include <cmath>
#include <cstring>

#include "lib/geodesy/Ellipsoid.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/geodesy/Projections.h"
#include "lib/geodesy/Scene.h"

namespace {

void Clear(SGeodeticRef& ref, uint32_t kind, uint32_t projection, const SGeodeticDatum& datum) {
  std::memset(&ref, 0, sizeof ref);
  ref.Kind = kind;
  ref.Projection = projection;
  ref.Datum = &datum;
}

bool ProjectionParamsEqual(const SGeodeticRef& a, const SGeodeticRef& b) {
  switch (a.Projection) {
    case kProjMercator:
      return a.Long0 == b.Long0;
    case kProjTransverseMercator:
      return a.K0 == b.K0 && a.Lat0 == b.Lat0 && a.Long0 == b.Long0;
    case kProjEquidistantCylindrical:
    case kProjOrthographic:
      return a.Lat1 == b.Lat1 && a.Long0 == b.Long0;
    case kProjLambertConformalConic:
      return a.Lat1 == b.Lat1 && a.Lat2 == b.Lat2 && a.Lat0 == b.Lat0 && a.Long0 == b.Long0;
    case kProjStereographic:
      return a.K0 == b.K0 && a.Lat1 == b.Lat1 && a.Long0 == b.Long0;
    default:
      return true;
  }
}

}  // namespace

void GeodeticRefInitGeo(SGeodeticRef& ref, const SGeodeticDatum& datum) {
  Clear(ref, kRefGeographic, kProjNone, datum);
}

void GeodeticRefInitGlobal(SGeodeticRef& ref, const SGeodeticDatum& datum) {
  Clear(ref, kRefGeocentric, kProjNone, datum);
}

void GeodeticRefInitScene(SGeodeticRef& ref, const SGeo3D& origin) {
  Clear(ref, kRefScene, kProjNone, *GeodeticWGS84Datum());
  ref.Lat1 = origin.lat;
  ref.Long0 = origin.lon;
  ref.Height = origin.h;
  SceneFrameSetup(ref);
}

void GeodeticRefInitMercator(SGeodeticRef& ref, double long0, const SGeodeticDatum& datum) {
  Clear(ref, kRefProjected, kProjMercator, datum);
  ref.Long0 = long0;
}

void GeodeticRefInitTransverseMercator(SGeodeticRef& ref, double k0, double lat0, double long0,
                                       const SGeodeticDatum& datum) {
  Clear(ref, kRefProjected, kProjTransverseMercator, datum);
  ref.K0 = k0;
  ref.Lat0 = lat0;
  ref.Long0 = long0;
  ref.M0 = GeodeticMeridianArc(lat0, *datum.Ellipsoid);
}

void GeodeticRefInitEquidistantCylindrical(SGeodeticRef& ref, double lat1, double long0,
                                           const SGeodeticDatum& datum) {
  Clear(ref, kRefProjected, kProjEquidistantCylindrical, datum);
  ref.Lat1 = lat1;
  ref.Long0 = long0;
  ref.CosLat1 = std::cos(lat1);
}

void GeodeticRefInitLambertConformalConic(SGeodeticRef& ref, double lat1, double lat2, double lat0,
                                          double long0, const SGeodeticDatum& datum) {
  Clear(ref, kRefProjected, kProjLambertConformalConic, datum);
  ref.Lat1 = lat1;
  ref.Lat2 = lat2;
  ref.Lat0 = lat0;
  ref.Long0 = long0;
  LambertConformalConicSetup(ref);
}

void GeodeticRefInitOrthographic(SGeodeticRef& ref, double lat1, double long0,
                                 const SGeodeticDatum& datum) {
  Clear(ref, kRefProjected, kProjOrthographic, datum);
  ref.Lat1 = lat1;
  ref.Long0 = long0;
}

void GeodeticRefInitStereographic(SGeodeticRef& ref, double k0, double lat1, double long0,
                                  const SGeodeticDatum& datum) {
  Clear(ref, kRefProjected, kProjStereographic, datum);
  ref.K0 = k0;
  ref.Lat1 = lat1;
  ref.Long0 = long0;
  StereographicSetup(ref);
}

void GeodeticRefInitRD(SGeodeticRef& ref) {
  Clear(ref, kRefProjected, kProjRD, *GeodeticRDOldDatum());
}

bool GeodeticRefIsEqualExceptDatum(const SGeodeticRef& a, const SGeodeticRef& b) {
  if (a.Kind != b.Kind || a.Projection != b.Projection) return false;
  switch (a.Kind) {
    case kRefScene:
      return a.Lat1 == b.Lat1 && a.Long0 == b.Long0 && a.Height == b.Height;
    case kRefProjected:
      return ProjectionParamsEqual(a, b);
    default:
      return true;
  }
}

bool GeodeticRefIsEqual(const SGeodeticRef& a, const SGeodeticRef& b) {
  return GeodeticRefIsEqualExceptDatum(a, b) && a.Datum == b.Datum;
}

bool GeodeticRefIsEqualParams(const SGeodeticRef& a, const SGeodeticRef& b) {
  return GeodeticRefIsEqualExceptDatum(a, b) && GeodeticDatumIsEqualParams(*a.Datum, *b.Datum);
}
