#include "lib/geodesy/Geocentric.h"

#include <cmath>

#include "lib/geodesy/Matrix4.h"

namespace {

constexpr double kHalfPi = 1.57079632679489661923;

}  // namespace

void GeoToGlobal3(SPoint3D& out, const SGeo3D& in, const SGeodeticEllipsoid& e) {
  const double sinLat = std::sin(in.lat), cosLat = std::cos(in.lat);
  const double sinLon = std::sin(in.lon), cosLon = std::cos(in.lon);
  const double n = e.A / std::sqrt(1 - e.E2 * sinLat * sinLat);
  const double h = in.h;
  out.x = (n + h) * cosLat * cosLon;
  out.y = -(n + h) * cosLat * sinLon;
  out.z = ((1 - e.E2) * n + h) * sinLat;
}

void GeoToGlobal2(SPoint3D& out, const SGeo2D& in, const SGeodeticEllipsoid& e) {
  GeoToGlobal3(out, SGeo3D{in.lat, in.lon, 0}, e);
}

void GlobalToGeo(SGeo3D& out, const SPoint3D& in, const SGeodeticEllipsoid& e) {
  const double x = in.x, y = in.y, z = in.z;
  const double p = std::sqrt(x * x + y * y);
  if (z != 0 && std::fabs(p / z) < 1e-10) {
    out.lat = z >= 0 ? kHalfPi : -kHalfPi;
    out.lon = 0;
    out.h = std::fabs(z) - e.B;
    return;
  }
  // Bowring: u = atan(z a / (p b)); the sines and cosines of u and of the
  // latitude follow from their tangents without further trigonometry.
  const double tanU = (z * e.A) / (p * e.B);
  const double cosU = 1 / std::sqrt(1 + tanU * tanU);
  const double sinU = tanU * cosU;
  const double tanLat = (z + e.EP2 * e.B * sinU * sinU * sinU) / (p - e.E2 * e.A * cosU * cosU * cosU);
  const double cosLat = 1 / std::sqrt(1 + tanLat * tanLat);
  const double sinLat = tanLat * cosLat;
  const double n = e.A / std::sqrt(1 - e.E2 * sinLat * sinLat);
  out.lat = std::atan(tanLat);
  out.lon = std::atan2(-y, x);
  out.h = p / cosLat - n;
}

void GeodeticDatumTransform(SPoint3D& out, const SGeodeticDatum& target, const SPoint3D& in,
                            const SGeodeticDatum& source) {
  out = in;
  if (!source.IsWGS84) Matrix4TransformPoint(out, out, source.ToWGS84);
  if (!target.IsWGS84) Matrix4TransformPoint(out, out, target.FromWGS84);
}

void GeodeticDatumTransform3(SGeo3D& out, const SGeodeticDatum& target, const SGeo3D& in,
                             const SGeodeticDatum& source) {
  if (source.IsWGS84 && target.IsWGS84) {
    out = in;
    return;
  }
  SPoint3D p;
  GeoToGlobal3(p, in, *source.Ellipsoid);
  GeodeticDatumTransform(p, target, p, source);
  GlobalToGeo(out, p, *target.Ellipsoid);
}

void GeodeticDatumTransform2(SGeo3D& out, const SGeodeticDatum& target, const SGeo2D& in,
                             const SGeodeticDatum& source) {
  GeodeticDatumTransform3(out, target, SGeo3D{in.lat, in.lon, 0}, source);
}
