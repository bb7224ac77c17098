// The tag areas of the 1.0.0.1 and 1.0.0.2 test charts of 300 x 200 pixels,
// plain, and the whole 1.0.0.0 test chart, byte by byte from their layouts.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/charts/LegacyChartFileBuilder.h"

struct SAreaFields {
  std::string date = "20060228";
  float optA = 1.5f;
  double optA2 = 1.5;
  std::vector<uint8_t> datumRecord = {0};  // type 0, then the scrambled code
  std::string datumCode = "WGE";
};

inline void PutIdentity(CByteWriter& w, bool v3, const SAreaFields& f) {
  for (uint32_t i = 1; i <= 16; ++i) w.U8(i);
  w.U32(0x12345).U32(7).Text(Scrambled(kK1, "Id4"));
  if (v3) w.Text(Scrambled(kK1, "Id3"));
  w.Text(Scrambled(kK2, "Id2")).Text(Scrambled(kK3, "Chart")).Text(Scrambled(kK4, "Id1"));
  w.Text(Scrambled(kK2, "T12")).Text(Scrambled(kK1, "T13")).Text(Scrambled(kK3, "T8"));
  w.Text(Scrambled(kK4, "T7")).U32(0xBEEF).Text(Scrambled(kK2, "T4"));
  w.Raw({f.date.begin(), f.date.end()});
  for (size_t i = w.bytes.size() - 8; i < w.bytes.size(); ++i)
    w.bytes[i] ^= static_cast<uint8_t>(kK4 + (i - (w.bytes.size() - 8)) + 1);
}

inline void PutDate(CByteWriter& w, uint32_t key, const std::string& digits) {
  const std::string s = Scrambled(key, digits);
  w.Raw({s.begin(), s.end()});
}

inline void PutBounds(CByteWriter& w) {  // the 300 x 200 rectangle, stored + 0.5
  w.U32(4).U32(0).U32(0).U32(300).U32(0).U32(300).U32(200).U32(0).U32(200);
}

// 1.0.0.1: RD grid, two points, one link of type 0.
inline std::vector<uint8_t> AreaV2(const SAreaFields& f = {}) {
  CByteWriter w;
  PutIdentity(w, false, f);
  uint32_t bits;
  std::memcpy(&bits, &f.optA, 4);
  w.U32(bits).U32(0xC0100000);  // -2.25f
  PutDate(w, kK1, "20070304");
  w.U8(1).U8(0);                                    // RD, two points
  w.U32(0).U32(0).U32(0x43958000).U32(0x43470000);  // (0, 0), (299, 199) as f32
  w.F64(155000).F64(463000).F64(156000).F64(462000);
  PutBounds(w);
  w.U8(1).U8(3);  // flag, kind 2
  PutDate(w, kK4, "20050101");
  w.Text(Scrambled(kK4, "Update 3"));
  w.U32(1).U8(0).Text(Scrambled(kK1, "next.tcf")).Text(Scrambled(kK3, "Next chart"));
  return w.bytes;
}

// 1.0.0.2: Mercator on a datum record, two points, one link of type 1.
inline std::vector<uint8_t> AreaV3(const SAreaFields& f = {}) {
  CByteWriter w;
  PutIdentity(w, true, f);
  w.F64(f.optA2).F64(-2.25);
  PutDate(w, kK1, "20070304");
  w.U8(0).U8(0);  // Mercator, two points
  w.F64(0).F64(0).F64(299).F64(199);
  w.F64(445277.963).F64(6766432.491).F64(556597.454).F64(6621293.723);
  w.Raw(f.datumRecord);
  if (f.datumRecord == std::vector<uint8_t>{0}) w.Text(Scrambled(0xD4, f.datumCode));
  PutBounds(w);
  w.U8(0).U8(0);  // flag, kind 0
  PutDate(w, kK4, "20050101");
  w.Text(Scrambled(kK4, "Update 3"));
  w.U32(1).U8(1).Text("a.tcf").Text("A chart");
  return w.bytes;
}

// 1.0.0.0, 300 x 200 with the given tiles (by default tile i of 10 + i
// bytes 0x55), stored last tile first; level 1 may be given another size.
constexpr uint64_t kV1Data = 84 + 6 * 8;
inline std::vector<uint8_t> ChartV1(const std::string& datumName = "WGS 1984",
                                    std::vector<std::vector<uint8_t>> tiles = {},
                                    uint32_t level1Width = 150) {
  if (tiles.empty())
    for (size_t i = 0; i < 6; ++i) tiles.emplace_back(10 + i, 0x55);
  CByteWriter w;
  std::vector<uint64_t> at(6);
  uint64_t p = kV1Data;
  for (size_t i = 6; i-- > 0;) {
    at[i] = p;
    p += tiles[i].size();
  }
  w.U8('T').U8('d').U8('m').U8(' ').U8('T').U8('C').U8('F').U8('2').U32(0x01000000).U64(p);
  w.U32(300).U32(200).U16(2).U16(1).U32(level1Width).U32(100).U16(1).U16(1);
  w.U32(75).U32(50).U16(1).U16(1).U32(38).U32(25).U16(1).U16(1).U32(19).U32(13).U16(1).U16(1);
  w.U32(6);
  for (uint64_t a : at) w.U64(a);
  for (size_t i = 6; i-- > 0;) w.Raw(tiles[i]);
  PutBounds(w);
  for (const char* t : {"Chart", "Id1", "T12", "T13", "T8", "T7"}) w.Text(t);
  w.U32(2).U32(0).U32(0).U32(0x43958000).U32(0x43470000).U32(1);  // 2 points, Mercator
  constexpr double kDegree = 3.14159265358979323846 / 180;
  PutExtended(w, 52 * kDegree);
  PutExtended(w, 4 * kDegree);
  PutExtended(w, 51 * kDegree);
  PutExtended(w, 5 * kDegree);
  w.Text(datumName);
  return w.bytes;
}
