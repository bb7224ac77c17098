// The tag areas of the 1.0.0.1 and 1.0.0.2 test charts of 300 x 200 pixels,
// plain, byte by byte from their layout.
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
