#include "lib/foundation/text/TextParse.h"

#include "lib/foundation/format/Convert.h"

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool SkipBlanks(const char** p) {
  const char* start = *p;
  while (**p >= 1 && **p <= 32) ++*p;
  return *p != start;
}

bool ParseInteger(const char** p, int32_t* value) {
  const char* end = *p;
  if (*end == '+' || *end == '-') ++end;
  const char* digits = end;
  while (IsDigit(*end)) ++end;
  if (end == digits) return false;
  if (!TryStrToInt(CStr(static_cast<int32_t>(end - *p), *p), value)) return false;
  *p = end;
  return true;
}
