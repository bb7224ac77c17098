#include <gtest/gtest.h>

#include <cmath>

#include "lib/geodesy/Geocentric.h"
#include "lib/geodesy/GeodeticCalibration.h"
#include "lib/geodesy/Geodetics.h"
#include "lib/geodesy/Projections.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

const SGeodeticDatum& Datum(const char* code) {
  GeodeticTablesInitialize();
  return *GeodeticDatumFindByCode(code);
}

SGeodeticRef Mercator(const char* datum = "WGE") {
  SGeodeticRef ref;
  GeodeticRefInitMercator(ref, 0.0, Datum(datum));
  return ref;
}

// Projected coordinates of a pixel of a chart rotated by theta with
// sx metres per pixel, the top-left pixel at (x0, y0) metres:
// pixel = R(theta) (p - origin) / scale, y against northing.
SPointD ProjOf(const SPointD& pix, double theta, double metresPerPixel, const SPointD& origin) {
  const double c = std::cos(theta), s = std::sin(theta);
  // Undo the rotation, then the scale (sy = -sx).
  const double u = c * pix.x + s * pix.y;
  const double v = -s * pix.x + c * pix.y;
  return {origin.x + u * metresPerPixel, origin.y - v * metresPerPixel};
}

void ExpectNear(const SPointD& a, const SPointD& b, double tol) {
  EXPECT_NEAR(a.x, b.x, tol);
  EXPECT_NEAR(a.y, b.y, tol);
}

TEST(GeodeticCalibration, FreshObject) {
  CGeodeticCalibration cal;
  EXPECT_EQ(cal.GetStatus(), 2u);
  EXPECT_EQ(cal.GetPointCount(), 0u);
  EXPECT_EQ(cal.GetWidth(), 0);
  EXPECT_EQ(cal.GetHeight(), 0);
  SRectD r;
  cal.GetPixBounds(&r);
  EXPECT_EQ(r.left, -0.5);
  EXPECT_EQ(r.top, -0.5);
  EXPECT_EQ(r.right, -0.5);
  EXPECT_EQ(r.bottom, -0.5);
  // No reference yet: geographic conversions give NaN rather than reading
  // through a null datum.
  const SGeo2D g{0.5, 0.1};
  SPointD p;
  cal.GeoWGS84ToPix(&p, &g);
  EXPECT_TRUE(std::isnan(p.x) && std::isnan(p.y));
  SGeo2D back;
  cal.PixToGeoWGS84(&back, &p);
  EXPECT_TRUE(std::isnan(back.lat));
}

TEST(GeodeticCalibration, ThreePointsPassThroughTheirPoints) {
  const SGeodeticRef ref = Mercator();
  // The points of a north-up chart that the bounding-box interpolation used
  // to miss by 40 pixels, then a rotated chart and a sheared one.
  struct {
    SPointD pix[3], proj[3];
    double rotation;
  } cases[] = {
      {{{0, 0}, {1000, 1000}, {500, 300}},
       {ProjOf({0, 0}, 0, 10, {5e5, 6e6}), ProjOf({1000, 1000}, 0, 10, {5e5, 6e6}),
        ProjOf({500, 300}, 0, 10, {5e5, 6e6})},
       0.0},
      {{{10, 20}, {900, 100}, {300, 800}},
       {ProjOf({10, 20}, 0.3, 25, {1e5, 5e6}), ProjOf({900, 100}, 0.3, 25, {1e5, 5e6}),
        ProjOf({300, 800}, 0.3, 25, {1e5, 5e6})},
       0.3},
      {{{0, 0}, {1000, 0}, {0, 1000}}, {{0, 1000}, {1000, 1000}, {200, 0}}, kPi / 2 - std::atan2(1000, 200)},
  };
  for (const auto& c : cases) {
    CGeodeticCalibration cal;
    ASSERT_EQ(cal.Calibrate3(&c.pix[0], &c.pix[1], &c.pix[2], &c.proj[0], &c.proj[1], &c.proj[2],
                             1000, 1000, &ref),
              1u);
    for (int i = 0; i < 3; ++i) {
      SPointD pix, proj;
      cal.ProjToPix(&pix, &c.proj[i]);
      ExpectNear(pix, c.pix[i], 1e-9);
      cal.PixToProj(&proj, &c.pix[i]);
      ExpectNear(proj, c.proj[i], 1e-6);
    }
    EXPECT_NEAR(cal.GetRotation(), c.rotation, 1e-12);
  }
}

TEST(GeodeticCalibration, TwoPointMapping) {
  const SGeodeticRef ref = Mercator();
  const SPointD pix1{0, 0}, pix2{100, 100}, proj1{0, 1000}, proj2{1000, 0};
  CGeodeticCalibration cal;
  ASSERT_EQ(cal.Calibrate2(&pix1, &pix2, &proj1, &proj2, 400, 400, &ref), 1u);
  EXPECT_EQ(cal.GetRotation(), 0.0);
  const SPointD mid{500, 500};
  SPointD p;
  cal.ProjToPix(&p, &mid);
  ExpectNear(p, {50, 50}, 1e-12);
  SPointD a, b, c;
  EXPECT_EQ(cal.GetPixPoints(&a, &b, &c), 2u);
  EXPECT_EQ(c.x, 0.0);
  EXPECT_EQ(cal.GetProjPoints(&a, &b, &c), 2u);
  ExpectNear(b, proj2, 0);
  cal.GetCornerBR(&p);
  ExpectNear(p, {399.5, 399.5}, 0);
  cal.GetCentre(&p);
  ExpectNear(p, {199.5, 199.5}, 0);
  cal.GetCornerBL(&p);
  ExpectNear(p, {-0.5, 399.5}, 0);
  cal.GetCornerTR(&p);
  ExpectNear(p, {399.5, -0.5}, 0);
}

// A Mercator chart of 10 m per pixel around the equator, rotated by theta.
CGeodeticCalibration EquatorChart(double theta, const SGeodeticRef& ref) {
  CGeodeticCalibration cal;
  const SPointD pix[3] = {{0, 0}, {1000, 0}, {0, 1000}};
  SPointD proj[3];
  for (int i = 0; i < 3; ++i) proj[i] = ProjOf(pix[i], theta, 10, {0, 5000});
  cal.Calibrate3(&pix[0], &pix[1], &pix[2], &proj[0], &proj[1], &proj[2], 1000, 1000, &ref);
  return cal;
}

TEST(GeodeticCalibration, GeographicRoundTripAndNorth) {
  const SGeodeticRef ref = Mercator();
  for (double theta : {0.0, 0.3}) {
    CGeodeticCalibration cal = EquatorChart(theta, ref);
    ASSERT_EQ(cal.GetStatus(), 1u);
    const SPointD pixel{250, 700};
    SGeo2D g;
    cal.PixToGeoWGS84(&g, &pixel);
    SPointD back;
    cal.GeoWGS84ToPix(&back, &g);
    ExpectNear(back, pixel, 1e-7);
    // Mercator meridians are straight, so north is the chart's own rotation.
    EXPECT_NEAR(cal.GetNorthAngle(&pixel), theta, 1e-9);
  }
}

TEST(GeodeticCalibration, DatumOfTheChartIsHonoured) {
  // On ED50 the same projected point lies about 100 m from its WGS 84 place.
  const SGeodeticRef ref = Mercator("EUR-A");
  CGeodeticCalibration cal = EquatorChart(0.0, ref);
  const SPointD pixel{500, 500};
  SGeo2D local, wgs84;
  cal.PixToGeo(&local, &pixel);
  cal.PixToGeoWGS84(&wgs84, &pixel);
  SGeo3D expected;
  GeodeticDatumTransform3(expected, *GeodeticWGS84Datum(), {local.lat, local.lon, 0.0}, Datum("EUR-A"));
  EXPECT_DOUBLE_EQ(wgs84.lat, expected.lat);
  EXPECT_DOUBLE_EQ(wgs84.lon, expected.lon);
  EXPECT_GT(std::fabs(wgs84.lon - local.lon) * 6378137.0, 50.0);
}

TEST(GeodeticCalibration, PixelDistanceAndSize) {
  const SGeodeticRef ref = Mercator();
  CGeodeticCalibration cal = EquatorChart(0.0, ref);
  const SPointD pixel{0, 500};  // on the equator
  // 10 m of Mercator easting is 10 / a radians of longitude; on the
  // 6367400 m sphere that is a little shorter.
  const SPointD east{3, 0}, north{0, -1};
  EXPECT_NEAR(cal.GetPixelDistance(&pixel, &east), 6367400.0 * 10 / 6378137.0, 1e-6);
  // Northward the Mercator scale at the equator is a (1 - e^2) per radian.
  const double e2 = 0.00669437999014;
  const double northward = 6367400.0 * 10 / (6378137.0 * (1 - e2));
  EXPECT_NEAR(cal.GetPixelDistance(&pixel, &north), northward, 1e-5);
  EXPECT_NEAR(cal.GetPixelSize(&pixel), northward, 1e-5);
}

TEST(GeodeticCalibration, AssignCopiesEverything) {
  const SGeodeticRef ref = Mercator();
  CGeodeticCalibration a = EquatorChart(0.3, ref);
  CGeodeticCalibration b;
  b.Assign(&a);
  EXPECT_EQ(b.GetStatus(), 1u);
  EXPECT_EQ(b.GetPointCount(), 3u);
  EXPECT_EQ(b.GetWidth(), 1000);
  EXPECT_EQ(b.GetRotation(), a.GetRotation());
  EXPECT_TRUE(GeodeticRefIsEqual(*b.GetRef(), ref));
  const SPointD pixel{123, 456};
  SPointD pa, pb;
  a.PixToProj(&pa, &pixel);
  b.PixToProj(&pb, &pixel);
  EXPECT_EQ(pa.x, pb.x);
  EXPECT_EQ(pa.y, pb.y);
}

TEST(GeodeticCalibration, OrthographicChartGivesNaNWithoutThrowing) {
  SGeodeticRef ref;
  GeodeticRefInitOrthographic(ref, 0.5, 0.1, Datum("WGE"));
  CGeodeticCalibration cal = EquatorChart(0.0, ref);
  ASSERT_EQ(cal.GetStatus(), 1u);
  const SPointD pixel{10, 10};
  SGeo2D g;
  EXPECT_NO_THROW(cal.PixToGeo(&g, &pixel));
  EXPECT_TRUE(std::isnan(g.lat) && std::isnan(g.lon));
  SPointD p;
  EXPECT_NO_THROW(cal.GeoWGS84ToPix(&p, &g));
  EXPECT_TRUE(std::isnan(p.x));
  EXPECT_NO_THROW(cal.GetNorthAngle(&pixel));
  EXPECT_EQ(cal.GetPixelSize(&pixel), 0.0);
}

TEST(GeodeticCalibration, FailedCalibrationKeepsItsMappings) {
  const SGeodeticRef ref = Mercator();
  CGeodeticCalibration cal = EquatorChart(0.0, ref);
  const SPointD pixel{10, 10};
  SPointD before, after;
  cal.PixToProj(&before, &pixel);
  SGeodeticRef bad = ref;
  bad.Datum = reinterpret_cast<const SGeodeticDatum*>(&pixel);  // not a datum at all
  const SPointD a{0, 0}, b{100, 100}, p{0, 1000}, q{1000, 0};
  EXPECT_EQ(cal.Calibrate2(&a, &b, &p, &q, 400, 400, &bad), 4u);
  cal.PixToProj(&after, &pixel);
  EXPECT_EQ(before.x, after.x);
  EXPECT_EQ(before.y, after.y);
  SGeo2D g;
  cal.PixToGeoWGS84(&g, &pixel);  // must not read through the bad pointer
  EXPECT_TRUE(std::isnan(g.lat));
}

}  // namespace
