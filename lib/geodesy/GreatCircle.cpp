#include "lib/geodesy/GreatCircle.h"

#include <cmath>

#include "lib/geodesy/Lines.h"

namespace {

double Dot(const SPoint3D& u, const SPoint3D& v) { return u.x * v.x + u.y * v.y + u.z * v.z; }

// Below about 1000 m the arc cosine loses its precision; the chord is then
// as good as the arc.
constexpr double kChordDot = 0.99999998767;

}  // namespace

void GeoToGreatCirclePoint(SPoint3D& out, const SGeo2D& in) {
  const double c = std::cos(in.lat);
  out = {c * std::cos(in.lon), c * std::sin(in.lon), std::sin(in.lat)};
}

double DistAlongGreatCircle(const SGeo2D& p1, const SGeo2D& p2) {
  SPoint3D u1, u2;
  GeoToGreatCirclePoint(u1, p1);
  GeoToGreatCirclePoint(u2, p2);
  const double d = Dot(u1, u2);
  if (d >= 1.0) return 0.0;
  if (d <= -1.0) return kGreatCircleHalfTurn;
  if (d >= kChordDot) return kGreatCircleRadius * PointDistance3D(u1, u2);
  return kGreatCircleRadius * std::acos(d);
}

double DistAlongGreatCircle1(const SPoint3D& u1, const SPoint3D& u2) {
  const double d = Dot(u1, u2);
  if (d >= 1.0) return 0.0;
  if (d <= -1.0) return kGreatCircleHalfTurn;
  return kGreatCircleRadius * std::acos(d);
}
