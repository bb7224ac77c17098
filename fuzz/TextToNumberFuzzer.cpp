// Feeds arbitrary texts to the text-to-number parsers. Input: a mode byte,
// then the text. With bit 0 clear the text is the raw bytes: the parsers must
// not fail, and a refused text leaves the value alone. With bit 0 set each
// byte picks a character of the number alphabet, and the run-time's parsers
// decide what is valid, as the unit tests compare them.

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <type_traits>

#include "lib/foundation/format/Convert.h"
#include "lib/foundation/format/FormatSettings.h"
#include "lib/foundation/text/TextParse.h"
#include "tests/foundation/NumberOracle.h"

namespace {

using number_oracle::OracleDouble;
using number_oracle::OracleFloat;
using number_oracle::OracleInt64;
using number_oracle::UlpDistance;

void Check(bool condition) {
  if (!condition) std::abort();
}


SFormatSettings Separator(char c) {
  SFormatSettings s;
  s.decimalSeparator = c;
  return s;
}

// The integer forms agree with each other, the float form with the double
// form, and a refusal writes nothing.
void ParseRaw(const CStr& text) {
  int32_t i32 = 99;
  int64_t i64 = 99;
  const bool ok32 = TryStrToInt(text, &i32), ok64 = TryStrToInt64(text, &i64);
  Check(ok32 ? ok64 && i64 == i32 : i32 == 99);
  Check(ok64 ? ok32 == (i64 >= INT32_MIN && i64 <= INT32_MAX) : i64 == 99);
  for (char separator : {'.', ','}) {
    const SFormatSettings settings = Separator(separator);
    double d = 7;
    float f = 7;
    const bool okDouble = TryStrToDouble(text, &d, settings);
    const bool okFloat = TryStrToFloat(text, &f, settings);
    Check(okDouble ? std::isfinite(d) : d == 7);
    Check(okFloat ? okDouble && f == static_cast<float>(d) : f == 7);
  }
  const char* p = text.c_str();
  int32_t parsed = 0;
  if (ParseInteger(&p, &parsed)) Check(p > text.c_str() && p <= text.c_str() + text.GetLength());
  else Check(p == text.c_str());
}




// The unit tests establish the grammar on texts of up to 11 characters of
// this alphabet; integers are exact at any length.
constexpr char kAlphabet[] = "0123456789+-. eE,a";
constexpr int kCheckedLength = 11;

void ParseAlphabet(const uint8_t* data, size_t size) {
  CStr text;
  for (size_t i = 0; i < size; ++i) text += kAlphabet[data[i] % (sizeof(kAlphabet) - 1)];
  int64_t ours64 = 0, oracle64 = 0;
  const bool accepted64 = TryStrToInt64(text, &ours64);
  Check(accepted64 == OracleInt64(text, &oracle64));
  Check(!accepted64 || ours64 == oracle64);
  if (text.GetLength() > kCheckedLength) return;
  const SFormatSettings point = Separator('.');
  double ours = 0, oracle = 0;
  const bool accepted = TryStrToDouble(text, &ours, point);
  Check(accepted == OracleDouble(text, &oracle));
  Check(!accepted || UlpDistance(ours, oracle) <= 2);
  float ourFloat = 0, oracleFloat = 0;
  if (accepted && OracleFloat(text, &oracleFloat)) {
    Check(TryStrToFloat(text, &ourFloat, point));
    Check(UlpDistance(ourFloat, oracleFloat) <= 2);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  if (data[0] & 1)
    ParseAlphabet(data + 1, size - 1);
  else
    ParseRaw(CStr(static_cast<int32_t>(size - 1), reinterpret_cast<const char*>(data + 1)));
  return 0;
}
