#include <gtest/gtest.h>

#include "lib/charts/UpdFileRewrite.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/files/FileTools.h"
#include "tests/charts/UpdateTestFiles.h"
#include "tests/charts/ZlibZip.h"

namespace {

constexpr SUpdBlockChange kKeep = {nullptr, 0, false};

// An update file in a folder of its own, and its first bytes.
struct SUpdateFile {
  CScratchDir dir;
  CStr name = dir.Path("chart.upd");
  std::string old;

  explicit SUpdateFile(const std::string& bytes) : old(bytes) { WriteFile(name, bytes); }
  // The file as it was, and nothing beside it.
  bool Unchanged() const {
    return ReadFile(name) == old && dir.Names() == std::vector<std::string>{"chart.upd"};
  }
};

struct SRewriteCase {
  const char* what;
  CStr text;
  bool replaceText;
  SUpdBlockChange blockA, blockB;
  SBuiltUpdate expected;
};

std::vector<SRewriteCase> RewriteCases() {
  const SBuiltUpdate sample = SampleUpdate();
  SBuiltUpdate newText = sample, newA = sample, noB = sample, noText = sample;
  newText.text = "Second notice";
  newA.blockA = std::string("new block A");
  noB.blockB.reset();
  noText.text.clear();
  return {
      {"unchanged", "", false, kKeep, kKeep, sample},
      {"new text", "Second notice", true, kKeep, kKeep, newText},
      {"new block A", "", false, {"new block A", 11, true}, kKeep, newA},
      {"dropped block B", "", false, kKeep, {nullptr, 0, true}, noB},
      {"dropped text", "", true, kKeep, kKeep, noText},
  };
}

// Each rewrite gives the builder's file for the changed update, and leaves
// nothing else in the folder.
TEST(UpdFileRewrite, KeepsReplacesAndDropsBlocks) {
  for (const SRewriteCase& c : RewriteCases()) {
    CScratchDir dir;
    const CStr name = dir.Path("chart.upd");
    WriteFile(name, BuildUpdate2(SampleUpdate()));
    uint32_t error = 99;
    EXPECT_TRUE(
        UpdFileRewrite(name, c.text, c.replaceText, c.blockA, c.blockB, false, &TestZip(), error))
        << c.what;
    EXPECT_EQ(error, 0u) << c.what;
    EXPECT_EQ(ReadFile(name), BuildUpdate2(c.expected)) << c.what;
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"chart.upd"}) << c.what;
  }
}

TEST(UpdFileRewrite, RefusesVersion1) {
  SUpdateFile file(BuildUpdate1(SampleUpdate()));
  uint32_t error = 0;
  EXPECT_FALSE(UpdFileRewrite(file.name, "x", true, kKeep, kKeep, false, &TestZip(), error));
  EXPECT_EQ(error, kErrFileVersionUnsupported);
  EXPECT_TRUE(file.Unchanged());
}

TEST(UpdFileRewrite, NullZipFailsOnlyWhenSomethingIsDeflated) {
  SUpdateFile file(BuildUpdate2(SampleUpdate()));
  uint32_t error = 0;
  EXPECT_FALSE(UpdFileRewrite(file.name, "x", true, kKeep, kKeep, false, nullptr, error));
  EXPECT_EQ(error, kErrCompress);
  EXPECT_TRUE(file.Unchanged());
  EXPECT_TRUE(UpdFileRewrite(file.name, "", false, kKeep, kKeep, false, nullptr, error));
  EXPECT_TRUE(file.Unchanged());
}

// The copied range must hold the record table, the chart descriptor and
// every patch.
TEST(UpdFileRewrite, RefusesRegionsOutsideTheCopy) {
  std::string bytes = BuildUpdate2(SampleUpdate());
  SetU64(bytes, 12 + 0x40, GetU64(bytes, 12 + 0x40) - 1);  // total patch bytes one short
  SUpdateFile file(bytes);
  uint32_t error = 0;
  EXPECT_FALSE(UpdFileRewrite(file.name, "", false, kKeep, kKeep, false, &TestZip(), error));
  EXPECT_EQ(error, kErrFileFormat);
  EXPECT_TRUE(file.Unchanged());
}

TEST(UpdFileRewrite, KeepsTheLastWriteTime) {
  CScratchDir dir;
  const CStr name = dir.Path("chart.upd");
  WriteFile(name, BuildUpdate2(SampleUpdate()));
  const uint64_t past = 130000000000000000ull;  // 2012
  uint32_t error = 0;
  ASSERT_TRUE(FileSetTime(name, nullptr, &past, &past, error));
  for (bool keep : {true, false}) {
    ASSERT_TRUE(UpdFileRewrite(name, "t", true, kKeep, kKeep, keep, &TestZip(), error));
    uint64_t write = 0;
    ASSERT_TRUE(FileGetTime(name, nullptr, nullptr, &write, error));
    EXPECT_EQ(write == past, keep);
  }
}

}  // namespace
