#include "lib/foundation/files/AtomicFileWriter.h"

#include <gtest/gtest.h>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/files/FileFaults.h"
#include "lib/foundation/files/FileSystem.h"
#include "tests/foundation/RuntimeTestFiles.h"

namespace {

class AtomicFileWriter : public ::testing::Test {
 protected:
  void SetUp() override {
    m_Target = ScratchPath("atomic.dat");
    WriteBytes(m_Target, "old contents");
  }
  void TearDown() override {
    td::FileFaultArm(0);
    RemoveFile(m_Target);
  }

  // Writes "new contents" through a writer; whether Commit succeeded.
  bool WriteNew(uint32_t& error, CStr& tempName) {
    CAtomicFileWriter writer;
    if (!writer.Open(m_Target, 4096, error)) return false;
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
  EXPECT_EQ(ReadBytes(m_Target), "new contents");
  EXPECT_FALSE(FileExists(tempName));
  EXPECT_TRUE(tempName.GetLength() > 4 && tempName.Right(4) == ".tmp");
}

TEST_F(AtomicFileWriter, AWriterLeftUncommittedRemovesItsFileAndKeepsTheTarget) {
  CStr tempName;
  {
    CAtomicFileWriter writer;
    uint32_t error = 99;
    ASSERT_TRUE(writer.Open(m_Target, 4096, error));
    tempName = writer.GetTempName();
    writer.Stream().WriteBuf("partial", 7, error);
  }
  EXPECT_FALSE(FileExists(tempName));
  EXPECT_EQ(ReadBytes(m_Target), "old contents");
}

// The create, the write, the flush and the rename fail in turn: each leaves
// the old file and no temporary file; past them the write succeeds.
TEST_F(AtomicFileWriter, AFailureAtAnyStepKeepsTheOldFile) {
  for (int32_t n = 1;; ++n) {
    SCOPED_TRACE(n);
    td::FileFaultArm(n);
    uint32_t error = 0;
    CStr tempName;
    const bool written = WriteNew(error, tempName);
    if (td::FileFaultCount() < n) {  // every step passed
      EXPECT_TRUE(written);
      EXPECT_GE(n, 5);
      break;
    }
    EXPECT_FALSE(written);
    EXPECT_NE(error, 0u);
    EXPECT_EQ(ReadBytes(m_Target), "old contents");
    if (tempName.GetLength() > 0) {
      EXPECT_FALSE(FileExists(tempName));
    }
  }
  EXPECT_EQ(ReadBytes(m_Target), "new contents");
}

}  // namespace
