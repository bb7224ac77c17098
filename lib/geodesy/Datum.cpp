#include "lib/geodesy/Datum.h"

#include <cmath>

#include "lib/geodesy/Matrix4.h"

namespace {

bool IsIdentityTransform(const SDatumParams& p) {
  return p.Dx == 0 && p.Dy == 0 && p.Dz == 0 && p.Rx == 0 && p.Ry == 0 && p.Rz == 0 && p.Scale == 1;
}

// Rx(-rx) Ry(-ry) Rz(-rz), scaled, then translated.
void BuildToWGS84(SMatrix4& out, const SDatumParams& p) {
  SMatrix4 rx, ry, rz;
  Matrix4RotX(rx, std::sin(-p.Rx), std::cos(-p.Rx));
  Matrix4RotY(ry, std::sin(-p.Ry), std::cos(-p.Ry));
  Matrix4RotZ(rz, std::sin(-p.Rz), std::cos(-p.Rz));
  Matrix4MultiplyLinear(out, rx, ry);
  Matrix4MultiplyLinear(out, out, rz);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) out.m[r][c] *= p.Scale;
  out.m[3][0] = p.Dx;
  out.m[3][1] = p.Dy;
  out.m[3][2] = p.Dz;
}

}  // namespace

void GeodeticDatumSetup(SGeodeticDatum& d, uint32_t kind, const char* code, const char* name, const char* area,
                        const char* source, const SGeodeticEllipsoid* ellipsoid, const SDatumParams& params,
                        const SGeo2D& refPoint, const SGeo2D& shift, const SGeodeticEllipsoid* wgs84Ellipsoid) {
  d.Code = code;
  d.Area = area;
  d.Name = name;
  d.Source = source;
  d.Ellipsoid = ellipsoid;
  d.Kind = kind;
  d.Reserved1 = 0;
  d.Reserved2 = 0;
  d.Reserved3 = 0;
  d.Dx = params.Dx;
  d.Dy = params.Dy;
  d.Dz = params.Dz;
  d.Rx = params.Rx;
  d.Ry = params.Ry;
  d.Rz = params.Rz;
  d.Scale = params.Scale;
  d.RefPoint[0] = refPoint.lat;
  d.RefPoint[1] = refPoint.lon;
  d.Shift[0] = shift.lat;
  d.Shift[1] = shift.lon;
  d.IsWGS84 = ellipsoid == wgs84Ellipsoid && IsIdentityTransform(params);
  if (d.IsWGS84) {
    Matrix4Identity(d.ToWGS84);
    Matrix4Identity(d.FromWGS84);
    return;
  }
  BuildToWGS84(d.ToWGS84, params);
  Matrix4InverseAffine(d.FromWGS84, d.ToWGS84);
}

bool GeodeticDatumIsEqualParams(const SGeodeticDatum& a, const SGeodeticDatum& b) {
  if (&a == &b || (a.IsWGS84 && b.IsWGS84)) return true;
  return a.Dx == b.Dx && a.Dy == b.Dy && a.Dz == b.Dz && a.Rx == b.Rx && a.Ry == b.Ry && a.Rz == b.Rz &&
         a.Scale == b.Scale;
}
