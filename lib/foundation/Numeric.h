// Rounding and small numeric helpers shared across the library.
#pragma once

#include <cstdint>

// floor(x) and ceil(x) as 64-bit integers (RoundToInt64 is in DateTime.h).
int64_t FloorToInt64(double x);
int64_t CeilToInt64(double x);

// Binary exponentiation by squaring; 1 / result for a negative exponent.
template <typename T>
T IntPower(T base, int exponent) {
  unsigned n = exponent < 0 ? 0u - static_cast<unsigned>(exponent) : static_cast<unsigned>(exponent);
  T result = 1;
  while (n != 0) {
    if (n & 1) result *= base;
    base *= base;
    n >>= 1;
  }
  return exponent < 0 ? T(1) / result : result;
}

inline int Min(int a, int b) { return a < b ? a : b; }
inline int Max(int a, int b) { return a <= b ? b : a; }
inline double MinDouble(double a, double b) { return a < b ? a : b; }
inline double MaxDouble(double a, double b) { return a > b ? a : b; }
double FloatAbs(float x);
double FloorF(float x);
