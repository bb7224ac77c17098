#include "lib/foundation/AtomicFileWriter.h"

#include <gtest/gtest.h>

#include "lib/foundation/ErrorCodes.h"
#include "lib/foundation/FileFaults.h"
#include "lib/foundation/FileSystem.h"
#include "tests/foundation/RuntimeTestFiles.h"

namespace {

class AtomicFileWriter : public ::testing::Test {
 protected:
  void SetUp() override {
    m_Target = ScratchPath("atomic.dat");
    WriteBytes(m_Target, "old contents");
  }
  void TearDown() override {
    FileFaultReset();
    RemoveFile(m_Target);
  }

  // Writes "new contents" through a writer; whether Commit succeeded.
  bool WriteNew(uint32_t& error, CStr& tempName) {
    CAtomicFileWriter writer;
    if (!writer.Open(m_Target, error)) return false;
    tempName = writer.GetTempName();
    EXPECT_TRUE(FileExists(tempName));
    writer.Stream().WriteBuf("new contents", 12, error);
    return writer.Commit(error);
  }

  CStr m_Target;
};

TEST_F(AtomicFileWriter, CommitPutsTheNewFileInPlaceOfTheOld) {
  uint32_t error = 99;
  CStr tempName;
  ASSERT_TRUE(WriteNew(error, tempName));
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(ReadBytes(m_Target), "new contents");
  EXPECT_FALSE(FileExists(tempName));
  EXPECT_TRUE(tempName.GetLength() > 4 && tempName.Right(4) == ".tmp");
}

TEST_F(AtomicFileWriter, AWriterLeftUncommittedRemovesItsFileAndKeepsTheTarget) {
  CStr tempName;
  {
    CAtomicFileWriter writer;
    uint32_t error = 99;
    ASSERT_TRUE(writer.Open(m_Target, error));
    tempName = writer.GetTempName();
    writer.Stream().WriteBuf("partial", 7, error);
  }
  EXPECT_FALSE(FileExists(tempName));
  EXPECT_EQ(ReadBytes(m_Target), "old contents");
}

struct SFaultCase {
  EFileFault Operation;
  uint32_t Code;
};

// Each step that can fail leaves the old file and no temporary file.
TEST_F(AtomicFileWriter, AFailureAtAnyStepKeepsTheOldFile) {
  const SFaultCase cases[] = {
      {EFileFault::Create, kErrFileCreate}, {EFileFault::Write, kErrFileWrite},
      {EFileFault::Flush, kErrFileWrite},   {EFileFault::Close, kErrFileWrite},
      {EFileFault::Rename, kErrFileRename},
  };
  for (const SFaultCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Operation));
    FileFaultArm(c.Operation, 1);
    uint32_t error = 0;
    CStr tempName;
    EXPECT_FALSE(WriteNew(error, tempName));
    EXPECT_EQ(error, c.Code);
    EXPECT_EQ(ReadBytes(m_Target), "old contents");
    if (tempName.GetLength() > 0) {
      EXPECT_FALSE(FileExists(tempName));
    }
    FileFaultReset();
  }
}

TEST(FileFaults, FailTheArmedCallOnlyAndCountEachOperationApart) {
  FileFaultArm(EFileFault::Write, 3);
  FileFaultArm(EFileFault::Delete, 1);
  EXPECT_FALSE(FileFaultHit(EFileFault::Write));
  EXPECT_FALSE(FileFaultHit(EFileFault::Flush));
  EXPECT_FALSE(FileFaultHit(EFileFault::Write));
  EXPECT_TRUE(FileFaultHit(EFileFault::Write));
  EXPECT_FALSE(FileFaultHit(EFileFault::Write));
  uint32_t error = 0;
  EXPECT_TRUE(FileFaultHit(EFileFault::Delete, kErrFileDelete, error));
  EXPECT_EQ(error, kErrFileDelete);
  FileFaultArm(EFileFault::Rename, 1);
  FileFaultReset();
  EXPECT_FALSE(FileFaultHit(EFileFault::Rename));
}

}  // namespace
