// Mercator on the ellipsoid. Easting counts from Greenwich whatever Long0
// holds: charts store Mercator eastings that way.
#include <cmath>

#include "lib/geodesy/ProjectionSupport.h"
#include "lib/geodesy/Projections.h"

void GeoToMercator(SPointD& out, const SGeo2D& in, const SGeodeticRef& ref) {
  const SGeodeticEllipsoid& ell = EllipsoidOf(ref);
  const double lat = in.lat;
  const double lon = in.lon;
  out.x = ell.A * lon;
  out.y = ell.A * IsometricLatitude(lat, ell);
}

void MercatorToGeo(SGeo2D& out, const SPointD& in, const SGeodeticRef& ref) {
  const SGeodeticEllipsoid& ell = EllipsoidOf(ref);
  const double x = in.x;
  const double y = in.y;
  const double chi = kHalfPi - 2.0 * std::atan(std::exp(-y / ell.A));
  out.lat = GeodeticLatFromConformal(chi, ell);
  out.lon = x / ell.A;
}
