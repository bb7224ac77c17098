#include "lib/foundation/files/FileTools.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "lib/foundation/time/DateTime.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "tests/foundation/RuntimeTestFiles.h"

namespace {

void Progress(void* user, double percent, void* user2) {
  static_cast<std::vector<double>*>(user)->push_back(percent);
  EXPECT_EQ(user2, nullptr);
}

TEST(FileTools, CopyOfAnEmptyFileReportsZeroOnceAndKeepsTimes) {
  const CStr source = ScratchPath("empty.src"), target = ScratchPath("empty.dst");
  WriteBytes(source, "");
  const uint64_t written = 130000000000000000ull;  // 2012-12-18
  uint32_t error = 1;
  ASSERT_TRUE(FileSetTime(source, nullptr, nullptr, &written, error));
  SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN);
  std::vector<double> reports;
  ASSERT_TRUE(FileCopySafe(source, target, 1, Progress, &reports, nullptr));
  EXPECT_EQ(reports, std::vector<double>{0.0});
  uint64_t creation = 0, access = 0, write = 0;
  ASSERT_TRUE(FileGetTime(target, &creation, &access, &write, error));
  EXPECT_EQ(creation, written);
  EXPECT_EQ(write, written);
  EXPECT_TRUE(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_FALSE(FileExists(ScratchPath("empty.tmp")));
  SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveFile(source);
  RemoveFile(target);
}

TEST(FileTools, CopyReportsProgressAndReplacesTheTarget) {
  const CStr source = ScratchPath("big.src"), target = ScratchPath("big.dst");
  WriteBytes(source, std::string(3000, 'b'));
  WriteBytes(target, "old");
  std::vector<double> reports;
  ASSERT_TRUE(FileCopySafe(source, target, 1024, Progress, &reports, nullptr));
  ASSERT_EQ(reports.size(), 4u);
  EXPECT_DOUBLE_EQ(reports[1], 1024 * 100.0 / 3000);
  EXPECT_EQ(reports[3], 100.0);
  EXPECT_EQ(ReadBytes(target), std::string(3000, 'b'));
  EXPECT_FALSE(FileCopySafe(ScratchPath("missing.src"), target, 1024, nullptr, nullptr, nullptr));
  EXPECT_EQ(ReadBytes(target), std::string(3000, 'b'));
  RemoveFile(source);
  RemoveFile(target);
}

void ThrowAtHalf(void*, double percent, void*) {
  if (percent >= 50) throw 7;
}

TEST(FileTools, ACopyEndingInAnExceptionClosesAndRemovesEverything) {
  const CStr source = ScratchPath("thrown.src"), target = ScratchPath("thrown.dst");
  WriteBytes(source, std::string(3000, 't'));
  WriteBytes(target, "old");
  EXPECT_THROW(FileCopySafe(source, target, 1024, ThrowAtHalf, nullptr, nullptr), int);
  EXPECT_EQ(ReadBytes(target), "old");
  EXPECT_FALSE(FileExists(ScratchPath("thrown.tmp")));
  // Deleting fails while a handle without delete sharing is still open.
  EXPECT_TRUE(DeleteFileA(source.c_str()));
  RemoveFile(target);
}

TEST(FileTools, AFailedRenameToBackupKeepsTheOlderBackup) {
  const CStr path = ScratchPath("held.wpt"), backup = ScratchPath("held.~wpt");
  WriteBytes(path, "new");
  WriteBytes(backup, "older");
  // An open handle that does not share deletion makes the rename fail.
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  FileRenameToBackup(path);
  CloseHandle(held);
  EXPECT_EQ(ReadBytes(backup), "older");
  EXPECT_EQ(ReadBytes(path), "new");
  RemoveFile(path);
  RemoveFile(backup);
}

// Wine keeps no creation time of its own, so only what it reports is checked:
// a new file's date is now, in local time.
TEST(FileTools, FileDatesInLocalTime) {
  const CStr path = ScratchPath("dated.bin");
  WriteBytes(path, "d");
  uint32_t error = 1;
  EXPECT_NEAR(GetFileDate(path, error), Now(), 60.0 / 86400);
  EXPECT_EQ(error, 0u);
  EXPECT_TRUE(SetFileDate(path, error, EncodeDateTime(2019, 6, 30, 13, 45, 10, 0)));
  EXPECT_EQ(error, 0u);
  EXPECT_FALSE(SetFileDate(path, error, NAN));
  EXPECT_EQ(error, kErrFileSetTime);
  GetFileDate(ScratchPath("missing.bin"), error);
  EXPECT_EQ(error, kErrFileNotFound);
  RemoveFile(path);
}

TEST(FileTools, FindFilesSkipsDotEntriesAndDescends) {
  const CStr root = ScratchPath("find");
  CreateDirectoryA(root.c_str(), nullptr);
  CreateDirectoryA((root + "\\sub").c_str(), nullptr);
  WriteBytes(root + "\\a.txt", "a");
  WriteBytes(root + "\\sub\\b.txt", "b");
  CStrList found(false);
  FindFiles(root, "*.txt", true, found);
  ASSERT_EQ(found.GetCount(), 2);
  EXPECT_EQ(found.GetString(0), root + "\\a.txt");
  EXPECT_EQ(found.GetString(1), root + "\\sub\\b.txt");
  RemoveFile(root + "\\sub\\b.txt");
  RemoveFile(root + "\\a.txt");
  RemoveDirectoryA((root + "\\sub").c_str());
  RemoveDirectoryA(root.c_str());
}

TEST(FileTools, RunAndWaitGivesTheExitCode) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  const CStr cmd = CStr(system) + "\\cmd.exe";
  uint32_t code = 0;
  ASSERT_TRUE(RunAndWait(cmd, "cmd.exe /c exit 7", "", SW_HIDE, code));
  EXPECT_EQ(code, 7u);
  EXPECT_FALSE(RunAndWait(CStr(system) + "\\no-such-program.exe", "x", "", SW_HIDE, code));
}

}  // namespace
