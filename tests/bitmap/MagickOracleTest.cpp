// Run-length .bmp files against ImageMagick, which reads them where
// stb_image does not: the writer's RLE8 rows decoded by ImageMagick, and the
// readers' decoding of RLE8 and RLE4 files compared with its decoding.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "lib/bitmap/BmpWriter.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "tests/bitmap/ImageBytes.h"
#include "tests/foundation/RuntimeTestFiles.h"

namespace {

// ImageMagick's pixels of a file as red, green, blue bytes, top row first.
std::string MagickRgb(const std::string& file) {
  const CStr path = ScratchPath("magick.bmp");
  WriteBytes(path, file);
  const std::string command =
      std::string("convert 'bmp:") + path.c_str() + "' -depth 8 rgb:- 2>/dev/null";
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
  }
  RemoveFile(path);
  return out;
}

std::string OurRgb(const std::string& file) {
  const SDecoded d = Decode(file, false);
  EXPECT_EQ(d.error, 0u);
  std::string out;
  for (int32_t y = 0; y < d.desc.height; ++y)
    for (int32_t x = 0; x < d.desc.width; ++x) {
      const uint32_t p = d.Pixel32(x, y);
      out += static_cast<char>(p >> 16), out += static_cast<char>(p >> 8),
          out += static_cast<char>(p);
    }
  return out;
}

bool HaveMagick() { return !MagickRgb(BmpFile(1, 1, 24, 0, "", std::string(4, '\0'))).empty(); }

std::string Palette(int entries) {
  CBytes b;
  for (int i = 0; i < entries; ++i) b.U8(i * 3).U8(255 - i).U8(i * 7 % 256).U8(0);
  return b.Str();
}

TEST(MagickOracle, WrittenRle8RowsDecode) {
  if (!HaveMagick()) GTEST_SKIP() << "ImageMagick's convert is not installed";
  std::mt19937 random(5);
  const int32_t width = 37, height = 9;
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height);
  for (uint8_t& p : pixels) p = static_cast<uint8_t>(random() % 3 ? random() % 4 : random() % 256);
  std::fill(pixels.begin() + 40, pixels.begin() + 60, 7);
  const SPixelBufferDesc desc = {pfP8, width, width, height, width, -width};
  const std::string palette = Palette(256);
  CMemoryStream stream;
  uint32_t error;
  ASSERT_TRUE(WriteBmp(stream, pixels.data(), desc, pfP8,
                       reinterpret_cast<const uint8_t*>(palette.data()), rcRle8, nullptr, error));
  const std::string file(reinterpret_cast<const char*>(stream.GetData()),
                         static_cast<size_t>(stream.GetSize()));
  std::string expected;
  for (uint8_t p : pixels)
    expected +=
        palette.substr(p * 4 + 2, 1) + palette.substr(p * 4 + 1, 1) + palette.substr(p * 4, 1);
  EXPECT_EQ(MagickRgb(file), expected);
}

TEST(MagickOracle, ReadRunLengthFilesAsImageMagickDoes) {
  if (!HaveMagick()) GTEST_SKIP() << "ImageMagick's convert is not installed";
  // Runs, absolute runs (odd and even), a run clipped at the row end
  // followed by its end of line, and the end of image.
  const std::string rle8 = CBytes()
                               .Raw({3, 7, 0, 3, 1, 2, 3, 0, 0, 0})
                               .Raw({0, 4, 4, 5, 6, 7, 2, 9, 0, 0})
                               .Raw({6, 200, 0, 0, 0, 1})
                               .Str();
  const std::string file8 = BmpFile(6, 3, 8, 1, Palette(256), rle8);
  EXPECT_EQ(OurRgb(file8), MagickRgb(file8));
  const std::string rle4 =
      CBytes().Raw({5, 0x1F, 0, 0, 0, 3, 0x23, 0x40, 2, 0x56, 0, 0, 0, 1}).Str();
  const std::string file4 = BmpFile(5, 2, 4, 2, Palette(16), rle4);
  EXPECT_EQ(OurRgb(file4), MagickRgb(file4));
}

}  // namespace
