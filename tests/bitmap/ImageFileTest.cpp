#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "lib/bitmap/Bmp16.h"
#include "lib/bitmap/Bmp32.h"
#include "lib/bitmap/BmpWriter.h"
#include "lib/foundation/files/AtomicFileWriter.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/files/FileSystem.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "tests/bitmap/BitmapTestHelpers.h"
#include "tests/bitmap/ImageBytes.h"
#include "tests/foundation/RuntimeTestFiles.h"

namespace {

uint32_t LoadInto(CBmp& bmp, const CStr& path, uint32_t shrink = 1, uint8_t alpha = 1,
                  SPixelBufferDesc* source = nullptr) {
  uint32_t error = 0xFFFFFFFF;
  bmp.LoadFromFile(&path, shrink, alpha, source, &error);
  return error;
}

std::string Rgb2x2() {
  return BmpFile(2, 2, 24, 0, "",
                 CBytes().Raw({1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}).Str());
}

class ImageFileTest : public testing::Test {
 protected:
  CStr File(const char* name, const std::string& bytes) {
    CStr path = ScratchPath(name);
    WriteBytes(path, bytes);
    m_Files.push_back(path);
    return path;
  }
  CStr Path(const char* name) {
    m_Files.push_back(ScratchPath(name));
    return m_Files.back();
  }
  void TearDown() override {
    for (const CStr& f : m_Files) RemoveFile(f);
  }
  std::vector<CStr> m_Files;
};

TEST_F(ImageFileTest, LoadsByExtensionAndReportsTheSource) {
  CBmp32 bmp(0, 0, false);
  SPixelBufferDesc source = {};
  EXPECT_EQ(LoadInto(bmp, File("rgb.BMP", Rgb2x2()), 1, 1, &source), 0u);
  EXPECT_EQ(bmp.Width(), 2);
  EXPECT_EQ(bmp.Row(0)[0], 0xFF090807u);
  EXPECT_EQ(source.format, pfR8G8B8);
  EXPECT_EQ(source.stride, 8);
  EXPECT_EQ(source.nextRow, -8);
  STgaFields f;
  EXPECT_EQ(LoadInto(bmp, File("one.TgA", TgaFile(f, "", CBytes().Raw({1, 2, 3}).Str()))), 0u);
  EXPECT_EQ(bmp.Width(), 1);
  EXPECT_EQ(bmp.Row(0)[0], 0xFF030201u);
  EXPECT_EQ(LoadInto(bmp, File("rgb.png", Rgb2x2())), kErrFileTypeUnknown);
  EXPECT_EQ(LoadInto(bmp, Path("missing.bmp")), kErrFileNotFound);
}

TEST_F(ImageFileTest, FailuresBeforeThePixelsKeepTheBitmap) {
  std::string planes = Rgb2x2(), shortData = Rgb2x2();
  planes[26] = 2;
  shortData.resize(shortData.size() - 1);
  struct {
    CStr path;
    uint32_t error;
  } cases[] = {{File("planes.bmp", planes), kErrBmpPlaneCount},
               {File("short.bmp", shortData), kErrFileRead},
               {File("empty.bmp", ""), kErrFileRead}};
  for (const auto& c : cases) {
    auto bmp = MakeFilled(5, 5, 0x12345678);
    EXPECT_EQ(LoadInto(*bmp, c.path), c.error);
    EXPECT_EQ(bmp->Width(), 5);
    EXPECT_EQ(bmp->Row(4)[4], 0x12345678u);
  }
  CBmp16 bmp16(3, 3, false);
  bmp16.Fill(0x1234);
  EXPECT_EQ(LoadInto(bmp16, File("rgb.bmp", Rgb2x2())),
            kErrUnknown);  // 24 bits cannot become A1R5G5B5
  EXPECT_EQ(bmp16.Width(), 3);
  EXPECT_EQ(bmp16.GetScanLine(2)[2], 0x1234);
}

TEST_F(ImageFileTest, FactorsBelowOneAndBeyondTheImage) {
  const CStr path = File("rgb.bmp", Rgb2x2());
  auto bmp = MakeFilled(5, 5, 0x12345678);
  EXPECT_EQ(LoadInto(*bmp, path, 0), kErrUnknown);
  uint32_t error = 0;
  bmp->LoadTga(&path, -1, nullptr, &error);
  EXPECT_EQ(error, kErrUnknown);
  EXPECT_EQ(bmp->Width(), 5);
  EXPECT_EQ(LoadInto(*bmp, path, 0x80000000u), 0u);
  EXPECT_EQ(bmp->Width(), 0);
  EXPECT_EQ(LoadInto(*bmp, path, 2), 0u);
  EXPECT_EQ(bmp->Width(), 1);
  EXPECT_EQ(bmp->Row(0)[0], 0xFF070605u);  // (1+4+7+10)/4 .. per channel
}

// 20,000 x 15,000 pixels of one bit (a sparse file of zeros, 37.5 MB, above
// 2^28 pixels): black, with the top-left and the bottom-right 8 x 8 blocks
// white.
class LargeImageTest : public ImageFileTest {
 protected:
  static constexpr int32_t kWidth = 20000, kHeight = 15000, kStride = kWidth / 8;

  // Each test names its own file: one just removed may still be pending
  // deletion on Windows, and making it again under its old name then fails.
  CStr LargeFile(const char* name) {
    const std::string palette = CBytes().U32(0).U32(0xFFFFFF).Str();
    const CStr path = File(name, BmpFile(kWidth, kHeight, 1, 0, palette, ""));
    const std::streamoff data = 54 + 8;
    std::filesystem::resize_file(path.c_str(), data + std::uintmax_t{kStride} * kHeight);
    std::fstream file(path.c_str(), std::ios::binary | std::ios::in | std::ios::out);
    for (int32_t k = 0; k < 8; ++k) {
      // Rows are stored bottom-up: file row kHeight - 1 is the top one.
      file.seekp(data + std::streamoff{kStride} * (kHeight - 1 - k));
      file.put('\xFF');
      file.seekp(data + std::streamoff{kStride} * k + kStride - 1);
      file.put('\xFF');
    }
    EXPECT_TRUE(file.good());
    return path;
  }
};

TEST_F(LargeImageTest, ReadReducedToWhatABitmapHolds) {
  const CStr path = LargeFile("large-reduced.bmp");
  CBmp32 bmp(0, 0, false);
  ASSERT_EQ(LoadInto(bmp, path, 8, 0), 0u);
  ASSERT_EQ(bmp.Width(), 2500);
  ASSERT_EQ(bmp.Height(), 1875);
  EXPECT_EQ(bmp.Row(0)[0], 0xFFFFFFFFu);
  EXPECT_EQ(bmp.Row(0)[1], 0xFF000000u);
  EXPECT_EQ(bmp.Row(1874)[2499], 0xFFFFFFFFu);
  EXPECT_EQ(bmp.Row(1874)[2498], 0xFF000000u);
  // At full size the pixels would pass the limit: refused, the bitmap kept.
  auto kept = MakeFilled(5, 5, 0x12345678);
  EXPECT_EQ(LoadInto(*kept, path, 1, 0), kErrImageTooLarge);
  EXPECT_EQ(kept->Width(), 5);
  EXPECT_EQ(kept->Row(4)[4], 0x12345678u);
}

TEST_F(LargeImageTest, ReadInBands) {
  const CStr path = LargeFile("large-bands.bmp");
  const int32_t bandRows = 16;
  const SPixelBufferDesc band = {pfA8R8G8B8, kWidth * 4, kWidth, bandRows, kWidth * 4, -kWidth * 4};
  uint32_t error = 0xFFFFFFFF;
  CBmpLoader loader(path, SBmpHeader{}, nullptr, band, 1, false, error);
  ASSERT_EQ(error, 0u);
  std::vector<uint32_t> pixels(size_t{kWidth} * bandRows);
  ASSERT_TRUE(loader.ReadRows(pixels.data(), bandRows, nullptr, error));
  // The picture's bottom rows, the last one at the band's bottom.
  const uint32_t* bottom = &pixels[size_t{kWidth} * (bandRows - 1)];
  EXPECT_EQ(bottom[kWidth - 1], 0xFFFFFFFFu);
  EXPECT_EQ(bottom[kWidth - 9], 0xFF000000u);
  EXPECT_EQ(pixels[size_t{kWidth} * 7 + kWidth - 1], 0xFF000000u);
  // The whole image as one destination would pass the limit.
  const SPixelBufferDesc whole = {pfA8R8G8B8, kWidth * 4, kWidth, kHeight, kWidth * 4, -kWidth * 4};
  CBmpLoader tooLarge(path, SBmpHeader{}, nullptr, whole, 1, false, error);
  EXPECT_EQ(error, kErrImageTooLarge);
}

TEST_F(ImageFileTest, SavedFileHasTheWrittenDownLayout) {
  CBmp32 bmp(2, 2, false);
  bmp.Row(0)[0] = 0x11223344, bmp.Row(0)[1] = 0x55667788;
  bmp.Row(1)[0] = 0x99AABBCC, bmp.Row(1)[1] = 0xDDEEFF00;
  const CStr path = Path("saved.bmp");
  bmp.SaveBmp(&path, nullptr);
  CBytes expected;
  expected.Text("BM").U32(70).U32(0).U32(54).U32(40).U32(2).U32(2).U16(1).U16(32).U32(0).U32(16);
  expected.U32(2835).U32(2835).U32(0).U32(0);
  expected.U32(0x99AABBCC).U32(0xDDEEFF00).U32(0x11223344).U32(0x55667788);
  EXPECT_EQ(ReadBytes(path), expected.Str());
}

TEST_F(ImageFileTest, SaveThenLoadRoundTrips) {
  std::mt19937 random(7);
  CBmp32 bmp(7, 5, false);
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 7; ++x) bmp.Row(y)[x] = random();
  const CStr path = Path("round32.bmp");
  bmp.SaveBmp(&path, nullptr);
  CBmp32 back(0, 0, false);
  ASSERT_EQ(LoadInto(back, path, 1, 1), 0u);
  ASSERT_EQ(back.Width(), 7);
  EXPECT_EQ(std::memcmp(back.Pixels(), bmp.Pixels(), 7 * 5 * 4), 0);
  ASSERT_EQ(LoadInto(back, path, 1, 0), 0u);
  EXPECT_EQ(back.Row(4)[6], bmp.Row(4)[6] | 0xFF000000u);

  CBmp16 b16(5, 3, false);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 5; ++x) b16.GetScanLine(y)[x] = static_cast<uint16_t>(random());
  const CStr path16 = Path("round16.bmp");
  b16.SaveBmp(&path16, nullptr);
  CBmp16 back16(0, 0, false);
  ASSERT_EQ(LoadInto(back16, path16, 1, 1), 0u);
  for (int32_t y = 0; y < 3; ++y)
    EXPECT_EQ(std::memcmp(back16.GetScanLine(y), b16.GetScanLine(y), 10), 0) << y;
}

void TD_STDCALL Collect(double percent, void* calls, void* tag) {
  static_cast<std::vector<double>*>(calls)->push_back(percent + *static_cast<int*>(tag));
}

TEST_F(ImageFileTest, ProgressIsReportedPerRow) {
  auto bmp = MakeTagged(3, 4);
  std::vector<double> calls;
  int tag = 1000;
  SImageProgress progress = {Collect, &calls, &tag};
  const CStr path = Path("progress.bmp");
  bmp->SaveBmp(&path, &progress);
  EXPECT_EQ(calls, (std::vector<double>{1000, 1025, 1050, 1075, 1100}));
  calls.clear();
  CBmp32 back(0, 0, false);
  ASSERT_EQ(LoadInto(back, path), 0u);
  const std::string file = ReadBytes(path);
  CConstPointerStream stream(file.data(), static_cast<int64_t>(file.size()));
  uint8_t palette[kPaletteBytes];
  SImageSource source;
  uint32_t error;
  ASSERT_TRUE(ReadImageSource(stream, false, true, palette, source, error));
  const SPixelBufferDesc band = {pfA8R8G8B8, 12, 3, 2, 12, -12};
  CBmpLoader loader(stream, source, palette, band, 1, error);
  std::vector<uint32_t> rows(6);
  ASSERT_TRUE(loader.ReadRows(rows.data(), 2, &progress, error));
  EXPECT_EQ(calls, (std::vector<double>{1000, 1050, 1100}));
}

TEST(BmpWriter, PaletteFilesHaveTheirOffsets) {
  uint8_t pixels[4] = {1, 2, 3, 4};
  for (int32_t format : {pfP4, pfP8}) {
    CMemoryStream stream;
    const SPixelBufferDesc desc = {format, 4, 2, 1, 4, -4};
    uint32_t error;
    ASSERT_TRUE(WriteBmp(stream, pixels, desc, format, nullptr, rcNone, nullptr, error));
    const std::string file(reinterpret_cast<const char*>(stream.GetData()),
                           static_cast<size_t>(stream.GetSize()));
    SBmpHeader h;
    std::memcpy(&h, file.data(), 54);
    const uint32_t offset = h.dataOffset, size = h.fileSize, image = h.imageSize;  // packed fields
    EXPECT_EQ(offset, format == pfP4 ? 118u : 1078u);
    EXPECT_EQ(size, offset + 4);
    EXPECT_EQ(image, 4u);
  }
}

TEST(BmpWriter, Rle8RowOf300EqualBytes) {
  std::vector<uint8_t> row(300, 9);
  CMemoryStream stream;
  const SPixelBufferDesc desc = {pfP8, 300, 300, 1, 300, -300};
  uint32_t error;
  ASSERT_TRUE(WriteBmp(stream, row.data(), desc, pfP8, nullptr, rcRle8, nullptr, error));
  const std::string file(reinterpret_cast<const char*>(stream.GetData()),
                         static_cast<size_t>(stream.GetSize()));
  EXPECT_EQ(file.substr(1078), CBytes().Raw({255, 9, 45, 9, 0, 0, 0, 1}).Str());
  EXPECT_EQ(file[30], 1);  // compression RLE8
}

TEST(BmpWriter, Rle8RowsDecodeBack) {
  // Runs, single bytes, absolute runs of odd and even length, a run of 255+.
  std::vector<uint8_t> pixels = {1, 1, 2, 3, 3, 4, 5, 6, 7, 7, 8, 9, 10, 11, 12, 12, 12, 13, 14};
  pixels.insert(pixels.end(), 260, 5);
  for (int i = 0; i < 300; ++i) pixels.push_back(static_cast<uint8_t>(i * 7));
  pixels.push_back(1);
  const int32_t width = static_cast<int32_t>(pixels.size()) / 2;
  const SPixelBufferDesc desc = {pfP8, width, width, 2, width, -width};
  CMemoryStream stream;
  uint32_t error;
  ASSERT_TRUE(WriteBmp(stream, pixels.data(), desc, pfP8, nullptr, rcRle8, nullptr, error));
  const std::string file(reinterpret_cast<const char*>(stream.GetData()),
                         static_cast<size_t>(stream.GetSize()));
  const SDecoded d = Decode(file, false, pfP8);
  ASSERT_EQ(d.error, 0u);
  for (int32_t y = 0; y < 2; ++y)
    EXPECT_EQ(std::memcmp(&d.pixels[y * d.desc.stride], &pixels[y * width], width), 0) << y;
}

TEST(BmpWriter, WhatABmpCannotHoldThrows) {
  uint8_t pixels[4] = {};
  CMemoryStream stream;
  uint32_t error;
  const SPixelBufferDesc p4 = {pfP4, 4, 2, 1, 4, -4}, rgb565 = {pfR5G6B5, 4, 2, 1, 4, -4};
  EXPECT_THROW(WriteBmp(stream, pixels, rgb565, pfR5G6B5, nullptr, rcNone, nullptr, error),
               const char*);
  EXPECT_THROW(WriteBmp(stream, pixels, p4, pfP4, nullptr, rcRle4, nullptr, error), const char*);
  EXPECT_THROW(WriteBmp(stream, pixels, p4, pfP4, nullptr, 9, nullptr, error), const char*);
}

// Forwards to a stream and fails every write after the first limit bytes.
class CFailingStream final : public CStream {
 public:
  TD_DELETE_THIS(CFailingStream)
  CFailingStream(CStream& inner, int64_t limit) : m_Inner(inner), m_Left(limit) {}
  int64_t TD_STDCALL GetPosition() override { return m_Inner.GetPosition(); }
  int64_t TD_STDCALL GetSize() override { return m_Inner.GetSize(); }
  int32_t TD_STDCALL Read(void* buffer, int32_t count) override {
    return m_Inner.Read(buffer, count);
  }
  int64_t TD_STDCALL Seek(int64_t offset, int32_t origin) override {
    return m_Inner.Seek(offset, origin);
  }
  bool TD_STDCALL SetSize(int64_t size) override { return m_Inner.SetSize(size); }
  int32_t TD_STDCALL Write(const void* buffer, int32_t count) override {
    if (count > m_Left) return -1;
    m_Left -= count;
    return m_Inner.Write(buffer, count);
  }

 private:
  CStream& m_Inner;
  int64_t m_Left;
};

TEST_F(ImageFileTest, AFailedOrThrowingWriteLeavesTheOldFile) {
  const CStr path = File("old.bmp", "the old file");
  auto bmp = MakeTagged(3, 2);
  SPixelBufferDesc desc;
  bmp->GetBufferDesc(&desc);
  const int64_t full = 54 + 3 * 2 * 4;
  for (int64_t limit = 0; limit < full + 54; ++limit) {  // the header is written again at the end
    uint32_t error = 0;
    const bool ok = WriteFileReplacing(
        path,
        [&](CStream& file, uint32_t& e) {
          CFailingStream failing(file, limit);
          return WriteBmp(failing, bmp->Pixels(), desc, pfA8R8G8B8, nullptr, rcNone, nullptr, e);
        },
        error);
    EXPECT_FALSE(ok) << limit;
    EXPECT_EQ(error, kErrFileWrite) << limit;
    EXPECT_EQ(ReadBytes(path), "the old file") << limit;
    EXPECT_FALSE(FileExists(MakeTempFileName(path))) << limit;
  }
  uint8_t indices[8] = {};
  const SPixelBufferDesc p4 = {pfP4, 4, 3, 2, 4, -4};
  for (int32_t coding : {int32_t{rcRle4}, int32_t{rcRle8}}) {
    uint32_t error = 0;
    EXPECT_THROW(WriteFileReplacing(
                     path,
                     [&](CStream& file, uint32_t& e) {
                       return WriteBmp(file, indices, p4, pfP4, nullptr, coding, nullptr, e);
                     },
                     error),
                 const char*);
    EXPECT_EQ(ReadBytes(path), "the old file");
    EXPECT_FALSE(FileExists(MakeTempFileName(path)));
  }
  uint32_t error = 1;
  EXPECT_TRUE(WriteFileReplacing(
      path,
      [&](CStream& file, uint32_t& e) {
        return WriteBmp(file, bmp->Pixels(), desc, pfA8R8G8B8, nullptr, rcNone, nullptr, e);
      },
      error));
  EXPECT_EQ(ReadBytes(path).size(), static_cast<size_t>(full));
  EXPECT_FALSE(FileExists(MakeTempFileName(path)));
}

TEST(ShrinkTo, SizesAndRemainders) {
  auto bmp = MakeFilled(10, 7, 0xFF102030);
  CBmp32 out(0, 0, false);
  bmp->ShrinkTo(&out, 3, 0);
  EXPECT_EQ(out.Width(), 3);
  EXPECT_EQ(out.Height(), 2);
  bmp->ShrinkTo(&out, 3, 1);
  EXPECT_EQ(out.Width(), 4);
  EXPECT_EQ(out.Height(), 3);
  EXPECT_EQ(out.Row(2)[3], 0x1C102030u);  // one pixel of nine: alpha 255 / 9
  bmp->ShrinkTo(&out, 0, 1);
  EXPECT_EQ(out.Width(), 4);
}

TEST(ShrinkTo, RoundUpCountsMissingPixelsAsTransparent) {
  auto bmp = MakeFilled(5, 5, 0x80FFFFFF);
  CBmp32 out(0, 0, false);
  bmp->ShrinkTo(&out, 2, 1);
  ASSERT_EQ(out.Width(), 3);
  EXPECT_EQ(out.Row(0)[0], 0x80FFFFFFu);
  EXPECT_EQ(out.Row(0)[2], 0x40FFFFFFu);
  EXPECT_EQ(out.Row(2)[0], 0x40FFFFFFu);
  EXPECT_EQ(out.Row(2)[2], 0x20FFFFFFu);
}

TEST(ShrinkTo, IntoItselfAndTruncatedMeans) {
  CBmp32 bmp(2, 2, false);
  bmp.Row(0)[0] = 0x00000000, bmp.Row(0)[1] = 0x03030303;
  bmp.Row(1)[0] = 0x04050607, bmp.Row(1)[1] = 0x08090A0B;
  bmp.ShrinkTo(&bmp, 2, 0);
  ASSERT_EQ(bmp.Width(), 1);
  EXPECT_EQ(bmp.Row(0)[0], 0x03040405u);  // (0+3+4+8)/4, (0+3+5+9)/4, (0+3+6+10)/4, (0+3+7+11)/4
  CBmp16 b16(2, 2, false);
  bmp.ShrinkTo(&b16, 2, 0);
  EXPECT_EQ(b16.Width(), 2);  // the reduction writes no 16-bit pixels
}

}  // namespace
