#include "tests/charts/UpdateBuilder.h"

#include <cstring>

#include "tests/charts/ZlibZip.h"

void PutU16(std::string& s, uint32_t v) {
  for (int i = 0; i < 2; ++i) s += static_cast<char>(v >> (8 * i));
}
void PutU32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>(v >> (8 * i));
}
void PutU64(std::string& s, uint64_t v) {
  for (int i = 0; i < 8; ++i) s += static_cast<char>(v >> (8 * i));
}
void PutF64(std::string& s, double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, 8);
  PutU64(s, bits);
}
void PutStr(std::string& s, const std::string& text) {
  PutU32(s, static_cast<uint32_t>(text.size()));
  s += text;
}
uint32_t GetU32(const std::string& s, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(s[at + i]);
  return v;
}
uint64_t GetU64(const std::string& s, size_t at) {
  return uint64_t{GetU32(s, at + 4)} << 32 | GetU32(s, at);
}
void SetU32(std::string& s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}
void SetU64(std::string& s, size_t at, uint64_t v) {
  SetU32(s, at, static_cast<uint32_t>(v));
  SetU32(s, at + 4, static_cast<uint32_t>(v >> 32));
}

std::string Scramble(uint8_t key, const std::string& text) {
  std::string out = text;
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char>(out[i] ^ ((key + i + 1) & 0xFF));
  return out;
}

std::string PatchRun(uint16_t first, const std::vector<uint32_t>& colours) {
  std::string run;
  PutU16(run, first);
  PutU16(run, static_cast<uint32_t>(colours.size() - 1));
  for (uint32_t c : colours) {
    run += static_cast<char>(c);
    run += static_cast<char>(c >> 8);
    run += static_cast<char>(c >> 16);
  }
  return run;
}

namespace {

std::string ChartDesc2(const SBuiltChart& c) {
  std::string s;
  PutU32(s, c.version);
  s.append(reinterpret_cast<const char*>(c.guid), 16);
  PutStr(s, Scramble(0x6F, c.text3));
  PutStr(s, Scramble(0x6F, c.text4));
  PutU32(s, c.idNumber);
  s += static_cast<char>(c.idCode);
  PutStr(s, Scramble(0x6F, c.text1));
  PutStr(s, Scramble(0x6F, c.text2));
  return s;
}

// Appends a block and gives its offset and size.
std::pair<uint64_t, uint32_t> Append(std::string& file, const std::string& bytes) {
  const uint64_t offset = file.size();
  file += bytes;
  return {offset, static_cast<uint32_t>(bytes.size())};
}

}  // namespace

std::string BuildUpdate2(const SBuiltUpdate& u) {
  std::string file = "TCFUPDAT";
  PutU32(file, 0x01010000);
  file.append(96, '\0');
  std::string table;
  uint64_t tileBytes = 0;
  for (const SBuiltPatch& p : u.patches) {
    const auto [offset, size] = Append(file, Deflate(p.raw));
    PutU32(table, p.tileIndex);
    PutU32(table, size);
    PutU64(table, offset);
    tileBytes += size;
  }
  const auto [tableOffset, tableSize] = Append(file, table);
  const auto [chartOffset, chartSize] = Append(file, ChartDesc2(u.chart));
  std::pair<uint64_t, uint32_t> a{}, b{}, c{};
  if (u.blockA) a = Append(file, Deflate(*u.blockA));
  if (u.blockB) b = Append(file, Deflate(*u.blockB));
  if (!u.text.empty()) c = Append(file, Deflate(u.text));
  std::string desc;
  PutU64(desc, file.size());
  PutF64(desc, u.dateTime);
  PutU64(desc, 0);
  PutU64(desc, tableOffset);
  PutU64(desc, chartOffset);
  PutU64(desc, b.first);
  PutU64(desc, a.first);
  PutU64(desc, c.first);
  PutU64(desc, tileBytes);
  PutU32(desc, tableSize);
  PutU32(desc, static_cast<uint32_t>(u.patches.size()));
  PutU32(desc, chartSize);
  PutU32(desc, b.second);
  PutU32(desc, a.second);
  PutU32(desc, c.second);
  file.replace(12, 96, desc);
  return file;
}

std::string BuildUpdate1(const SBuiltUpdate& u, uint64_t correction) {
  const SBuiltChart& c = u.chart;
  std::string head = "TCFUPDAT";
  PutU32(head, 0x01000000);
  PutU64(head, 0);  // file size, set last
  PutU32(head, 0);
  head.append(reinterpret_cast<const char*>(c.guid), 16);
  PutStr(head, c.text3);
  PutStr(head, c.text4);
  PutU32(head, c.idNumber);
  PutU32(head, static_cast<uint32_t>(c.idCode));
  PutStr(head, c.text1);
  PutStr(head, c.text2);
  PutF64(head, u.dateTime);
  PutU32(head, static_cast<uint32_t>(u.patches.size()));
  const size_t tableAt = head.size();
  head.append(u.patches.size() * 20, '\0');
  PutU64(head, correction);
  const size_t blockAt = head.size();
  PutU64(head, 0);  // P, set below
  PutU64(head, 0);
  std::string file = head;
  for (size_t i = 0; i < u.patches.size(); ++i) {
    const auto [offset, size] = Append(file, Deflate(u.patches[i].raw));
    SetU32(file, tableAt + 20 * i, u.patches[i].tileIndex);
    SetU64(file, tableAt + 20 * i + 4, offset - correction);
    SetU64(file, tableAt + 20 * i + 12, size);
  }
  std::string text;
  PutStr(text, u.text);
  const std::string packed = Deflate(text);
  SetU64(file, blockAt, file.size());
  PutU64(file, packed.size());
  file += packed;
  SetU64(file, 12, file.size());
  return file;
}

std::string BuildPackage(const std::vector<SBuiltItem>& items) {
  std::string file = "TCFUPDPK";
  PutU32(file, 0x01000000);
  PutU32(file, static_cast<uint32_t>(items.size()));
  uint64_t offset = 0;
  std::string data;
  for (const SBuiltItem& item : items) {
    const SBuiltChart& c = item.update->chart;
    PutF64(file, item.update->dateTime);
    file.append(reinterpret_cast<const char*>(c.guid), 16);
    PutStr(file, item.name);
    PutU32(file, static_cast<uint32_t>(c.idCode));
    PutStr(file, c.text1);
    PutStr(file, c.text2);
    PutU64(file, offset);
    PutU32(file, c.idNumber);
    PutStr(file, c.text3);
    PutStr(file, c.text4);
    PutU64(file, item.bytes.size());
    offset += item.bytes.size();
    data += item.bytes;
  }
  return file + data;
}
