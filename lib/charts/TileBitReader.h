#pragma once

#include <cstddef>
#include <cstdint>

// Reads the tile form's plain bytes and its bit sections (values packed
// least significant bit first into little-endian 32-bit words) from a
// bounded buffer. A word is fetched only when a value needs its bits, so
// nothing after the last value is read. Reading past the end yields zeros
// and marks the reader failed instead of touching memory outside the buffer.
class CTileBitReader {
 public:
  CTileBitReader(const uint8_t* begin, size_t size)
      : begin_(begin), pos_(begin), end_(begin + size) {}

  bool Failed() const { return failed_; }
  // After the last word a bit was read from, or the last plain byte.
  size_t Position() const { return static_cast<size_t>(pos_ - begin_); }
  // Whether bytes are left after the stream position.
  bool HasMore() const { return pos_ != end_; }

  // Drops the unread bits of the current word: the next bit read starts a
  // fresh word at the stream position.
  void Reset() {
    bits_ = 0;
    count_ = 0;
  }

  // n = 1..32.
  uint32_t ReadBits(uint32_t n) {
    if (count_ < n) Fetch(n);
    uint32_t v = static_cast<uint32_t>(bits_ & ((uint64_t{1} << n) - 1));
    bits_ >>= n;
    count_ -= n;
    return v;
  }

  // The next count bytes, skipped over; null when there are fewer.
  const uint8_t* Skip(size_t count) {
    Reset();
    if (static_cast<size_t>(end_ - pos_) < count) {
      failed_ = true;
      return nullptr;
    }
    const uint8_t* start = pos_;
    pos_ += count;
    return start;
  }

  // Plain reads take the bytes at the stream position, dropping what is
  // left of the current word.
  uint32_t ReadByte() { return Plain(1); }
  uint32_t ReadU16() { return Plain(2); }
  uint32_t ReadColour() { return Plain(3); }

 private:
  // The next word above the unread bits; zeros when there is none.
  void Fetch(uint32_t n) {
    if (end_ - pos_ < 4) {
      failed_ = true;
      count_ = n;
      return;
    }
    uint32_t word = pos_[0] | pos_[1] << 8 | pos_[2] << 16 | static_cast<uint32_t>(pos_[3]) << 24;
    bits_ |= static_cast<uint64_t>(word) << count_;
    pos_ += 4;
    count_ += 32;
  }

  uint32_t Plain(size_t count) {
    Reset();
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
  const uint8_t* pos_;  // the stream position
  const uint8_t* end_;
  uint64_t bits_ = 0;   // unread bits of the current word, the next lowest
  uint32_t count_ = 0;  // how many, below 32 between reads
  bool failed_ = false;
};
