// The projection and calibration exports, called as a host calls them: plain
// arrays of doubles, the calibration through its table of operations.
#include <gtest/gtest.h>

#include <cmath>

#include "include/TdLib.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;

// The WGS 84 datum as a host meets it: the datum of a scene reference.
const SGeodeticDatum* Wgs84() {
  SGeodeticRef scene;
  const double origin[3] = {0, 0, 0};
  GeodeticRefInitScene(&scene, origin);
  return scene.Datum;
}

TEST(ProjectionExportsTest, RDGridBothWays) {
  SGeodeticRef rd;
  GeodeticRefInitRD(&rd);
  EXPECT_EQ(rd.Kind, 3u);
  EXPECT_EQ(rd.Projection, 7u);
  const double geo[2] = {53 * kDeg, 6 * kDeg};
  double xy[2], back[2];
  GeoToProj(xy, geo, &rd);
  EXPECT_NEAR(xy[0], 196105.2830, 1e-3);
  EXPECT_NEAR(xy[1], 557057.7394, 1e-3);
  RDToGeoExact(back, xy, &rd);
  EXPECT_NEAR(back[0], geo[0], 1e-8);
  GeoToRDExact(xy, xy, &rd);  // same storage for output and input
  EXPECT_TRUE(std::isfinite(xy[0]));
  const double p[2] = {155000, 463000};
  EXPECT_EQ(RDCalcDistance(p, p), 0.0);
}

TEST(ProjectionExportsTest, FailuresComeOutAsNaN) {
  SGeodeticRef ortho;
  GeodeticRefInitOrthographic(&ortho, 0.5, 0.1, Wgs84());
  const double geo[2] = {0.5, 0.1};
  double out[2] = {1, 1};
  GeoToOrthographic(out, geo, &ortho);
  EXPECT_TRUE(std::isnan(out[0]) && std::isnan(out[1]));
  out[0] = 1;
  ProjToGeo(out, geo, &ortho);
  EXPECT_TRUE(std::isnan(out[0]));
  ortho.Projection = 42;
  out[0] = 1;
  GeoToProj(out, geo, &ortho);
  EXPECT_TRUE(std::isnan(out[0]));
  EXPECT_EQ(UTMLongToZone(kPi), 60);
  EXPECT_EQ(UTMLongToZone(NAN), 0);
  EXPECT_EQ(UTMToZoneChar(52 * kDeg, 5 * kDeg), 'U');
  EXPECT_TRUE(std::isnan(UTMZoneToLat(26)));
  EXPECT_DOUBLE_EQ(UTMZoneToLong(-31), 3 * kDeg);
}

TEST(ProjectionExportsTest, ReferencesCompare) {
  SGeodeticRef a, b;
  GeodeticRefInitTransverseMercator(&a, 0.9996, 0, 3 * kDeg, Wgs84());
  GeodeticRefInitTransverseMercator(&b, 0.9996, 0, 3 * kDeg, Wgs84());
  EXPECT_EQ(GeodeticRefIsEqual(&a, &b), 1);
  EXPECT_EQ(GeodeticRefIsEqualParams(&a, &b), 1);
  GeodeticRefInitMercator(&b, 3 * kDeg, Wgs84());
  EXPECT_EQ(GeodeticRefIsEqualExceptDatum(&a, &b), 0);
  const double geo[2] = {52.155172 * kDeg, 5.387204 * kDeg};
  double xy[2];
  GeoToTransverseMercator(xy, geo, &a);
  EXPECT_NEAR(xy[0], 163303.963, 1e-3);
  // k0 (1 + x^2 / 2R^2) with R = 6382000 m, the mean radius of curvature there.
  EXPECT_NEAR(GeoToTransverseMercatorScale(geo, &a), 0.9996 * (1 + xy[0] * xy[0] / (2 * 6382000.0 * 6382000.0)), 1e-6);
}

TEST(ProjectionExportsTest, SceneAndGreatCircles) {
  SGeodeticRef scene;
  const double origin[3] = {52 * kDeg, 5 * kDeg, 0};
  GeodeticRefInitScene(&scene, origin);
  double q[3] = {7, 7, 7};
  const double north[2] = {52.01 * kDeg, 5 * kDeg};
  GeoWGS84ToScene2(q, north, &scene);
  EXPECT_GT(q[0], 1000);
  EXPECT_NEAR(q[1], 0, 1e-6);
  EXPECT_LT(q[2], 0);  // below the tangent plane: z is written too
  double g[3];
  SceneToGeoWGS84(g, q, &scene);
  EXPECT_NEAR(g[0], north[0], 1e-12);
  double distance, heading;
  DistAndHeadingAlongLine(origin, north, &distance, &heading);
  EXPECT_NEAR(heading, 0, 1e-12);
  EXPECT_NEAR(HeadingAlongLine(north, origin), -kPi, 1e-9);
  const double a[2] = {0, 0}, b[2] = {1 * kDeg, 0};
  EXPECT_NEAR(DistAlongGreatCircle(a, b), 111132.0948, 1e-4);
  double u1[3], u2[3];
  GeoToGreatCirclePoint(u1, a);
  GeoToGreatCirclePoint(u2, b);
  EXPECT_NEAR(DistAlongGreatCircle1(u1, u2), 111132.0948, 1e-4);
}

TEST(ProjectionExportsTest, CalibrationThroughItsTable) {
  TdGeodeticCalibration* cal = GeodeticCalibrationCreate();
  ASSERT_NE(cal, nullptr);
  const TdGeodeticCalibrationVtbl* v = cal->vtable;
  EXPECT_EQ(v->GetStatus(cal), 2u);
  SGeodeticRef merc;
  GeodeticRefInitMercator(&merc, 0, Wgs84());
  const double pix1[2] = {0, 0}, pix2[2] = {100, 100}, proj1[2] = {0, 1000}, proj2[2] = {1000, 0};
  EXPECT_EQ(v->Calibrate2(cal, pix1, pix2, proj1, proj2, 400, 300, &merc), 1u);
  EXPECT_EQ(v->GetWidth(cal), 400);
  EXPECT_EQ(v->GetHeight(cal), 300);
  EXPECT_EQ(v->GetPointCount(cal), 2u);
  EXPECT_EQ(v->GetRef(cal)->Projection, 1u);
  double rect[4];
  v->GetPixBounds(cal, rect);
  EXPECT_EQ(rect[2], 399.5);
  EXPECT_EQ(rect[3], 299.5);
  const double pixel[2] = {40, 60};
  double geo[2], back[2];
  v->PixToGeoWGS84(cal, geo, pixel);
  v->GeoWGS84ToPix(cal, back, geo);
  EXPECT_NEAR(back[0], 40, 1e-6);
  EXPECT_NEAR(back[1], 60, 1e-6);
  EXPECT_NEAR(v->GetNorthAngle(cal, pixel), 0, 1e-9);

  TdGeodeticCalibration* copy = GeodeticCalibrationCreate();
  copy->vtable->Assign(copy, cal);
  const int32_t in[2] = {17, 23};
  int32_t out[2];
  PixTransform1(out, copy, in, cal);
  EXPECT_EQ(out[0], 17);
  EXPECT_EQ(out[1], 23);
  ObjectDelete(reinterpret_cast<TdObject*>(copy));
  ObjectDelete(reinterpret_cast<TdObject*>(cal));
}

TEST(ProjectionExportsTest, Validation) {
  SGeodeticRef merc;
  GeodeticRefInitMercator(&merc, 0, Wgs84());
  const double pix1[2] = {0, 0}, pix2[2] = {10, 0}, pix3[2] = {0, 20};
  const double proj1[2] = {0, 1000}, proj2[2] = {1000, 1000}, proj3[2] = {0, 0};
  EXPECT_EQ(ValidateCalibration3(pix1, pix2, pix3, proj1, proj2, proj3, 65536, 65536, &merc), 12u);
  EXPECT_EQ(ValidateCalibration3(pix1, pix2, pix3, proj1, proj2, proj3, 20, 40, &merc), 1u);
  EXPECT_EQ(ValidateCalibration2(pix1, pix2, proj1, proj2, 400, 400, &merc), 13u);
}

}  // namespace
