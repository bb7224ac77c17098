#include "lib/foundation/format/FormatSettings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

SFormatSettings Fixed() {
  SFormatSettings s;
  LoadFixedFormats(&s);
  return s;
}

// 2009-03-07 (a Saturday) 13:05:09.045
const double kSaturdayAfternoon = 39879.0 + (13 * 3600000.0 + 5 * 60000 + 9 * 1000 + 45) / 86400000.0;

TEST(FormatSettingsTest, FixedRecord) {
  SFormatSettings s = Fixed();
  EXPECT_EQ(s.decimalSeparator, '.');
  EXPECT_EQ(s.negCurrencyFormat, 12);
  EXPECT_EQ(s.shortDateFormat, CStr("m/d/yyyy"));
  EXPECT_EQ(s.longMonthNames[12], CStr("December"));
  EXPECT_EQ(s.shortDayNames[1], CStr("Sun"));
  EXPECT_EQ(s.longDayNames[7], CStr("Saturday"));
}

TEST(FormatSettingsTest, PicturesWithTheFixedRecord) {
  const SFormatSettings s = Fixed();
  struct {
    const char* picture;
    double value;
    const char* text;
  } cases[] = {
      {"c", 1.5, "12/31/1899 12:00:00"},
      {"", 1.0, "12/31/1899"},
      {"hh:mm AM/PM", kSaturdayAfternoon, "01:05 PM"},
      {"h:n am/pm", 0.25, "6:0 am"},
      {"hh A/P", 0.0, "12 A"},
      {"hh a/p", kSaturdayAfternoon, "01 p"},
      {"hh AMPM", kSaturdayAfternoon, "01 pm"},
      {"hh:nn:ss.zzz", kSaturdayAfternoon, "13:05:09.045"},
      {"yyyy-mm-dd", kSaturdayAfternoon, "2009-03-07"},
      {"yy/m/d", kSaturdayAfternoon, "09/3/7"},
      {"ddd dddd mmm mmmm", kSaturdayAfternoon, "Sat Saturday Mar March"},
      {"aaa aaaa", kSaturdayAfternoon, "Sat Saturday"},
      {"ddddd|dddddd", kSaturdayAfternoon, "3/7/2009|March 7 2009"},
      {"t|tt", kSaturdayAfternoon, "13:05:09|13:05:09"},
      {"'d' \"m\" d", kSaturdayAfternoon, "d m 7"},
      {"'unclosed", 0.0, "unclosed"},
      {"x-y", kSaturdayAfternoon, "x-09"},
      {"h:m", kSaturdayAfternoon, "13:5"},
      {"e|ee|eeee", kSaturdayAfternoon, "9|09|2009"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatDateTime(CStr(c.picture), c.value, s), CStr(c.text)) << c.picture;
  }
  EXPECT_EQ(DateToStr(kSaturdayAfternoon, s), CStr("3/7/2009"));
  EXPECT_EQ(TimeToStr(kSaturdayAfternoon, s), CStr("13:05:09"));
  EXPECT_EQ(DateTimeToStr(kSaturdayAfternoon, s), CStr("3/7/2009 13:05:09"));
}

TEST(FormatSettingsTest, SeparatorsComeFromTheRecord) {
  SFormatSettings s = Fixed();
  s.dateSeparator = '-';
  s.timeSeparator = 0;
  EXPECT_EQ(FormatDateTime(CStr("d/m h:n"), kSaturdayAfternoon, s), CStr("7-3 135"));
}

TEST(FormatSettingsTest, LongOutputIsCut) {
  std::string picture(300, 'x');
  CStr text = FormatDateTime(CStr(picture.c_str()), 0.0, Fixed());
  EXPECT_EQ(text, CStr(picture.substr(0, 255).c_str()));
}

TEST(FormatSettingsTest, NestingGoesOneLevelDeep) {
  SFormatSettings s = Fixed();
  s.shortDateFormat = "d c|";
  EXPECT_EQ(FormatDateTime(CStr("c"), kSaturdayAfternoon, s), CStr("7 | 13:05:09"));
}

TEST(FormatSettingsTest, GlobalRecordsExist) {
  InitFormatSettings();
  EXPECT_EQ(FixedFormatSettings().shortDateFormat, CStr("m/d/yyyy"));
  EXPECT_EQ(FixedFormatSettings().twoDigitYearCenturyWindow, 50);
  EXPECT_NE(UserFormatSettings().decimalSeparator, 0);
  EXPECT_GT(UserFormatSettings().longMonthNames[1].GetLength(), 0);
}

}  // namespace
