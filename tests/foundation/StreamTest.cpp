#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/core/Exception.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "lib/foundation/streams/PointerStream.h"
#include "lib/foundation/streams/StreamFunctions.h"

namespace {

std::string Contents(CMemoryStream& stream) {
  return std::string(reinterpret_cast<const char*>(stream.GetData()),
                     static_cast<size_t>(stream.GetSize()));
}

// A read-only stream over bytes written down as text.
struct SBytes {
  explicit SBytes(std::string bytes) : Data(std::move(bytes)), Stream(Data.data(), Data.size()) {}
  std::string Data;
  CConstPointerStream Stream;
};

TEST(Stream, TypedWritersLayFieldsLittleEndian) {
  CMemoryStream s;
  uint32_t error = 1;
  ASSERT_TRUE(s.WriteWORD(0x1234, error));
  s.WriteDWORD(0x89ABCDEF, error);
  s.WriteLong(-2, error);
  s.WriteVersion(0x02000000, error);
  s.WriteBool(true, error);
  s.WriteFloat(1.0f, error);
  s.WriteDouble(-2.0, error);
  s.WriteInt64(-1, error);
  StreamWriteShort(s, -3);
  StreamWrite2DF(s, S2DF{1.0f, 2.0f});
  EXPECT_EQ(error, 0u);
  const std::string expected(
      "\x34\x12"
      "\xEF\xCD\xAB\x89"
      "\xFE\xFF\xFF\xFF"
      "\x00\x00\x00\x02"
      "\x01"
      "\x00\x00\x80\x3F"
      "\x00\x00\x00\x00\x00\x00\x00\xC0"
      "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF"
      "\xFD\xFF"
      "\x00\x00\x80\x3F\x00\x00\x00\x40",
      45);
  EXPECT_EQ(Contents(s), expected);
}

TEST(Stream, ReadersTakeBackWhatWritersWrote) {
  CMemoryStream s;
  const SGuid guid = {0x01020304, 0x0506, 0x0708, {9, 10, 11, 12, 13, 14, 15, 16}};
  StreamWriteGUID(s, guid);
  StreamWriteDateTime(s, 36526.5);
  StreamWrite2DD(s, S2DD{-1.5, 2.25});
  StreamWriteBool(s, false);
  s.Seek(0, 0);
  SGuid back;
  uint32_t error = 1;
  ASSERT_TRUE(s.ReadGUID(back, error));
  EXPECT_EQ(std::memcmp(&guid, &back, 16), 0);
  EXPECT_EQ(StreamReadDateTime(s), 36526.5);
  const S2DD point = StreamRead2DD(s);
  EXPECT_EQ(point.X, -1.5);
  EXPECT_EQ(point.Y, 2.25);
  EXPECT_FALSE(StreamReadBool(s));
}

TEST(Stream, StringsAndHeaders) {
  CMemoryStream s;
  StreamWriteStr(s, "TidemarA");
  StreamWriteHeader(s, "TidemarA");
  EXPECT_EQ(Contents(s), std::string("\x08\x00\x00\x00TidemarATidemarA", 20));

  CMemoryStream shortStr;
  uint32_t error = 1;
  const CStr longText(std::string(300, 'x').c_str());
  ASSERT_TRUE(shortStr.WriteShortStr(longText, error));
  EXPECT_EQ(shortStr.GetSize(), 256);
  EXPECT_EQ(shortStr.GetData()[0], 255);
  shortStr.Seek(0, 0);
  CStr back;
  ASSERT_TRUE(shortStr.ReadShortStr(back, error));
  EXPECT_EQ(back.GetLength(), 255);
}

TEST(Stream, EmptyStringReadsNothingMore) {
  SBytes bytes(std::string("\0\0\0\0\x41", 5));
  CStr value("old");
  uint32_t error = 1;
  ASSERT_TRUE(bytes.Stream.ReadStr(value, error));
  EXPECT_EQ(value.GetLength(), 0);
  EXPECT_EQ(bytes.Stream.GetPosition(), 4);
}

// Hostile lengths are refused before anything is allocated.
TEST(Stream, HostileStringLengths) {
  const struct {
    std::string Bytes;
    uint32_t Error;
  } cases[] = {
      {std::string("\xFF\xFF\xFF\xFF", 4), kErrFileFormat},  // -1
      {std::string("\x00\x00\x00\x80", 4), kErrFileFormat},  // INT32_MIN
      {std::string("\xFF\xFF\xFF\x7F", 4), kErrFileRead},    // 2 GB in a tiny stream
      {std::string("\x05\x00\x00\x00" "abcd", 8), kErrFileRead},  // one byte missing
      {std::string("\x01\x00", 2), kErrFileRead},            // the length itself is short
  };
  for (const auto& c : cases) {
    SBytes bytes(c.Bytes);
    CStr value;
    uint32_t error = 0;
    EXPECT_FALSE(bytes.Stream.ReadStr(value, error));
    EXPECT_EQ(error, c.Error) << c.Bytes.size();
  }
  SBytes negative(std::string("\xFF\xFF\xFF\xFF", 4));
  EXPECT_THROW(StreamReadStr(negative.Stream), CStreamError);
  SBytes huge(std::string("\xFF\xFF\xFF\x7F", 4));
  try {
    StreamReadStr(huge.Stream);
    FAIL();
  } catch (const CStreamError& e) {
    EXPECT_STREQ(e.what(), "StreamReadStr: Read beyond end of stream.");
  }
  SBytes shortByte(std::string("\x09" "abc", 4));
  CStr value;
  uint32_t error = 0;
  EXPECT_FALSE(shortByte.Stream.ReadShortStr(value, error));
  EXPECT_EQ(error, kErrFileRead);
}

TEST(Stream, CheckHeader) {
  uint32_t error = 0;
  SBytes atEnd("Tdm");
  EXPECT_FALSE(atEnd.Stream.CheckHeader("Tdm TCF2", error));
  EXPECT_EQ(error, kErrFileRead);
  SBytes different("Tdm TCF3");
  EXPECT_FALSE(different.Stream.CheckHeader("Tdm TCF2", error));
  EXPECT_EQ(error, kErrFileHeader);
  SBytes same("Tdm TCF2rest");
  EXPECT_TRUE(same.Stream.CheckHeader("Tdm TCF2", error));
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(same.Stream.GetPosition(), 8);
  SBytes again("Tdm TCF3");
  EXPECT_FALSE(StreamCheckHeader(again.Stream, "Tdm TCF2"));
}

TEST(Stream, ShortReadsAndWritesNameTheFunction) {
  SBytes bytes("abc");
  try {
    StreamReadLong(bytes.Stream);
    FAIL();
  } catch (const CStreamError& e) {
    EXPECT_STREQ(e.what(), "StreamReadLong: Read beyond end of stream.");
  }
  int32_t value = 7;
  bytes.Stream.Seek(0, 0);
  EXPECT_FALSE(StreamReadLong(bytes.Stream, value));
  uint32_t error = 0;
  bytes.Stream.Seek(0, 0);
  EXPECT_FALSE(bytes.Stream.ReadDWORD(reinterpret_cast<uint32_t&>(value), error));
  EXPECT_EQ(error, kErrFileRead);
  try {
    StreamWriteStr(bytes.Stream, "x");
    FAIL();
  } catch (const CStreamError& e) {
    EXPECT_STREQ(e.what(), "StreamWriteStr: Cannot write to stream.");
  }
  EXPECT_FALSE(bytes.Stream.WriteDouble(1.0, error));
  EXPECT_EQ(error, kErrFileWrite);
}

TEST(Stream, ExtendedFloats) {
  const struct {
    const char* Bytes;
    double Value;
  } cases[] = {
      {"\x00\x00\x00\x00\x00\x00\x00\x80\xFF\x3F", 1.0},
      {"\x00\x00\x00\x00\x00\x00\x00\xA0\x00\xC0", -2.5},
      {"\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00", 0.0},
      {"\x00\x00\x00\x00\x00\x00\x00\xC9\x05\x40", 100.5},
      {"\x00\x00\x00\x00\x00\x00\x00\x80\xFF\x7F", INFINITY},
  };
  for (const auto& c : cases) {
    SBytes bytes(std::string(c.Bytes, 10));
    EXPECT_EQ(StreamReadExtended(bytes.Stream), c.Value);
  }
  SBytes nan(std::string("\x00\x00\x00\x00\x00\x00\x00\xC0\xFF\x7F", 10));
  EXPECT_TRUE(std::isnan(StreamReadExtended(nan.Stream)));
}

TEST(Stream, MemoryStreamGrowsAndRefusesSeeksOutside) {
  CMemoryStream s;
  const char data[10] = "abcdefghi";
  EXPECT_EQ(s.Write(data, 10), 10);
  EXPECT_EQ(s.GetCapacity(), 1024);
  EXPECT_EQ(s.Seek(11, 0), -1);
  EXPECT_EQ(s.Seek(-1, 0), -1);
  EXPECT_EQ(s.Seek(1, 2), -1);
  EXPECT_EQ(s.Seek(INT64_MIN, 1), -1);
  EXPECT_EQ(s.Seek(INT64_MAX, 1), -1);
  EXPECT_EQ(s.GetPosition(), 10);
  EXPECT_EQ(s.Seek(-4, 2), 6);
  ASSERT_TRUE(s.SetSize(3));
  EXPECT_EQ(s.GetPosition(), 3);
  EXPECT_FALSE(s.SetSize(-1));
  std::vector<char> big(5000, 'z');
  s.Write(big.data(), 5000);
  EXPECT_EQ(s.GetCapacity(), 5003);  // past the step: exactly what is needed
  s.Write(data, 1);
  EXPECT_EQ(s.GetCapacity(), 5003 + 5003 / 4);
  s.Clear();
  EXPECT_EQ(s.GetSize(), 0);
  CMemoryStream sized(16);
  EXPECT_EQ(sized.GetSize(), 16);
  EXPECT_EQ(sized.GetPosition(), 0);
}

TEST(Stream, PointerStreams) {
  char block[8] = "1234567";
  CPointerStream writable(block, 8);
  EXPECT_EQ(writable.Seek(6, 0), 6);
  EXPECT_EQ(writable.Write("ABCD", 4), 2);
  EXPECT_EQ(std::string(block, 8), std::string("123456AB", 8));
  EXPECT_FALSE(writable.SetSize(4));
  EXPECT_EQ(writable.Seek(9, 0), -1);
  CConstPointerStream readOnly(block, 8);
  EXPECT_EQ(readOnly.Write("xy", 2), 0);
  EXPECT_EQ(block[0], '1');
  char out[16];
  EXPECT_EQ(readOnly.Read(out, 16), 8);
  EXPECT_EQ(readOnly.Read(out, 16), 0);
  EXPECT_EQ(readOnly.Read(out, -5), 0);
}

// Records the chunk sizes that pass through it.
class CChunkSink : public CMemoryStream {
 public:
  int32_t TD_STDCALL Write(const void* buffer, int32_t count) override {
    Chunks.push_back(count);
    return CMemoryStream::Write(buffer, count);
  }
  std::vector<int32_t> Chunks;
};

TEST(Stream, CopyFromMovesChunksOf64K) {
  CMemoryStream source(150000);
  std::memset(source.GetData(), 7, 150000);
  CChunkSink sink;
  uint32_t error = 1;
  EXPECT_EQ(sink.CopyFrom(source, 150000, error), 150000);
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(sink.Chunks, (std::vector<int32_t>{65536, 65536, 18928}));
  source.Seek(140000, 0);
  EXPECT_EQ(sink.CopyFrom(source, 20000, error), 0);  // a short read copies nothing of its chunk
  EXPECT_EQ(error, kErrFileRead);
  char block[4];
  CPointerStream full(block, 4);
  source.Seek(0, 0);
  EXPECT_EQ(full.CopyFrom(source, 10, error), 4);  // only what fitted
  EXPECT_EQ(error, kErrFileWrite);
  EXPECT_EQ(sink.CopyFrom(source, 0, error), 0);
  EXPECT_EQ(error, 0u);
}

}  // namespace
