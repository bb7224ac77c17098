// The native twin knows one ANSI code page: Windows-1252.
#include "lib/foundation/text/CodePage.h"

namespace td {
namespace {

// Code points of bytes 0x80-0x9F; the rest of the page equals Latin-1.
// Unassigned bytes map to themselves, as Windows does.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t ByteToWide(unsigned char c) { return (c >= 0x80 && c < 0xA0) ? kHigh[c - 0x80] : c; }

char WideToByte(char16_t w) {
  if (w < 0x80 || (w >= 0xA0 && w <= 0xFF)) return static_cast<char>(w);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == w) return static_cast<char>(0x80 + i);
  return '?';
}

}  // namespace

int AnsiToWide(const char* text, int length, char16_t* out, int outLength) {
  if (length <= 0) return 0;
  if (!out) return length;
  if (outLength < length) return 0;
  for (int i = 0; i < length; ++i) out[i] = ByteToWide(static_cast<unsigned char>(text[i]));
  return length;
}

int WideToAnsi(const char16_t* text, int length, char* out, int outLength) {
  if (length <= 0) return 0;
  if (!out) return length;
  if (outLength < length) return 0;
  for (int i = 0; i < length; ++i) out[i] = WideToByte(text[i]);
  return length;
}

}  // namespace td
