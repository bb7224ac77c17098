// The texts of an angle's rounded parts: one table for both forms, carries at
// 60 and the decimal separator of the settings given.
#include <gtest/gtest.h>

#include <cmath>

#include "lib/foundation/format/AngleFormat.h"
#include "lib/foundation/format/FormatSettings.h"

namespace {

SFormatSettings WithSeparator(char separator) {
  SFormatSettings s;
  LoadFixedFormats(&s);
  s.decimalSeparator = separator;
  return s;
}

struct SCase {
  double angle;
  int decimals;
  char letter;
  const char* degrees;
  const char* minutes;
  const char* seconds;  // the degrees-and-minutes form when null
};

const SCase kCases[] = {
    {52.5, 5, 'N', "52", "30.00000", nullptr},
    {52.5, 4, 'N', "52", "30", "00.0000"},
    {-4.1, 0, 'S', "4", "06", nullptr},
    {-4.1, 0, 'S', "4", "06", "00"},
    {0.0, 2, 'N', "0", "00.00", nullptr},
    {10.999999999, 5, 'N', "11", "00.00000", nullptr},  // 59.99999994 minutes round up
    {1.99999999, 4, 'N', "2", "00", "00.0000"},         // seconds carry twice
    {1.5125, 1, 'N', "1", "30", "45.0"},
    {-179.0 - 59.0 / 60 - 59.99999 / 3600, 2, 'S', "180", "00", "00.00"},
    {3.0 + 0.0125 / 60, 2, 'N', "3", "00.01", nullptr},
    {12.0 + 5.0 / 60 + 7.25 / 3600, 3, 'N', "12", "05", "07.250"},
    {7.5, 12, 'N', "7", "30.000000000", nullptr},  // decimals capped at 9
};

TEST(AngleTextsTest, RoundedPartsApart) {
  const SFormatSettings point = WithSeparator('.');
  for (const SCase& c : kCases) {
    SAngleTexts t = c.seconds ? AngleToDegMinSecParts(c.angle, c.decimals, 'N', 'S', point)
                              : AngleToDegMinParts(c.angle, c.decimals, 'N', 'S', point);
    EXPECT_EQ(t.letter, c.letter) << c.angle;
    EXPECT_STREQ(t.degrees.c_str(), c.degrees) << c.angle;
    EXPECT_STREQ(t.minutes.c_str(), c.minutes) << c.angle;
    EXPECT_STREQ(t.seconds.c_str(), c.seconds ? c.seconds : "") << c.angle;
  }
}

TEST(AngleTextsTest, TheSettingsSeparatorStandsBeforeTheDecimals) {
  const SFormatSettings comma = WithSeparator(',');
  EXPECT_STREQ(AngleToDegMinParts(52.5, 3, 'E', 'W', comma).minutes.c_str(), "30,000");
  EXPECT_STREQ(AngleToDegMinSecParts(1.5125, 2, 'E', 'W', comma).seconds.c_str(), "45,00");
  EXPECT_EQ(AngleToDegMinSecParts(-1.5125, 2, 'E', 'W', comma).letter, 'W');
}

TEST(AngleTextsTest, JoinedTextsAreThePartsJoined) {
  const SFormatSettings point = WithSeparator('.');
  EXPECT_EQ(AngleToDegMinStr(-51.5662, 5, 'N', 'S', point), CStr("51\xB0 33.97200' S"));
  EXPECT_EQ(AngleToDegMinSecStr(-51.5662, 4, 'E', 'W', point), CStr("51\xB0 33' 58.3200\" W"));
}

TEST(AngleTextsTest, AnglesWithoutWholeDegreesGiveEmptyTexts) {
  const SFormatSettings point = WithSeparator('.');
  for (double angle : {std::nan(""), HUGE_VAL, -2147483648.0}) {
    SAngleTexts dm = AngleToDegMinParts(angle, 2, 'N', 'S', point);
    SAngleTexts dms = AngleToDegMinSecParts(angle, 2, 'N', 'S', point);
    for (const CStr* text : {&dm.degrees, &dm.minutes, &dms.degrees, &dms.minutes, &dms.seconds})
      EXPECT_EQ(text->GetLength(), 0) << angle;
  }
}

}  // namespace
