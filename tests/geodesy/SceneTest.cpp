// The scene frame: x north, y east, z up at an origin on WGS 84.
#include <gtest/gtest.h>

#include <cmath>

#include "lib/geodesy/Geocentric.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/geodesy/Scene.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;

SGeodeticRef SceneAt(double lat, double lon, double h) {
  GeodeticTablesInitialize();
  SGeodeticRef ref;
  GeodeticRefInitScene(ref, {lat, lon, h});
  return ref;
}

TEST(Scene, OriginAndAxes) {
  const SGeodeticRef ref = SceneAt(52 * kDeg, 5 * kDeg, 40.0);
  EXPECT_EQ(ref.Kind, kRefScene);
  EXPECT_EQ(ref.Datum, GeodeticWGS84Datum());
  EXPECT_EQ(ref.K0, 0.0);
  EXPECT_EQ(ref.Lat0, 0.0);
  SGeo3D g;
  SceneToGeoWGS84(g, {0, 0, 0}, ref);
  EXPECT_NEAR(g.lat, 52 * kDeg, 1e-12);
  EXPECT_NEAR(g.lon, 5 * kDeg, 1e-12);
  EXPECT_NEAR(g.h, 40.0, 1e-6);
  // 100 m up the normal keeps the position and adds the height.
  SceneToGeoWGS84(g, {0, 0, 100}, ref);
  EXPECT_NEAR(g.lat, 52 * kDeg, 1e-12);
  EXPECT_NEAR(g.h, 140.0, 1e-6);
  // A point north of the origin on the ellipsoid lies ahead on x, a little
  // below the tangent plane, with no east component.
  SPoint3D q;
  GeoWGS84ToScene3(q, {52.001 * kDeg, 5 * kDeg, 40.0}, ref);
  EXPECT_GT(q.x, 100.0);
  EXPECT_NEAR(q.y, 0.0, 1e-6);
  EXPECT_LT(q.z, 0.0);
}

TEST(Scene, TwoDimensionalFormWritesHeightZeroPosition) {
  const SGeodeticRef ref = SceneAt(-33 * kDeg, 151 * kDeg, 0.0);
  SPoint3D a, b{7, 7, 7};
  GeoWGS84ToScene3(a, {-33.01 * kDeg, 151.02 * kDeg, 0.0}, ref);
  GeoWGS84ToScene2(b, {-33.01 * kDeg, 151.02 * kDeg}, ref);
  EXPECT_DOUBLE_EQ(a.x, b.x);
  EXPECT_DOUBLE_EQ(a.y, b.y);
  EXPECT_DOUBLE_EQ(a.z, b.z);
}

TEST(Scene, HeadingsAreFoldedClockwiseFromNorth) {
  struct {
    SGeo2D to;
    double heading;
  } cases[] = {{{0.001, 0}, 0.0}, {{0, 0.001}, kPi / 2}, {{0, -0.001}, -kPi / 2}, {{-0.001, 0}, -kPi}};
  for (const auto& c : cases) EXPECT_NEAR(HeadingAlongLine({0, 0}, c.to), c.heading, 1e-12);
}

TEST(Scene, DistanceIsTheChord) {
  // The chord between two points on the ellipsoid is their geocentric
  // distance, a little shorter than the meridian arc (110574 m for the first
  // degree of latitude on WGS 84).
  double distance, heading;
  DistAndHeadingAlongLine({0, 0}, {1 * kDeg, 0}, distance, heading);
  SPoint3D p, q;
  GeoToGlobal2(p, {0, 0}, *GeodeticWGS84Ellipsoid());
  GeoToGlobal2(q, {1 * kDeg, 0}, *GeodeticWGS84Ellipsoid());
  EXPECT_NEAR(distance, std::hypot(p.x - q.x, p.y - q.y, p.z - q.z), 1e-6);
  EXPECT_LT(distance, 110574.0);
  EXPECT_GT(distance, 110570.0);
  EXPECT_NEAR(heading, 0.0, 1e-12);
}

}  // namespace
