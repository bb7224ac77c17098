// Conversions between numbers, GUIDs, version numbers and text.
#pragma once

#include <cstdint>

#include "lib/foundation/streams/Stream.h"
#include "lib/foundation/text/Str.h"

struct SFormatSettings;

// The itoa family: lower-case digits, a minus sign only for negative signed
// values in radix 10; an empty text for a radix outside 2..36.
CStr IntToStr(int32_t value, int radix = 10);
CStr UIntToStr(uint32_t value, int radix = 10);
CStr Int64ToStr(int64_t value, int radix = 10);

// Fixed-point text; exponent form when the integer part has more than
// maxIntDigits digits. Both counts are capped at 15.
CStr DoubleToStr(double value, int maxIntDigits, int decimals, const SFormatSettings& settings);
CStr GUIDToStr(const SGuid& guid);
// The first count (1..4) components of a packed a.b.c.d version.
CStr VersionToStr(int count, uint32_t version);
CStr FormatStr(const char* pattern, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
CStr SecondsToStr(bool showDays, int64_t seconds, bool showHours, bool showMinutes,
                  bool showSeconds, char dayUnit, char hourUnit, char minuteUnit,
                  char secondUnit, bool showZero);

bool TryStrToInt(const CStr& text, int32_t* value);
int32_t StrToInt(const CStr& text);
int32_t StrToIntDef(const CStr& text, int32_t defaultValue);
bool TryStrToInt64(const CStr& text, int64_t* value);
int64_t StrToInt64(const CStr& text);
int64_t StrToInt64Def(const CStr& text, int64_t defaultValue);
bool TryStrToDouble(const CStr& text, double* value, const SFormatSettings& settings);
double StrToDouble(const CStr& text, const SFormatSettings& settings);
double StrToDoubleDef(const CStr& text, double defaultValue, const SFormatSettings& settings);
bool TryStrToFloat(const CStr& text, float* value, const SFormatSettings& settings);
float StrToFloat(const CStr& text, const SFormatSettings& settings);
float StrToFloatDef(const CStr& text, float defaultValue, const SFormatSettings& settings);
// Braces and hyphens as GUIDToStr writes them; an empty text is the null GUID.
SGuid StrToGUID(const CStr& text);
// Up to four components 0..255 separated by "." or ","; missing ones are 0.
uint32_t StrToVersion(const CStr& text);

// The same parsers over a counted text that need not be terminated: the
// length characters from text are the whole number.
bool TryStrToInt(const char* text, int32_t length, int32_t* value);
bool TryStrToDouble(const char* text, int32_t length, double* value, const SFormatSettings& settings);
bool TryStrToFloat(const char* text, int32_t length, float* value, const SFormatSettings& settings);
