#include "lib/bitmap/RowDecoder.h"

#include <algorithm>
#include <cstring>

#include "lib/foundation/core/ErrorCodes.h"

namespace {

constexpr int32_t kReadAhead = 64 * 1024;
// The end-of-image escape leaves every later pixel at index 0.
constexpr int64_t kRestOfImage = INT64_MAX / 2;

// Index value at pixel x of a row of 4- or 8-bit indices (high nibble first).
void PutIndex(uint8_t* row, int bits, int64_t x, uint8_t value) {
  if (bits == 8) {
    row[x] = value;
    return;
  }
  uint8_t& b = row[x / 2];
  b = x % 2 ? static_cast<uint8_t>((b & 0xF0) | (value & 0x0F))
            : static_cast<uint8_t>((b & 0x0F) | value << 4);
}

// Index i of a run whose bytes are data: bytes for 8 bits, nibbles for 4.
uint8_t RunIndex(const uint8_t* data, int bits, int64_t i) {
  return bits == 8 ? data[i] : static_cast<uint8_t>(i % 2 ? data[i / 2] & 0x0F : data[i / 2] >> 4);
}

}  // namespace

CRowDecoder::CRowDecoder(CStream& stream, const SImageSource& source)
    : m_Stream(stream), m_Source(source), m_Buffer(kReadAhead) {}

bool CRowDecoder::Refill(uint32_t& error) {
  const int32_t got = m_Stream.Read(m_Buffer.data(), kReadAhead);
  m_Next = 0;
  m_End = std::max(got, 0);
  if (got > 0) return true;
  error = kErrFileRead;
  return false;
}

bool CRowDecoder::Next(uint8_t& byte, uint32_t& error) {
  if (m_Next == m_End && !Refill(error)) return false;
  byte = m_Buffer[m_Next++];
  return true;
}

bool CRowDecoder::Take(uint8_t* out, int64_t count, uint32_t& error) {
  while (count > 0) {
    if (m_Next == m_End && !Refill(error)) return false;
    const int32_t n = static_cast<int32_t>(std::min<int64_t>(count, m_End - m_Next));
    if (out) {
      std::memcpy(out, m_Buffer.data() + m_Next, static_cast<size_t>(n));
      out += n;
    }
    m_Next += n;
    count -= n;
  }
  return true;
}

bool CRowDecoder::Skip(int64_t count, uint32_t& error) { return Take(nullptr, count, error); }

bool CRowDecoder::DecodeRow(uint8_t* row, uint32_t& error) {
  error = kErrNone;
  switch (m_Source.coding) {
    case rcRle8:
      return DecodeRle(row, 8, error);
    case rcRle4:
      return DecodeRle(row, 4, error);
    case rcNone:
    case rcTgaRaw:
      return Take(row, m_Source.desc.stride, error);
    default:
      return DecodeTgaRle(row, error);
  }
}

// The row ends at the end-of-line escape, at the end-of-image escape, or when
// a delta reaches past it; pixels beyond the width are read and dropped.
bool CRowDecoder::DecodeRle(uint8_t* row, int bits, uint32_t& error) {
  const int64_t width = m_Source.desc.width;
  std::memset(row, 0, static_cast<size_t>(m_Source.desc.stride));
  int64_t x = 0;
  uint8_t data[256];
  for (;;) {
    if (m_Skip > 0) {
      const int64_t n = std::min(m_Skip, width - x);
      x += n;
      m_Skip -= n;
      if (m_Skip > 0) return true;
    }
    uint8_t count, escape;
    if (!Next(count, error)) return false;
    if (count > 0) {
      uint8_t value;
      if (!Next(value, error)) return false;
      // A 4-bit run alternates the value's two nibbles.
      const uint8_t pair[2] = {value, value};
      for (int64_t i = 0; i < count && x + i < width; ++i)
        PutIndex(row, bits, x + i, RunIndex(pair, bits, i % 2));
      x = std::min(x + count, width);
      continue;
    }
    if (!Next(escape, error)) return false;
    if (escape == 0) return true;
    if (escape == 1) {
      m_Skip = kRestOfImage;
      continue;
    }
    if (escape == 2) {
      uint8_t dx, dy;
      if (!Next(dx, error) || !Next(dy, error)) return false;
      m_Skip = int64_t{dx} + int64_t{dy} * width;
      continue;
    }
    const int64_t bytes = bits == 8 ? escape : (escape + 1) / 2;
    if (!Take(data, bytes + (bytes & 1), error)) return false;
    for (int64_t i = 0; i < escape && x + i < width; ++i)
      PutIndex(row, bits, x + i, RunIndex(data, bits, i));
    x = std::min<int64_t>(x + escape, width);
  }
}

bool CRowDecoder::DecodeTgaRle(uint8_t* row, uint32_t& error) {
  const int32_t bytes = m_Source.coding - rcTgaRle1 + 1;
  const int64_t width = m_Source.desc.width;
  for (int64_t x = 0; x < width;) {
    if (m_PacketLeft == 0) {
      uint8_t header;
      if (!Next(header, error)) return false;
      m_PacketLeft = (header & 0x7F) + 1;
      m_PacketIsRun = header & 0x80;
      if (m_PacketIsRun && !Take(m_RunValue, bytes, error)) return false;
    }
    const int64_t n = std::min(m_PacketLeft, width - x);
    uint8_t* out = row + x * bytes;
    if (!m_PacketIsRun && !Take(out, n * bytes, error)) return false;
    if (m_PacketIsRun)
      for (int64_t i = 0; i < n; ++i)
        std::memcpy(out + i * bytes, m_RunValue, static_cast<size_t>(bytes));
    x += n;
    m_PacketLeft -= n;
  }
  return true;
}
