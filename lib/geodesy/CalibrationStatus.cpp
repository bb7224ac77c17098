#include "lib/geodesy/CalibrationStatus.h"

#include <cmath>
#include <initializer_list>

#include "lib/foundation/core/Exception.h"
#include "lib/geodesy/GeodeticCalibration.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/geodesy/Lines.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct SRangeCheck {
  double SGeodeticRef::*Field;
  double Low, High;  // closed; a NaN fails
  uint32_t Status;
};

constexpr SRangeCheck kK0{&SGeodeticRef::K0, 0.001, 1000.0, kCalibrationBadK0};
constexpr SRangeCheck kLat0{&SGeodeticRef::Lat0, -kPi, kPi, kCalibrationBadLat0};
constexpr SRangeCheck kLong0{&SGeodeticRef::Long0, -2 * kPi, 2 * kPi, kCalibrationBadLong0};
constexpr SRangeCheck kLat1{&SGeodeticRef::Lat1, -kPi, kPi, kCalibrationBadLat1};
constexpr SRangeCheck kLat2{&SGeodeticRef::Lat2, -kPi, kPi, kCalibrationBadLat2};

uint32_t FirstFailing(const SGeodeticRef& ref, std::initializer_list<SRangeCheck> checks) {
  for (const SRangeCheck& c : checks) {
    const double v = ref.*c.Field;
    if (!(v >= c.Low && v <= c.High)) return c.Status;
  }
  return kCalibrationGood;
}

uint32_t CheckParameters(const SGeodeticRef& ref) {
  switch (ref.Projection) {
    case kProjMercator:
      return FirstFailing(ref, {kLong0});
    case kProjTransverseMercator:
      return FirstFailing(ref, {kK0, kLat0, kLong0});
    case kProjEquidistantCylindrical:
    case kProjOrthographic:
      return FirstFailing(ref, {kLat1, kLong0});
    case kProjLambertConformalConic: {
      const uint32_t status = FirstFailing(ref, {kLat1, kLat2});
      if (status != kCalibrationGood) return status;
      // Parallels mirrored about the equator give no cone.
      if (ref.Lat1 == -ref.Lat2) return kCalibrationBadLat2;
      return FirstFailing(ref, {kLat0, kLong0});
    }
    default:  // stereographic
      return FirstFailing(ref, {kK0, kLat1, kLong0});
  }
}

// The RD grid is defined on its own table datum only. Validation never
// throws: tables that cannot be built leave every datum unknown.
bool DatumIsValid(const SGeodeticRef& ref) noexcept {
  try {
    if (ref.Projection == kProjRD) return ref.Datum == GeodeticRDOldDatum();
    return GeodeticDatumIsKnown(ref.Datum);
  } catch (...) {
    return false;
  }
}

bool IsFinite(const SPointD& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// Finite and no two equal.
bool Distinct(const SPointD (&p)[3]) {
  return IsFinite(p[0]) && IsFinite(p[1]) && IsFinite(p[2]) && !PointDEqual(p[0], p[1]) &&
         !PointDEqual(p[1], p[2]) && !PointDEqual(p[2], p[0]);
}

// Ordered the same way from the first point to the second.
bool SameOrder(double a1, double a2, double b1, double b2) {
  return (a1 < a2 && b1 < b2) || (a1 > a2 && b1 > b2);
}

// Whether the points lie on one line: the sine of the angle at p0 is below
// 1e-9.
bool Collinear(const SPointD& p0, const SPointD& p1, const SPointD& p2) {
  const double ax = p1.x - p0.x, ay = p1.y - p0.y;
  const double bx = p2.x - p0.x, by = p2.y - p0.y;
  return std::fabs(ax * by - ay * bx) <= 1e-9 * std::hypot(ax, ay) * std::hypot(bx, by);
}

uint32_t ClassifySpread(double ratio, double tooClose, double weak) {
  if (ratio < tooClose) return kCalibrationTooClose;
  if (ratio < weak) return kCalibrationWeak;
  return kCalibrationGood;
}

const char* const kProjectionNames[] = {"Unknown",
                                        "Mercator",
                                        "Transverse mercator",
                                        "Equidistant cylindrical",
                                        "Lambert conformal conic",
                                        "Orthographic",
                                        "Stereographic",
                                        "RD"};

}  // namespace

uint32_t ValidateCalibrationRef(const SGeodeticRef& ref) {
  if (ref.Kind != kRefProjected) return kCalibrationBadProjection;
  if (ref.Projection < kProjMercator || ref.Projection > kProjRD) return kCalibrationBadProjection;
  if (!DatumIsValid(ref)) return kCalibrationBadDatum;
  return ref.Projection == kProjRD ? kCalibrationGood : CheckParameters(ref);
}

uint32_t ValidateCalibration2(const SPointD& pix1, const SPointD& pix2, const SPointD& proj1,
                              const SPointD& proj2, int32_t width, int32_t height,
                              const SGeodeticRef& ref) {
  const uint32_t status = ValidateCalibrationRef(ref);
  if (status != kCalibrationGood) return status;
  if (width < 1) return kCalibrationBadWidth;
  if (height < 1) return kCalibrationBadHeight;
  if (!IsFinite(pix1) || !IsFinite(pix2) || pix1.x == pix2.x || pix1.y == pix2.y) {
    return kCalibrationSamePixel;
  }
  if (!IsFinite(proj1) || !IsFinite(proj2) || proj1.x == proj2.x || proj1.y == proj2.y) {
    return kCalibrationSameProjection;
  }
  // Pixel rows run against northing, pixel columns with easting.
  if (SameOrder(pix1.y, pix2.y, proj1.y, proj2.y)) return kCalibrationUpsideDown;
  if (!SameOrder(pix1.x, pix2.x, proj1.x, proj2.x)) return kCalibrationMirrored;
  const double rx = std::fabs(pix1.x - pix2.x) / width;
  const double ry = std::fabs(pix1.y - pix2.y) / height;
  return ClassifySpread(std::fmin(rx, ry), 0.02, 0.25);
}

uint32_t ValidateCalibration3(const SPointD (&pix)[3], const SPointD (&proj)[3], int32_t width,
                              int32_t height, const SGeodeticRef& ref) {
  const uint32_t status = ValidateCalibrationRef(ref);
  if (status != kCalibrationGood) return status;
  if (width < 1) return kCalibrationBadWidth;
  if (height < 1) return kCalibrationBadHeight;
  if (!Distinct(pix)) return kCalibrationSamePixel;
  if (!Distinct(proj)) return kCalibrationSameProjection;
  // The mapping is solved from the projected triangle: it must have an area.
  if (Collinear(proj[0], proj[1], proj[2])) return kCalibrationTooClose;
  const double area = TriangleArea(pix[0], pix[1], pix[2]);
  return ClassifySpread(area / (static_cast<double>(width) * height), 1.0 / 512, 1.0 / 16);
}

const char* ProjectionToStr(uint32_t projection) {
  return projection <= kProjRD ? kProjectionNames[projection] : "Invalid";
}

CStr CalibrationStatusText(uint32_t status, uint32_t projection, uint32_t pointCount) {
  const bool three = pointCount == 3;
  const char* text = nullptr;
  switch (status) {
    case kCalibrationNotInitialized: return "Calibration not intialized.";
    case kCalibrationBadProjection: return "Calibration has an invalid projection.";
    case kCalibrationBadDatum: text = " calibration has an invalid datum."; break;
    case kCalibrationBadK0: text = " calibration has an invalid k0."; break;
    case kCalibrationBadLat0: text = " calibration has an invalid Lat0."; break;
    case kCalibrationBadLong0: text = " calibration has an invalid Long0."; break;
    case kCalibrationBadLat1: text = " calibration has an invalid Lat1."; break;
    case kCalibrationBadLat2: text = " calibration has an invalid Lat2."; break;
    case kCalibrationBadWidth: text = " calibration has a width smaller than 1."; break;
    case kCalibrationBadHeight: text = " calibration has a height smaller than 1."; break;
    case kCalibrationTooClose:
      text = three ? " calibration points are too close together or too much on the same line."
                   : " calibration points are too close together.";
      break;
    case kCalibrationSamePixel:
      text = three ? " calibration points are at the same pixel position."
                   : " calibration points are on the same pixel row or pixel column.";
      break;
    case kCalibrationSameProjection:
      text = three ? " calibration's projection coordinates are equal."
                   : " calibration's projection coordinate values are the same in X or Y direction.";
      break;
    case kCalibrationUpsideDown: text = " calibration is upside-down."; break;
    case kCalibrationMirrored: text = " calibration is mirrored."; break;
    default: return "Unknown calibration status.";
  }
  return CStr(ProjectionToStr(projection)) + text;
}

void CalibrationStatusToStr(const char* prefix, const CGeodeticCalibration* calibration) {
  if (calibration == nullptr) return;
  // The operations are called through the object as a host would; they only
  // read fields.
  auto* cal = const_cast<CGeodeticCalibration*>(calibration);
  if (cal->GetStatus() < kCalibrationNotInitialized) return;
  const CStr text =
      CalibrationStatusText(cal->GetStatus(), cal->GetRef()->Projection, cal->GetPointCount());
  throw CGeodeticsError(4, CStr(prefix) + ": " + text);
}
