#include "lib/foundation/files/FileSystem.h"

#include <gtest/gtest.h>

#include "lib/foundation/core/ErrorCodes.h"
#include "tests/foundation/RuntimeTestFiles.h"

namespace {

TEST(FileSystem, BackupNames) {
  const char* cases[][2] = {{"chart.wpt", "chart.~wpt"}, {"a.b.c", "a.b.~c"},
                            {"name", "name.~"},         {"name.", "name.~"},
                            {"dir.x\\name", "dir.x\\name.~"}};
  for (const auto& c : cases) EXPECT_EQ(MakeBackupFileName(c[0]), CStr(c[1])) << c[0];
}

TEST(FileSystem, TemporaryNamesSkipExistingFiles) {
  const CStr base = ScratchPath("x");
  const CStr names[] = {base + ".tmp", base + " (1).tmp", base + " (2).tmp"};
  for (const CStr& name : names) {
    EXPECT_EQ(MakeTempFileName(base + ".tcf"), name);
    WriteBytes(name, "t");
  }
  for (const CStr& name : names) RemoveFile(name);
}

TEST(FileSystem, UniqueNamesCountUp) {
  const CStr folder = ScratchFolder();
  const CStr first = MakeUniqueFileName(folder, ScratchName("unique"), ".wpt");
  EXPECT_EQ(first, ScratchPath("unique.wpt"));
  WriteBytes(first, "u");
  EXPECT_EQ(MakeUniqueFileName(folder, ScratchName("unique"), ".wpt"), ScratchPath("unique (1).wpt"));
  RemoveFile(first);
}

TEST(FileSystem, ErrorCodes) {
  const CStr missing = ScratchPath("missing.bin");
  uint32_t error = 0;
  EXPECT_FALSE(FileDelete(missing, error));
  EXPECT_EQ(error, kErrFileNotFound);
  EXPECT_EQ(FileOpen(missing, kFileModeRead, error), nullptr);
  EXPECT_EQ(error, kErrFileNotFound);
  EXPECT_FALSE(FileRename(missing, ScratchPath("other.bin"), error));
  EXPECT_EQ(error, kErrFileNotFound);
  EXPECT_EQ(FileOpen(ScratchFolder(), kFileModeRead, error), nullptr);
  EXPECT_EQ(error, kErrAccessDenied);
  EXPECT_EQ(FileCreate(ScratchFolder(), error), nullptr);
  EXPECT_EQ(error, kErrAccessDenied);

  const CStr path = ScratchPath("seek.bin");
  TFileHandle file = FileCreate(path, error);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(FileSeek(file, -5, kSeekBegin, error), -1);
  EXPECT_EQ(error, kErrFileSeek);
  EXPECT_EQ(FileSeek(file, 0, 7, error), -1);
  EXPECT_EQ(error, kErrFileSeek);
  EXPECT_EQ(FileSeek(file, 3, kSeekBegin, error), 3);
  EXPECT_EQ(error, 0u);
  FileClose(file);
  EXPECT_TRUE(FileExists(path));
  EXPECT_FALSE(DirectoryExists(path));
  EXPECT_TRUE(DirectoryExists(ScratchFolder()));
  EXPECT_FALSE(FileExists(ScratchFolder()));
  EXPECT_TRUE(FileDelete(path, error));
  EXPECT_EQ(error, 0u);
}

TEST(FileSystem, RenameReplacesAndBackupsRotate) {
  const CStr path = ScratchPath("data.wpt"), backup = ScratchPath("data.~wpt");
  const CStr temporary = ScratchPath("data.tmp");
  WriteBytes(path, "old");
  WriteBytes(temporary, "new");
  uint32_t error = 1;
  FileRenameToBackup(path);
  EXPECT_FALSE(FileExists(path));
  EXPECT_EQ(ReadBytes(backup), "old");
  WriteBytes(path, "older");
  EXPECT_TRUE(FileRename(temporary, path, error));  // replaces in one step
  EXPECT_EQ(ReadBytes(path), "new");
  FileRenameToBackup(path);  // replaces the earlier backup
  EXPECT_EQ(ReadBytes(backup), "new");
  WriteBytes(path, "again");
  FileDeleteBackup(path);
  EXPECT_FALSE(FileExists(backup));
  RemoveFile(path);
}

TEST(FileSystem, PlainFileNames) {
  const char* plain[] = {"chart.tcf", "Zee\xEBn.tcf", "a b", "..x"};
  const char* escaping[] = {"", ".", "..", "..\\x", "../x", "sub\\x", "C:x", "/etc/passwd"};
  for (const char* name : plain) EXPECT_TRUE(IsPlainFileName(name)) << name;
  for (const char* name : escaping) EXPECT_FALSE(IsPlainFileName(name)) << name;
}

}  // namespace
