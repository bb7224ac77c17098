#include <gtest/gtest.h>

#include <cmath>

#include "lib/geodesy/Geocentric.h"

namespace {

const double kPi = 3.14159265358979323846;
const double kDeg = kPi / 180;

SGeodeticEllipsoid Wgs84() {
  SGeodeticEllipsoid e;
  GeodeticEllipsoidSetup(e, kEllipsoidTableRow, 0x57450000, "WGS 1984", "", "", 6378137.0, 298.257223563);
  return e;
}

}  // namespace

TEST(GeocentricTest, GeoToGlobalUsesTheMirroredYAxis) {
  const SGeodeticEllipsoid e = Wgs84();
  SPoint3D p;
  GeoToGlobal2(p, {0, 0}, e);
  EXPECT_DOUBLE_EQ(p.x, 6378137);
  EXPECT_EQ(p.y, 0);
  EXPECT_EQ(p.z, 0);
  GeoToGlobal2(p, {0, kPi / 2}, e);
  EXPECT_NEAR(p.x, 0, 1e-6);
  EXPECT_DOUBLE_EQ(p.y, -6378137);
  SGeo3D g;
  GlobalToGeo(g, p, e);
  EXPECT_DOUBLE_EQ(g.lon, kPi / 2);
  // PROJ's +proj=cart gives (3919986.754103, 342954.402156, 5002803.345483)
  // for 52 N 5 E; the library's Y is its negative.
  GeoToGlobal3(p, {52 * kDeg, 5 * kDeg, 0}, e);
  EXPECT_NEAR(p.x, 3919986.754103, 1e-6);
  EXPECT_NEAR(p.y, -342954.402156, 1e-6);
  EXPECT_NEAR(p.z, 5002803.345483, 1e-6);
  GeoToGlobal3(p, {-33.5 * kDeg, -120 * kDeg, 1500}, e);
  EXPECT_NEAR(p.x, -2662660.202667, 1e-6);
  EXPECT_NEAR(p.y, 4611862.754311, 1e-6);
  EXPECT_NEAR(p.z, -3501162.193500, 1e-6);
}

TEST(GeocentricTest, GlobalToGeoPolesAndEquator) {
  const SGeodeticEllipsoid e = Wgs84();
  const double b = 6356752.314245;
  SGeo3D g;
  GlobalToGeo(g, {0, 0, b}, e);
  EXPECT_EQ(g.lat, kPi / 2);
  EXPECT_EQ(g.lon, 0);
  EXPECT_NEAR(g.h, 0, 1e-6);
  GlobalToGeo(g, {0, 0, -b}, e);
  EXPECT_EQ(g.lat, -kPi / 2);
  GlobalToGeo(g, {6378137 + 10, -1000, 0}, e);
  EXPECT_EQ(g.lat, 0);
  EXPECT_NEAR(g.lon, std::atan2(1000, 6378147), 1e-15);
}

TEST(GeocentricTest, RoundTripThroughGeocentric) {
  const SGeodeticEllipsoid e = Wgs84();
  for (double lat = -89.5; lat <= 89.5; lat += 11.9) {
    for (double lon = -179; lon < 180; lon += 47) {
      for (double h : {-400.0, 0.0, 9000.0}) {
        SPoint3D p;
        GeoToGlobal3(p, {lat * kDeg, lon * kDeg, h}, e);
        SGeo3D g;
        GlobalToGeo(g, p, e);
        EXPECT_NEAR(g.lat, lat * kDeg, 1e-11);
        EXPECT_NEAR(g.lon, lon * kDeg, 1e-12);
        EXPECT_NEAR(g.h, h, 1e-4);
      }
    }
  }
}
