#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "lib/foundation/streams/BufferedFileStream.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/core/Exception.h"
#include "lib/foundation/streams/FileStream.h"
#include "tests/foundation/RuntimeTestFiles.h"

namespace {

TEST(FileStream, OpenReportsFileErrors) {
  CFileStream s;
  uint32_t error = 0;
  EXPECT_FALSE(s.Open(ScratchPath("missing.bin"), kFileModeRead, error));
  EXPECT_EQ(error, kErrFileNotFound);
  EXPECT_FALSE(s.Open(ScratchFolder(), kFileModeRead, error));  // a folder as a file
  EXPECT_EQ(error, kErrAccessDenied);
  EXPECT_FALSE(s.Open(ScratchPath("missing.bin"), 0x0003, error));  // no such access
  EXPECT_EQ(error, kErrFileOpen);
  CBufferedFileStream b;
  EXPECT_FALSE(b.Open(ScratchPath("missing.bin"), kFileModeReadWrite, 1024, error));
  EXPECT_EQ(error, kErrFileNotFound);
}

TEST(FileStream, OpeningConstructorsThrowWithTheName) {
  const CStr name = ScratchPath("missing.bin");
  try {
    CFileStream s(name, kFileModeRead);
    FAIL();
  } catch (const CStreamError& e) {
    EXPECT_EQ(CStr(e.what()), CStr("CFileStream::Open: Cannot open file ") + name);
  }
  try {
    CBufferedFileStream s(name, kFileModeRead, 1024);
    FAIL();
  } catch (const CStreamError& e) {
    EXPECT_EQ(CStr(e.what()), CStr("CBufferedFileStream::Open: Cannot open file ") + name);
  }
}

TEST(FileStream, ReadsWritesAndSizes) {
  const CStr path = ScratchPath("plain.bin");
  {
    CFileStream s(path, kFileModeCreate);
    EXPECT_EQ(s.Write("hello world", 11), 11);
    EXPECT_EQ(s.GetSize(), 11);
    EXPECT_EQ(s.GetPosition(), 11);
    EXPECT_TRUE(s.SetSize(5));
    EXPECT_EQ(s.GetPosition(), 5);
    EXPECT_EQ(s.Seek(-1, 0), -1);
    EXPECT_EQ(s.Seek(1, 0), 1);
    char out[8] = {};
    EXPECT_EQ(s.Read(out, 8), 4);
    EXPECT_EQ(std::string(out), "ello");
  }
  EXPECT_EQ(ReadBytes(path), "hello");
  CFileStream readOnly(path, kFileModeRead);
  EXPECT_EQ(readOnly.Write("x", 1), -1);
  readOnly.Close();
  RemoveFile(path);
}

TEST(FileStream, DeleteOnCloseDeletesTheFile) {
  const CStr path = ScratchPath("doomed.bin");
  {
    CFileStream s(path, kFileModeCreate);
    s.SetDeleteOnClose(true);
  }
  EXPECT_FALSE(FileExists(path));
  CBufferedFileStream b(path, kFileModeCreate, 1024);
  b.SetDeleteOnClose(true);
  b.Write("abc", 3);
  EXPECT_TRUE(b.Close());
  EXPECT_FALSE(FileExists(path));
}

TEST(BufferedFileStream, BufferSizeIsRoundedAndCapped) {
  const CStr path = ScratchPath("sizes.bin");
  const int32_t cases[][2] = {{1, 1024}, {100, 1024}, {1024, 1024}, {2049, 3072},
                              {40000, 32768}, {0, 1024}, {-7, 1024}};
  for (const auto& c : cases) {
    CBufferedFileStream s(path, kFileModeCreate, c[0]);
    EXPECT_EQ(s.GetBufferSize(), c[1]) << c[0];
  }
  RemoveFile(path);
}

TEST(BufferedFileStream, SeekBeyondTheEndChangesNothing) {
  const CStr path = ScratchPath("seek.bin");
  WriteBytes(path, std::string(3000, 'a'));
  CBufferedFileStream s(path, kFileModeReadWrite, 1024);
  EXPECT_EQ(s.Seek(1500, 0), 1500);
  EXPECT_EQ(s.Seek(3001, 0), -1);
  EXPECT_EQ(s.Seek(2, 2), -1);
  EXPECT_EQ(s.Seek(-1501, 1), -1);
  EXPECT_EQ(s.Seek(INT64_MAX, 1), -1);
  EXPECT_EQ(s.GetPosition(), 1500);
  s.Close();
  RemoveFile(path);
}

TEST(BufferedFileStream, GrowingReadsBackZeros) {
  const CStr path = ScratchPath("grow.bin");
  CBufferedFileStream s(path, kFileModeCreate, 1024);
  s.Write(std::string(100, 'x').data(), 100);
  ASSERT_TRUE(s.SetSize(50));
  ASSERT_TRUE(s.SetSize(2000));  // bytes 50..99 must not come back
  s.Seek(0, 0);
  std::string back(2000, '?');
  EXPECT_EQ(s.Read(back.data(), 2000), 2000);
  EXPECT_EQ(back, std::string(50, 'x') + std::string(1950, '\0'));
  EXPECT_TRUE(s.Close());
  EXPECT_EQ(ReadBytes(path), back);
  RemoveFile(path);
}

// The file shrinks behind the stream's back: reads end instead of looping.
TEST(BufferedFileStream, ReadStopsWhenTheFileGivesNothing) {
  const CStr path = ScratchPath("shrunk.bin");
  WriteBytes(path, std::string(3000, 'a'));
  CBufferedFileStream s(path, kFileModeRead | kFileShareReadWrite, 1024);
  {
    CFileStream other(path, kFileModeReadWrite | kFileShareReadWrite);
    ASSERT_TRUE(other.SetSize(0));
  }
  std::string back(3000, '?');
  EXPECT_EQ(s.Read(back.data(), 3000), 0);
  s.Close();
  RemoveFile(path);
}

TEST(BufferedFileStream, WriteFailuresStick) {
  const CStr path = ScratchPath("readonly.bin");
  WriteBytes(path, std::string(3000, 'a'));
  {
    CBufferedFileStream s(path, kFileModeRead, 1024);
    EXPECT_EQ(s.Write("bbbb", 4), 4);  // only buffered so far
    EXPECT_EQ(s.Seek(2048, 0), 2048);  // the block is written out, and fails
    EXPECT_EQ(s.Write("cccc", 4), -1);
    EXPECT_FALSE(s.Flush());
    EXPECT_FALSE(s.Close());
  }
  {
    CBufferedFileStream s(path, kFileModeRead, 1024);
    EXPECT_EQ(s.Write(std::string(5000, 'd').data(), 5000), -1);  // fails at the block edge
    EXPECT_FALSE(s.Close());
  }
  {
    CBufferedFileStream s(path, kFileModeRead, 1024);
    EXPECT_FALSE(s.SetSize(10));
    EXPECT_FALSE(s.Close());
  }
  EXPECT_EQ(ReadBytes(path), std::string(3000, 'a'));
  RemoveFile(path);
}

// Random seeks, reads, writes and size changes across block edges, checked
// against a plain in-memory model of the file.
TEST(BufferedFileStream, MatchesAMemoryModel) {
  const CStr path = ScratchPath("model.bin");
  std::mt19937 rng(20240229);
  std::vector<char> model(3000);
  for (char& c : model) c = static_cast<char>(rng());
  WriteBytes(path, std::string(model.begin(), model.end()));
  CBufferedFileStream s(path, kFileModeReadWrite, 1024);
  int64_t position = 0;
  auto near_edge = [&]() { return static_cast<int64_t>(rng() % 8) * 1024 + rng() % 7 - 3; };
  for (int step = 0; step < 3000; ++step) {
    const int64_t size = static_cast<int64_t>(model.size());
    switch (rng() % 4) {
      case 0: {
        const int origin = rng() % 3;
        const int64_t from = origin == 0 ? 0 : origin == 1 ? position : size;
        const int64_t target = near_edge();
        const bool valid = target >= 0 && target <= size;
        ASSERT_EQ(s.Seek(target - from, origin), valid ? target : -1) << step;
        if (valid) position = target;
        break;
      }
      case 1: {
        const int32_t n = rng() % 2600;
        std::vector<char> out(n + 1);
        const int32_t expected = static_cast<int32_t>(std::min<int64_t>(n, size - position));
        ASSERT_EQ(s.Read(out.data(), n), expected) << step;
        ASSERT_TRUE(std::equal(out.begin(), out.begin() + expected, model.begin() + position))
            << step;
        position += expected;
        break;
      }
      case 2: {
        const int32_t n = 1 + rng() % 2600;
        std::vector<char> in(n);
        for (char& c : in) c = static_cast<char>(rng());
        ASSERT_EQ(s.Write(in.data(), n), n) << step;
        if (position + n > size) model.resize(position + n);
        std::copy(in.begin(), in.end(), model.begin() + position);
        position += n;
        break;
      }
      default: {
        const int64_t newSize = std::max<int64_t>(near_edge(), 0);
        ASSERT_TRUE(s.SetSize(newSize)) << step;
        model.resize(newSize, 0);
        position = std::min(position, newSize);
        break;
      }
    }
    ASSERT_EQ(s.GetPosition(), position) << step;
    ASSERT_EQ(s.GetSize(), static_cast<int64_t>(model.size())) << step;
  }
  ASSERT_TRUE(s.Close());
  EXPECT_TRUE(ReadBytes(path) == std::string(model.begin(), model.end()));
  RemoveFile(path);
}

// The same mix over a file whose every write fails: the failure sticks, the
// stream stays consistent, Close reports it and the file keeps its bytes.
TEST(BufferedFileStream, RandomMixWithFailingWrites) {
  const CStr path = ScratchPath("failing.bin");
  const std::string original(5000, 'o');
  WriteBytes(path, original);
  std::mt19937 rng(7);
  for (int round = 0; round < 20; ++round) {
    CBufferedFileStream s(path, kFileModeRead, 1024);
    bool wrote = false, failed = false;
    for (int step = 0; step < 200; ++step) {
      switch (rng() % 4) {
        case 0:
          s.Seek(static_cast<int64_t>(rng() % 7000), 0);
          break;
        case 1: {
          std::vector<char> out(3000);
          const int32_t n = s.Read(out.data(), 3000);
          ASSERT_GE(n, 0);
          ASSERT_LE(n, 3000);
          break;
        }
        case 2: {
          const std::string bytes(1 + rng() % 3000, 'w');
          const int32_t result = s.Write(bytes.data(), static_cast<int32_t>(bytes.size()));
          ASSERT_FALSE(failed && result != -1) << "the failure must stick";
          failed = failed || result == -1;
          wrote = true;
          break;
        }
        default:
          s.SetSize(static_cast<int64_t>(rng() % 7000));
          wrote = true;
          break;
      }
      ASSERT_LE(s.GetPosition(), s.GetSize());
      ASSERT_GE(s.GetSize(), 0);
    }
    EXPECT_EQ(s.Close(), !wrote);
    ASSERT_EQ(ReadBytes(path), original);
  }
  RemoveFile(path);
}

}  // namespace
