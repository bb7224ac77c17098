// Writes chart files of version 2.0.0.0 byte by byte, straight from the
// layout: the magic, the 164-byte header, the tile bytes, the tables and the
// three sections, each scrambled with the key 0x3B, 0x3C, ... and followed by
// the XOR of its little-endian words. Nothing of the library is used.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/charts/TileStreamBuilder.h"

class CByteWriter {
 public:
  std::vector<uint8_t> bytes;

  CByteWriter& U8(uint32_t v) { return Le(v, 1); }
  CByteWriter& U16(uint32_t v) { return Le(v, 2); }
  CByteWriter& U32(uint32_t v) { return Le(v, 4); }
  CByteWriter& U64(uint64_t v) { return Le(v, 8); }
  CByteWriter& F64(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    return U64(bits);
  }
  CByteWriter& Text(const std::string& s) {
    U32(static_cast<uint32_t>(s.size()));
    bytes.insert(bytes.end(), s.begin(), s.end());
    return *this;
  }
  CByteWriter& Raw(const std::vector<uint8_t>& b) {
    bytes.insert(bytes.end(), b.begin(), b.end());
    return *this;
  }
  CByteWriter& Date(uint32_t year, uint32_t month, uint32_t day) {
    return U16(year).U8(month).U8(day);
  }
  CByteWriter& DateTime(uint32_t y, uint32_t mo, uint32_t d, uint32_t h, uint32_t mi, uint32_t s,
                        uint32_t ms) {
    return Date(y, mo, d).U8(h).U8(mi).U8(s).U16(ms);
  }

 private:
  CByteWriter& Le(uint64_t v, int n) {
    for (int i = 0; i < n; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }
};

// The section form of a plain payload.
inline std::vector<uint8_t> SectionBytes(std::vector<uint8_t> payload) {
  uint32_t sum = 0;
  for (size_t i = 0; i < payload.size(); ++i) {
    payload[i] ^= static_cast<uint8_t>(0x3B + i);
    sum ^= uint32_t{payload[i]} << (8 * (i % 4));
  }
  CByteWriter w;
  w.Raw(payload).U32(sum);
  return w.bytes;
}

// The payloads of the smallest file.
inline std::vector<uint8_t> SmallestUpdateTagPayload() {
  CByteWriter w;
  w.Text("Update 7").DateTime(2006, 1, 2, 3, 4, 5, 6).DateTime(2005, 12, 31, 23, 59, 58, 999);
  w.DateTime(2006, 1, 1, 0, 0, 0, 0);
  return w.bytes;
}

// The 1 x 1 image's rectangle, (-0.5, -0.5) to (0.5, 0.5).
inline std::vector<uint8_t> SmallestBoundsPayload() {
  CByteWriter w;
  w.U32(4).U32(0).U32(0).U32(1).U32(0).U32(1).U32(1).U32(0).U32(1);
  return w.bytes;
}

// The fields of a tag payload, as the smallest file has them.
struct STagFields {
  uint32_t idNumber = 0x12345;
  int32_t idCode = 7;
  std::string idText4 = "Id4", idText3 = "Id3", idText1 = "Id1", idText2 = "Id2", text1 = "Chart",
              text2 = "Area";
  uint32_t year = 2006, month = 2, day = 28;
  bool optPresent = true;
  uint32_t optMonth = 3;
  int32_t linkCount = 1;
  uint32_t linkType = 0;
  uint32_t calCount = 2;
  std::vector<uint8_t> reference = {1};  // projection code 1, the RD grid
  double pixelStep = 1, mapStep = 10;    // calibration point i: pixel (i, i) x pixelStep
  uint32_t kindByte = 3;
};

inline std::vector<uint8_t> TagPayload(const STagFields& f = {}) {
  CByteWriter w;
  for (uint32_t i = 1; i <= 16; ++i) w.U8(i);  // identifier
  w.U32(f.idNumber).U32(static_cast<uint32_t>(f.idCode));
  w.Text(f.idText4).Text(f.idText3).Text(f.idText1).Text(f.idText2).Text(f.text1).Text(f.text2);
  w.U16(0xBEEF).Text("T7").Date(f.year, f.month, f.day);
  for (const char* t : {"T3", "T5", "T6", "T9", "T11", "T10", "T8", "T12", "T13"}) w.Text(t);
  w.U8(f.optPresent);
  if (f.optPresent) w.F64(1.5).Date(2007, f.optMonth, 4).F64(-2.25);  // optional values 1, 3, 2
  w.Text("T4");
  w.U32(static_cast<uint32_t>(f.linkCount));
  for (int32_t i = 0; i < f.linkCount; ++i) w.U8(f.linkType).Text("next.tcf").Text("Next chart");
  w.U8(f.calCount);
  for (uint32_t i = 0; i < f.calCount; ++i) w.F64(i * f.pixelStep).F64(i * f.pixelStep);
  for (uint32_t i = 0; i < f.calCount; ++i)
    w.F64(155000 + f.mapStep * i).F64(463000 - f.mapStep * i);  // map points
  w.Raw(f.reference);
  w.U8(0).U8(f.kindByte);  // flag, source format code
  return w.bytes;
}

// One tile: no shared colours, 256 blocks of one colour, and an alpha
// stream of 65,536 opaque pixels.
constexpr uint32_t kSmallestColour = 0x123456;
inline std::vector<uint8_t> SmallestTileBytes() {
  CTileStreamBuilder s;
  s.U16(0);
  for (int b = 0; b < 256; ++b) s.Byte(0).Colour(kSmallestColour);
  s.U16(0x8000 | 32767).U16(0x8000 | 32767).U16(0x8000 | 2);
  return s.bytes;
}
constexpr uint32_t kSmallestColourSize = 1026;
constexpr uint32_t kSmallestAlphaSize = 6;

struct SUpdateRecord {
  uint32_t tile;
  uint64_t offset;
  uint32_t colourSize, alphaSize;
};

// What the tests vary around the smallest file.
struct SChartFileOptions {
  std::vector<SUpdateRecord> updates;
  size_t padding = 0;  // zero bytes after the tag section
  std::vector<uint8_t> updateTag = SmallestUpdateTagPayload();
  std::vector<uint8_t> bounds = SmallestBoundsPayload();
  std::vector<uint8_t> tag = TagPayload();
  uint32_t levels = 1;  // a 1 x 1 image has one tile on every level
};

// File offsets of the smallest file's fields.
enum : size_t {
  kAtVersion = 8,
  kAtTableAPosition = 12 + 0x10,
  kAtTableACount = 12 + 0x20,
  kAtUpdateTableCount = 12 + 0x48,
  kAtTableBCount = 12 + 0x60,
  kAtUpdateTagSection = 12 + 0x68,
  kAtBoundsSection = 12 + 0x78,
  kAtWidth = 12 + 0x98,
  kAtHeight = 12 + 0x9C,
  kAtLevels = 12 + 0xA0,
  kAtTile = 176,
  kAtTableA = kAtTile + kSmallestColourSize + kSmallestAlphaSize,  // 1208
};

// 1 x 1 pixel, one level, one tile, in the writers' order.
inline std::vector<uint8_t> SmallestChartFile(const SChartFileOptions& o = {}) {
  const std::vector<uint8_t> tile = SmallestTileBytes();
  const uint64_t tableA = kAtTableA, afterA = tableA + 16;
  const uint64_t updateSize = 20 * o.updates.size();
  const std::vector<uint8_t> updateTag = SectionBytes(o.updateTag), bounds = SectionBytes(o.bounds),
                             tag = SectionBytes(o.tag);
  const uint64_t bCount = o.levels - 1, bSize = 16 * bCount;
  const uint64_t updateTagAt = afterA + updateSize + bSize,
                 boundsAt = updateTagAt + updateTag.size(), tagAt = boundsAt + bounds.size();
  CByteWriter w;
  w.U8('T').U8('d').U8('m').U8(' ').U8('T').U8('C').U8('F').U8('2').U32(0x02000000);
  w.U64(kAtTile).U64(tile.size());                      // tile data
  w.U64(tableA).U64(16).U64(1);                         // table A
  w.U64(afterA).U64(0);                                 // second tile data region
  w.U64(afterA).U64(updateSize).U64(o.updates.size());  // update table
  w.U64(afterA + updateSize).U64(bSize).U64(bCount);    // table B
  w.U64(updateTagAt)
      .U64(updateTag.size())
      .U64(boundsAt)
      .U64(bounds.size())
      .U64(tagAt)
      .U64(tag.size());
  w.U32(1).U32(1).U32(o.levels);  // width, height, levels
  w.Raw(tile);
  w.U64(kAtTile).U32(kSmallestColourSize).U32(kSmallestAlphaSize);
  for (const SUpdateRecord& u : o.updates)
    w.U32(u.tile).U64(u.offset).U32(u.colourSize).U32(u.alphaSize);
  for (uint64_t i = 0; i < bCount; ++i)
    w.U64(kAtTile).U32(kSmallestColourSize).U32(kSmallestAlphaSize);
  w.Raw(updateTag).Raw(bounds).Raw(tag);
  w.bytes.resize(w.bytes.size() + o.padding, 0);
  return w.bytes;
}

inline void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void Put64(std::vector<uint8_t>& bytes, size_t at, uint64_t v) {
  Put32(bytes, at, static_cast<uint32_t>(v));
  Put32(bytes, at + 4, static_cast<uint32_t>(v >> 32));
}
