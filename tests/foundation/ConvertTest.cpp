#include "lib/foundation/format/Convert.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>

#include "lib/foundation/core/Exception.h"
#include "tests/foundation/NumberOracle.h"
#include "lib/foundation/format/FormatSettings.h"

namespace {

using number_oracle::OracleDouble;
using number_oracle::OracleInt64;
using number_oracle::UlpDistance;

SFormatSettings PointSettings() {
  SFormatSettings s;
  LoadFixedFormats(&s);
  return s;
}

SFormatSettings CommaSettings() {
  SFormatSettings s = PointSettings();
  s.decimalSeparator = ',';
  return s;
}


TEST(ConvertTest, IntegersToText) {
  EXPECT_EQ(IntToStr(-42), CStr("-42"));
  EXPECT_EQ(IntToStr(-1, 16), CStr("ffffffff"));
  EXPECT_EQ(IntToStr(INT32_MIN), CStr("-2147483648"));
  EXPECT_EQ(UIntToStr(4294967295u), CStr("4294967295"));
  EXPECT_EQ(UIntToStr(255, 2), CStr("11111111"));
  EXPECT_EQ(Int64ToStr(INT64_MIN), CStr("-9223372036854775808"));
  EXPECT_EQ(Int64ToStr(-1, 16), CStr("ffffffffffffffff"));
  EXPECT_EQ(Int64ToStr(35, 36), CStr("z"));
  EXPECT_EQ(IntToStr(5, 1), CStr(""));
}

TEST(ConvertTest, TryStrToIntRefusesAndAccepts) {
  const char* refused[] = {"", "-", "+", "12 ", "12a", "2147483648", "4294967300", "1 2", "0x10",
                           "--1", "\t1"};
  for (const char* text : refused) {
    int32_t v = 99;
    EXPECT_FALSE(TryStrToInt(CStr(text), &v)) << text;
    EXPECT_EQ(v, 99);
  }
  struct {
    const char* text;
    int32_t value;
  } accepted[] = {{"   -2147483648", INT32_MIN}, {"+17", 17}, {"2147483647", INT32_MAX}, {"007", 7}};
  for (const auto& c : accepted) {
    int32_t v = 0;
    EXPECT_TRUE(TryStrToInt(CStr(c.text), &v)) << c.text;
    EXPECT_EQ(v, c.value);
  }
  int64_t v64 = 0;
  EXPECT_TRUE(TryStrToInt64(CStr("-9223372036854775808"), &v64));
  EXPECT_EQ(v64, INT64_MIN);
  EXPECT_FALSE(TryStrToInt64(CStr("9223372036854775808"), &v64));
  EXPECT_EQ(StrToIntDef(CStr("x"), -5), -5);
  EXPECT_EQ(StrToInt64Def(CStr("12345678901"), 0), 12345678901);
}

TEST(ConvertTest, ThrowingFormsNameTheText) {
  struct {
    void (*call)();
    const char* message;
  } cases[] = {
      {[] { StrToInt(CStr("abc")); }, "'abc' is not a valid int."},
      {[] { StrToInt64(CStr("")); }, "'' is not a valid int64."},
      {[] { StrToDouble(CStr("1,5"), PointSettings()); }, "'1,5' is not a valid double."},
      {[] { StrToFloat(CStr("x"), PointSettings()); }, "'x' is not a valid float."},
      {[] { StrToGUID(CStr("{nope}")); }, "'{nope}' is not a valid GUID."},
      {[] { StrToVersion(CStr("1.256")); }, "StrToVersion: Invalid version number."},
  };
  for (const auto& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << c.message;
    } catch (const CConvertError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

TEST(ConvertTest, TryStrToDoubleForms) {
  const SFormatSettings point = PointSettings();
  struct {
    const char* text;
    double value;
  } accepted[] = {{"1.5e3", 1500}, {".5", 0.5}, {"5.", 5}, {"  -2.25", -2.25},
                  {"+1E-2", 0.01}, {"0", 0},    {"1e-400", 0}, {"0e99999", 0}};
  for (const auto& c : accepted) {
    double v = 0;
    EXPECT_TRUE(TryStrToDouble(CStr(c.text), &v, point)) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
  const char* refused[] = {"1,5", "1.5 ", ".", "-", "", "1e", "1e+", "e5", "1.5.2", "1e400",
                           "1e1234", "inf", "nan"};
  for (const char* text : refused) {
    double v = 7;
    EXPECT_FALSE(TryStrToDouble(CStr(text), &v, point)) << text;
    EXPECT_EQ(v, 7);
  }
  double v = 0;
  EXPECT_TRUE(TryStrToDouble(CStr("1,5"), &v, CommaSettings()));
  EXPECT_EQ(v, 1.5);
  EXPECT_FALSE(TryStrToDouble(CStr("1.5"), &v, CommaSettings()));
  float f = 0;
  EXPECT_FALSE(TryStrToFloat(CStr("1e39"), &f, point));
  EXPECT_FALSE(TryStrToFloat(CStr("1e100"), &f, point));
  EXPECT_EQ(StrToDoubleDef(CStr("?"), 2.5, point), 2.5);
}

// The C run-time parsers are the oracle: within 2 units in the last place.
TEST(ConvertTest, DoublesMatchTheRunTime) {
  const SFormatSettings point = PointSettings();
  std::mt19937_64 random(1234);
  std::uniform_int_distribution<int> digitCount(1, 15), fraction(0, 8), exponent(-30, 30);
  for (int i = 0; i < 5000; ++i) {
    int digits = digitCount(random);
    CStr s = Int64ToStr(static_cast<int64_t>(random() % static_cast<uint64_t>(std::pow(10, digits))));
    int decimals = fraction(random);
    if (decimals > 0 && s.GetLength() > decimals) {
      s = s.Left(s.GetLength() - decimals) + "." + s.Right(decimals);
    }
    s += FormatStr("e%d", exponent(random));
    const char* text = s.c_str();
    double ours = 0;
    ASSERT_TRUE(TryStrToDouble(s, &ours, point)) << text;
    EXPECT_LE(UlpDistance(ours, std::strtod(text, nullptr)), 2) << text;
    float oracle = 0;
    auto parsed = std::from_chars(text, text + s.GetLength(), oracle);
    if (parsed.ec != std::errc()) continue;  // beyond the range of float
    float ourFloat = 0;
    ASSERT_TRUE(TryStrToFloat(s, &ourFloat, point)) << text;
    EXPECT_LE(UlpDistance(ourFloat, oracle), 2) << text;
  }
}

// Random texts from the characters that matter: the run-time's parsers,
// applied to the same grammar, decide what is valid.
CStr RandomText(std::mt19937& random) {
  static const char kAlphabet[] = "0123456789+-. eE,a";
  int length = static_cast<int>(random() % 12);
  CStr text;
  for (int i = 0; i < length; ++i) text += kAlphabet[random() % (sizeof(kAlphabet) - 1)];
  return text;
}


// Digits beyond what a double holds must not drift the result: long texts
// against the run-time's parser.
TEST(ConvertTest, LongDigitStringsMatchTheRunTime) {
  const SFormatSettings point = PointSettings();
  const std::string zeros400(400, '0');
  char largest[400];
  std::snprintf(largest, sizeof(largest), "%.0f", 1.7976931348623157e308);
  const std::string texts[] = {
      "1" + zeros400 + "e-300",
      largest,
      "123456789012345678901234567890",
      "0." + std::string(30, '0') + "123456789012345678901234567",
      "9007199254740993",
      "2.2250738585072011e-308",
  };
  for (const std::string& text : texts) {
    double ours = 0;
    ASSERT_TRUE(TryStrToDouble(CStr(text.c_str()), &ours, point)) << text;
    EXPECT_LE(UlpDistance(ours, std::strtod(text.c_str(), nullptr)), 2) << text;
  }
}


TEST(ConvertTest, RandomTextsFollowTheRunTimesGrammar) {
  const SFormatSettings point = PointSettings();
  std::mt19937 random(99);
  for (int i = 0; i < 50000; ++i) {
    CStr text = RandomText(random);
    int64_t ours64 = 0, oracle64 = 0;
    bool accepted64 = TryStrToInt64(text, &ours64);
    ASSERT_EQ(accepted64, OracleInt64(text, &oracle64)) << "'" << text.c_str() << "'";
    if (accepted64) {
      EXPECT_EQ(ours64, oracle64);
    }
    int32_t ours32 = 0;
    bool fits = accepted64 && oracle64 >= INT32_MIN && oracle64 <= INT32_MAX;
    ASSERT_EQ(TryStrToInt(text, &ours32), fits) << "'" << text.c_str() << "'";
    double ours = 0, oracle = 0;
    bool accepted = TryStrToDouble(text, &ours, point);
    ASSERT_EQ(accepted, OracleDouble(text, &oracle)) << "'" << text.c_str() << "'";
    if (accepted) {
      EXPECT_LE(UlpDistance(ours, oracle), 2) << text.c_str();
    }
  }
}

TEST(ConvertTest, DoubleToStrLayouts) {
  const SFormatSettings point = PointSettings();
  EXPECT_EQ(DoubleToStr(12.5, 15, 2, point), CStr("12.50"));
  EXPECT_EQ(DoubleToStr(0.05, 15, 2, point), CStr("0.05"));
  EXPECT_EQ(DoubleToStr(1234567, 3, 2, point), CStr("1.2345E+6"));
  EXPECT_EQ(DoubleToStr(-3.26, 15, 1, point), CStr("-3.3"));
  EXPECT_EQ(DoubleToStr(0, 15, 2, point), CStr("0.00"));
  EXPECT_EQ(DoubleToStr(7, 15, 0, point), CStr("7"));
  EXPECT_EQ(DoubleToStr(0.25, 15, 0, point), CStr("0"));
  EXPECT_EQ(DoubleToStr(12.5, 15, 2, CommaSettings()), CStr("12,50"));
}

TEST(ConvertTest, GuidTextRoundTrip) {
  SGuid guid{0x01234567, 0x89AB, 0xCDEF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
  CStr text = GUIDToStr(guid);
  EXPECT_EQ(text, CStr("{01234567-89AB-CDEF-0123-456789ABCDEF}"));
  SGuid back = StrToGUID(text);
  EXPECT_EQ(std::memcmp(&back, &guid, sizeof(guid)), 0);
  SGuid lower = StrToGUID(CStr("{01234567-89ab-cdef-0123-456789abcdef}"));
  EXPECT_EQ(std::memcmp(&lower, &guid, sizeof(guid)), 0);
  SGuid zero = StrToGUID(CStr());
  EXPECT_EQ(zero.Data1, 0u);
  EXPECT_THROW(StrToGUID(CStr("01234567-89AB-CDEF-0123-456789ABCDEF")), CConvertError);
  EXPECT_THROW(StrToGUID(CStr("{01234567-89AB-CDEF-0123-456789ABCDEG}")), CConvertError);
}

TEST(ConvertTest, Versions) {
  EXPECT_EQ(VersionToStr(3, 0x02010300), CStr("2.1.3"));
  EXPECT_EQ(VersionToStr(4, 0x01020304), CStr("1.2.3.4"));
  EXPECT_EQ(StrToVersion(CStr("1.2.3.4")), 0x01020304u);
  EXPECT_EQ(StrToVersion(CStr("1,2")), 0x01020000u);
  EXPECT_EQ(StrToVersion(CStr(" 1 . 2 .\t3")), 0x01020300u);
  EXPECT_EQ(StrToVersion(CStr("1.2.3.4.junk")), 0x01020304u);
  EXPECT_EQ(StrToVersion(CStr("+1.0")), 0x01000000u);
  for (const char* bad : {"1.256", "", "1.", "1;2", "-1", "a", "1.2x"}) {
    EXPECT_THROW(StrToVersion(CStr(bad)), CConvertError) << bad;
  }
}

TEST(ConvertTest, FormatStrGrowsItsBuffer) {
  EXPECT_EQ(FormatStr("%d-%s", 5, "x"), CStr("5-x"));
  std::string big(3000, 'q');
  CStr text = FormatStr("<%s>", big.c_str());
  EXPECT_EQ(text.GetLength(), 3002);
  EXPECT_EQ(text.Right(2), CStr("q>"));
}

TEST(ConvertTest, SecondsToStr) {
  EXPECT_EQ(SecondsToStr(true, 90061, true, true, true, 'd', 'h', 'm', 's', false),
            CStr("1d 1h 1m 01s"));
  EXPECT_EQ(SecondsToStr(false, 125, false, true, true, 'd', 'h', 'm', 's', false),
            CStr("02m 05s"));
  EXPECT_EQ(SecondsToStr(false, 5, false, false, true, 'd', 'h', 'm', 's', false), CStr("5s"));
  EXPECT_EQ(SecondsToStr(true, 59, true, true, true, 'd', 'h', 'm', 's', true),
            CStr("0d 0h 0m 59s"));
  // Each shown part adds its blank once the text has begun, written or not.
  EXPECT_EQ(SecondsToStr(true, 86405, true, true, true, 'd', 'h', 'm', 's', false),
            CStr("1d   05s"));
}

}  // namespace
