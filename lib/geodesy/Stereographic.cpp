// Oblique stereographic on the conformal sphere: the ellipsoid is mapped
// conformally to latitude chi, then projected stereographically about chi1.
#include <cmath>

#include "lib/geodesy/ProjectionSupport.h"
#include "lib/geodesy/Projections.h"

namespace {

// m1 / cos chi1, the scale that ties the sphere to the ellipsoid at the
// origin. At a pole both are 0; the limit there is
// 1 / sqrt((1 + e)^(1 + e) (1 - e)^(1 - e)). Below 1e-7 the limit is closer
// than the quotient, whose rounding grows as 1e-16 / cos chi1.
double OriginScale(const SGeodeticRef& ref, const SGeodeticEllipsoid& ell) {
  if (std::fabs(ref.StereoCosChi1) < 1e-7) {
    const double e = ell.E;
    return 1.0 / std::sqrt(std::pow(1.0 + e, 1.0 + e) * std::pow(1.0 - e, 1.0 - e));
  }
  return ref.StereoM1 / ref.StereoCosChi1;
}

}  // namespace

void StereographicSetup(SGeodeticRef& ref) {
  const SGeodeticEllipsoid& ell = EllipsoidOf(ref);
  const double chi1 = GeodeticConformalLat(ref.Lat1, ell);
  const double s = std::sin(ref.Lat1);
  ref.StereoChi1 = chi1;
  ref.StereoSinChi1 = std::sin(chi1);
  ref.StereoCosChi1 = std::cos(chi1);
  ref.StereoM1 = std::cos(ref.Lat1) / std::sqrt(1.0 - ell.E2 * s * s);
}

void GeoToStereographic(SPointD& out, const SGeo2D& in, const SGeodeticRef& ref) {
  const SGeodeticEllipsoid& ell = EllipsoidOf(ref);
  const double chi = GeodeticConformalLat(in.lat, ell);
  const double d = in.lon - ref.Long0;
  const double sinChi = std::sin(chi);
  const double cosChi = std::cos(chi);
  const double cosD = std::cos(d);
  const double A = 2.0 * ell.A * ref.K0 * OriginScale(ref, ell) /
                   (1.0 + ref.StereoSinChi1 * sinChi + ref.StereoCosChi1 * cosChi * cosD);
  out.x = A * cosChi * std::sin(d);
  out.y = A * (ref.StereoCosChi1 * sinChi - ref.StereoSinChi1 * cosChi * cosD);
}

void StereographicToGeo(SGeo2D& out, const SPointD& in, const SGeodeticRef& ref) {
  const SGeodeticEllipsoid& ell = EllipsoidOf(ref);
  const double x = in.x;
  const double y = in.y;
  const double rho = std::sqrt(x * x + y * y);
  double chi = ref.StereoChi1;
  double lon = ref.Long0;
  if (rho > 1e-6) {
    const double c = 2.0 * std::atan(rho / (2.0 * ell.A * ref.K0 * OriginScale(ref, ell)));
    const double sinC = std::sin(c);
    const double cosC = std::cos(c);
    // Rounding can step just past +-1 at the poles.
    const double sinChi = cosC * ref.StereoSinChi1 + y * sinC * ref.StereoCosChi1 / rho;
    chi = std::asin(std::fmax(-1.0, std::fmin(1.0, sinChi)));
    // atan2, not the arc tangent of the quotient: beyond a quarter turn from
    // the central meridian (all round a polar origin) the quotient loses
    // the quadrant.
    lon += std::atan2(x * sinC,
                      rho * ref.StereoCosChi1 * cosC - y * ref.StereoSinChi1 * sinC);
  }
  out.lat = GeodeticLatFromConformal(chi, ell);
  out.lon = lon;
}
