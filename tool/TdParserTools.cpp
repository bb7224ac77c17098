#include "tool/TdParserTools.h"

#include <cctype>

bool SkipBlanks(const char*& cursor) {
  const char* start = cursor;
  while (*cursor >= 1 && *cursor <= 32) ++cursor;
  return cursor != start;
}

namespace {

int DigitValue(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9') v = c - '0';
  else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  return v < base ? v : -1;
}

// Checked conversion: false on no digits or on a value beyond 32 bits.
bool Digits(const char*& p, int base, long long limit, long long& value) {
  const char* start = p;
  value = 0;
  for (int d; (d = DigitValue(*p, base)) >= 0; ++p) {
    value = value * base + d;
    if (value > limit) return false;
  }
  return p != start;
}

}  // namespace

bool ParseInteger(const char*& cursor, bool allowHex, long long& value) {
  const char* p = cursor;
  long long v = 0;
  if (allowHex && *p == '$') {
    ++p;
    if (!Digits(p, 16, 0xFFFFFFFFLL, v)) return false;
  } else {
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    if (!Digits(p, 10, negative ? 0x80000000LL : 0x7FFFFFFFLL, v)) return false;
    if (negative) v = -v;
  }
  value = v;
  cursor = p;
  return true;
}
