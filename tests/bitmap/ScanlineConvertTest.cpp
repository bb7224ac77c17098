#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "lib/bitmap/ImageHeaders.h"
#include "lib/bitmap/PixelFormat.h"
#include "lib/bitmap/ScanlineConvert.h"

namespace {

std::string ThrownBy(int32_t source, int32_t destination) {
  uint8_t in[16] = {}, out[64] = {}, palette[kPaletteBytes] = {};
  try {
    ScanlineConvert(out, in, source, destination, palette, 1);
  } catch (const char* message) {
    return message;
  }
  return "";
}

TEST(ScanlineConvert, StubsNameTheirPairAndTheRestAreNotSupported) {
  EXPECT_EQ(ThrownBy(pfP4, pfP8), "ScanlineConvert_P4_P8: Not implemented.");
  EXPECT_EQ(ThrownBy(pfP8, pfP4), "Conversion not supported.");
  EXPECT_EQ(ThrownBy(pfP1, pfX8R8G8B8), "ScanlineConvert_P1_X8R8G8B8: Not implemented.");
  EXPECT_EQ(ThrownBy(pfA1R5G5B5, pfR5G6B5), "ScanlineConvert_X1R5G5B5_R5G6B5: Not implemented.");
  EXPECT_EQ(ThrownBy(pfA8R8G8B8, pfA1R5G5B5),
            "ScanlineConvert_X8R8G8B8_A1R5G5B5: Not implemented.");
  EXPECT_EQ(ThrownBy(pfR8G8B8, pfX8R8G8B8), "ScanlineConvert_R8G8B8_X8R8G8B8: Not implemented.");
  EXPECT_EQ(ThrownBy(pfP2, pfP8), "Conversion not supported.");
  EXPECT_EQ(ThrownBy(pfX8R8G8B8, pfP8), "Conversion not supported.");
  EXPECT_EQ(ThrownBy(pfA8R8G8B8, pfA8R8G8B8), "");
}

TEST(ScanlineConvert, P1RowsOf8And12PixelsWriteExactlyThatMany) {
  uint8_t palette[kPaletteBytes] = {};
  palette[4] = 0x30, palette[5] = 0x20, palette[6] = 0x10;  // entry 1: blue, green, red
  const uint8_t row[2] = {0xA5, 0xC0};                      // 1010 0101 1100
  for (int32_t count : {8, 12}) {
    std::vector<uint32_t> out(16, 0xDEADBEEF);
    ScanlineConvert(reinterpret_cast<uint8_t*>(out.data()), row, pfP1, pfA8R8G8B8, palette, count);
    const int bits[12] = {1, 0, 1, 0, 0, 1, 0, 1, 1, 1, 0, 0};
    for (int32_t i = 0; i < count; ++i) EXPECT_EQ(out[i], bits[i] ? 0xFF102030u : 0xFF000000u) << i;
    for (int32_t i = count; i < 16; ++i) EXPECT_EQ(out[i], 0xDEADBEEFu) << i;
  }
}

struct SOnePixel {
  int32_t source, destination;
  uint32_t in, expected;
};

TEST(ScanlineConvert, OnePixelOfEachConverter) {
  uint8_t palette[kPaletteBytes] = {};
  palette[0] = 0xFF, palette[1] = 0x84, palette[2] = 0x0C;  // entry 0: blue FF, green 84, red 0C
  const SOnePixel cases[] = {
      {pfP8, pfA8R8G8B8, 0, 0xFF0C84FF},
      {pfP1, pfX1R5G5B5, 0, (0x0C >> 3) << 10 | (0x84 >> 3) << 5 | 0x1F},
      {pfP1, pfA1R5G5B5, 0, 0x8000 | (0x0C >> 3) << 10 | (0x84 >> 3) << 5 | 0x1F},
      {pfP1, pfR5G6B5, 0, (0x0C >> 3) << 11 | (0x84 >> 2) << 5 | 0x1F},
      {pfP1, pfR8G8B8, 0, 0x0C84FF},
      {pfP1, pfP8, 0x80, 1},
      {pfP1, pfP4, 0x40, 0x01},  // pixels 0 and 1: the second in the low nibble
      {pfX1R5G5B5, pfA8R8G8B8, 0x7C1F, 0xFFF800F8},
      {pfX1R5G5B5, pfX8R8G8B8, 0x03E0, 0x0000F800},
      {pfA1R5G5B5, pfA8R8G8B8, 0x8001, 0xFF000008},
      {pfA1R5G5B5, pfA8R8G8B8, 0x0001, 0x00000008},
      {pfR5G6B5, pfA8R8G8B8, 0xF81F, 0xFFF800F8},
      {pfR5G6B5, pfX8R8G8B8, 0x07E0, 0x0000FC00},
      {pfR8G8B8, pfA8R8G8B8, 0x123456, 0xFF123456},
      {pfX8R8G8B8, pfA8R8G8B8, 0x00123456, 0xFF123456},
      {pfX8R8G8B8, pfR8G8B8, 0x77123456, 0x123456},
      {pfA8R8G8B8, pfX8R8G8B8, 0x77123456, 0x77123456},
  };
  for (const SOnePixel& c : cases) {
    uint8_t in[4], out[4] = {};
    std::memcpy(in, &c.in, 4);
    const int32_t count = c.source == pfP1 && c.destination == pfP4 ? 2 : 1;
    ScanlineConvert(out, in, c.source, c.destination, palette, count);
    uint32_t got = 0;
    std::memcpy(&got, out,
                PixelFormatBits(c.destination) >= 8 ? PixelFormatBits(c.destination) / 8 : 1);
    EXPECT_EQ(got, c.expected) << PixelFormatName(c.source) << " -> "
                               << PixelFormatName(c.destination);
  }
}

TEST(ScanlineConvert, BitCountsGiveTheirFormats) {
  const uint32_t bits[] = {1, 2, 4, 8, 16, 16, 24, 32, 32};
  const bool alpha[] = {false, false, false, false, false, true, false, false, true};
  const int32_t formats[] = {pfP1,       pfP2,     pfP4,       pfP8,      pfX1R5G5B5,
                             pfA1R5G5B5, pfR8G8B8, pfX8R8G8B8, pfA8R8G8B8};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(BitmapBPPToPixelFmt(bits[i], alpha[i]), formats[i]);
  for (uint32_t bad : {0u, 3u, 15u, 48u}) {
    try {
      BitmapBPPToPixelFmt(bad, false);
      ADD_FAILURE() << bad;
    } catch (const char* message) {
      EXPECT_STREQ(message, "BitmapBPPToPixelFmt: Invalid pixel format.");
    }
  }
}

}  // namespace
