#include "tool/TdStrings.h"

#include <windows.h>

#include <cmath>
#include <cstdio>

namespace {

const char* const kUnits[5] = {" bytes", " KB", " MB", " GB", " TB"};

int ChooseUnit(unsigned mask, uint64_t size) {
  if ((mask & 31u) == 0) mask = 31u;
  int chosen = -1;
  for (int k = 0; k < 5; ++k) {
    if ((mask & (1u << k)) == 0) continue;
    chosen = k;
    if (static_cast<double>(size) < std::ldexp(1.0, 10 * (k + 1))) break;
  }
  return chosen;
}

std::string UserDecimalSeparator() {
  char sep[8] = ".";
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, sizeof sep);
  return sep;
}

}  // namespace

std::string FormatByteSize(unsigned unitMask, int decimals, bool showMinimum,
                           uint64_t size) {
  int unit = ChooseUnit(unitMask, size);
  if (unit == 0) return std::to_string(size) + kUnits[0];
  double value = static_cast<double>(size) / std::ldexp(1.0, 10 * unit);
  double minimum = std::pow(10.0, -decimals);
  if (showMinimum && size != 0 && value < minimum) value = minimum;
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string result = text;
  size_t dot = result.find('.');
  if (dot != std::string::npos) result.replace(dot, 1, UserDecimalSeparator());
  return result + kUnits[unit];
}

std::string AdjustLineBreaks(const std::string& text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      result += "\r\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      result += c;
    }
  }
  return result;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The user's upper case of one Windows-1252 character.
int UpperChar(char c) {
  auto value = static_cast<UINT_PTR>(static_cast<unsigned char>(c));
  return static_cast<int>(
      reinterpret_cast<UINT_PTR>(CharUpperA(reinterpret_cast<LPSTR>(value))));
}

}  // namespace

int NaturalCompareText(const std::string& a, const std::string& b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      size_t si = i, sj = j;
      while (si < a.size() && a[si] == '0') ++si;
      while (sj < b.size() && b[sj] == '0') ++sj;
      size_t ei = si, ej = sj;
      while (ei < a.size() && IsDigit(a[ei])) ++ei;
      while (ej < b.size() && IsDigit(b[ej])) ++ej;
      if (ei - si != ej - sj) return ei - si < ej - sj ? -1 : 1;
      int c = a.compare(si, ei - si, b, sj, ej - sj);
      if (c != 0) return c < 0 ? -1 : 1;
      i = ei;
      j = ej;
      continue;
    }
    int ca = UpperChar(a[i]), cb = UpperChar(b[j]);
    if (ca != cb) return ca < cb ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}
