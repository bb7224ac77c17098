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

// A rectangle of four 32-bit values: right and bottom are excluded.
struct SRect {
  int32_t left, top, right, bottom;
};
inline SRect MakeRect(int32_t left, int32_t top, int32_t right, int32_t bottom) { return {left, top, right, bottom}; }

// The default handler of the widget toolkit's controls: answers "not handled".
inline bool ReturnFalse() { return false; }

// A fixed block of 32-bit values, allocated once by the constructor.
class CDWordBuffer {
 public:
  explicit CDWordBuffer(uint32_t count) : count_(count), values_(new uint32_t[count]) {}
  ~CDWordBuffer() { delete[] values_; }
  CDWordBuffer(const CDWordBuffer&) = delete;
  CDWordBuffer& operator=(const CDWordBuffer&) = delete;

  uint32_t GetCount() const { return count_; }
  uint32_t* GetValues() const { return values_; }

 private:
  uint32_t count_;
  uint32_t* values_;
};
