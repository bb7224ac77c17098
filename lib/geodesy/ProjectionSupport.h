// Small pieces that several projections share.
#pragma once

#include <cmath>

#include "lib/geodesy/GeodeticRef.h"
#include "lib/geodesy/Datum.h"

constexpr double kPi = 3.14159265358979323846;
constexpr double kHalfPi = kPi / 2.0;
constexpr double kTwoPi = 2.0 * kPi;

inline const SGeodeticEllipsoid& EllipsoidOf(const SGeodeticRef& ref) {
  return *ref.Datum->Ellipsoid;
}

// psi = 1/2 ln((1 + s)/(1 - s) ((1 - e s)/(1 + e s))^e), written with atanh
// for accuracy near the equator and to spare a pow.
inline double IsometricLatitude(double lat, const SGeodeticEllipsoid& ell) {
  const double s = std::sin(lat);
  return std::atanh(s) - ell.E * std::atanh(ell.E * s);
}

// A longitude difference in [-pi, pi); infinities give NaN rather than a
// loop that never ends.
inline double WrapLongitude(double d) {
  if (d >= -kPi && d < kPi) return d;
  d = std::fmod(d + kPi, kTwoPi);
  return d < 0.0 ? d + kPi : d - kPi;
}
