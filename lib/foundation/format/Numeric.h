// Rounding and small numeric helpers shared across the library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

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

namespace td {

// The largest block the library sizes from a count, on every build: what a
// signed 32-bit size can state, so the 32-bit product and the 64-bit twins
// refuse the same counts.
constexpr uint64_t kMaxBlockBytes = INT32_MAX;

// count x itemSize in bytes, computed so that nothing wraps where size_t has
// 32 bits; false for a negative count or a product above kMaxBlockBytes.
constexpr bool CheckedBlockBytes(int64_t count, uint64_t itemSize, size_t& bytes) {
  if (count < 0 || (itemSize != 0 && static_cast<uint64_t>(count) > kMaxBlockBytes / itemSize))
    return false;
  bytes = static_cast<size_t>(static_cast<uint64_t>(count) * itemSize);
  return true;
}

// The same, throwing std::bad_alloc for a size that does not fit, before
// anything is allocated or copied.
inline size_t BlockBytes(int64_t count, uint64_t itemSize) {
  size_t bytes = 0;
  if (!CheckedBlockBytes(count, itemSize, bytes)) throw std::bad_alloc();
  return bytes;
}

// The low and high 32-bit halves of a 64-bit value, as file records store it.
constexpr uint32_t Low(uint64_t value) { return static_cast<uint32_t>(value); }
constexpr uint32_t High(uint64_t value) { return static_cast<uint32_t>(value >> 32); }

}  // namespace td

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
