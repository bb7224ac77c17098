// Lambert conformal conic with two standard parallels (one when they are
// equal). t(phi) = exp(-psi) with psi the isometric latitude.
#include <cmath>
#include <limits>

#include "lib/geodesy/ProjectionSupport.h"
#include "lib/geodesy/Projections.h"

namespace {

double ParallelRadius(double phi, const SGeodeticEllipsoid& ell) {
  const double s = std::sin(phi);
  return std::cos(phi) / std::sqrt(1.0 - ell.E2 * s * s);
}

double ConeConstant(const SGeodeticRef& ref, const SGeodeticEllipsoid& ell) {
  const double lat1 = ref.Lat1;
  const double lat2 = ref.Lat2;
  // Parallels mirrored about the equator make a cylinder, not a cone.
  if (lat1 == -lat2) return std::numeric_limits<double>::quiet_NaN();
  if (lat1 == lat2) return std::sin(lat1);
  const double lnM = std::log(ParallelRadius(lat1, ell)) - std::log(ParallelRadius(lat2, ell));
  return lnM / (IsometricLatitude(lat2, ell) - IsometricLatitude(lat1, ell));
}

}  // namespace

void LambertConformalConicSetup(SGeodeticRef& ref) {
  const SGeodeticEllipsoid& ell = EllipsoidOf(ref);
  const double n = ConeConstant(ref, ell);
  const double F = ParallelRadius(ref.Lat1, ell) / (n * std::exp(-n * IsometricLatitude(ref.Lat1, ell)));
  ref.LccN = n;
  ref.LccF = F;
  ref.LccRho0 = ell.A * F * std::exp(-n * IsometricLatitude(ref.Lat0, ell));
}

void GeoToLambertConformalConic(SPointD& out, const SGeo2D& in, const SGeodeticRef& ref) {
  const SGeodeticEllipsoid& ell = EllipsoidOf(ref);
  const double n = ref.LccN;
  const double rho = ell.A * ref.LccF * std::exp(-n * IsometricLatitude(in.lat, ell));
  const double theta = n * WrapLongitude(in.lon - ref.Long0);
  out.x = rho * std::sin(theta);
  out.y = ref.LccRho0 - rho * std::cos(theta);
}

void LambertConformalConicToGeo(SGeo2D& out, const SPointD& in, const SGeodeticRef& ref) {
  const SGeodeticEllipsoid& ell = EllipsoidOf(ref);
  const double n = ref.LccN;
  // For n < 0 rho and rho0 are negative; flip both so that atan2 sees the
  // true direction beyond a quarter turn.
  const double sign = n < 0.0 ? -1.0 : 1.0;
  const double x = sign * in.x;
  const double dy = sign * (ref.LccRho0 - in.y);
  const double rho = std::sqrt(x * x + dy * dy);
  if (rho == 0.0) {
    out.lat = sign * kHalfPi;
    out.lon = ref.Long0;
    return;
  }
  const double t = std::pow(sign * rho / (ell.A * ref.LccF), 1.0 / n);
  out.lat = GeodeticLatFromConformal(kHalfPi - 2.0 * std::atan(t), ell);
  out.lon = std::atan2(x, dy) / n + ref.Long0;
}
