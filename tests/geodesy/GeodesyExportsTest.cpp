// The exported shims, called as a host calls them.
#include <gtest/gtest.h>

#include <cstring>

#include "include/TdLib.h"

TEST(GeodesyExportsTest, InitialiseAndListDatums) {
  void* tables = GeodeticsInitialize();
  ASSERT_NE(tables, nullptr);
  EXPECT_EQ(GeodeticsInitialize(), tables);

  int32_t count = 0;
  EXPECT_FALSE(GeodeticDatumGetList(&count, nullptr));
  EXPECT_EQ(count, 232);
  const SGeodeticDatum* list[232];
  EXPECT_TRUE(GeodeticDatumGetList(&count, list));
  EXPECT_FALSE(GeodeticDatumGetList(nullptr, list));

  count = 0;
  EXPECT_FALSE(GeodeticEllipsoidGetList(&count, nullptr));
  EXPECT_EQ(count, 25);
}

TEST(GeodesyExportsTest, LookupsReportThroughOutParameters) {
  const SGeodeticDatum* datum = nullptr;
  EXPECT_TRUE(GeodeticDatumCreateByCode("EUR-M", &datum));
  ASSERT_NE(datum, nullptr);
  EXPECT_TRUE(GeodeticDatumIsValid(datum));
  EXPECT_FALSE(GeodeticDatumIsValid(nullptr));

  const SGeodeticDatum* missing = datum;
  EXPECT_FALSE(GeodeticDatumCreateByCode("NOPE", &missing));
  EXPECT_EQ(missing, nullptr);

  const SGeodeticDatum* wge = nullptr;
  EXPECT_TRUE(GeodeticDatumCreateFromOldName("WGS 1984", &wge));
  EXPECT_EQ(GeodeticDatumCreateFromNKF(209), wge);
  EXPECT_EQ(GeodeticDatumCreateFromNKF(-1), nullptr);
  EXPECT_EQ(GeodeticDatumCreateFromNKF(224), nullptr);
  EXPECT_TRUE(GeodeticDatumIsEqualParams(wge, wge));
  EXPECT_FALSE(GeodeticDatumIsEqualParams(wge, nullptr));

  char name[32];
  int32_t size = sizeof name;
  EXPECT_TRUE(GeodeticDatumGetOldName(wge, &size, name));
  EXPECT_STREQ(name, "WGS 1984");
  EXPECT_EQ(size, 9);

  const SGeodeticEllipsoid* airy = nullptr;
  EXPECT_TRUE(GeodeticEllipsoidCreateByCode("AA", &airy));
  char code[3];
  size = 3;
  EXPECT_TRUE(GeodeticEllipsoidCodeToStr(0x57450000u, &size, code));
  EXPECT_STREQ(code, "WE");
}

TEST(GeodesyExportsTest, CreatedDatumsAndTransforms) {
  const SGeodeticDatum* wge = nullptr;
  const SGeodeticDatum* ed50 = nullptr;
  ASSERT_TRUE(GeodeticDatumCreateByCode("WGE", &wge));
  ASSERT_TRUE(GeodeticDatumCreateByCode("EUR-M", &ed50));

  const double deg = 3.14159265358979323846 / 180;
  double position[3] = {52 * deg, 5 * deg, 0};
  GeodeticDatumTransform3(position, ed50, position, wge);  // in place
  EXPECT_NEAR(position[0] / deg, 52.00079260, 5e-9);
  EXPECT_NEAR(position[1] / deg, 5.00131108, 5e-9);
  EXPECT_NEAR(position[2], -40.368, 0.0005);

  double geo[2] = {0, 3.14159265358979323846 / 2};
  double xyz[3];
  const SGeodeticEllipsoid* we = nullptr;
  ASSERT_TRUE(GeodeticEllipsoidCreateByCode("WE", &we));
  GeoToGlobal2(xyz, geo, we);
  EXPECT_DOUBLE_EQ(xyz[1], -6378137);
  double back[3];
  GlobalToGeo(back, xyz, we);
  EXPECT_DOUBLE_EQ(back[1], geo[1]);

  const double shift[2] = {1e-6, 2e-6};
  const double at[2] = {0.9, 0.1};
  const SGeodeticDatum* shifted = GeodeticDatumCreateByShift(at, shift);
  ASSERT_NE(shifted, nullptr);
  EXPECT_EQ(GeodeticDatumCreateByShift(at, shift), shifted);
  EXPECT_TRUE(GeodeticDatumIsValid(shifted));
  const SGeodeticDatum* defined = GeodeticDatumCreateByDef(we, 1, 2, 3, 0, 0, 0, 1);
  EXPECT_EQ(GeodeticDatumCreateByDef(we, 1, 2, 3, 0, 0, 0, 1), defined);
  EXPECT_EQ(GeodeticDatumCreateByDef(nullptr, 1, 2, 3, 0, 0, 0, 1), nullptr);
  EXPECT_NE(GeodeticEllipsoidCreateByDef(6378000, 0), nullptr);
}
