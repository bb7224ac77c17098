#pragma once

#include <cstddef>
#include <cstdint>

// Reads the tile form's plain bytes and its bit sections (values packed
// least significant bit first into little-endian 32-bit words) from a
// bounded buffer. Reading past the end yields zeros and marks the reader
// failed instead of touching memory outside the buffer.
class CTileBitReader {
 public:
  CTileBitReader(const uint8_t* begin, size_t size)
      : begin_(begin), pos_(begin), end_(begin + size) {}

  bool Failed() const { return failed_; }
  size_t Position() const { return static_cast<size_t>(pos_ - begin_); }
  size_t Remaining() const { return static_cast<size_t>(end_ - pos_); }

  // Drops the unread bits of the current word; the next bit read fetches a
  // fresh word at the stream position.
  void Reset() { avail_ = 0; }

  // n = 1..24.
  uint32_t ReadBits(uint32_t n) {
    uint32_t v = static_cast<uint32_t>(static_cast<uint64_t>(word_) >> (32 - avail_));
    if (n > avail_) {
      word_ = Fetch(4);
      v |= word_ << avail_;
      avail_ += 32;
    }
    avail_ -= n;
    return v & ((1u << n) - 1);
  }

  uint32_t ReadByte() { return Fetch(1); }
  uint32_t ReadU16() { return Fetch(2); }
  uint32_t ReadColour() { return Fetch(3); }

 private:
  // Little-endian value of the next count bytes (1..4).
  uint32_t Fetch(size_t count) {
    if (static_cast<size_t>(end_ - pos_) < count) {
      failed_ = true;
      pos_ = end_;
      return 0;
    }
    uint32_t v = 0;
    for (size_t i = 0; i < count; ++i) v |= static_cast<uint32_t>(pos_[i]) << (8 * i);
    pos_ += count;
    return v;
  }

  const uint8_t* begin_;
  const uint8_t* pos_;
  const uint8_t* end_;
  uint32_t word_ = 0;
  uint32_t avail_ = 0;  // unread high bits of word_
  bool failed_ = false;
};
