#include "lib/foundation/format/FormatSettings.h"

#include "lib/foundation/format/Convert.h"
#include "lib/foundation/app/FinalizeRegistry.h"
#include "lib/foundation/text/LocaleInfo.h"

namespace {

SFormatSettings* g_userSettings = nullptr;
SFormatSettings* g_fixedSettings = nullptr;

const char* const kShortMonths[13] = {"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLongMonths[13] = {"",          "January", "February", "March",   "April",
                                     "May",       "June",    "July",     "August",  "September",
                                     "October",   "November", "December"};
const char* const kShortDays[8] = {"", "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kLongDays[8] = {"",          "Sunday",   "Monday", "Tuesday",
                                  "Wednesday", "Thursday", "Friday", "Saturday"};

// Windows locale value types read here.
enum : uint32_t {
  kLocaleListSeparator = 0x0C,
  kLocaleDecimal = 0x0E,
  kLocaleThousand = 0x0F,
  kLocaleCurrency = 0x14,
  kLocaleCurrencyDigits = 0x19,
  kLocaleCurrencyFormat = 0x1B,
  kLocaleNegCurrencyFormat = 0x1C,
  kLocaleDateSeparator = 0x1D,
  kLocaleTimeSeparator = 0x1E,
  kLocaleShortDate = 0x1F,
  kLocaleLongDate = 0x20,
  kLocaleTimeFormat = 0x23,  // 0: 12-hour clock
  kLocaleHourLeadingZero = 0x25,
  kLocaleAM = 0x28,
  kLocalePM = 0x29,
  kLocaleLongDayName1 = 42,
  kLocaleShortDayName1 = 49,
  kLocaleLongMonthName1 = 55,  // + month 1..12
  kLocaleShortMonthName1 = 67,
  kLocaleAMPMPosition = 0x1005,  // 0: after the time
};

class CLocaleReader {
 public:
  explicit CLocaleReader(uint32_t locale) : locale_(locale) {}

  CStr Text(uint32_t type, const char* fallback) const {
    CStr text = ReadLocaleValue(locale_, type);
    return text.GetLength() > 0 ? text : CStr(fallback);
  }
  char Char(uint32_t type, char fallback) const {
    CStr text = ReadLocaleValue(locale_, type);
    return text.GetLength() > 0 ? text.c_str()[0] : fallback;
  }
  int32_t Number(uint32_t type, int32_t fallback) const {
    return StrToIntDef(ReadLocaleValue(locale_, type), fallback);
  }

 private:
  uint32_t locale_;
};

void LoadNames(const CLocaleReader& reader, SFormatSettings* s) {
  for (uint32_t i = 1; i <= 12; ++i) {
    s->shortMonthNames[i] = reader.Text(kLocaleShortMonthName1 + i, kShortMonths[i]);
    s->longMonthNames[i] = reader.Text(kLocaleLongMonthName1 + i, kLongMonths[i]);
  }
  for (uint32_t i = 1; i <= 7; ++i) {
    s->shortDayNames[i] = reader.Text(kLocaleShortDayName1 + (i + 5) % 7, kShortDays[i]);
    s->longDayNames[i] = reader.Text(kLocaleLongDayName1 + (i + 5) % 7, kLongDays[i]);
  }
}

void LoadTimeFormats(const CLocaleReader& reader, SFormatSettings* s) {
  CStr hour = reader.Number(kLocaleHourLeadingZero, 1) == 0 ? "h" : "hh";
  CStr amPmBefore, amPmAfter;
  if (reader.Number(kLocaleTimeFormat, 1) == 0) {
    if (reader.Number(kLocaleAMPMPosition, 0) == 0) {
      amPmAfter = " AMPM";
    } else {
      amPmBefore = "AMPM ";
    }
  }
  s->shortTimeFormat = amPmBefore + hour + ":mm" + amPmAfter;
  s->longTimeFormat = amPmBefore + hour + ":mm:ss" + amPmAfter;
}

void FreeFormatSettings() {
  delete g_fixedSettings;
  g_fixedSettings = nullptr;
  delete g_userSettings;
  g_userSettings = nullptr;
}

}  // namespace

void LoadLocaleFormats(uint32_t locale, SFormatSettings* s) {
  CLocaleReader reader(ResolveLocale(locale));
  LoadNames(reader, s);
  s->currencyString = reader.Text(kLocaleCurrency, "");
  s->currencyFormat = static_cast<uint8_t>(reader.Number(kLocaleCurrencyFormat, 0));
  s->negCurrencyFormat = static_cast<uint8_t>(reader.Number(kLocaleNegCurrencyFormat, 0));
  s->thousandSeparator = reader.Char(kLocaleThousand, ',');
  s->decimalSeparator = reader.Char(kLocaleDecimal, '.');
  s->currencyDecimals = static_cast<uint8_t>(reader.Number(kLocaleCurrencyDigits, 0));
  s->dateSeparator = reader.Char(kLocaleDateSeparator, '/');
  s->shortDateFormat = reader.Text(kLocaleShortDate, "m/d/yy");
  s->longDateFormat = reader.Text(kLocaleLongDate, "mmmm d, yyyy");
  s->timeSeparator = reader.Char(kLocaleTimeSeparator, ':');
  s->timeAMString = reader.Text(kLocaleAM, "am");
  s->timePMString = reader.Text(kLocalePM, "pm");
  LoadTimeFormats(reader, s);
  s->listSeparator = reader.Char(kLocaleListSeparator, ',');
  s->twoDigitYearCenturyWindow = 50;
}

void LoadFixedFormats(SFormatSettings* s) {
  s->currencyFormat = 0;
  s->negCurrencyFormat = 12;
  s->thousandSeparator = ',';
  s->decimalSeparator = '.';
  s->currencyDecimals = 2;
  s->dateSeparator = '/';
  s->timeSeparator = ':';
  s->listSeparator = ',';
  s->currencyString = "$";
  s->shortDateFormat = "m/d/yyyy";
  s->longDateFormat = "mmmm d yyyy";
  s->timeAMString = "am";
  s->timePMString = "pm";
  s->shortTimeFormat = "hh:nn:ss";
  s->longTimeFormat = "hh:nn:ss";
  for (int i = 1; i <= 12; ++i) {
    s->shortMonthNames[i] = kShortMonths[i];
    s->longMonthNames[i] = kLongMonths[i];
  }
  for (int i = 1; i <= 7; ++i) {
    s->shortDayNames[i] = kShortDays[i];
    s->longDayNames[i] = kLongDays[i];
  }
}

void InitFormatSettings() {
  if (g_userSettings) return;
  AddFinalizeProc(FreeFormatSettings);
  g_userSettings = new SFormatSettings;
  LoadLocaleFormats(kUserDefaultLocale, g_userSettings);
  g_fixedSettings = new SFormatSettings;
  LoadFixedFormats(g_fixedSettings);
  g_fixedSettings->twoDigitYearCenturyWindow = g_userSettings->twoDigitYearCenturyWindow;
}

const SFormatSettings& UserFormatSettings() { return *g_userSettings; }

const SFormatSettings& FixedFormatSettings() { return *g_fixedSettings; }
