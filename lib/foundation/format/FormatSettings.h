// Format settings for text conversions of numbers and dates: one record from
// the user's locale and one fixed record with invariant conventions.
#pragma once

#include <cstdint>

#include "lib/foundation/text/Str.h"

struct SFormatSettings {
  uint8_t currencyFormat = 0;
  uint8_t negCurrencyFormat = 0;
  char thousandSeparator = 0;
  char decimalSeparator = 0;  // the fourth byte, read by number conversions
  uint8_t currencyDecimals = 0;
  char dateSeparator = 0;
  char timeSeparator = 0;
  char listSeparator = 0;
  CStr currencyString;
  CStr shortDateFormat;
  CStr longDateFormat;
  CStr timeAMString;
  CStr timePMString;
  CStr shortTimeFormat;
  CStr longTimeFormat;
  CStr shortMonthNames[13];  // 1 = January
  CStr longMonthNames[13];
  CStr shortDayNames[8];  // 1 = Sunday
  CStr longDayNames[8];
  uint16_t twoDigitYearCenturyWindow = 0;
};

// Builds both global records and registers their clean-up.
void InitFormatSettings();
// The records built by InitFormatSettings; they live until unload.
const SFormatSettings& UserFormatSettings();
const SFormatSettings& FixedFormatSettings();

// Fills the record from a locale; 0x400, the user's default locale, stands
// in for a locale that is not installed.
void LoadLocaleFormats(uint32_t locale, SFormatSettings* settings);
void LoadFixedFormats(SFormatSettings* settings);

CStr FormatDateTime(const CStr& picture, double value, const SFormatSettings& settings);
CStr DateTimeToStr(double value, const SFormatSettings& settings);
CStr DateToStr(double value, const SFormatSettings& settings);
CStr TimeToStr(double value, const SFormatSettings& settings);
