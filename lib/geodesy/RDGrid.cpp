// The Dutch RD grid by its published approximation polynomials, on Bessel
// latitude and longitude of the "RD-OLD" datum.
#include <cmath>
#include <cstddef>

#include "lib/geodesy/Lines.h"
#include "lib/geodesy/Projections.h"
#include "lib/geodesy/RDGridConstants.h"

namespace {

struct STerm {
  int I, J;
  double Coef;
};

// x and y from p, q in units of 10000 arc-seconds.
constexpr STerm kR[] = {{0, 1, 190066.98903}, {1, 1, -11830.85831}, {2, 1, -114.19754},
                        {3, 1, -2.34078},     {4, 1, -0.04158},     {0, 3, -32.3836},
                        {1, 3, -0.60639},     {2, 3, 0.15774},      {0, 5, -0.00661}};
constexpr STerm kS[] = {{1, 0, 309020.3181}, {2, 0, 72.97141},  {3, 0, 59.79734}, {4, 0, -0.03444},
                        {0, 2, 3638.36193},  {1, 2, -157.95222}, {2, 2, -6.43481}, {3, 2, -0.07379},
                        {0, 4, 0.09351},     {1, 4, -0.05419}};
// lat and lon in arc-seconds from u, v in units of 100 km.
constexpr STerm kK[] = {{0, 1, 3236.0331637}, {2, 0, -32.5915821}, {0, 2, -0.2472814},
                        {2, 1, -0.8501341},   {0, 3, -0.0655238},  {4, 0, 0.0052771},
                        {2, 2, -0.0171137},   {0, 4, 3.71e-5},     {4, 1, 0.0003314},
                        {2, 3, -0.0003859},   {4, 2, 1.43e-5},     {2, 4, -9e-6}};
constexpr STerm kL[] = {{1, 0, 5261.3028966}, {1, 1, 105.9780241}, {1, 2, 2.4576469},
                        {1, 3, 0.0560089},    {1, 4, 0.001277},    {1, 5, 2.91e-5},
                        {3, 0, -0.8192156},   {3, 1, -0.0560092},  {3, 2, -0.0025614},
                        {3, 3, -9.73e-5},     {5, 0, 0.0002574},   {5, 1, 2.93e-5}};

template <size_t N>
double Polynomial(const STerm (&terms)[N], double p, double q) {
  double pw[6] = {1, p, p * p, p * p * p, p * p * p * p, p * p * p * p * p};
  double qw[6] = {1, q, q * q, q * q * q, q * q * q * q, q * q * q * q * q};
  double sum = 0.0;
  for (const STerm& t : terms) sum += t.Coef * pw[t.I] * qw[t.J];
  return sum;
}

constexpr double kRadiansTo10000ArcSec = 20.626480624709636;

// The offset from the origin with the grid's point scale undone along the
// ray, so that plane distances between such offsets are ground distances.
SPointD UnscaledOffset(const SPointD& p) {
  const double dx = p.x - kRdX0;
  const double dy = p.y - kRdY0;
  const double k = 0.9999079 + 6.135e-15 * (dx * dx + dy * dy);
  return {dx / k, dy / k};
}

}  // namespace

void GeoToRD(SPointD& out, const SGeo2D& in, const SGeodeticRef&) {
  const double p = (in.lat - kRdPhi0) * kRadiansTo10000ArcSec;
  const double q = (in.lon - kRdLambda0) * kRadiansTo10000ArcSec;
  out.x = kRdX0 + Polynomial(kR, p, q);
  out.y = kRdY0 + Polynomial(kS, p, q);
}

void RDToGeo(SGeo2D& out, const SPointD& in, const SGeodeticRef&) {
  const double u = (in.x - kRdX0) * 1e-5;
  const double v = (in.y - kRdY0) * 1e-5;
  out.lat = kRdPhi0 + kRadiansPerArcSecond * Polynomial(kK, u, v);
  out.lon = kRdLambda0 + kRadiansPerArcSecond * Polynomial(kL, u, v);
}

double RDCalcDistance(const SPointD& p1, const SPointD& p2) {
  return PointDistanceD(UnscaledOffset(p1), UnscaledOffset(p2));
}
