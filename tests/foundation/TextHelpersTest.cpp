#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "lib/foundation/format/AngleFormat.h"
#include "lib/foundation/streams/Checksum.h"
#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/files/FileName.h"
#include "lib/foundation/format/FormatSettings.h"
#include "lib/foundation/format/Numeric.h"
#include "lib/foundation/text/TextParse.h"

namespace {

SFormatSettings Fixed() {
  SFormatSettings s;
  LoadFixedFormats(&s);
  return s;
}

TEST(TextHelpersTest, HexDigitsAreTheTwentyTwoCharacters) {
  int count = 0;
  for (int c = 0; c < 256; ++c) count += IsHexDigit(static_cast<char>(c));
  EXPECT_EQ(count, 22);
  for (char c : {'0', '9', 'A', 'F', 'a', 'f'}) EXPECT_TRUE(IsHexDigit(c)) << c;
  for (char c : {'G', 'g', '/', ':', '@', '`', ' '}) EXPECT_FALSE(IsHexDigit(c)) << c;
}

TEST(TextHelpersTest, XorChecksums) {
  const uint8_t bytes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  EXPECT_EQ(XorChecksum32(bytes, 5), 0x04030204u);
  EXPECT_EQ(XorChecksum32(bytes, 0), 0u);
  EXPECT_EQ(XorChecksum32(bytes, 9), 0x04030201u ^ 0x08070605u ^ 0x09u);
  EXPECT_EQ(XorChecksum64(bytes, 9), 0x0807060504030201ull ^ 0x09ull);
  EXPECT_EQ(XorChecksum64(bytes, 3), 0x030201ull);
}

TEST(TextHelpersTest, ScrambleIsItsOwnInverse) {
  const char raw[] = {'a', 0, 'b', static_cast<char>(0xFF)};
  CStr text(4, raw);
  CStr scrambled = StrScramble(0x1FE, text);
  EXPECT_EQ(scrambled.GetLength(), 4);
  EXPECT_EQ(static_cast<uint8_t>(scrambled.c_str()[0]), 'a' ^ 0xFF);
  EXPECT_EQ(static_cast<uint8_t>(scrambled.c_str()[1]), 0x00);  // (0x1FE + 2) mod 256
  CStr back = StrScramble(0x1FE, scrambled);
  EXPECT_EQ(std::memcmp(back.c_str(), raw, 4), 0);
}

TEST(TextHelpersTest, FileNames) {
  EXPECT_EQ(ExtractFileName(CStr("C:\\a\\b.txt")), CStr("b.txt"));
  EXPECT_EQ(ExtractFileName(CStr("C:b.txt")), CStr("b.txt"));
  EXPECT_EQ(ExtractFileName(CStr("b.txt")), CStr("b.txt"));
  EXPECT_EQ(ExtractFilePath(CStr("C:\\a\\b.txt")), CStr("C:\\a\\"));
  EXPECT_EQ(ExtractFilePath(CStr("b.txt")), CStr(""));
  EXPECT_EQ(ExtractFileExt(CStr("x\\a.tar.gz")), CStr(".gz"));
  EXPECT_EQ(ExtractFileExt(CStr("x.dir\\file")), CStr(""));
  EXPECT_EQ(ExtractFileExt(CStr(".profile")), CStr(""));
  EXPECT_EQ(ExtractFileExt(CStr("name.")), CStr("."));
  EXPECT_EQ(ChangeFileExt(CStr("a\\b.tcf"), CStr(".tmp")), CStr("a\\b.tmp"));
  EXPECT_EQ(ChangeFileExt(CStr("a.dir\\b"), CStr(".tmp")), CStr("a.dir\\b.tmp"));
  EXPECT_EQ(ChangeFileExt(CStr(".profile"), CStr(".x")), CStr(".x"));
  EXPECT_EQ(ChangeFileExt(CStr(""), CStr(".x")), CStr(".x"));
  EXPECT_EQ(IncludeTrailingBackslash(CStr("C:\\a")), CStr("C:\\a\\"));
  EXPECT_EQ(IncludeTrailingBackslash(CStr("C:\\a\\")), CStr("C:\\a\\"));
  EXPECT_EQ(IncludeTrailingBackslash(CStr("")), CStr(""));
  EXPECT_EQ(ExcludeTrailingBackslash(CStr("C:\\a\\\\")), CStr("C:\\a\\"));
  EXPECT_EQ(ValidFileName(CStr("a\"*/<>?\\|:b")), CStr("a________:b"));
  EXPECT_EQ(TrimStr(CStr("  a b \t ")), CStr("a b \t"));
}

TEST(TextHelpersTest, AngleParts) {
  SDegMin dm = AngleToDegMin(-52.5);
  EXPECT_EQ(dm.sign, -1);
  EXPECT_EQ(dm.degrees, 52);
  EXPECT_DOUBLE_EQ(dm.minutes, 30.0);
  SDegMin rounded = AngleToDegMinRounded(4.9999);
  EXPECT_EQ(rounded.degrees, 5);
  EXPECT_EQ(rounded.minutes, 0.0);
  SDegMinSec dms = AngleToDegMinSec(1.5125);
  EXPECT_EQ(dms.degrees, 1);
  EXPECT_EQ(dms.minutes, 30);
  EXPECT_NEAR(dms.seconds, 45.0, 1e-9);
  SDegMinSec carry = AngleToDegMinSecRounded(1.99999);
  EXPECT_EQ(carry.degrees, 2);
  EXPECT_EQ(carry.minutes, 0);
  EXPECT_EQ(carry.seconds, 0.0);
}

TEST(TextHelpersTest, AngleTexts) {
  const SFormatSettings s = Fixed();
  EXPECT_EQ(AngleToDegMinStr(52.5, 3, 'N', 'S', s), CStr("52\xB0 30.000' N"));
  EXPECT_EQ(AngleToDegMinStr(10.99999, 2, 'N', 'S', s), CStr("11\xB0 00.00' N"));
  EXPECT_EQ(AngleToDegMinStr(-4.1, 0, 'E', 'W', s), CStr("4\xB0 06' W"));
  EXPECT_EQ(AngleToDegMinStr(3.0 + 0.0125 / 60, 2, 'N', 'S', s), CStr("3\xB0 00.01' N"));
  EXPECT_EQ(AngleToDegMinSecStr(1.5125, 1, 'E', 'W', s), CStr("1\xB0 30' 45.0\" E"));
  EXPECT_EQ(AngleToDegMinSecStr(-0.99999999, 0, 'E', 'W', s), CStr("1\xB0 00' 00\" W"));
  SFormatSettings comma = s;
  comma.decimalSeparator = ',';
  EXPECT_EQ(AngleToDegMinStr(52.5, 1, 'N', 'S', comma), CStr("52\xB0 30,0' N"));
}

// UndefinedBehaviorSanitizer in the native build stops at any cast of these to an integer.
TEST(TextHelpersTest, AnglesWithoutWholeDegreesGiveEmptyResults) {
  const SFormatSettings s = Fixed();
  for (double angle : {std::nan(""), HUGE_VAL, -HUGE_VAL, 2147483648.0, -1e300}) {
    EXPECT_EQ(AngleToDegMin(angle).degrees, 0) << angle;
    EXPECT_TRUE(std::isnan(AngleToDegMinRounded(angle).minutes)) << angle;
    EXPECT_TRUE(std::isnan(AngleToDegMinSecRounded(angle).seconds)) << angle;
    EXPECT_EQ(AngleToDegMinStr(angle, 2, 'N', 'S', s), CStr("")) << angle;
    EXPECT_EQ(AngleToDegMinSecStr(angle, 0, 'N', 'S', s), CStr("")) << angle;
  }
  EXPECT_EQ(AngleToDegMinStr(-2147483647.5, 0, 'E', 'W', s), CStr("2147483647\xB0 30' W"));
}

TEST(TextHelpersTest, Rounding) {
  EXPECT_EQ(RoundToInt64(2.5), 3);
  EXPECT_EQ(RoundToInt64(-2.5), -2);
  EXPECT_EQ(FloorToInt64(-0.5), -1);
  EXPECT_EQ(CeilToInt64(-0.5), 0);
  EXPECT_EQ(IntPower(2.0, 10), 1024.0);
  EXPECT_EQ(IntPower(2.0f, -2), 0.25f);
  EXPECT_EQ(IntPower(3.0, 0), 1.0);
  EXPECT_EQ(Max(3, 3), 3);
  EXPECT_EQ(Min(-1, 2), -1);
  EXPECT_EQ(FloatAbs(-1.5f), 1.5);
  EXPECT_EQ(FloorF(-1.5f), -2.0);
}

}  // namespace
