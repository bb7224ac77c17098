// The Dutch RD grid in its exact form: Gauss conformal projection of the
// Bessel ellipsoid onto a sphere, then an oblique stereographic projection.
#include <cmath>

#include "lib/geodesy/ProjectionSupport.h"
#include "lib/geodesy/Projections.h"
#include "lib/geodesy/RDGridConstants.h"

namespace {

constexpr double kE = 0.081696831222;
constexpr double kHalfE = 0.040848415611;
constexpr double kN = 1.00047585668;
constexpr double kM = 0.003773953832;
constexpr double kB0 = 0.9096847567472088;    // sphere latitude of the origin
constexpr double kTwoRK = 12764113.458870022;  // 2 R k

double HalfLogRatio(double s) { return 0.5 * std::log((1.0 + s) / (1.0 - s)); }

}  // namespace

void GeoToRDExact(SPointD& out, const SGeo2D& in, const SGeodeticRef&) {
  const double lat = in.lat;
  const double lon = in.lon;
  const double sinLat = std::sin(lat);
  const double q = HalfLogRatio(sinLat) - kHalfE * std::log((1.0 + kE * sinLat) / (1.0 - kE * sinLat));
  const double b = 2.0 * std::atan(std::exp(kN * q + kM)) - kHalfPi;
  const double dl = kN * (lon - kRdLambda0);
  const double sinHalfDb = std::sin((b - kB0) / 2.0);
  const double sinHalfDl = std::sin(dl / 2.0);
  const double s2 = sinHalfDb * sinHalfDb + sinHalfDl * sinHalfDl * std::cos(b) * std::cos(kB0);
  if (s2 == 0.0) {  // the origin: the direction below is 0/0
    out.x = kRdX0;
    out.y = kRdY0;
    return;
  }
  const double sinPsi = 2.0 * std::sqrt(s2) * std::sqrt(1.0 - s2);
  const double cosPsi = 1.0 - 2.0 * s2;
  const double sinAlpha = std::sin(dl) * std::cos(b) / sinPsi;
  const double cosAlpha = (std::sin(b) - std::sin(kB0) * cosPsi) / (std::cos(kB0) * sinPsi);
  const double r = kTwoRK * std::sqrt(s2) / std::sqrt(1.0 - s2);
  out.x = r * sinAlpha + kRdX0;
  out.y = r * cosAlpha + kRdY0;
}

void RDToGeoExact(SGeo2D& out, const SPointD& in, const SGeodeticRef&) {
  const double dx = in.x - kRdX0;
  const double dy = in.y - kRdY0;
  const double r = std::sqrt(dx * dx + dy * dy);
  if (r == 0.0) {  // the origin: the direction below is 0/0
    out.lat = kRdPhi0;
    out.lon = kRdLambda0;
    return;
  }
  const double sinAlpha = dx / r;
  const double cosAlpha = dy / r;
  const double psi = 2.0 * std::atan(r / kTwoRK);
  const double sinB = cosAlpha * std::cos(kB0) * std::sin(psi) + std::sin(kB0) * std::cos(psi);
  const double cosB = std::sqrt(1.0 - sinB * sinB);
  const double b = std::asin(sinB);
  const double dl = std::asin(sinAlpha * std::sin(psi) / cosB);
  const double w = std::log(std::tan(b / 2.0 + kPi / 4.0));
  const double q = (w - kM) / kN;
  double lat = 2.0 * std::atan(std::exp(q)) - kHalfPi;
  for (int i = 0; i < 5; ++i) {
    const double es = kE * std::sin(lat);
    lat = 2.0 * std::atan(std::exp(q + kHalfE * std::log((1.0 + es) / (1.0 - es)))) - kHalfPi;
  }
  out.lat = lat;
  out.lon = dl / kN + kRdLambda0;
}
