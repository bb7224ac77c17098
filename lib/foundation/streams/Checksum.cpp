#include "lib/foundation/streams/Checksum.h"

#include <bit>
#include <cstring>

namespace {

template <typename T>
T XorChecksum(const void* data, size_t byteCount) {
  static_assert(std::endian::native == std::endian::little, "words are read in host order");
  const auto* bytes = static_cast<const uint8_t*>(data);
  size_t words = byteCount / sizeof(T);
  T sum = 0;
  for (size_t i = 0; i < words; ++i) {
    T word;
    std::memcpy(&word, bytes + i * sizeof(T), sizeof(T));
    sum ^= word;
  }
  for (size_t k = words * sizeof(T); k < byteCount; ++k) {
    sum ^= static_cast<T>(bytes[k]) << (8 * (k % sizeof(T)));
  }
  return sum;
}

}  // namespace

uint32_t XorChecksum32(const void* data, size_t byteCount) {
  return XorChecksum<uint32_t>(data, byteCount);
}

uint64_t XorChecksum64(const void* data, size_t byteCount) {
  return XorChecksum<uint64_t>(data, byteCount);
}

void ScrambleBytes(uint32_t key, void* data, size_t byteCount) {
  auto* bytes = static_cast<uint8_t*>(data);
  for (size_t i = 0; i < byteCount; ++i) bytes[i] ^= static_cast<uint8_t>(key + i + 1);
}

CStr StrScramble(uint32_t key, const CStr& text) {
  CStr result(text);
  ScrambleBytes(key, result.GetBuffer(0), static_cast<size_t>(result.GetLength()));
  return result;
}
