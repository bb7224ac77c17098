#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tool/LineTable.h"

namespace {

// A table written down from its layout: two units, three procedures, lines.
class Bytes {
 public:
  void U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) data.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  std::vector<uint8_t> data;
};

const uint32_t kNone = 0xFFFFFFFF;

std::vector<uint8_t> SampleTable() {
  // Strings: offset 0 "", 1 "UnitA", 7 "UnitB", 13 "ProcOne", 21 "ProcTwo",
  // 29 "ProcThree", 39 "a.cpp", 45 "b.cpp".
  const char strings[] = "\0UnitA\0UnitB\0ProcOne\0ProcTwo\0ProcThree\0a.cpp\0b.cpp";
  Bytes b;
  b.data = {'R', 'T', 'L', 'I'};
  b.U32(1700000000);  // 2023-11-14 22:13:20 UTC
  b.U32(2);
  b.U32(3);
  b.U32(4);
  b.U32(sizeof strings);
  for (uint32_t v : {0x1000u, 0x1100u, 1u, 0x11F0u, 0x1300u, 7u}) b.U32(v);
  for (uint32_t v : {0x1000u, 0x1040u, 1u, 13u, 0x1050u, 0x1100u, 1u, 21u,
                     0x1200u, 0x1280u, 7u, 29u})
    b.U32(v);
  for (uint32_t v : {0x1000u, 39u, 10u, 0x1020u, 39u, 12u, 0x1100u, kNone, 0u,
                     0x1200u, 45u, 5u})
    b.U32(v);
  b.data.insert(b.data.end(), strings, strings + sizeof strings);
  return b.data;
}

}  // namespace

TEST(LineTable, FindsUnitProcedureFileAndLine) {
  std::vector<uint8_t> bytes = SampleTable();
  TLineTable table;
  ASSERT_TRUE(table.Load(bytes.data(), bytes.size()));
  EXPECT_EQ(table.GenerationTime(), 1700000000u);
  const struct { uint32_t rva; bool found; const char *unit, *proc, *file; int line; } cases[] = {
      {0x1000, true, "UnitA", "ProcOne", "a.cpp", 10},
      {0x1021, true, "UnitA", "ProcOne", "a.cpp", 12},
      {0x1045, true, "UnitA", "<end of unit>", "a.cpp", 12},
      {0x10FF, true, "UnitA", "ProcTwo", "a.cpp", 12},
      {0x11F8, true, "UnitB", "<start of unit>", "", 0},
      {0x1200, true, "UnitB", "ProcThree", "b.cpp", 5},
      {0x12A0, true, "UnitB", "<end of unit>", "b.cpp", 5},
      {0x1150, false, "", "", "", 0},
      {0x0FFF, false, "", "", "", 0},
      {0x1300, false, "", "", "", 0},
  };
  for (const auto& c : cases) {
    TLineTable::Location where;
    EXPECT_EQ(table.Find(c.rva, where), c.found) << std::hex << c.rva;
    EXPECT_EQ(where.Unit, c.unit) << std::hex << c.rva;
    EXPECT_EQ(where.Procedure, c.proc) << std::hex << c.rva;
    EXPECT_EQ(where.File, c.file) << std::hex << c.rva;
    EXPECT_EQ(where.Line, c.line) << std::hex << c.rva;
  }
}

TEST(LineTable, RejectsShortOrForeignBytes) {
  std::vector<uint8_t> bytes = SampleTable();
  TLineTable table;
  EXPECT_FALSE(table.Load(bytes.data(), bytes.size() - 1));
  EXPECT_FALSE(table.Load(bytes.data(), 23));
  bytes[0] = 'X';
  EXPECT_FALSE(table.Load(bytes.data(), bytes.size()));
  EXPECT_FALSE(table.Loaded());
  bytes = SampleTable();
  bytes[8] = 0xFF;  // a unit count far beyond the bytes
  EXPECT_FALSE(table.Load(bytes.data(), bytes.size()));
}
