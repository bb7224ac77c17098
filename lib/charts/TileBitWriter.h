#pragma once

#include <cstddef>
#include <cstdint>

// Writes the tile form's plain bytes and bit sections (values packed least
// significant bit first into little-endian 32-bit words) into a buffer of
// fixed capacity. A write that does not fit marks the writer failed and
// stores nothing.
class CTileBitWriter {
 public:
  CTileBitWriter(uint8_t* dst, size_t capacity) : dst_(dst), capacity_(capacity) {}

  bool Failed() const { return failed_; }
  size_t Size() const { return size_; }

  // Starts a new bit section; plain writes come only between sections.
  void Clear() {
    bits_ = 0;
    fill_ = 0;
  }

  // v below 2^n, n = 1..24.
  void WriteBits(uint32_t v, uint32_t n) {
    bits_ |= static_cast<uint64_t>(v) << fill_;
    fill_ += n;
    if (fill_ >= 32) {
      Store(static_cast<uint32_t>(bits_), 4);
      bits_ >>= 32;
      fill_ -= 32;
    }
  }

  // Ends the bit section on a word boundary.
  void Flush() {
    if (fill_ != 0) Store(static_cast<uint32_t>(bits_), 4);
    Clear();
  }

  void WriteByte(uint32_t v) { Store(v, 1); }
  void WriteU16(uint32_t v) { Store(v, 2); }
  void WriteColour(uint32_t v) { Store(v, 3); }

 private:
  // The low count bytes of v, least significant first.
  void Store(uint32_t v, size_t count) {
    if (capacity_ - size_ < count) {
      failed_ = true;
      return;
    }
    for (size_t i = 0; i < count; ++i) dst_[size_ + i] = static_cast<uint8_t>(v >> (8 * i));
    size_ += count;
  }

  uint8_t* dst_;
  size_t capacity_;
  size_t size_ = 0;
  uint64_t bits_ = 0;
  uint32_t fill_ = 0;  // bits of bits_ in use, below 32 between writes
  bool failed_ = false;
};
