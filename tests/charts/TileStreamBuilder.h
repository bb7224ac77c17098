#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Writes compressed-tile bytes the plain way, straight from the layout:
// bytes least significant first, bit sections packed least significant bit
// first and padded to whole 32-bit words from where the section began.
class CTileStreamBuilder {
 public:
  std::vector<uint8_t> bytes;

  CTileStreamBuilder& Byte(uint32_t v) { return Plain(v, 1); }
  CTileStreamBuilder& U16(uint32_t v) { return Plain(v, 2); }
  CTileStreamBuilder& Colour(uint32_t v) { return Plain(v, 3); }

  CTileStreamBuilder& Bits(uint32_t v, uint32_t n) {
    if (!inSection_) {
      inSection_ = true;
      sectionStart_ = bytes.size();
      bitCount_ = 0;
    }
    for (uint32_t i = 0; i < n; ++i, ++bitCount_) {
      size_t byte = sectionStart_ + bitCount_ / 8;
      if (byte == bytes.size()) bytes.push_back(0);
      if ((v >> i) & 1) bytes[byte] |= static_cast<uint8_t>(1u << (bitCount_ % 8));
    }
    return *this;
  }

  // A run item: flag 1 for a repeat run, then count - 1 in 8 bits.
  CTileStreamBuilder& Run(bool repeat, uint32_t count) {
    return Bits(repeat ? 1 : 0, 1).Bits(count - 1, 8);
  }

  CTileStreamBuilder& EndSection() {
    if (inSection_) bytes.resize(sectionStart_ + (bitCount_ + 31) / 32 * 4, 0);
    inSection_ = false;
    return *this;
  }

 private:
  CTileStreamBuilder& Plain(uint32_t v, int count) {
    for (int i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }

  bool inSection_ = false;
  size_t sectionStart_ = 0;
  size_t bitCount_ = 0;
};
