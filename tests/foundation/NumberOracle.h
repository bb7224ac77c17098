// The C run-time's parsers as oracles for the library's text-to-number
// conversions, shared by the tests and the fuzzer.
#pragma once

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "lib/foundation/text/Str.h"

namespace number_oracle {

// Distance in units in the last place between two floating-point values.
template <typename T>
int64_t UlpDistance(T a, T b) {
  using I = std::conditional_t<sizeof(T) == 8, int64_t, int32_t>;
  I ia, ib;
  std::memcpy(&ia, &a, sizeof(T));
  std::memcpy(&ib, &b, sizeof(T));
  return std::llabs(static_cast<int64_t>(ia) - static_cast<int64_t>(ib));
}

// Integers: optional blanks, a sign, digits to the end, within int64_t.
inline bool OracleInt64(const CStr& text, int64_t* value) {
  const char* p = text.c_str();
  const char* end = p + text.GetLength();
  while (*p == ' ') ++p;
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  if (p == end || *p < '0' || *p > '9') return false;
  uint64_t magnitude = 0;
  auto [stop, ec] = std::from_chars(p, end, magnitude);
  if (ec != std::errc() || stop != end) return false;
  if (magnitude > (negative ? 9223372036854775808ull : 9223372036854775807ull)) return false;
  *value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
  return true;
}

// Doubles: what strtod reads to the end of the text, finite.
inline bool OracleDouble(const CStr& text, double* value) {
  const char* p = text.c_str();
  while (*p == ' ') ++p;
  if (*p == 0) return false;
  char* stop = nullptr;
  *value = std::strtod(p, &stop);
  return stop == text.c_str() + text.GetLength() && std::isfinite(*value);
}

// Floats: what from_chars reads to the end of the text.
inline bool OracleFloat(const CStr& text, float* value) {
  const char* p = text.c_str();
  const char* end = p + text.GetLength();
  while (*p == ' ') ++p;
  if (*p == '+') ++p;
  auto [stop, ec] = std::from_chars(p, end, *value);
  return ec == std::errc() && stop == end;
}

}  // namespace number_oracle
