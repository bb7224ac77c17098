#include "lib/foundation/format/Units.h"

#include <gtest/gtest.h>

#include <cmath>

#include "lib/foundation/core/Exception.h"

namespace {

constexpr double kPi = 3.141592653589793;

constexpr uint32_t kMetre = 0x0006800B;
constexpr uint32_t kKilometre = 0x0006800E;
constexpr uint32_t kNauticalMile = 0x00060006;
constexpr uint32_t kMetrePerSecond = MakeSIUnit(9, kPrefixNone);
constexpr uint32_t kKnot = 0x00090002;
constexpr uint32_t kBeaufort = MakeNonSIUnit(9, 3);
constexpr uint32_t kKelvin = MakeSIUnit(17, kPrefixNone);
constexpr uint32_t kCelsius = 0x00110000;
constexpr uint32_t kFahrenheit = 0x00110001;
constexpr uint32_t kSecond = MakeSIUnit(1, kPrefixNone);

class UnitsTest : public ::testing::Test {
 protected:
  void SetUp() override { InitUnits(); }
};

uint32_t Unit(const char* text) { return UnitFromText(CStr(text)); }

TEST_F(UnitsTest, ExactDefinitionsConvertToSI) {
  struct Case {
    const char* unit;
    const char* si;
    double expected;
  } cases[] = {
      {"in", "m", 0.0254},          {"ft", "m", 12 * 0.0254},
      {"mile", "m", 1609.344},      {"nmile", "m", 1852},
      {"lb", "kg", 0.45359237},     {"UK ton", "kg", 2240 * 0.45359237},
      {"cal", "J", 4.1868},         {"kWh", "J", 3.6e6},
      {"kn", "m/s", 1852.0 / 3600}, {"h", "s", 3600},
      {"deg", "rad", kPi / 180},   {"-", "-", 1.0},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(ConvertUnit(1, Unit(c.unit), Unit(c.si)), c.expected) << c.unit;
  }
}

TEST_F(UnitsTest, PrefixesAndExponents) {
  EXPECT_DOUBLE_EQ(ConvertUnit(1, kNauticalMile, kKilometre), 1.852);
  EXPECT_DOUBLE_EQ(ConvertUnit(1, kKnot, kMetrePerSecond), 1852.0 / 3600);
  EXPECT_DOUBLE_EQ(ConvertUnit(1, Unit("km\xB2"), Unit("m\xB2")), 1e6);
  EXPECT_DOUBLE_EQ(ConvertUnit(1, Unit("cm\xB3"), Unit("l")), 1e-6 / 1e-3);
  EXPECT_DOUBLE_EQ(ConvertUnit(2500, Unit("mbar"), Unit("kPa")), 250);
}

TEST_F(UnitsTest, Temperatures) {
  EXPECT_DOUBLE_EQ(ConvertUnit(0, kCelsius, kKelvin), 273.15);
  EXPECT_NEAR(ConvertUnit(32, kFahrenheit, kCelsius), 0.0, 1e-12);
  EXPECT_NEAR(ConvertUnit(100, kCelsius, kFahrenheit), 212.0, 1e-12);
  EXPECT_NEAR(ConvertUnit(-40, kFahrenheit, kCelsius), -40.0, 1e-12);
}

TEST_F(UnitsTest, BeaufortBounds) {
  struct Case {
    double speed;
    double force;
  } cases[] = {{0.0, 0},   {0.29, 0},  {0.3, 1},   {1.6, 2},   {3.4, 3},
               {5.5, 4},   {8.0, 5},   {10, 5},    {10.8, 6},  {13.9, 7},
               {17.2, 8},  {20.8, 9},  {24.5, 10}, {28.5, 11}, {32.69, 11},
               {32.7, 12}, {100, 12}};
  for (const Case& c : cases) {
    EXPECT_EQ(ConvertUnit(c.speed, kMetrePerSecond, kBeaufort), c.force) << c.speed;
  }
  EXPECT_EQ(ConvertUnit(12.4, kBeaufort, kMetrePerSecond), 35.0);
  EXPECT_EQ(ConvertUnit(-3, kBeaufort, kMetrePerSecond), 0.15);
  EXPECT_EQ(ConvertUnit(4.6, kBeaufort, kMetrePerSecond), 9.4);
}

TEST_F(UnitsTest, FrequencyAndAngularVelocity) {
  EXPECT_DOUBLE_EQ(ConvertUnit(1, Unit("Hz"), Unit("rad/s")), 2 * kPi);
  EXPECT_DOUBLE_EQ(ConvertUnit(2 * kPi, Unit("rad/s"), Unit("Hz")), 1.0);
  EXPECT_DOUBLE_EQ(ConvertUnit(60, Unit("rpm"), Unit("Hz")), 1.0);
}

TEST_F(UnitsTest, MismatchedQuantitiesThrow) {
  try {
    ConvertUnit(1, kMetre, kSecond);
    FAIL();
  } catch (const CUnitConvertError& e) {
    EXPECT_STREQ(e.what(), "GetQuantityFactor: Quantities do not match.");
  }
}

TEST_F(UnitsTest, InvalidCodesThrow) {
  for (uint32_t code : {0x00150000u, 0x00068000u, 0x00068016u, 0x00060007u, 0xFFFFFFFFu}) {
    EXPECT_THROW(ConvertUnit(1, code, code), CUnitConvertError) << std::hex << code;
    EXPECT_THROW(UnitToStr(code), CUnitConvertError) << std::hex << code;
  }
}

TEST_F(UnitsTest, StrToUnitCodes) {
  struct Case {
    const char* text;
    uint32_t code;
  } cases[] = {
      {"m", kMetre},          {"km", kKilometre},     {"dam", 0x0006800C},
      {"min", 0x00010000},    {"h", 0x00010001},      {"kg", 0x000B800E},
      {"\xB5s", 0x00018007},  {"kn", kKnot},          {"nmile", kNauticalMile},
      {"\xB0" "C", kCelsius}, {"Pa", 0x000E800B},     {"mbar", 0x000E0000},
      {"ys", 0x00018001},     {"zs", 0x00018002},     {"as", 0x00018003},
      {"fs", 0x00018004},     {"ps", 0x00018005},     {"ns", 0x00018006},
      {"ms", 0x00018008},     {"cs", 0x00018009},     {"ds", 0x0001800A},
      {"s", 0x0001800B},      {"das", 0x0001800C},    {"hs", 0x0001800D},
      {"ks", 0x0001800E},     {"Ms", 0x0001800F},     {"Gs", 0x00018010},
      {"Ts", 0x00018011},     {"Ps", 0x00018012},     {"Es", 0x00018013},
      {"Zs", 0x00018014},     {"Ys", 0x00018015},     {"-", 0x00000000},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Unit(c.text), c.code) << c.text;
    EXPECT_EQ(UnitToStr(c.code), CStr(c.text)) << c.text;
  }
}

TEST_F(UnitsTest, UnknownTextThrowsWithTheText) {
  try {
    Unit("furlong");
    FAIL();
  } catch (const CUnitConvertError& e) {
    EXPECT_STREQ(e.what(), "Unknown unit \"furlong\".");
  }
  EXPECT_THROW(Unit(""), CUnitConvertError);
  EXPECT_THROW(Unit("M"), CUnitConvertError);
}

TEST_F(UnitsTest, ArraysConvertInPlace) {
  double d[3] = {1, 2, 3};
  ConvertUnits(d, d, 3, kKilometre, kMetre);
  EXPECT_EQ(d[0], 1000);
  EXPECT_EQ(d[2], 3000);
  float f[2] = {0, 100};
  ConvertUnits(f, f, 2, kCelsius, kKelvin);
  EXPECT_FLOAT_EQ(f[0], 273.15f);
  EXPECT_FLOAT_EQ(f[1], 373.15f);
  double s[1] = {1};
  double t[1] = {7};
  EXPECT_THROW(ConvertUnits(s, t, 1, kMetre, kSecond), CUnitConvertError);
  EXPECT_EQ(t[0], 7);
}

}  // namespace
