#include <gtest/gtest.h>

#include "lib/geodesy/Datum.h"
#include "lib/geodesy/Matrix4.h"

namespace {

SGeodeticEllipsoid Ellipsoid(double a, double invF) {
  SGeodeticEllipsoid e;
  GeodeticEllipsoidSetup(e, kEllipsoidTableRow, 0, "", "", "", a, invF);
  return e;
}

}  // namespace

TEST(DatumTest, SetupBuildsInverseMatricesAndRecognisesWGS84) {
  const SGeodeticEllipsoid wgs = Ellipsoid(6378137.0, 298.257223563);
  const SGeodeticEllipsoid bessel = Ellipsoid(6377397.155, 299.1528128);
  const SGeo2D zero{0, 0};
  SGeodeticDatum d;
  GeodeticDatumSetup(d, kDatumByDefinition, "", "", "", "", &bessel,
                     {565.04, -49.91, 465.84, -2e-6, -1.7e-6, -9e-6, 1.0000040772}, zero, zero, &wgs);
  EXPECT_FALSE(d.IsWGS84);
  SMatrix4 product, identity;
  Matrix4Multiply(product, d.ToWGS84, d.FromWGS84);
  Matrix4Identity(identity);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(product.m[r][c], identity.m[r][c], 1e-9);
  EXPECT_EQ(d.ToWGS84.m[3][0], 565.04);
  EXPECT_EQ(d.ToWGS84.m[0][3], 0);
  EXPECT_EQ(d.ToWGS84.m[3][3], 1);

  SGeodeticDatum w;
  GeodeticDatumSetup(w, kDatumTableRow, "WGE", "WGS 1984", "World", "", &wgs, {0, 0, 0, 0, 0, 0, 1}, zero, zero, &wgs);
  EXPECT_TRUE(w.IsWGS84);
  EXPECT_TRUE(Matrix4Equal(w.ToWGS84, identity));
  EXPECT_TRUE(Matrix4Equal(w.FromWGS84, identity));
  EXPECT_EQ(w.Reserved1 | w.Reserved2 | w.Reserved3, 0u);

  // Zero parameters on another ellipsoid are not WGS 84 itself, though the
  // parameters compare equal.
  SGeodeticDatum g;
  GeodeticDatumSetup(g, kDatumTableRow, "X", "", "", "", &bessel, {0, 0, 0, 0, 0, 0, 1}, zero, zero, &wgs);
  EXPECT_FALSE(g.IsWGS84);
  EXPECT_TRUE(GeodeticDatumIsEqualParams(g, w));
  EXPECT_FALSE(GeodeticDatumIsEqualParams(d, w));
  EXPECT_TRUE(GeodeticDatumIsEqualParams(d, d));
}
