// The coordinate system a pair or triple of numbers is meant in: geographic,
// geocentric, a local scene frame or a map projection, each on a datum.
#pragma once

#include <cstddef>
#include <cstdint>

#include "include/TdLib.h"
#include "lib/geodesy/Datum.h"
#include "lib/geodesy/GeoPosition.h"
#include "lib/geodesy/PlaneTypes.h"

enum : uint32_t { kRefGeographic = 0, kRefGeocentric = 1, kRefScene = 2, kRefProjected = 3 };

enum : uint32_t {
  kProjNone = 0,
  kProjMercator = 1,
  kProjTransverseMercator = 2,
  kProjEquidistantCylindrical = 3,
  kProjLambertConformalConic = 4,
  kProjOrthographic = 5,
  kProjStereographic = 6,
  kProjRD = 7,
};

// SGeodeticRef is declared in TdLib.h: plain data copied by value; hosts
// allocate it, so its layout is fixed.

// Each initialiser clears the whole record first, so equal arguments give
// byte-identical records.
void GeodeticRefInitGeo(SGeodeticRef& ref, const SGeodeticDatum& datum);
void GeodeticRefInitGlobal(SGeodeticRef& ref, const SGeodeticDatum& datum);
void GeodeticRefInitScene(SGeodeticRef& ref, const SGeo3D& origin);
void GeodeticRefInitMercator(SGeodeticRef& ref, double long0, const SGeodeticDatum& datum);
void GeodeticRefInitTransverseMercator(SGeodeticRef& ref, double k0, double lat0, double long0,
                                       const SGeodeticDatum& datum);
void GeodeticRefInitEquidistantCylindrical(SGeodeticRef& ref, double lat1, double long0,
                                           const SGeodeticDatum& datum);
void GeodeticRefInitLambertConformalConic(SGeodeticRef& ref, double lat1, double lat2, double lat0,
                                          double long0, const SGeodeticDatum& datum);
void GeodeticRefInitOrthographic(SGeodeticRef& ref, double lat1, double long0,
                                 const SGeodeticDatum& datum);
void GeodeticRefInitStereographic(SGeodeticRef& ref, double k0, double lat1, double long0,
                                  const SGeodeticDatum& datum);
void GeodeticRefInitRD(SGeodeticRef& ref);

bool GeodeticRefIsEqualExceptDatum(const SGeodeticRef& a, const SGeodeticRef& b);
bool GeodeticRefIsEqual(const SGeodeticRef& a, const SGeodeticRef& b);
bool GeodeticRefIsEqualParams(const SGeodeticRef& a, const SGeodeticRef& b);
