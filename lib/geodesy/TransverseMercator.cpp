// Transverse Mercator by the classic series in A = dlon cos lat (forward) and
// D = x / (N1 k0) (inverse), accurate to millimetres within a few degrees of
// the central meridian.
#include <cmath>

#include "lib/geodesy/ProjectionSupport.h"
#include "lib/geodesy/Projections.h"

namespace {

// The ellipsoid's meridian-arc series, M = a (m0 lat - m1 sin 2lat +
// m2 sin 4lat - m3 sin 6lat), with the multiple angles built from the sine
// and cosine at hand: per point this spares three sines.
double MeridianArc(double lat, double s, double c, const SGeodeticEllipsoid& ell) {
  const double s2 = 2.0 * s * c;
  const double c2 = c * c - s * s;
  const double s4 = 2.0 * s2 * c2;
  const double s6 = s2 * (3.0 - 4.0 * s2 * s2);
  const double* m = ell.Meridian;
  return ell.A * (m[0] * lat - m[1] * s2 + m[2] * s4 - m[3] * s6);
}

struct STmTerms {
  double T, C, A, N, TanLat, M;
};

STmTerms TmTerms(double lat, double lon, const SGeodeticRef& ref, const SGeodeticEllipsoid& ell) {
  const double s = std::sin(lat);
  const double c = std::cos(lat);
  const double t = s / c;
  return {t * t, ell.EP2 * c * c, WrapLongitude(lon - ref.Long0) * c,
          ell.A / std::sqrt(1.0 - ell.E2 * s * s), t, MeridianArc(lat, s, c, ell)};
}

}  // namespace

void GeoToTransverseMercator(SPointD& out, const SGeo2D& in, const SGeodeticRef& ref) {
  const SGeodeticEllipsoid& ell = EllipsoidOf(ref);
  const double lat = in.lat;
  const STmTerms m = TmTerms(lat, in.lon, ref, ell);
  const double T = m.T, C = m.C, A = m.A, A2 = A * A, ep2 = ell.EP2;
  const double x = ref.K0 * m.N *
                   (A + (1.0 - T + C) * A2 * A / 6.0 +
                    (5.0 - 18.0 * T + T * T + 72.0 * C - 58.0 * ep2) * A2 * A2 * A / 120.0);
  const double y =
      ref.K0 * (m.M - ref.M0 +
                 m.N * m.TanLat *
                     (A2 / 2.0 + (5.0 - T + 9.0 * C + 4.0 * C * C) * A2 * A2 / 24.0 +
                      (61.0 - 58.0 * T + T * T + 600.0 * C - 330.0 * ep2) * A2 * A2 * A2 / 720.0));
  out.x = x;
  out.y = y;
}

double GeoToTransverseMercatorScale(const SGeo2D& in, const SGeodeticRef& ref) {
  const SGeodeticEllipsoid& ell = EllipsoidOf(ref);
  const STmTerms m = TmTerms(in.lat, in.lon, ref, ell);
  const double T = m.T, C = m.C, A2 = m.A * m.A;
  return ref.K0 * (1.0 + (1.0 + C) * A2 / 2.0 +
                    (5.0 - 4.0 * T + 42.0 * C + 13.0 * C * C - 28.0 * ell.EP2) * A2 * A2 / 24.0 +
                    (61.0 - 148.0 * T + 16.0 * T * T) * A2 * A2 * A2 / 720.0);
}

void TransverseMercatorToGeo(SGeo2D& out, const SPointD& in, const SGeodeticRef& ref) {
  const SGeodeticEllipsoid& ell = EllipsoidOf(ref);
  const double x = in.x;
  const double y = in.y;
  const double k0 = ref.K0;
  const double mu = (y / k0 + ref.M0) * ell.InvMeridianScale;
  const double lat1 = GeodeticFootpointLat(mu, ell);
  const double s1 = std::sin(lat1);
  const double c1 = std::cos(lat1);
  const double t1 = s1 / c1;
  const double T1 = t1 * t1;
  const double C1 = ell.EP2 * c1 * c1;
  const double w = 1.0 - ell.E2 * s1 * s1;
  const double N1 = ell.A / std::sqrt(w);
  const double R1 = ell.A * (1.0 - ell.E2) / (w * std::sqrt(w));
  const double D = x / (N1 * k0);
  const double D2 = D * D;
  const double ep2 = ell.EP2;
  out.lat = lat1 - (N1 * t1 / R1) *
                      (D2 / 2.0 -
                       (5.0 + 3.0 * T1 + 10.0 * C1 - 4.0 * C1 * C1 - 9.0 * ep2) * D2 * D2 / 24.0 +
                       (61.0 + 90.0 * T1 + 298.0 * C1 + 45.0 * T1 * T1 - 252.0 * ep2 -
                        3.0 * C1 * C1) *
                           D2 * D2 * D2 / 720.0);
  out.lon = ref.Long0 +
           (D - (1.0 + 2.0 * T1 + C1) * D2 * D / 6.0 +
            (5.0 - 2.0 * C1 + 28.0 * T1 - 3.0 * C1 * C1 + 8.0 * ep2 + 24.0 * T1 * T1) * D2 * D2 *
                D / 120.0) /
               c1;
}
