#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "lib/foundation/core/ErrorCodes.h"
#include "tests/bitmap/ImageBytes.h"

namespace {

// Entry i = (i, i, i) for the first count entries, 4 bytes each.
std::string GreyPalette(int count) {
  CBytes b;
  for (int i = 0; i < count; ++i) b.U8(i).U8(i).U8(i).U8(0);
  return b.Str();
}

uint32_t Grey(uint32_t v) { return 0xFF000000u | v * 0x010101u; }

// 2 x 2, 24 bits, rows of 6 bytes padded to 8, bottom row first.
std::string Rgb2x2(int32_t height = 2) {
  const std::string pixels =
      CBytes().Raw({1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}).Str();
  return BmpFile(2, height, 24, 0, "", pixels);
}

TEST(BmpRead, BottomUpAndTopDownRowsLandTheRightWayUp) {
  const SDecoded up = Decode(Rgb2x2(), false);
  ASSERT_EQ(up.error, 0u);
  EXPECT_EQ(up.Pixel32(0, 0), 0xFF090807u);
  EXPECT_EQ(up.Pixel32(1, 0), 0xFF0C0B0Au);
  EXPECT_EQ(up.Pixel32(0, 1), 0xFF030201u);
  EXPECT_EQ(up.Pixel32(1, 1), 0xFF060504u);
  EXPECT_LT(up.source.nextRow, 0);
  const SDecoded down = Decode(Rgb2x2(-2), false);
  ASSERT_EQ(down.error, 0u);
  EXPECT_EQ(down.desc.height, 2);
  EXPECT_EQ(down.Pixel32(0, 0), 0xFF030201u);
  EXPECT_EQ(down.Pixel32(1, 1), 0xFF0C0B0Au);
  EXPECT_GT(down.source.nextRow, 0);
}

TEST(BmpRead, OneBitRowOfTwelvePixels) {
  const std::string palette = CBytes().Raw({0, 0, 0, 0, 0xFF, 0x80, 0x10, 0}).Str();
  const SDecoded d =
      Decode(BmpFile(12, 1, 1, 0, palette, CBytes().Raw({0xB0, 0xF0, 0, 0}).Str()), false);
  ASSERT_EQ(d.error, 0u);
  const int bits[12] = {1, 0, 1, 1, 0, 0, 0, 0, 1, 1, 1, 1};
  for (int x = 0; x < 12; ++x) EXPECT_EQ(d.Pixel32(x, 0), bits[x] ? 0xFF1080FFu : 0xFF000000u) << x;
}

TEST(BmpRead, CoreHeaderReadsWidthHeightAndAPaletteOfThreeByteEntries) {
  CBytes palette;
  for (int i = 0; i < 256; ++i) palette.U8(i).U8(255 - i).U8(7);
  const SDecoded d =
      Decode(CoreBmpFile(2, 1, 8, palette.Str(), CBytes().Raw({5, 200, 0, 0}).Str()), false);
  ASSERT_EQ(d.error, 0u);
  EXPECT_EQ(d.Pixel32(0, 0), 0xFF07FA05u);
  EXPECT_EQ(d.Pixel32(1, 0), 0xFF0737C8u);
}

TEST(BmpRead, ColoursUsedZeroMeansAllAndAbove256MeansAtMost256) {
  const SDecoded four =
      Decode(BmpFile(1, 1, 4, 0, GreyPalette(16), CBytes().Raw({0xF0, 0, 0, 0}).Str()), false);
  ASSERT_EQ(four.error, 0u);
  EXPECT_EQ(four.Pixel32(0, 0), Grey(15));
  const std::string file =
      BmpFile(1, 1, 8, 0, GreyPalette(256), CBytes().Raw({255, 0, 0, 0}).Str(), 100000);
  CConstPointerStream stream(file.data(), static_cast<int64_t>(file.size()));
  SBmpHeader header;
  uint8_t palette[kPaletteBytes + 4];
  std::memset(palette, 0xAB, sizeof palette);
  uint32_t error;
  ASSERT_TRUE(ReadBmpHeader(stream, header, palette, error));
  EXPECT_EQ(palette[1020], 255);
  EXPECT_EQ(palette[kPaletteBytes], 0xAB);  // nothing past the 256 entries
  EXPECT_EQ(Decode(file, false).Pixel32(0, 0), Grey(255));
}

struct SPatch {
  size_t offset;
  std::vector<uint8_t> bytes;
  uint32_t error;
  const char* what;
};

TEST(BmpRead, BadHeadersGiveTheirCodes) {
  const SPatch cases[] = {
      {0, {'B', 'X'}, kErrFileHeader, "not BM"},
      {14, {50}, kErrBmpHeaderVersion, "info header size 50"},
      {26, {2}, kErrBmpPlaneCount, "two planes"},
      {28, {3}, kErrBmpBitCount, "3 bits"},
      {30, {1}, kErrBmpCompression, "RLE8 with 24 bits"},
      {30, {2}, kErrBmpCompression, "RLE4 with 24 bits"},
      {30, {4}, kErrBmpCompression, "compression 4"},
      {18, {0, 0, 0, 0}, kErrFileHeader, "width 0"},
      {18, {0xFF, 0xFF, 0xFF, 0xFF}, kErrFileHeader, "width -1"},
      {22, {0, 0, 0, 0}, kErrFileHeader, "height 0"},
      {18, {0, 0, 1, 0, 0, 0, 1, 0}, kErrFileRead, "65536 x 65536 with the data of 2 rows"},
      {18, {0xFF, 0xFF, 0xFF, 0x7F}, kErrFileHeader, "a row beyond 2^31 bytes"},
      {22, {3}, kErrFileRead, "pixel data for 2 of 3 rows"},
      {10, {0xFF, 0xFF, 0, 0}, kErrFileRead, "pixel data beyond the end"},
  };
  for (const SPatch& c : cases) {
    std::string file = Rgb2x2();
    std::memcpy(&file[c.offset], c.bytes.data(), c.bytes.size());
    EXPECT_EQ(Decode(file, false).error, c.error) << c.what;
  }
  std::string rle = BmpFile(2, -2, 8, 1, GreyPalette(256), CBytes().Raw({0, 1}).Str());
  EXPECT_EQ(Decode(rle, false).error, kErrFileHeader) << "top-down RLE";
  EXPECT_EQ(Decode("BM", false).error, kErrFileRead) << "cut short";
}

// Indices read as P8 rows, top row first.
std::vector<std::vector<uint8_t>> Indices(const SDecoded& d) {
  std::vector<std::vector<uint8_t>> rows;
  for (int32_t y = 0; y < d.desc.height; ++y)
    rows.emplace_back(d.pixels.begin() + y * d.desc.stride,
                      d.pixels.begin() + y * d.desc.stride + d.desc.width);
  return rows;
}

using Rows = std::vector<std::vector<uint8_t>>;

TEST(BmpRead, Rle8RunsEscapesAndClipping) {
  // Bottom row: a run, then end of line (the rest is index 0). Middle: an
  // absolute run of 3 (padded) and a run of 1. Top: a delta of one pixel, a
  // run of 6 clipped to the 3 pixels left, then end of image.
  const std::string data = CBytes()
                               .Raw({3, 7, 0, 0})
                               .Raw({0, 3, 1, 2, 3, 0, 1, 9, 0, 0})
                               .Raw({0, 2, 1, 0, 6, 5, 0, 1})
                               .Str();
  const SDecoded d = Decode(BmpFile(4, 3, 8, 1, GreyPalette(256), data), false, pfP8);
  ASSERT_EQ(d.error, 0u);
  EXPECT_EQ(Indices(d), (Rows{{0, 5, 5, 5}, {1, 2, 3, 9}, {7, 7, 7, 0}}));
}

TEST(BmpRead, Rle8DeltaAcrossRowsAndEndOfImage) {
  // A delta (1, 1) from x = 1 of the bottom row lands at x = 2 of the next;
  // the end of image leaves the top row at index 0.
  const std::string data = CBytes().Raw({1, 8, 0, 2, 1, 1, 1, 6, 0, 1}).Str();
  const SDecoded d = Decode(BmpFile(3, 3, 8, 1, GreyPalette(256), data), false, pfP8);
  ASSERT_EQ(d.error, 0u);
  EXPECT_EQ(Indices(d), (Rows{{0, 0, 0}, {0, 0, 6}, {8, 0, 0}}));
}

TEST(BmpRead, Rle4RunsAlternateNibblesAndAbsoluteRunsPad) {
  const std::string data = CBytes().Raw({3, 0x12, 0, 3, 0x45, 0x60, 0, 0, 0, 1}).Str();
  const SDecoded d = Decode(BmpFile(6, 1, 4, 2, GreyPalette(16), data), false);
  ASSERT_EQ(d.error, 0u);
  const uint32_t expected[6] = {1, 2, 1, 4, 5, 6};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(d.Pixel32(x, 0), Grey(expected[x])) << x;
}

TEST(BmpRead, RleFileCutShortIsAReadError) {
  EXPECT_EQ(
      Decode(BmpFile(4, 2, 8, 1, GreyPalette(256), CBytes().Raw({4, 1, 0, 0}).Str()), false).error,
      kErrFileRead);
}

TEST(TgaRead, OriginBitPlacesRows) {
  const std::string pixels = CBytes().Raw({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}).Str();
  STgaFields f;
  f.width = f.height = 2;
  const SDecoded up = Decode(TgaFile(f, "", pixels), true);
  ASSERT_EQ(up.error, 0u);
  EXPECT_EQ(up.Pixel32(0, 0), 0xFF090807u);
  EXPECT_EQ(up.Pixel32(1, 1), 0xFF060504u);
  f.descriptor = 0x20;
  const SDecoded down = Decode(TgaFile(f, "", pixels), true);
  ASSERT_EQ(down.error, 0u);
  EXPECT_EQ(down.Pixel32(0, 0), 0xFF030201u);
  EXPECT_EQ(down.Pixel32(1, 1), 0xFF0C0B0Au);
}

TEST(TgaRead, LongestPacketsAndPacketsThatCrossRows) {
  // 130 x 2, top-left origin, 32 bits: a raw packet of 128, a run of 128
  // that ends 126 pixels into the second row, then a run of 4.
  CBytes data;
  data.U8(0x7F);
  for (uint32_t i = 0; i < 128; ++i) data.U32(0x80000000u | i);
  data.U8(0xFF).U32(0x11223344).U8(0x83).U32(0x55667788);
  STgaFields f;
  f.imageType = 10, f.depth = 32, f.width = 130, f.height = 2, f.descriptor = 0x28;
  const SDecoded d = Decode(TgaFile(f, "", data.Str()), true);
  ASSERT_EQ(d.error, 0u);
  for (int x = 0; x < 128; ++x) ASSERT_EQ(d.Pixel32(x, 0), 0x80000000u | x);
  EXPECT_EQ(d.Pixel32(128, 0), 0x11223344u);
  EXPECT_EQ(d.Pixel32(129, 0), 0x11223344u);
  EXPECT_EQ(d.Pixel32(125, 1), 0x11223344u);
  EXPECT_EQ(d.Pixel32(126, 1), 0x55667788u);
  EXPECT_EQ(d.Pixel32(129, 1), 0x55667788u);
  // 3 x 2 of 24 bits: a raw packet of 5 crosses into the top row.
  f.depth = 24, f.width = 3, f.descriptor = 0;
  const std::string raw = CBytes()
                              .U8(4)
                              .Raw({1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5})
                              .U8(0x80)
                              .Raw({6, 6, 6})
                              .Str();
  const SDecoded r = Decode(TgaFile(f, "", raw), true);
  ASSERT_EQ(r.error, 0u);
  EXPECT_EQ(r.Pixel32(0, 1), Grey(1));
  EXPECT_EQ(r.Pixel32(2, 1), Grey(3));
  EXPECT_EQ(r.Pixel32(0, 0), Grey(4));
  EXPECT_EQ(r.Pixel32(2, 0), Grey(6));
}

TEST(TgaRead, MappedGreyAndFifteenBitPixels) {
  STgaFields mapped;
  mapped.imageType = 1, mapped.mapType = 1, mapped.mapLength = 2, mapped.mapBits = 24,
  mapped.depth = 8;
  mapped.width = 2;
  const SDecoded m = Decode(
      TgaFile(mapped, CBytes().Raw({1, 2, 3, 4, 5, 6}).Str(), CBytes().Raw({1, 0}).Str()), true);
  ASSERT_EQ(m.error, 0u);
  EXPECT_EQ(m.Pixel32(0, 0), 0xFF060504u);
  EXPECT_EQ(m.Pixel32(1, 0), 0xFF030201u);
  mapped.mapBits = 16;  // 0x7C00: red only, 0x001F: blue only
  const SDecoded m16 = Decode(
      TgaFile(mapped, CBytes().U16(0x7C00).U16(0x001F).Str(), CBytes().Raw({0, 1}).Str()), true);
  EXPECT_EQ(m16.Pixel32(0, 0), 0xFFF80000u);
  EXPECT_EQ(m16.Pixel32(1, 0), 0xFF0000F8u);
  STgaFields grey;
  grey.imageType = 3, grey.depth = 8;
  EXPECT_EQ(Decode(TgaFile(grey, "", CBytes().U8(0x80).Str()), true).Pixel32(0, 0), Grey(0x80));
  STgaFields wide;
  wide.depth = 16, wide.descriptor = 1;
  const SDecoded w = Decode(TgaFile(wide, "", CBytes().U16(0x7C1F).Str()), true);
  EXPECT_EQ(w.source.format, pfX1R5G5B5);
  EXPECT_EQ(w.Pixel32(0, 0), 0xFFF800F8u);
}

struct STgaCase {
  uint8_t imageType, mapType, mapBits, depth, descriptor;
  bool footer;
  uint32_t error;
  const char* what;
};

TEST(TgaRead, HeadersTheReaderCannotDecodeAndTheFooter) {
  const STgaCase cases[] = {
      {0, 0, 0, 24, 0, true, kErrFileHeader, "no image"},
      {2, 0, 0, 12, 0, false, kErrFileHeader, "depth 12 fails the test"},
      {2, 0, 0, 12, 0, true, kErrBmpBitCount, "depth 12 with the footer"},
      {1, 0, 0, 8, 0, true, kErrFileHeader, "mapped without a map"},
      {1, 1, 8, 8, 0, true, kErrFileHeader, "map entries of 8 bits"},
      {2, 2, 0, 24, 0, false, kErrFileHeader, "map type 2 fails the test"},
      {2, 2, 0, 24, 0, true, 0, "the footer excuses map type 2"},
      {2, 0, 0, 16, 8, true, kErrBmpBitCount, "8 attribute bits at 16"},
      {1, 1, 24, 16, 0, true, kErrBmpBitCount, "16-bit indices"},
  };
  for (const STgaCase& c : cases) {
    STgaFields f;
    f.imageType = c.imageType, f.mapType = c.mapType, f.mapBits = c.mapBits, f.depth = c.depth;
    f.descriptor = c.descriptor, f.footer = c.footer, f.mapLength = c.mapType == 1 ? 1 : 0;
    EXPECT_EQ(Decode(TgaFile(f, std::string(f.mapLength * ((c.mapBits + 7) / 8), '\0'),
                             std::string(8, '\0')),
                     true)
                  .error,
              c.error)
        << c.what;
  }
}

// 3 x 10, 8 bits, stored row r (bottom first) all index 20 r.
std::string TenRows() {
  CBytes data;
  for (int r = 0; r < 10; ++r) data.U8(20 * r).U8(20 * r).U8(20 * r).U8(0);
  return BmpFile(3, 10, 8, 0, GreyPalette(256), data.Str());
}

TEST(BmpReduce, HeightTenByThreeSkipsTheBottomRow) {
  const SDecoded d = Decode(TenRows(), false, pfA8R8G8B8, 3);
  ASSERT_EQ(d.error, 0u);
  ASSERT_EQ(d.desc.height, 3);
  EXPECT_EQ(d.Pixel32(0, 0), Grey(160));
  EXPECT_EQ(d.Pixel32(0, 1), Grey(100));
  EXPECT_EQ(d.Pixel32(0, 2), Grey(40));
}

TEST(BmpReduce, EveryFormatReducesAndSourcesWithoutAlphaAreOpaque) {
  const std::string rgb =
      CBytes().Raw({0, 0, 0, 4, 8, 12, 0, 0, 8, 16, 24, 12, 24, 36, 0, 0}).Str();
  const SDecoded d24 = Decode(BmpFile(2, 2, 24, 0, "", rgb), false, pfA8R8G8B8, 2);
  ASSERT_EQ(d24.error, 0u);
  EXPECT_EQ(d24.Pixel32(0, 0), 0xFF120C06u);
  const SDecoded d16 = Decode(
      BmpFile(2, 2, 16, 0, "", CBytes().U16(0x7FFF).U16(0x7FFF).U16(0x7FFF).U16(0x7FFF).Str()),
      false, pfA8R8G8B8, 2);
  ASSERT_EQ(d16.error, 0u);
  EXPECT_EQ(d16.Pixel32(0, 0), 0xFFF8F8F8u);
  const SDecoded d4 = Decode(
      BmpFile(2, 2, 4, 0, GreyPalette(16), CBytes().Raw({0x13, 0, 0, 0, 0x57, 0, 0, 0}).Str()),
      false, pfA8R8G8B8, 2);
  ASSERT_EQ(d4.error, 0u);
  EXPECT_EQ(d4.Pixel32(0, 0), Grey(4));  // (1 + 3 + 5 + 7) / 4
}

TEST(BmpReduce, AFactorBeyondTheImageReadsNothing) {
  const SDecoded d = Decode(TenRows(), false, pfA8R8G8B8, 11);
  EXPECT_EQ(d.error, 0u);
  EXPECT_EQ(d.desc.height, 0);
}

TEST(BmpLoaderBands, BandsContinueAndNeverPassTheDestination) {
  CBytes data;
  for (int r = 0; r < 7; ++r) data.U8(r).U8(r).U8(0).U8(0);
  for (int32_t height : {7, -7}) {
    std::string file = BmpFile(2, height, 8, 0, GreyPalette(256), data.Str());
    CConstPointerStream stream(file.data(), static_cast<int64_t>(file.size()));
    uint8_t palette[kPaletteBytes];
    SBmpHeader header;
    SImageSource source;
    uint32_t error;
    ASSERT_TRUE(ReadBmpHeader(stream, header, palette, error) &&
                BmpImageSource(header, false, stream, source, error));
    const SPixelBufferDesc band = {pfP8, 4, 2, 3, 4, -4};
    CBmpLoader loader(stream, source, palette, band, 1, error);
    ASSERT_EQ(error, 0u);
    const bool bottomUp = height > 0;
    EXPECT_EQ(loader.Source().BottomUp(), bottomUp);
    for (int call = 0; call < 4; ++call) {
      std::vector<uint8_t> buffer(4 * 4, 0xEE);  // 3 rows and a guard row
      ASSERT_TRUE(loader.ReadRows(buffer.data(), 5, nullptr, error));
      const int first = 3 * call, rows = std::max(0, std::min(3, 7 - first));
      for (int i = 0; i < 3; ++i) {
        const int y = bottomUp ? 2 - i : i;
        EXPECT_EQ(buffer[y * 4], i < rows ? first + i : 0xEE) << call << " " << i;
      }
      EXPECT_EQ(buffer[12], 0xEE);
    }
  }
}

}  // namespace
