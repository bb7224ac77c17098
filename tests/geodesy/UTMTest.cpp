#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "lib/geodesy/UTM.h"

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(UTM, LongitudeToZone) {
  struct {
    double lon;
    int32_t zone;
  } cases[] = {{0.0, 31},        {-180 * kDeg, 1},  {-3.14159265358979323846, 1},
               {3 * kDeg, 31},   {5.99 * kDeg, 31}, {6.01 * kDeg, 32},
               {180 * kDeg, 60}, {3.14159265358979323846, 60},
               {181 * kDeg, 0},  {-181 * kDeg, 0},  {kNaN, 0}};
  for (const auto& c : cases) EXPECT_EQ(geodesy::UTMLongToZone(c.lon), c.zone) << c.lon / kDeg;
}

TEST(UTM, ZoneToCentralMeridian) {
  EXPECT_DOUBLE_EQ(geodesy::UTMZoneToLong(31), 3 * kDeg);
  EXPECT_DOUBLE_EQ(geodesy::UTMZoneToLong(-31), 3 * kDeg);
  EXPECT_DOUBLE_EQ(geodesy::UTMZoneToLong(1), -177 * kDeg);
  EXPECT_DOUBLE_EQ(geodesy::UTMZoneToLong(60), 177 * kDeg);
  for (int32_t zone : {0, 61, -61, std::numeric_limits<int32_t>::min()})
    EXPECT_TRUE(std::isnan(geodesy::UTMZoneToLong(zone))) << zone;
}

TEST(UTM, LatitudeBandCharacter) {
  struct {
    double latDeg, lonDeg;
    char band;
  } cases[] = {{-80.0, 0, 'C'},  {-80.01, -1, 'A'}, {-85, 1, 'B'}, {0.0, 0, 'N'},
               {-0.01, 0, 'M'},  {52.2, 5, 'U'},    {71.99, 0, 'W'}, {72.0, 0, 'X'},
               {83.99, 0, 'X'},  {84.0, -1, 'Y'},   {84.0, 1, 'Z'},  {90, 0, 'Z'}};
  for (const auto& c : cases)
    EXPECT_EQ(geodesy::UTMToZoneChar(c.latDeg * kDeg, c.lonDeg * kDeg), c.band) << c.latDeg;
  EXPECT_EQ(geodesy::UTMToZoneChar(kNaN, 0.0), '\0');
  EXPECT_EQ(geodesy::UTMToZoneChar(0.0, kNaN), '\0');
}

TEST(UTM, BandToMiddleLatitude) {
  EXPECT_DOUBLE_EQ(geodesy::UTMZoneToLat('U' - 'A'), 52 * kDeg);
  EXPECT_DOUBLE_EQ(geodesy::UTMZoneToLat(0), -85 * kDeg);
  EXPECT_DOUBLE_EQ(geodesy::UTMZoneToLat(25), 87 * kDeg);
  EXPECT_EQ(geodesy::UTMZoneToLat('I' - 'A'), -9999.0);
  EXPECT_EQ(geodesy::UTMZoneToLat('O' - 'A'), -9999.0);
  EXPECT_TRUE(std::isnan(geodesy::UTMZoneToLat(26)));
  EXPECT_TRUE(std::isnan(geodesy::UTMZoneToLat(255)));
}

}  // namespace
