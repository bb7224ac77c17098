#include "lib/foundation/text/LocaleInfo.h"

#include <cstring>

#include "lib/foundation/format/Convert.h"

// Without a Windows locale database every value is unreadable, so the format
// settings take their defaults, and the era calendar is the Gregorian one.

uint32_t ResolveLocale(uint32_t) { return kUserDefaultLocale; }

CStr ReadLocaleValue(uint32_t, uint32_t) { return CStr(); }

CStr FormatEraDate(int year, int, int, const char* picture) {
  if (std::strcmp(picture, "yyyy") == 0) return FormatStr("%04d", year);
  if (std::strcmp(picture, "yy") == 0) return FormatStr("%02d", year % 100);
  return CStr();
}
