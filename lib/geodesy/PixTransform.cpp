#include "lib/geodesy/PixTransform.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "lib/geodesy/CalibrationStatus.h"
#include "lib/geodesy/Datum.h"
#include "lib/geodesy/Geocentric.h"
#include "lib/geodesy/Projections.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool Usable(CGeodeticCalibration& c) { return c.GetStatus() <= kCalibrationGood; }

// floor(v + 0.5); NaN and values beyond 32 bits give 0x80000000, the
// integer "indefinite" value, instead of undefined behaviour.
int32_t Round(double v) {
  const double r = std::floor(v + 0.5);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) return INT32_MIN;
  return static_cast<int32_t>(r);
}

SPointI RoundPoint(const SPointD& p) { return {Round(p.x), Round(p.y)}; }

SPointD ToDouble(const SPointI& p) { return {static_cast<double>(p.x), static_cast<double>(p.y)}; }

}  // namespace

void PixTransform(SPointD& out, CGeodeticCalibration& target, const SPointD& in,
                  CGeodeticCalibration& source) {
  if (!Usable(source) || !Usable(target)) {
    out = {kNaN, kNaN};
    return;
  }
  SPointD proj;
  source.PixToProj(&proj, &in);
  const SGeodeticRef& from = *source.GetRef();
  const SGeodeticRef& to = *target.GetRef();
  const bool sameFrame = GeodeticRefIsEqualExceptDatum(from, to);
  const bool sameDatum = GeodeticDatumIsEqualParams(*from.Datum, *to.Datum);
  if (!sameFrame || !sameDatum) {
    SGeo2D geo;
    ProjToGeoOrNaN(geo, proj, from);
    if (!sameDatum) {
      SGeo3D moved;
      GeodeticDatumTransform2(moved, *to.Datum, geo, *from.Datum);
      geo = {moved.lat, moved.lon};
    }
    GeoToProjOrNaN(proj, geo, to);
  }
  target.ProjToPix(&out, &proj);
}

void PixTransform1(SPointI& out, CGeodeticCalibration& target, const SPointI& in,
                   CGeodeticCalibration& source) {
  SPointD p;
  PixTransform(p, target, ToDouble(in), source);
  out = RoundPoint(p);
}

void PixTransform2(SPointI& out, CGeodeticCalibration& target, const SPointD& in,
                   CGeodeticCalibration& source) {
  SPointD p;
  PixTransform(p, target, in, source);
  out = RoundPoint(p);
}

void PixTransform3(SPointD& out, CGeodeticCalibration& target, const SPointI& in,
                   CGeodeticCalibration& source) {
  PixTransform(out, target, ToDouble(in), source);
}
