#include <gtest/gtest.h>

#include "lib/foundation/format/Convert.h"
#include "lib/foundation/format/FormatSettings.h"

// Locale-dependent texts under a locale other than the runner's.
namespace {

constexpr uint32_t kDutch = 0x0413;
constexpr uint32_t kEnglishUS = 0x0409;

TEST(LocaleFormatsTest, DutchRecord) {
  SFormatSettings s;
  LoadLocaleFormats(kDutch, &s);
  EXPECT_EQ(s.decimalSeparator, ',');
  EXPECT_EQ(s.longMonthNames[3], CStr("maart"));
  EXPECT_EQ(s.longDayNames[1], CStr("zondag"));
  EXPECT_EQ(DoubleToStr(12.5, 15, 2, s), CStr("12,50"));
  double v = 0;
  EXPECT_TRUE(TryStrToDouble(CStr("3,25"), &v, s));
  EXPECT_EQ(v, 3.25);
  EXPECT_EQ(FormatDateTime(CStr("dddd d mmmm yyyy"), 39879.0, s), CStr("zaterdag 7 maart 2009"));
}

TEST(LocaleFormatsTest, TwelveHourClockOfUnitedStates) {
  SFormatSettings s;
  LoadLocaleFormats(kEnglishUS, &s);
  EXPECT_EQ(s.decimalSeparator, '.');
  EXPECT_EQ(s.longTimeFormat, CStr("h:mm:ss AMPM"));
  EXPECT_EQ(s.timePMString, CStr("PM"));
  EXPECT_EQ(TimeToStr(0.75, s), CStr("6:00:00 PM"));
}

TEST(LocaleFormatsTest, UnknownLocaleFallsBackToTheUserLocale) {
  SFormatSettings unknown, user;
  LoadLocaleFormats(0x7FFF, &unknown);
  LoadLocaleFormats(0x400, &user);
  EXPECT_EQ(unknown.decimalSeparator, user.decimalSeparator);
  EXPECT_EQ(unknown.longMonthNames[5], user.longMonthNames[5]);
}

}  // namespace
