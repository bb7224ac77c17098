#include <gtest/gtest.h>

#include <cmath>

#include "lib/geodesy/Ellipsoid.h"

namespace {

const double kPi = 3.14159265358979323846;

SGeodeticEllipsoid Make(double a, double invF) {
  SGeodeticEllipsoid e;
  GeodeticEllipsoidSetup(e, kEllipsoidByDefinition, 0, "", "", "", a, invF);
  return e;
}

// Conformal latitude in closed form.
double ConformalClosedForm(double phi, double eccentricity) {
  const double es = eccentricity * std::sin(phi);
  return 2 * std::atan(std::tan(kPi / 4 + phi / 2) * std::pow((1 - es) / (1 + es), eccentricity / 2)) - kPi / 2;
}

}  // namespace

TEST(EllipsoidTest, SetupMatchesPublishedWGS84Constants) {
  const SGeodeticEllipsoid e = Make(6378137.0, 298.257223563);
  EXPECT_NEAR(e.B, 6356752.314245, 1e-6);
  EXPECT_NEAR(e.E2, 0.00669437999014, 1e-14);
  EXPECT_NEAR(e.EP2, 0.00673949674228, 1e-14);
  EXPECT_NEAR(e.E, 0.0818191908426, 1e-13);
  EXPECT_EQ(e.InvF, 298.257223563);
  EXPECT_EQ(e.Reserved, 0u);
  // Quarter meridian of WGS 84.
  EXPECT_NEAR(GeodeticMeridianArc(kPi / 2, e), 10001965.729, 0.001);
}

TEST(EllipsoidTest, ZeroInverseFlatteningIsASphere) {
  const SGeodeticEllipsoid e = Make(6371000.0, 0);
  EXPECT_EQ(e.F, 0);
  EXPECT_EQ(e.B, 6371000.0);
  EXPECT_EQ(e.E2, 0);
  EXPECT_NEAR(GeodeticMeridianArc(1.0, e), 6371000.0, 1e-6);
}

TEST(EllipsoidTest, LatitudeSeriesAgreeWithClosedFormsAndInvertEachOther) {
  const SGeodeticEllipsoid e = Make(6377397.155, 299.1528128);
  for (double deg = -89; deg <= 89; deg += 8) {
    const double phi = deg * kPi / 180;
    const double chi = GeodeticConformalLat(phi, e);
    EXPECT_NEAR(chi, ConformalClosedForm(phi, e.E), 1e-11) << deg;
    EXPECT_NEAR(GeodeticLatFromConformal(chi, e), phi, 1e-11) << deg;
    const double mu = GeodeticMeridianArc(phi, e) * e.InvMeridianScale;
    EXPECT_NEAR(GeodeticFootpointLat(mu, e), phi, 3e-10) << deg;  // series truncated at e^8: ~1 mm
  }
}

TEST(EllipsoidTest, CodePackingAndUnpacking) {
  EXPECT_EQ(GeodeticEllipsoidCodeFromStr("WE"), 0x57450000u);
  EXPECT_EQ(GeodeticEllipsoidCodeFromStr("ABCDE"), 0x41424344u);
  EXPECT_EQ(GeodeticEllipsoidCodeFromStr(""), 0u);

  char buffer[8] = "xxxxxxx";
  int32_t size = 3;
  EXPECT_TRUE(GeodeticEllipsoidCodeToStr(0x57450000, size, buffer));
  EXPECT_STREQ(buffer, "WE");
  EXPECT_EQ(size, 3);

  char small[3] = {'x', 'x', 'x'};
  size = 2;
  EXPECT_FALSE(GeodeticEllipsoidCodeToStr(0x57450000, size, small));
  EXPECT_EQ(small[0], 'W');
  EXPECT_EQ(small[1], 'E');
  EXPECT_EQ(small[2], 'x');
  EXPECT_EQ(size, 3);

  size = 8;
  EXPECT_TRUE(GeodeticEllipsoidCodeToStr(0x41424344, size, buffer));
  EXPECT_STREQ(buffer, "ABCD");
  EXPECT_EQ(size, 5);
}
