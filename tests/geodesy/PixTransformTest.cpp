#include <gtest/gtest.h>

#include <cmath>

#include "lib/geodesy/Geodetics.h"
#include "lib/geodesy/PixTransform.h"
#include "lib/geodesy/Projections.h"

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;

const SGeodeticDatum& Datum(const char* code) {
  GeodeticTablesInitialize();
  return *GeodeticDatumFindByCode(code);
}

// Two-point chart: pixel (offset + x, offset + y) is projected (x, -y).
CGeodeticCalibration UnitChart(const SGeodeticRef& ref, double offset) {
  CGeodeticCalibration cal;
  const SPointD pix1{offset, offset}, pix2{offset + 100, offset + 100};
  const SPointD proj1{0, 0}, proj2{100, -100};
  cal.Calibrate2(&pix1, &pix2, &proj1, &proj2, 400, 400, &ref);
  return cal;
}

TEST(PixTransform, SameImageIsTheIdentity) {
  SGeodeticRef ref;
  GeodeticRefInitMercator(ref, 0.0, Datum("WGE"));
  CGeodeticCalibration a = UnitChart(ref, 0.0), b = UnitChart(ref, 0.0);
  for (const SPointD& in : {SPointD{0, 0}, SPointD{123.25, -7.5}, SPointD{399, 399}}) {
    SPointD out;
    PixTransform(out, b, in, a);
    EXPECT_EQ(out.x, in.x);
    EXPECT_EQ(out.y, in.y);
  }
}

TEST(PixTransform, IntegerFormsRoundHalvesUp) {
  SGeodeticRef ref;
  GeodeticRefInitMercator(ref, 0.0, Datum("WGE"));
  CGeodeticCalibration source = UnitChart(ref, 0.0), target = UnitChart(ref, 0.5);
  SPointI outI;
  PixTransform1(outI, target, SPointI{10, -11}, source);  // lands on (10.5, -10.5)
  EXPECT_EQ(outI.x, 11);
  EXPECT_EQ(outI.y, -10);
  PixTransform2(outI, target, SPointD{9.9, -11.2}, source);  // (10.4, -10.7)
  EXPECT_EQ(outI.x, 10);
  EXPECT_EQ(outI.y, -11);
  SPointD outD;
  PixTransform3(outD, target, SPointI{10, -11}, source);
  EXPECT_EQ(outD.x, 10.5);
  EXPECT_EQ(outD.y, -10.5);
}

TEST(PixTransform, AcrossProjectionAndDatumMatchesTheWgs84Path) {
  SGeodeticRef merc, tm;
  GeodeticRefInitMercator(merc, 0.0, Datum("WGE"));
  GeodeticRefInitTransverseMercator(tm, 0.9996, 0.0, 3 * kDeg, Datum("EUR-A"));
  // Both charts cover the same area near (52 N, 4 E) at about 10 m a pixel.
  CGeodeticCalibration source, target;
  SPointD pix[3] = {{0, 0}, {1000, 0}, {0, 1000}};
  SPointD mercProj[3], tmProj[3];
  for (int i = 0; i < 3; ++i) {
    const SGeo2D g{(52.0 - pix[i].y * 1e-4) * kDeg, (4.0 + pix[i].x * 1.5e-4) * kDeg};
    GeoToProj(mercProj[i], g, merc);
    GeoToProj(tmProj[i], g, tm);
  }
  ASSERT_LE(source.Calibrate3(&pix[0], &pix[1], &pix[2], &mercProj[0], &mercProj[1], &mercProj[2],
                              1000, 1000, &merc),
            1u);
  ASSERT_LE(target.Calibrate3(&pix[0], &pix[1], &pix[2], &tmProj[0], &tmProj[1], &tmProj[2], 1000,
                              1000, &tm),
            1u);
  const SPointD in{400, 600};
  SPointD out, expected;
  PixTransform(out, target, in, source);
  SGeo2D g;
  source.PixToGeoWGS84(&g, &in);
  target.GeoWGS84ToPix(&expected, &g);
  EXPECT_NEAR(out.x, expected.x, 1e-6);
  EXPECT_NEAR(out.y, expected.y, 1e-6);
}

TEST(PixTransform, UncalibratedChartGivesNaN) {
  SGeodeticRef ref;
  GeodeticRefInitMercator(ref, 0.0, Datum("WGE"));
  CGeodeticCalibration good = UnitChart(ref, 0.0), fresh;
  SPointD out;
  PixTransform(out, fresh, SPointD{1, 1}, good);
  EXPECT_TRUE(std::isnan(out.x) && std::isnan(out.y));
  SPointI outI;
  PixTransform1(outI, good, SPointI{1, 1}, fresh);
  EXPECT_EQ(outI.x, INT32_MIN);
}

}  // namespace
