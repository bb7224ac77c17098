// GeoToProj and ProjToGeo: one table entry per projection code.
#include <limits>

#include "lib/geodesy/Projections.h"

namespace {

using ForwardFn = void (*)(SPointD&, const SGeo2D&, const SGeodeticRef&);
using InverseFn = void (*)(SGeo2D&, const SPointD&, const SGeodeticRef&);

// The RD entries are the approximation polynomials; the exact pair stays
// separate.
constexpr ForwardFn kForward[] = {nullptr,
                                  GeoToMercator,
                                  GeoToTransverseMercator,
                                  GeoToEquidistantCylindrical,
                                  GeoToLambertConformalConic,
                                  GeoToOrthographic,
                                  GeoToStereographic,
                                  GeoToRD};
constexpr InverseFn kInverse[] = {nullptr,
                                  MercatorToGeo,
                                  TransverseMercatorToGeo,
                                  EquidistantCylindricalToGeo,
                                  LambertConformalConicToGeo,
                                  OrthographicToGeo,
                                  StereographicToGeo,
                                  RDToGeo};
constexpr uint32_t kProjectionCount = sizeof kForward / sizeof kForward[0];

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

void GeoToProj(SPointD& out, const SGeo2D& in, const SGeodeticRef& ref) {
  if (ref.Projection == kProjNone || ref.Projection >= kProjectionCount) {
    out = {kNaN, kNaN};
    return;
  }
  kForward[ref.Projection](out, in, ref);
}

void ProjToGeo(SGeo2D& out, const SPointD& in, const SGeodeticRef& ref) {
  if (ref.Projection == kProjNone || ref.Projection >= kProjectionCount) {
    out = {kNaN, kNaN};
    return;
  }
  kInverse[ref.Projection](out, in, ref);
}

void GeoToProjOrNaN(SPointD& out, const SGeo2D& in, const SGeodeticRef& ref) noexcept {
  try {
    GeoToProj(out, in, ref);
  } catch (...) {
    out = {kNaN, kNaN};
  }
}

void ProjToGeoOrNaN(SGeo2D& out, const SPointD& in, const SGeodeticRef& ref) noexcept {
  try {
    ProjToGeo(out, in, ref);
  } catch (...) {
    out = {kNaN, kNaN};
  }
}
