// Writes chart files of versions 1.0.0.0 to 1.0.0.2 byte by byte from their
// layout: the header, the tile positions (and lengths), the tile bytes and
// the tag area, scrambled in 1.0.0.1/2 from the start byte of its check
// value. Nothing of the library is used.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/charts/ChartFileBuilder.h"

// Text scrambler: character i XOR (key + i + 1).
inline std::string Scrambled(uint32_t key, std::string s) {
  for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<char>(s[i] ^ (key + i + 1));
  return s;
}
enum : uint32_t { kK1 = 0x3B, kK2 = 0xD4, kK3 = 0xE9, kK4 = 0x83 };

// An 80-bit extended float (sign, 15-bit exponent biased by 16383, 64-bit
// significand with its integer bit) of a finite non-zero double.
inline void PutExtended(CByteWriter& w, double v) {
  int exponent = 0;
  const double fraction = std::frexp(std::fabs(v), &exponent);  // in [0.5, 1)
  const auto significand = static_cast<uint64_t>(std::ldexp(fraction, 64));
  w.U64(significand).U16((v < 0 ? 0x8000u : 0u) | static_cast<uint32_t>(exponent - 1 + 16383));
}

// Appends the scrambled area and its check value (the byte sum of the plain
// area); byte i is XORed with (s + i), s = low byte XOR high byte.
inline void PutScrambledArea(CByteWriter& w, const std::vector<uint8_t>& plain) {
  uint32_t sum = 0;
  for (uint8_t b : plain) sum += b;
  const uint32_t check = sum & 0xFFFF, start = (check & 0xFF) ^ (check >> 8);
  for (size_t i = 0; i < plain.size(); ++i) w.U8(plain[i] ^ ((start + i) & 0xFF));
  w.U16(check);
}

// Level tiles of a w x h image: ceil(w / 256) x ceil(h / 256), five levels.
inline uint32_t LegacyTileCount(uint32_t w, uint32_t h) {
  uint32_t total = 0;
  for (int i = 0; i < 5; ++i) {
    const uint32_t lw = (w + (1u << i) - 1) >> i, lh = (h + (1u << i) - 1) >> i;
    total += ((lw + 255) / 256) * ((lh + 255) / 256);
  }
  return total;
}

struct SLegacyUpdate {
  uint32_t tile;
  uint64_t position, length;
};

// A 1.0.0.1 or 1.0.0.2 file with the given bytes of each tile (the count of
// the levels' tiles), stored in tile order after the tables.
inline std::vector<uint8_t> LegacyChartFileV2Tiles(uint32_t version, int32_t width, int32_t height,
                                                   const std::vector<uint8_t>& plainArea,
                                                   const std::vector<std::vector<uint8_t>>& tiles,
                                                   const std::vector<SLegacyUpdate>& updates = {}) {
  const auto n = static_cast<uint32_t>(tiles.size());
  uint64_t at = 32 + 16 * uint64_t{n} + 4 + 20 * updates.size();
  CByteWriter w;
  w.U8('T').U8('d').U8('m').U8(' ').U8('T').U8('C').U8('F').U8('2').U32(version);
  const size_t tagPosition = w.bytes.size();
  w.U64(0).U32(static_cast<uint32_t>(width)).U32(static_cast<uint32_t>(height)).U32(n);
  for (const std::vector<uint8_t>& tile : tiles) {
    w.U64(at).U64(tile.size());
    at += tile.size();
  }
  w.U32(static_cast<uint32_t>(updates.size()));
  for (const SLegacyUpdate& u : updates) w.U32(u.tile).U64(u.position).U64(u.length);
  for (const std::vector<uint8_t>& tile : tiles) w.Raw(tile);
  for (int i = 0; i < 8; ++i) w.bytes[tagPosition + i] = static_cast<uint8_t>(at >> (8 * i));
  PutScrambledArea(w, plainArea);
  return w.bytes;
}

// The same with every tile holding the smallest tile's bytes; updates point
// at the first tile's bytes.
inline std::vector<uint8_t> LegacyChartFileV2(uint32_t version, int32_t width, int32_t height,
                                              const std::vector<uint8_t>& plainArea,
                                              const std::vector<SLegacyUpdate>& updates = {}) {
  const uint32_t n = LegacyTileCount(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
  return LegacyChartFileV2Tiles(version, width, height, plainArea,
                                std::vector<std::vector<uint8_t>>(n, SmallestTileBytes()), updates);
}

// Offsets inside a 1.0.0.1/2 file.
enum : size_t {
  kLegacyAtTagPosition = 12,
  kLegacyAtWidth = 20,
  kLegacyAtHeight = 24,
  kLegacyAtCount = 28,
  kLegacyAtTiles = 32
};
