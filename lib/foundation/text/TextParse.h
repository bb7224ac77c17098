// Small character-level parsing helpers for the text conversions.
#pragma once

#include <cstdint>

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// 0..15 for "0"-"9", "A"-"F", "a"-"f"; -1 otherwise.
int HexDigitValue(char c);
inline bool IsHexDigit(char c) { return HexDigitValue(c) >= 0; }
// Moves past characters of code 1 to 32; true when it moved.
bool SkipBlanks(const char** p);
// An optional sign and at least one decimal digit, in the range of int32;
// on success the pointer moves past the number.
bool ParseInteger(const char** p, int32_t* value);
