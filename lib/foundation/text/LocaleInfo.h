// The operating system's locale data, as the format settings read it.
#pragma once

#include <cstdint>

#include "lib/foundation/text/Str.h"

constexpr uint32_t kUserDefaultLocale = 0x400;

// The locale itself when it is installed and valid, else kUserDefaultLocale.
uint32_t ResolveLocale(uint32_t locale);
// One locale value as text; empty when it cannot be read.
CStr ReadLocaleValue(uint32_t locale, uint32_t valueType);
// A date in the user locale's era calendar by a system picture such as
// "gg" (era name) or "yyyy".
CStr FormatEraDate(int year, int month, int day, const char* picture);
