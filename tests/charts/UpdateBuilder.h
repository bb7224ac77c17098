// Writes update files and update packages byte by byte, straight from their
// layouts, for the tests: an independent account of what the library reads
// and writes. Data is deflated with zlib at level 6.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct SBuiltChart {
  uint32_t version = 0x02000000;
  uint8_t guid[16] = {};
  int32_t idCode = 0;
  std::string text1, text2, text3, text4;
  uint32_t idNumber = 0;
};

struct SBuiltPatch {
  uint32_t tileIndex;
  std::string raw;  // the runs, before deflating
};

struct SBuiltUpdate {
  double dateTime = 0;
  SBuiltChart chart;
  std::vector<SBuiltPatch> patches;
  std::optional<std::string> blockA, blockB;  // raw bytes, deflated when written
  std::string text;                           // block C when not empty
};

// Version 1.1.0.0: header, descriptor, patches, record table, chart
// descriptor, blocks A, B and C.
std::string BuildUpdate2(const SBuiltUpdate& update);
// Version 1.0.0.0: fields in the file's order, 20-byte records whose offsets
// need the correction, patches, then block C's length and bytes.
std::string BuildUpdate1(const SBuiltUpdate& update, uint64_t correction = 5);

// A package of (file name, update, its file's bytes).
struct SBuiltItem {
  std::string name;
  const SBuiltUpdate* update;
  std::string bytes;
};
std::string BuildPackage(const std::vector<SBuiltItem>& items);

// One run of a patch: first pixel, then the pixels' 0xAARRGGBB colours.
std::string PatchRun(uint16_t first, const std::vector<uint32_t>& colours);

// Little-endian appenders, shared by the builders and the tests.
void PutU16(std::string& s, uint32_t v);
void PutU32(std::string& s, uint32_t v);
void PutU64(std::string& s, uint64_t v);
void PutF64(std::string& s, double v);
void PutStr(std::string& s, const std::string& text);
uint32_t GetU32(const std::string& s, size_t at);
uint64_t GetU64(const std::string& s, size_t at);
void SetU32(std::string& s, size_t at, uint32_t v);
void SetU64(std::string& s, size_t at, uint64_t v);
// Byte i XOR ((key + i + 1) mod 256).
std::string Scramble(uint8_t key, const std::string& text);
