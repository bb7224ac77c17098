#include <gtest/gtest.h>

#include <cstring>

#include "lib/charts/UpdPackage.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "tests/charts/UpdateTestFiles.h"
#include "tests/charts/ZlibZip.h"

namespace {

SBuiltUpdate SecondUpdate() {
  SBuiltUpdate u = SampleUpdate();
  u.chart.guid[0] = 0xEE;
  u.chart.text3 = "NL-1802";
  u.patches = {{1, PatchRun(0, {0x123456})}};
  u.blockA.reset();
  return u;
}

SGuid GuidOf(const SBuiltUpdate& u) {
  SGuid guid;
  std::memcpy(&guid, u.chart.guid, 16);
  return guid;
}

// Two update files in a folder, and the package the builder makes of them.
struct SPackageFiles {
  CScratchDir dir;
  SBuiltUpdate first = SampleUpdate(), second = SecondUpdate();
  std::string firstBytes = BuildUpdate2(first), secondBytes = BuildUpdate1(second);
  CStr package = dir.Path("all.upk");

  SPackageFiles() {
    WriteFile(dir.Path("first.upd"), firstBytes);
    WriteFile(dir.Path("second.upd"), secondBytes);
  }
  std::string Expected() const {
    return BuildPackage({{"first.upd", &first, firstBytes}, {"second.upd", &second, secondBytes}});
  }
  bool Write(uint32_t& error) {
    CStrList names;
    names.Add(dir.Path("first.upd"));
    names.Add(dir.Path("second.upd"));
    return CTCF2UpdPackage::Write(package, names, error);
  }
};

TEST(UpdPackage, WriteGivesTheLayout) {
  SPackageFiles files;
  uint32_t error = 99;
  ASSERT_TRUE(files.Write(error));
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(ReadFile(files.package), files.Expected());

  CStrList none;
  ASSERT_TRUE(CTCF2UpdPackage::Write(files.package, none, error));
  EXPECT_EQ(ReadFile(files.package), std::string("TCFUPDPK\0\0\0\1\0\0\0\0", 16));
}

TEST(UpdPackage, FindCreateAndExtract) {
  SPackageFiles files;
  WriteFile(files.package, files.Expected());
  uint32_t error = 99;
  CTCF2UpdPackage package(files.package, files.dir.Folder().c_str(), error);
  ASSERT_EQ(error, 0u);
  ASSERT_EQ(package.GetCount(), 2);
  const SGuid second = GuidOf(files.second), unknown = {};
  int32_t index = 7;
  EXPECT_TRUE(package.FindItem(&second, &index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(package.FindItem(&unknown, &index));
  EXPECT_EQ(index, -1);

  CTCF2Update* update = package.CreateUpdate(1, &error);
  ASSERT_NE(update, nullptr);
  EXPECT_EQ(package.CreateUpdate(1, &error), update);
  EXPECT_EQ(update->GetFormat(), 1u);
  EXPECT_STREQ(update->GetFileName().c_str(), "second.upd");
  EXPECT_STREQ(update->GetChartDesc()->GetIdText3().c_str(), "NL-1802");
  CMemoryStream patch;
  ASSERT_TRUE(update->ReadTilePatch(patch, 1, &TestZip(), error));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(patch.GetData()), patch.GetSize()),
            files.second.patches[0].raw);
  CStr text;
  ASSERT_TRUE(update->ReadCompressedBlock(text, &TestZip(), error));
  EXPECT_STREQ(text.c_str(), "Notice to mariners");
  EXPECT_EQ(package.CreateUpdate(2, &error), nullptr);
  EXPECT_EQ(error, kErrUnknown);

  std::remove(files.dir.Path("second.upd").c_str());
  EXPECT_TRUE(package.ExtractItem(&second, &error));
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(ReadFile(files.dir.Path("second.upd")), files.secondBytes);
  error = 99;
  EXPECT_FALSE(package.ExtractItem(&unknown, &error));
  EXPECT_EQ(error, 0u);
}

// The later of two items for one chart wins.
TEST(UpdPackage, LaterItemWins) {
  SPackageFiles files;
  WriteFile(files.package, BuildPackage({{"a.upd", &files.first, files.firstBytes},
                                         {"b.upd", &files.first, files.firstBytes}}));
  uint32_t error = 0;
  CTCF2UpdPackage package(files.package, files.dir.Folder().c_str(), error);
  const SGuid guid = GuidOf(files.first);
  int32_t index = -1;
  EXPECT_TRUE(package.FindItem(&guid, &index));
  EXPECT_EQ(index, 1);
}

TEST(UpdPackage, ExtractWritesOnlyPlainNames) {
  for (const char* name : {"..\\evil.upd", "../evil.upd", "C:\\evil.upd", "sub/evil.upd", ".."}) {
    SPackageFiles files;
    WriteFile(files.package, BuildPackage({{name, &files.first, files.firstBytes}}));
    uint32_t error = 0;
    CTCF2UpdPackage package(files.package, files.dir.Folder().c_str(), error);
    ASSERT_EQ(error, 0u);
    const SGuid guid = GuidOf(files.first);
    EXPECT_FALSE(package.ExtractItem(&guid, &error)) << name;
    EXPECT_EQ(error, kErrFileFormat) << name;
    EXPECT_EQ(files.dir.Names(), (std::vector<std::string>{"all.upk", "first.upd", "second.upd"}))
        << name;
  }
}

// A missing update file fails the package, which then does not exist.
TEST(UpdPackage, WriteFailsForAMissingFile) {
  SPackageFiles files;
  std::remove(files.dir.Path("second.upd").c_str());
  uint32_t error = 0;
  EXPECT_FALSE(files.Write(error));
  EXPECT_EQ(error, kErrFileNotFound);
  EXPECT_FALSE(Exists(files.package));
  EXPECT_EQ(files.dir.Names(), std::vector<std::string>{"first.upd"});
}

}  // namespace
