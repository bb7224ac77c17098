#include "lib/foundation/text/LocaleInfo.h"

#include <windows.h>

uint32_t ResolveLocale(uint32_t locale) {
  return IsValidLocale(locale, LCID_INSTALLED) ? locale : kUserDefaultLocale;
}

CStr ReadLocaleValue(uint32_t locale, uint32_t valueType) {
  char buffer[256];
  int n = GetLocaleInfoA(locale, valueType, buffer, sizeof(buffer));
  if (n <= 0) return CStr();
  return CStr(buffer);
}

CStr FormatEraDate(int year, int month, int day, const char* picture) {
  SYSTEMTIME date = {};
  date.wYear = static_cast<WORD>(year);
  date.wMonth = static_cast<WORD>(month);
  date.wDay = static_cast<WORD>(day);
  char buffer[256];
  int n = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_USE_ALT_CALENDAR, &date, picture, buffer,
                         sizeof(buffer));
  if (n <= 0) return CStr();
  return CStr(buffer);
}
