// The pixel-format table, the stride rule and the gamma table.
#include <gtest/gtest.h>

#include <cmath>

#include "lib/bitmap/GammaTable.h"
#include "lib/bitmap/PixelFormat.h"

namespace {

TEST(PixelFormat, TableRows) {
  struct SRow {
    int32_t format;
    const char* name;
    SPixelFormat bits;
  };
  const SRow rows[] = {
      {pfP1, "P1", {0, 8, 8, 8, 1}},          {pfP8, "P8", {0, 8, 8, 8, 8}},
      {pfX1R5G5B5, "X1R5G5B5", {0, 5, 5, 5, 16}}, {pfA1R5G5B5, "A1R5G5B5", {1, 5, 5, 5, 16}},
      {pfR5G6B5, "R5G6B5", {0, 5, 6, 5, 16}},   {pfR8G8B8, "R8G8B8", {0, 8, 8, 8, 24}},
      {pfX8R8G8B8, "X8R8G8B8", {0, 8, 8, 8, 32}}, {pfA8R8G8B8, "A8R8G8B8", {8, 8, 8, 8, 32}},
  };
  for (const SRow& row : rows) {
    const SPixelFormat& info = PixelFormatInfo(row.format);
    EXPECT_STREQ(PixelFormatName(row.format), row.name);
    EXPECT_EQ(info.alphaBits, row.bits.alphaBits) << row.name;
    EXPECT_EQ(info.redBits, row.bits.redBits) << row.name;
    EXPECT_EQ(info.greenBits, row.bits.greenBits) << row.name;
    EXPECT_EQ(info.blueBits, row.bits.blueBits) << row.name;
    EXPECT_EQ(info.bitsPerPixel, row.bits.bitsPerPixel) << row.name;
  }
  EXPECT_EQ(PixelFormatBits(pfP2), 2u);
  EXPECT_EQ(PixelFormatBits(pfP4), 4u);
  EXPECT_EQ(PixelFormatBits(10), 0u);
  EXPECT_STREQ(PixelFormatName(-1), "?");
  EXPECT_THROW(PixelFormatInfo(10), const char*);
}

TEST(PixelFormat, StridePadsRowsToFourBytes) {
  EXPECT_EQ(PixelFormatStride(3, pfA1R5G5B5), 8);
  EXPECT_EQ(PixelFormatStride(3, pfR8G8B8), 12);
  EXPECT_EQ(PixelFormatStride(3, pfA8R8G8B8), 12);
  EXPECT_EQ(PixelFormatStride(9, pfP1), 4);
  EXPECT_EQ(PixelFormatStride(33, pfP1), 8);
  EXPECT_EQ(PixelFormatStride(0, pfA8R8G8B8), 0);
  EXPECT_EQ(PixelFormatStride(-4, pfA8R8G8B8), 0);
  EXPECT_EQ(PixelFormatStride(int64_t{1} << 31, pfA8R8G8B8), int64_t{1} << 33);  // no 32-bit overflow
}

TEST(GammaTable, HandValuesAndShape) {
  const struct {
    int index;
    uint32_t value;
  } hand[] = {{0, 0}, {64, 97}, {127, 157}, {128, 157}, {191, 208}, {254, 254}, {255, 255}};
  for (const auto& h : hand) EXPECT_EQ(g_GammaTable[h.index], h.value) << h.index;
  for (int i = 1; i < 256; ++i) EXPECT_GE(g_GammaTable[i], g_GammaTable[i - 1]) << i;
  for (int i = 0; i < 256; ++i)  // the machine's own power function agrees everywhere
    EXPECT_EQ(g_GammaTable[i], static_cast<uint32_t>(std::floor(255 * std::pow(i / 255.0, 0.7) + 0.5))) << i;
}

}  // namespace
