// Equidistant cylindrical (plate carree with a standard parallel), spherical
// on the semi-major axis.
#include "lib/geodesy/ProjectionSupport.h"
#include "lib/geodesy/Projections.h"

void GeoToEquidistantCylindrical(SPointD& out, const SGeo2D& in, const SGeodeticRef& ref) {
  const double a = EllipsoidOf(ref).A;
  const double lat = in.lat;
  const double d = WrapLongitude(in.lon - ref.Long0);
  out.x = a * d * ref.CosLat1;
  out.y = a * lat;
}

void EquidistantCylindricalToGeo(SGeo2D& out, const SPointD& in, const SGeodeticRef& ref) {
  const double a = EllipsoidOf(ref).A;
  const double x = in.x;
  const double y = in.y;
  out.lat = y / a;
  out.lon = x / (a * ref.CosLat1) + ref.Long0;
}
