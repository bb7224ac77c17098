#include <gtest/gtest.h>

#include "lib/charts/UpdPackage.h"
#include "lib/charts/Update.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "tests/charts/UpdateTestFiles.h"
#include "tests/charts/ZlibZip.h"

namespace {

constexpr uint64_t kHuge = 0xFFFFFFFFFFFFFFF0ull;

uint32_t OpenUpdate(const CScratchDir& dir, const std::string& bytes) {
  WriteFile(dir.Path("bad.upd"), bytes);
  uint32_t error = 0;
  CTCF2Update update(dir.Path("bad.upd"), error);
  return error;
}

uint32_t OpenPackage(const CScratchDir& dir, const std::string& bytes) {
  WriteFile(dir.Path("bad.upk"), bytes);
  uint32_t error = 0;
  CTCF2UpdPackage package(dir.Path("bad.upk"), dir.Folder().c_str(), error);
  return error;
}

// Where the 1.0.0.0 sample keeps its record count.
size_t Version1CountAt(const SBuiltChart& c) {
  return 40 + 16 + c.text1.size() + c.text2.size() + c.text3.size() + c.text4.size() + 8 + 8;
}

// Where the package's first item keeps its offset.
size_t ItemOffsetAt(const std::string& name, const SBuiltChart& c) {
  return 16 + 8 + 16 + 4 + name.size() + 4 + 4 + c.text1.size() + 4 + c.text2.size();
}

TEST(UpdateBadInput, EveryCutFails) {
  const SBuiltUpdate sample = SampleUpdate();
  const std::string v2 = BuildUpdate2(sample), v1 = BuildUpdate1(sample);
  const std::string package = BuildPackage({{"a.upd", &sample, v2}});
  CScratchDir dir;
  for (const std::string* bytes : {&v2, &v1})
    for (size_t n = 0; n < bytes->size(); ++n)
      EXPECT_NE(OpenUpdate(dir, bytes->substr(0, n)), 0u) << n;
  // A package cut inside its table fails; one cut in its data fails with
  // the item outside the data.
  for (size_t n = 0; n < package.size(); ++n)
    EXPECT_NE(OpenPackage(dir, package.substr(0, n)), 0u) << n;
}

struct SMutation {
  const char* what;
  std::string bytes;
  uint32_t error = kErrFileFormat;
};

std::vector<SMutation> UpdateMutations() {
  const SBuiltUpdate sample = SampleUpdate();
  const std::string v2 = BuildUpdate2(sample), v1 = BuildUpdate1(sample);
  const uint64_t size = v2.size(), table = GetU64(v2, 12 + 0x18);
  std::vector<SMutation> m;
  auto v2With = [&](const char* what, size_t at, uint64_t value, int bytes) {
    m.push_back({what, v2});
    bytes == 8 ? SetU64(m.back().bytes, at, value)
               : SetU32(m.back().bytes, at, static_cast<uint32_t>(value));
  };
  v2With("record count huge", 12 + 0x4C, 0xFFFFFFFF, 4);
  m.push_back({"count x 16 wraps 32 bits", v2});
  SetU32(m.back().bytes, 12 + 0x4C, 0x10000000);
  SetU32(m.back().bytes, 12 + 0x48, 0);
  v2With("record table past the end", 12 + 0x18, size, 8);
  v2With("record table in the header", 12 + 0x18, 100, 8);
  v2With("chart descriptor huge", 12 + 0x50, 0xFFFFFFFF, 4);
  v2With("chart descriptor offset wraps", 12 + 0x20, kHuge, 8);
  v2With("block A past the end", 12 + 0x30, size - 1, 8);
  v2With("block B size past the end", 12 + 0x54, size, 4);
  v2With("block C offset huge", 12 + 0x38, kHuge, 8);
  v2With("patch past the end", table + 8, size, 8);
  v2With("patch size past the end", table + 4, size, 4);
  v2With("patch in the header", table + 8, 4, 8);
  v2With("chart descriptor too small for its texts", 12 + 0x50, 30, 4);
  m.back().error = kErrFileRead;

  const size_t count = Version1CountAt(sample.chart), records = count + 4,
               correction = records + 60;
  auto v1With = [&](const char* what, size_t at, uint64_t value, int bytes) {
    m.push_back({what, v1});
    bytes == 8 ? SetU64(m.back().bytes, at, value)
               : SetU32(m.back().bytes, at, static_cast<uint32_t>(value));
  };
  v1With("1.0.0.0 count negative", count, 0xFFFFFFFF, 4);
  v1With("1.0.0.0 count huge", count, 0x7FFFFFFF, 4);
  v1With("1.0.0.0 count beyond the bytes", count, 100, 4);
  v1With("1.0.0.0 correction wraps", correction, ~uint64_t{199}, 8);
  v1With("1.0.0.0 record size huge", records + 12, uint64_t{1} << 32, 8);
  v1With("1.0.0.0 block C past the end", correction + 8, v1.size(), 8);
  v1With("1.0.0.0 block C length huge", GetU64(v1, correction + 8), kHuge, 8);
  v1With("1.0.0.0 text longer than the file", 40, 0x7FFFFFFF, 4);
  m.back().error = kErrFileRead;
  return m;
}

TEST(UpdateBadInput, RegionsOutsideTheUpdate) {
  CScratchDir dir;
  for (const SMutation& m : UpdateMutations())
    EXPECT_EQ(OpenUpdate(dir, m.bytes), m.error) << m.what;
}

TEST(UpdateBadInput, PackageItemsOutsideTheData) {
  const SBuiltUpdate sample = SampleUpdate();
  const std::string update = BuildUpdate2(sample);
  const std::string package = BuildPackage({{"a.upd", &sample, update}});
  const size_t offset = ItemOffsetAt("a.upd", sample.chart);
  const size_t size =
      offset + 8 + 4 + 4 + sample.chart.text3.size() + 4 + sample.chart.text4.size();
  ASSERT_EQ(GetU64(package, size), update.size());
  const struct {
    const char* what;
    size_t at;
    uint64_t value;
    int bytes;
  } cases[] = {{"count huge", 12, 0x7FFFFFFF, 4},
               {"count negative", 12, 0xFFFFFFFF, 4},
               {"offset past the data", offset, 1, 8},
               {"offset negative", offset, kHuge, 8},
               {"size past the data", size, update.size() + 1, 8},
               {"size negative", size, kHuge, 8}};
  CScratchDir dir;
  for (const auto& c : cases) {
    std::string bytes = package;
    c.bytes == 8 ? SetU64(bytes, c.at, c.value)
                 : SetU32(bytes, c.at, static_cast<uint32_t>(c.value));
    EXPECT_EQ(OpenPackage(dir, bytes), kErrFileFormat) << c.what;
  }
}

// An item whose update is damaged gives no update; the package stays usable.
TEST(UpdateBadInput, DamagedItemInAPackage) {
  const SBuiltUpdate sample = SampleUpdate();
  std::string damaged = BuildUpdate2(sample);
  SetU64(damaged, 12 + 0x18, 100);
  const std::string good = BuildUpdate2(sample);
  CScratchDir dir;
  WriteFile(dir.Path("p.upk"),
            BuildPackage({{"a.upd", &sample, damaged}, {"b.upd", &sample, good}}));
  uint32_t error = 0;
  CTCF2UpdPackage package(dir.Path("p.upk"), dir.Folder().c_str(), error);
  ASSERT_EQ(error, 0u);
  EXPECT_EQ(package.CreateUpdate(0, &error), nullptr);
  EXPECT_EQ(error, kErrFileFormat);
  CTCF2Update* update = package.CreateUpdate(1, &error);
  ASSERT_NE(update, nullptr);
  EXPECT_EQ(update->GetRecordCount(), 3);
}

}  // namespace
