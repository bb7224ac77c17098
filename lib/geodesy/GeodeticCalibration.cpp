#include "lib/geodesy/GeodeticCalibration.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "lib/foundation/exports/Guard.h"
#include "lib/geodesy/Angles.h"
#include "lib/geodesy/CalibrationStatus.h"
#include "lib/geodesy/Geocentric.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/geodesy/GreatCircle.h"
#include "lib/geodesy/Lines.h"
#include "lib/geodesy/Projections.h"
#include "lib/geodesy/Scene.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPi = 3.14159265358979323846;

// The WGS 84 datum, or null should the tables fail to build: no exception
// may leave an operation.
const SGeodeticDatum* Wgs84() noexcept {
  try {
    return GeodeticWGS84Datum();
  } catch (...) {
    return nullptr;
  }
}

}  // namespace

CGeodeticCalibration::CGeodeticCalibration()
    : PixPoints{},
      PointCount(0),
      ProjPoints{},
      Height(0),
      ProjToPixMatrix{},
      PixToProjMatrix{},
      Ref{},
      Rotation(0.0),
      Status(kCalibrationNotInitialized),
      Width(0) {}

void TD_STDCALL CGeodeticCalibration::Assign(const CGeodeticCalibration* source) {
  *this = *source;
}

void TD_STDCALL CGeodeticCalibration::GeoToPix(SPointD* pixel, const SGeo2D* geo) {
  if (!HasUsableRef()) {
    *pixel = {kNaN, kNaN};
    return;
  }
  SPointD proj;
  GeoToProjOrNaN(proj, *geo, Ref);
  *pixel = Apply(ProjToPixMatrix, proj);
}

void TD_STDCALL CGeodeticCalibration::GeoWGS84ToPix(SPointD* pixel, const SGeo2D* geo) {
  td::GuardVoid(
      [&] {
        // A chart on WGS 84 itself (the common case) needs no datum step.
        if (!HasUsableRef() || Ref.Datum->IsWGS84) {
          GeoToPix(pixel, geo);
          return;
        }
        const SGeodeticDatum* wgs84 = Wgs84();
        if (wgs84 == nullptr) {
          *pixel = {kNaN, kNaN};
          return;
        }
        SGeo3D local;
        GeodeticDatumTransform2(local, *Ref.Datum, *geo, *wgs84);
        const SGeo2D g{local.lat, local.lon};
        GeoToPix(pixel, &g);
      },
      [&] {
        *pixel = {kNaN, kNaN};
      });
}

uint32_t TD_STDCALL CGeodeticCalibration::GetPixPoints(SPointD* p1, SPointD* p2, SPointD* p3) {
  *p1 = PixPoints[0];
  *p2 = PixPoints[1];
  *p3 = PixPoints[2];
  return PointCount;
}

uint32_t TD_STDCALL CGeodeticCalibration::GetPointCount() { return PointCount; }

uint32_t TD_STDCALL CGeodeticCalibration::GetProjPoints(SPointD* p1, SPointD* p2, SPointD* p3) {
  *p1 = ProjPoints[0];
  *p2 = ProjPoints[1];
  *p3 = ProjPoints[2];
  return PointCount;
}

int32_t TD_STDCALL CGeodeticCalibration::GetHeight() { return Height; }

double TD_STDCALL CGeodeticCalibration::GetNorthAngle(const SPointD* pixel) {
  return td::Guard(kNaN, [&]() -> double {
    if (Wgs84() == nullptr) return kNaN;  // the scene frame below needs the tables
    SGeo2D here;
    PixToGeoWGS84(&here, pixel);
    SGeodeticRef scene;
    GeodeticRefInitScene(scene, {here.lat, here.lon, 0.0});
    SGeo3D north;
    SceneToGeoWGS84(north, {10000.0, 0.0, 0.0}, scene);
    const SGeo2D northGeo{north.lat, north.lon};
    SPointD q;
    GeoWGS84ToPix(&q, &northGeo);
    return AngleFromXYD(q.x - pixel->x, -(q.y - pixel->y));
  });
}

void TD_STDCALL CGeodeticCalibration::GetCornerBL(SPointD* out) { *out = {-0.5, Height - 0.5}; }

void TD_STDCALL CGeodeticCalibration::GetCornerBR(SPointD* out) {
  *out = {Width - 0.5, Height - 0.5};
}

void TD_STDCALL CGeodeticCalibration::GetCentre(SPointD* out) {
  *out = {Width / 2.0 - 0.5, Height / 2.0 - 0.5};
}

void TD_STDCALL CGeodeticCalibration::GetCornerTL(SPointD* out) { *out = {-0.5, -0.5}; }

void TD_STDCALL CGeodeticCalibration::GetCornerTR(SPointD* out) { *out = {Width - 0.5, -0.5}; }

SGeodeticRef* TD_STDCALL CGeodeticCalibration::GetRef() { return &Ref; }

void TD_STDCALL CGeodeticCalibration::GetPixBounds(SRectD* out) {
  *out = {-0.5, -0.5, Width - 0.5, Height - 0.5};
}

double TD_STDCALL CGeodeticCalibration::GetRotation() { return Rotation; }

double TD_STDCALL CGeodeticCalibration::GetPixelDistance(const SPointD* pixel,
                                                         const SPointD* direction) {
  return td::Guard(kNaN, [&] {
    SPointD u;
    Vector2NormaliseD(u, *direction);
    const SPointD a{pixel->x - u.x / 2, pixel->y - u.y / 2};
    const SPointD b{pixel->x + u.x / 2, pixel->y + u.y / 2};
    SGeo2D ga, gb;
    PixToGeo(&ga, &a);
    PixToGeo(&gb, &b);
    return DistAlongGreatCircle(ga, gb);
  });
}

double TD_STDCALL CGeodeticCalibration::GetPixelSize(const SPointD* pixel) {
  double largest = 0.0;
  for (int k = 5; k >= 0; --k) {
    const SPointD direction{std::cos(k * kPi / 6), std::sin(k * kPi / 6)};
    largest = std::max(largest, GetPixelDistance(pixel, &direction));
  }
  return largest;
}

uint32_t TD_STDCALL CGeodeticCalibration::GetStatus() { return Status; }

int32_t TD_STDCALL CGeodeticCalibration::GetWidth() { return Width; }

uint32_t TD_STDCALL CGeodeticCalibration::Calibrate2(const SPointD* pix1, const SPointD* pix2,
                                                     const SPointD* proj1, const SPointD* proj2,
                                                     int32_t width, int32_t height,
                                                     const SGeodeticRef* ref) {
  return td::Guard(uint32_t{kCalibrationNotInitialized}, [&] {
    Status = ValidateCalibration2(*pix1, *pix2, *proj1, *proj2, width, height, *ref);
    Ref = *ref;
    PointCount = 2;
    PixPoints[0] = *pix1;
    PixPoints[1] = *pix2;
    PixPoints[2] = {0.0, 0.0};
    ProjPoints[0] = *proj1;
    ProjPoints[1] = *proj2;
    ProjPoints[2] = {0.0, 0.0};
    Width = width;
    Height = height;
    if (HasUsableRef()) MapTwoPoints();
    return Status;
  });
}

uint32_t TD_STDCALL CGeodeticCalibration::Calibrate3(const SPointD* pix1, const SPointD* pix2,
                                                     const SPointD* pix3, const SPointD* proj1,
                                                     const SPointD* proj2, const SPointD* proj3,
                                                     int32_t width, int32_t height,
                                                     const SGeodeticRef* ref) {
  return td::Guard(uint32_t{kCalibrationNotInitialized}, [&] {
    const SPointD pix[3] = {*pix1, *pix2, *pix3};
    const SPointD proj[3] = {*proj1, *proj2, *proj3};
    Status = ValidateCalibration3(pix, proj, width, height, *ref);
    Ref = *ref;
    PointCount = 3;
    std::copy(pix, pix + 3, PixPoints);
    std::copy(proj, proj + 3, ProjPoints);
    Width = width;
    Height = height;
    if (HasUsableRef()) MapThreePoints();
    return Status;
  });
}

void TD_STDCALL CGeodeticCalibration::PixToGeo(SGeo2D* geo, const SPointD* pixel) {
  if (!HasUsableRef()) {
    *geo = {kNaN, kNaN};
    return;
  }
  ProjToGeoOrNaN(*geo, Apply(PixToProjMatrix, *pixel), Ref);
}

void TD_STDCALL CGeodeticCalibration::PixToGeoWGS84(SGeo2D* geo, const SPointD* pixel) {
  td::GuardVoid(
      [&] {
        SGeo2D local;
        PixToGeo(&local, pixel);
        if (!HasUsableRef() || Ref.Datum->IsWGS84) {
          *geo = local;
          return;
        }
        const SGeodeticDatum* wgs84 = Wgs84();
        if (wgs84 == nullptr) {
          *geo = {kNaN, kNaN};
          return;
        }
        SGeo3D moved;
        GeodeticDatumTransform3(moved, *wgs84, {local.lat, local.lon, 0.0}, *Ref.Datum);
        *geo = {moved.lat, moved.lon};
      },
      [&] {
        *geo = {kNaN, kNaN};
      });
}

void TD_STDCALL CGeodeticCalibration::PixToProj(SPointD* proj, const SPointD* pixel) {
  *proj = Apply(PixToProjMatrix, *pixel);
}

void TD_STDCALL CGeodeticCalibration::ProjToPix(SPointD* pixel, const SPointD* proj) {
  *pixel = Apply(ProjToPixMatrix, *proj);
}

bool CGeodeticCalibration::HasUsableRef() const { return Status <= kCalibrationGood; }

SPointD CGeodeticCalibration::Apply(const Mapping& m, const SPointD& p) {
  const double dx = p.x + m[6];
  const double dy = p.y + m[7];
  return {dx * m[0] + dy * m[2] + m[4], dx * m[1] + dy * m[3] + m[5]};
}

void CGeodeticCalibration::SetMappings(const SPointD& o, const SPointD& q, const double (&l)[4]) {
  const double det = l[0] * l[3] - l[1] * l[2];
  const Mapping toPix = {l[0], l[1], l[2], l[3], q.x, q.y, -o.x, -o.y};
  const Mapping toProj = {l[3] / det, -l[1] / det, -l[2] / det, l[0] / det, o.x, o.y, -q.x, -q.y};
  std::copy(toPix, toPix + 8, ProjToPixMatrix);
  std::copy(toProj, toProj + 8, PixToProjMatrix);
}

void CGeodeticCalibration::MapTwoPoints() {
  const double sx = (PixPoints[1].x - PixPoints[0].x) / (ProjPoints[1].x - ProjPoints[0].x);
  const double sy = (PixPoints[1].y - PixPoints[0].y) / (ProjPoints[1].y - ProjPoints[0].y);
  const SPointD q{PixPoints[0].x - sx * ProjPoints[0].x, PixPoints[0].y - sy * ProjPoints[0].y};
  Rotation = 0.0;
  SetMappings({0.0, 0.0}, q, {sx, 0.0, 0.0, sy});
}

// The affine map through the three point pairs, solved from the projected
// triangle; the rotation is that of the image of the triangle's bounding box.
void CGeodeticCalibration::MapThreePoints() {
  const SPointD& a = ProjPoints[0];
  const SPointD d1{ProjPoints[1].x - a.x, ProjPoints[1].y - a.y};
  const SPointD d2{ProjPoints[2].x - a.x, ProjPoints[2].y - a.y};
  const SPointD e1{PixPoints[1].x - PixPoints[0].x, PixPoints[1].y - PixPoints[0].y};
  const SPointD e2{PixPoints[2].x - PixPoints[0].x, PixPoints[2].y - PixPoints[0].y};
  const double det = d1.x * d2.y - d1.y * d2.x;
  const double l[4] = {(d2.y * e1.x - d1.y * e2.x) / det, (d2.y * e1.y - d1.y * e2.y) / det,
                       (d1.x * e2.x - d2.x * e1.x) / det, (d1.x * e2.y - d2.x * e1.y) / det};
  double minX = a.x, maxX = a.x, minY = a.y, maxY = a.y;
  for (const SPointD& p : ProjPoints) {
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  const SPointD o{minX, minY};
  const SPointD q{PixPoints[0].x + (o.x - a.x) * l[0] + (o.y - a.y) * l[2],
                  PixPoints[0].y + (o.x - a.x) * l[1] + (o.y - a.y) * l[3]};
  // Images of the box's bottom edge (vc, eastward) and left edge (vb,
  // northward); the longer one gives the rotation.
  const SPointD vc{(maxX - minX) * l[0], (maxX - minX) * l[1]};
  const SPointD vb{(maxY - minY) * l[2], (maxY - minY) * l[3]};
  const double lc = Vector2Length(vc);
  const double lb = Vector2Length(vb);
  Rotation = lc <= lb ? AngleFromXYD(vb.x / lb, -vb.y / lb) : AngleFromXYD(vc.y / lc, vc.x / lc);
  SetMappings(o, q, l);
}
