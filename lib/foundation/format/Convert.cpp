#include "lib/foundation/format/Convert.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <limits>
#include <type_traits>
#include <vector>

#include "lib/foundation/core/Exception.h"
#include "lib/foundation/format/FormatSettings.h"
#include "lib/foundation/format/Numeric.h"
#include "lib/foundation/text/TextParse.h"

namespace {

CStr UnsignedToStr(uint64_t value, int radix, bool negative) {
  if (radix < 2 || radix > 36) return CStr();
  char buffer[66];
  char* p = buffer + sizeof(buffer);
  *--p = 0;
  do {
    int digit = static_cast<int>(value % radix);
    *--p = static_cast<char>(digit < 10 ? '0' + digit : 'a' + digit - 10);
    value /= radix;
  } while (value != 0);
  if (negative) *--p = '-';
  return CStr(p);
}

template <typename T>
CStr SignedToStr(T value, int radix) {
  using U = std::make_unsigned_t<T>;
  if (radix == 10 && value < 0) return UnsignedToStr(U(0) - static_cast<U>(value), radix, true);
  return UnsignedToStr(static_cast<U>(value), radix, false);
}

// Digits of |value| with `decimals` (at most 15) digits after the point,
// without leading zeros, into `digits`; returns their count and sets *point
// to the count of integer digits (0 or negative below 1). The largest double
// has 309 integer digits, so 400 bytes hold every case.
constexpr int kFixedBufferSize = 400;

int FixedDigits(double value, int decimals, char* digits, int* point) {
  char text[kFixedBufferSize];
  int size = std::snprintf(text, sizeof(text), "%.*f", decimals, std::fabs(value));
  const char* dot = std::strchr(text, '.');
  int intDigits = dot ? static_cast<int>(dot - text) : size;
  int count = 0;
  for (int i = 0; i < size; ++i) {
    if (text[i] == '.' || (count == 0 && text[i] == '0')) continue;
    digits[count++] = text[i];
  }
  int leadingZeros = size - (dot ? 1 : 0) - count;
  *point = intDigits - leadingZeros;
  return count;
}

[[noreturn]] void ThrowInvalid(const CStr& text, const char* kind) {
  throw CConvertError(CStr("'") + text + "' is not a valid " + kind + ".");
}

const char* SkipSpaces(const char* p, const char* end) {
  while (p < end && *p == ' ') ++p;
  return p;
}

// True when p is before end and points at c.
bool At(const char* p, const char* end, char c) { return p < end && *p == c; }

// The whole text [begin, end) must be the number: no blanks after it.
template <typename T>
bool TryParseInteger(const char* begin, const char* end, T* value) {
  using U = std::make_unsigned_t<T>;
  const char* p = SkipSpaces(begin, end);
  bool negative = At(p, end, '-');
  if (At(p, end, '+') || negative) ++p;
  if (p == end) return false;
  const U limit = static_cast<U>(std::numeric_limits<T>::max()) + (negative ? 1 : 0);
  U magnitude = 0;
  for (; p < end; ++p) {
    if (*p < '0' || *p > '9') return false;
    U digit = static_cast<U>(*p - '0');
    if (magnitude > (limit - digit) / 10) return false;
    magnitude = magnitude * 10 + digit;
  }
  *value = negative ? static_cast<T>(U(0) - magnitude) : static_cast<T>(magnitude);
  return true;
}

// Exponents saturate here, far beyond where any result overflows or
// underflows, so an absurdly long exponent is refused instead of read short.
constexpr int kExponentLimit = 100000;

// At most this many significant digits are kept: they fit a 64-bit integer
// exactly, and the ones after them change the result by less than 1e-18.
constexpr int kSignificantDigits = 19;

// Every power of ten up to 1e22 and every integer below 2^53 is an exact
// double, so a quotient or product of the two is correctly rounded.
constexpr int kExactPowers = 22;
constexpr uint64_t kExactMantissa = uint64_t{1} << 53;
constexpr double kPowersOfTen[kExactPowers + 1] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

void StepExponent(int* exponent, int step) {
  if (*exponent + step > -kExponentLimit && *exponent + step < kExponentLimit) *exponent += step;
}

template <typename T>
bool TryParseInteger(const CStr& text, T* value) {
  return TryParseInteger(text.c_str(), text.c_str() + text.GetLength(), value);
}

bool TryParseReal(const char* begin, const char* end, char separator, double* value) {
  const char* p = SkipSpaces(begin, end);
  bool negative = At(p, end, '-');
  if (At(p, end, '+') || negative) ++p;
  uint64_t mantissa = 0;
  int significant = 0;
  int exponent = 0;
  bool anyDigit = false;
  // One digit of the integer part (fraction false) or of the fraction.
  auto take = [&](char digit, bool fraction) {
    anyDigit = true;
    if (significant < kSignificantDigits) {
      if (mantissa != 0 || digit != '0') {
        mantissa = mantissa * 10 + static_cast<uint64_t>(digit - '0');
        ++significant;
      }
      if (fraction) StepExponent(&exponent, -1);
    } else if (!fraction) {
      StepExponent(&exponent, 1);
    }
  };
  for (; p < end && *p >= '0' && *p <= '9'; ++p) take(*p, false);
  if (p < end && *p == separator) {
    for (++p; p < end && *p >= '0' && *p <= '9'; ++p) take(*p, true);
  }
  if (!anyDigit) return false;
  if (At(p, end, 'E') || At(p, end, 'e')) {
    ++p;
    bool negativeExponent = At(p, end, '-');
    if (At(p, end, '+') || negativeExponent) ++p;
    if (p == end || *p < '0' || *p > '9') return false;
    int written = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
      if (written < kExponentLimit) written = written * 10 + (*p - '0');
    }
    exponent += negativeExponent ? -written : written;
  }
  if (p != end) return false;
  double result;
  if (mantissa < kExactMantissa && exponent >= -kExactPowers && exponent <= kExactPowers) {
    // Both operands are exact doubles: one rounding, the correct one.
    const double digits = static_cast<double>(mantissa);
    result = exponent >= 0 ? digits * kPowersOfTen[exponent] : digits / kPowersOfTen[-exponent];
  } else {
    // Scaled in extended precision and divided for negative exponents, so
    // that the one rounding to double keeps the result within an ulp.
    long double scale = IntPower(10.0L, exponent >= 0 ? exponent : -exponent);
    long double digits = static_cast<long double>(mantissa);
    result = mantissa == 0 ? 0.0 : static_cast<double>(exponent >= 0 ? digits * scale : digits / scale);
  }
  if (!std::isfinite(result)) return false;
  *value = negative ? -result : result;
  return true;
}

}  // namespace

CStr IntToStr(int32_t value, int radix) { return SignedToStr(value, radix); }

CStr UIntToStr(uint32_t value, int radix) { return UnsignedToStr(value, radix, false); }

CStr Int64ToStr(int64_t value, int radix) { return SignedToStr(value, radix); }

CStr DoubleToStr(double value, int maxIntDigits, int decimals, const SFormatSettings& settings) {
  if (std::isnan(value)) return CStr("NAN");
  if (std::isinf(value)) return CStr(value < 0 ? "-INF" : "INF");
  maxIntDigits = std::max(1, std::min(maxIntDigits, 15));
  decimals = std::max(0, std::min(decimals, 15));
  char digits[kFixedBufferSize];
  int point = 0;
  int count = FixedDigits(value, decimals, digits, &point);
  // Assembled in one buffer: sign, digits, separator, zeros, exponent.
  char text[kFixedBufferSize + 40];
  int n = 0;
  if (value < 0) text[n++] = '-';
  if (point <= 0) {
    text[n++] = '0';
    if (decimals > 0) {
      text[n++] = settings.decimalSeparator;
      for (int i = std::min(decimals, -point); i > 0; --i) text[n++] = '0';
      std::memcpy(text + n, digits, count);
      n += count;
    }
    return CStr(n, text);
  }
  int exponent = -1;
  if (point > maxIntDigits) {
    exponent = point - 1;
    count = std::min(count, maxIntDigits + decimals);
    point = 1;
  }
  std::memcpy(text + n, digits, point);
  n += point;
  if (count > point) {
    text[n++] = settings.decimalSeparator;
    std::memcpy(text + n, digits + point, count - point);
    n += count - point;
  }
  if (exponent >= 0) n += std::snprintf(text + n, 40, "E+%d", exponent);
  return CStr(n, text);
}

CStr GUIDToStr(const SGuid& guid) {
  return FormatStr("{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.Data1, guid.Data2,
                   guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3],
                   guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
}

CStr VersionToStr(int count, uint32_t version) {
  CStr text;
  for (int i = 0; i < count && i < 4; ++i) {
    if (i > 0) text += '.';
    text += UIntToStr(version >> (24 - 8 * i) & 0xFF);
  }
  return text;
}

CStr FormatStr(const char* pattern, ...) {
  std::vector<char> buffer(1024);
  for (;;) {
    va_list args;
    va_start(args, pattern);
    int n = std::vsnprintf(buffer.data(), buffer.size(), pattern, args);
    va_end(args);
    if (n < 0) return CStr();
    if (static_cast<size_t>(n) < buffer.size()) return CStr(n, buffer.data());
    buffer.resize(buffer.size() * 2);
  }
}

CStr SecondsToStr(bool showDays, int64_t seconds, bool showHours, bool showMinutes,
                  bool showSeconds, char dayUnit, char hourUnit, char minuteUnit,
                  char secondUnit, bool showZero) {
  CStr text;
  if (showDays) {
    int64_t days = seconds / 86400;
    seconds %= 86400;
    if (days >= 1 || showZero) text += Int64ToStr(days) + dayUnit;
  }
  if (showHours) {
    int64_t hours = seconds / 3600;
    seconds %= 3600;
    if (text.GetLength() > 0) text += ' ';
    if (hours >= 1 || showZero) text += Int64ToStr(hours) + hourUnit;
  }
  if (showMinutes) {
    int64_t minutes = seconds / 60;
    seconds %= 60;
    if (text.GetLength() > 0) text += ' ';
    if (minutes >= 1 || showZero) {
      if (text.GetLength() == 0 && minutes < 10) text += '0';
      text += Int64ToStr(minutes) + minuteUnit;
    }
  }
  if (showSeconds) {
    if (text.GetLength() > 0) {
      text += ' ';
      if (seconds < 10) text += '0';
    }
    text += Int64ToStr(seconds) + secondUnit;
  }
  return text;
}

namespace {

template <typename T>
T ParseIntegerOrThrow(const CStr& text, const char* kind) {
  T value;
  if (!TryParseInteger(text, &value)) ThrowInvalid(text, kind);
  return value;
}

template <typename T>
T ParseIntegerOr(const CStr& text, T defaultValue) {
  T value;
  return TryParseInteger(text, &value) ? value : defaultValue;
}

}  // namespace

bool TryStrToInt(const CStr& text, int32_t* value) { return TryParseInteger(text, value); }
int32_t StrToInt(const CStr& text) { return ParseIntegerOrThrow<int32_t>(text, "int"); }
int32_t StrToIntDef(const CStr& text, int32_t defaultValue) { return ParseIntegerOr(text, defaultValue); }

bool TryStrToInt64(const CStr& text, int64_t* value) { return TryParseInteger(text, value); }
int64_t StrToInt64(const CStr& text) { return ParseIntegerOrThrow<int64_t>(text, "int64"); }
int64_t StrToInt64Def(const CStr& text, int64_t defaultValue) { return ParseIntegerOr(text, defaultValue); }

bool TryStrToInt(const char* text, int32_t length, int32_t* value) {
  return TryParseInteger(text, text + length, value);
}

bool TryStrToDouble(const CStr& text, double* value, const SFormatSettings& settings) {
  return TryStrToDouble(text.c_str(), text.GetLength(), value, settings);
}

bool TryStrToDouble(const char* text, int32_t length, double* value, const SFormatSettings& settings) {
  return TryParseReal(text, text + length, settings.decimalSeparator, value);
}

double StrToDouble(const CStr& text, const SFormatSettings& settings) {
  double value;
  if (!TryStrToDouble(text, &value, settings)) ThrowInvalid(text, "double");
  return value;
}

double StrToDoubleDef(const CStr& text, double defaultValue, const SFormatSettings& settings) {
  double value;
  return TryStrToDouble(text, &value, settings) ? value : defaultValue;
}

// Parsed in double precision and rounded once, which keeps floats within an
// ulp of the correctly rounded value.
bool TryStrToFloat(const CStr& text, float* value, const SFormatSettings& settings) {
  return TryStrToFloat(text.c_str(), text.GetLength(), value, settings);
}

bool TryStrToFloat(const char* text, int32_t length, float* value, const SFormatSettings& settings) {
  double parsed;
  if (!TryStrToDouble(text, length, &parsed, settings)) return false;
  float narrowed = static_cast<float>(parsed);
  if (!std::isfinite(narrowed)) return false;
  *value = narrowed;
  return true;
}

float StrToFloat(const CStr& text, const SFormatSettings& settings) {
  float value;
  if (!TryStrToFloat(text, &value, settings)) ThrowInvalid(text, "float");
  return value;
}

float StrToFloatDef(const CStr& text, float defaultValue, const SFormatSettings& settings) {
  float value;
  return TryStrToFloat(text, &value, settings) ? value : defaultValue;
}

namespace {

bool ReadHex(const char*& p, int digits, uint32_t* value) {
  uint32_t v = 0;
  for (int i = 0; i < digits; ++i, ++p) {
    int d = HexDigitValue(*p);
    if (d < 0) return false;
    v = v << 4 | static_cast<uint32_t>(d);
  }
  *value = v;
  return true;
}

bool Expect(const char*& p, char c) { return *p++ == c; }

bool ParseGuid(const CStr& text, SGuid* guid) {
  if (text.GetLength() != 38) return false;
  const char* p = text.c_str();
  uint32_t d1, d2, d3, b[8];
  bool ok = Expect(p, '{') && ReadHex(p, 8, &d1) && Expect(p, '-') && ReadHex(p, 4, &d2) &&
            Expect(p, '-') && ReadHex(p, 4, &d3) && Expect(p, '-') && ReadHex(p, 2, &b[0]) &&
            ReadHex(p, 2, &b[1]) && Expect(p, '-');
  for (int i = 2; ok && i < 8; ++i) ok = ReadHex(p, 2, &b[i]);
  if (!ok || !Expect(p, '}')) return false;
  *guid = SGuid{d1, static_cast<uint16_t>(d2), static_cast<uint16_t>(d3), {}};
  for (int i = 0; i < 8; ++i) guid->Data4[i] = static_cast<uint8_t>(b[i]);
  return true;
}

}  // namespace

SGuid StrToGUID(const CStr& text) {
  SGuid guid{};
  if (text.GetLength() > 0 && !ParseGuid(text, &guid)) ThrowInvalid(text, "GUID");
  return guid;
}

uint32_t StrToVersion(const CStr& text) {
  const CStr invalid("StrToVersion: Invalid version number.");
  const char* p = text.c_str();
  uint32_t version = 0;
  for (int i = 0; i < 4; ++i) {
    if (i > 0) {
      SkipBlanks(&p);
      if (*p == 0) break;
      if (*p != '.' && *p != ',') throw CConvertError(invalid);
      ++p;
    }
    SkipBlanks(&p);
    int32_t component;
    if (!ParseInteger(&p, &component) || component < 0 || component > 255) {
      throw CConvertError(invalid);
    }
    version |= static_cast<uint32_t>(component) << (24 - 8 * i);
  }
  return version;
}
