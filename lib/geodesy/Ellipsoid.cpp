#include "lib/geodesy/Ellipsoid.h"

#include <cmath>

namespace {

void SetupSeries(SGeodeticEllipsoid& e) {
  const double e2 = e.E2, e4 = e2 * e2, e6 = e4 * e2, e8 = e6 * e2;
  e.ConfLat[0] = -(e2 / 2 + 5 * e4 / 24 + 3 * e6 / 32 + 281 * e8 / 5760);
  e.ConfLat[1] = 5 * e4 / 48 + 7 * e6 / 80 + 697 * e8 / 11520;
  e.ConfLat[2] = -(13 * e6 / 480 + 461 * e8 / 13440);
  e.ConfLat[3] = 1237 * e8 / 161280;
  e.GeoLat[0] = e2 / 2 + 5 * e4 / 24 + e6 / 12 + 13 * e8 / 360;
  e.GeoLat[1] = 7 * e4 / 48 + 29 * e6 / 240 + 811 * e8 / 11520;
  e.GeoLat[2] = 7 * e6 / 120 + 81 * e8 / 1120;
  e.GeoLat[3] = 4279 * e8 / 161280;
  const double root = std::sqrt(1 - e2);
  const double e1 = (1 - root) / (1 + root), e1_2 = e1 * e1, e1_3 = e1_2 * e1, e1_4 = e1_3 * e1;
  e.FootLat[0] = 3 * e1 / 2 - 27 * e1_3 / 32;
  e.FootLat[1] = 21 * e1_2 / 16 - 55 * e1_4 / 32;
  e.FootLat[2] = 151 * e1_3 / 96;
  e.FootLat[3] = 1097 * e1_4 / 512;
  e.Meridian[0] = 1 - e2 / 4 - 3 * e4 / 64 - 5 * e6 / 256;
  e.Meridian[1] = 3 * e2 / 8 + 3 * e4 / 32 + 45 * e6 / 1024;
  e.Meridian[2] = 15 * e4 / 256 + 45 * e6 / 1024;
  e.Meridian[3] = 35 * e6 / 3072;
  e.InvMeridianScale = 1 / (e.A * e.Meridian[0]);
}

// angle + c1 sin 2 angle + c2 sin 4 angle + c3 sin 6 angle + c4 sin 8 angle
double SineSeries(double angle, const double c[4]) {
  return angle + c[0] * std::sin(2 * angle) + c[1] * std::sin(4 * angle) + c[2] * std::sin(6 * angle) +
         c[3] * std::sin(8 * angle);
}

}  // namespace

void GeodeticEllipsoidSetup(SGeodeticEllipsoid& e, uint32_t kind, uint32_t code, const char* name, const char* area,
                            const char* source, double a, double invF) {
  e.Code = code;
  e.Name = name;
  e.Area = area;
  e.Source = source;
  e.Kind = kind;
  e.Reserved = 0;
  e.A = a;
  e.InvF = invF;
  // 1/f = 0 is the usual way of writing a sphere.
  e.F = invF == 0 ? 0 : 1 / invF;
  e.B = a - e.F * a;
  e.E2 = 2 * e.F - e.F * e.F;
  e.E = std::sqrt(e.E2);
  e.EP2 = e.E2 / (1 - e.E2);
  SetupSeries(e);
}

uint32_t GeodeticEllipsoidCodeFromStr(const char* code) {
  uint32_t packed = 0;
  for (int i = 0; i < 4 && code[i] != 0; ++i)
    packed |= static_cast<uint32_t>(static_cast<uint8_t>(code[i])) << (24 - 8 * i);
  return packed;
}

bool GeodeticEllipsoidCodeToStr(uint32_t code, int32_t& size, char* buffer) {
  int32_t length = 0;
  while (length < 4 && ((code >> (24 - 8 * length)) & 0xFF) != 0) {
    if (length < size) buffer[length] = static_cast<char>((code >> (24 - 8 * length)) & 0xFF);
    ++length;
  }
  const bool fits = length < size;
  if (fits) buffer[length] = 0;
  size = length + 1;
  return fits;
}

double GeodeticConformalLat(double lat, const SGeodeticEllipsoid& e) { return SineSeries(lat, e.ConfLat); }
double GeodeticLatFromConformal(double chi, const SGeodeticEllipsoid& e) { return SineSeries(chi, e.GeoLat); }
double GeodeticFootpointLat(double mu, const SGeodeticEllipsoid& e) { return SineSeries(mu, e.FootLat); }

double GeodeticMeridianArc(double lat, const SGeodeticEllipsoid& e) {
  const double* m = e.Meridian;
  return e.A * (m[0] * lat - m[1] * std::sin(2 * lat) + m[2] * std::sin(4 * lat) - m[3] * std::sin(6 * lat));
}
