#include <gtest/gtest.h>

#include <vector>

#include "TdLib.h"
#include "tests/charts/TileSamples.h"
#include "tests/charts/TileStreamBuilder.h"

namespace {

struct SCoded {
  std::vector<uint8_t> bytes;
  uint32_t colourSize = 0, alphaSize = 0;
};

SCoded Compress(const std::vector<uint32_t>& pixels, uint32_t width, uint32_t height) {
  SCoded c;
  c.bytes.resize(TCF2_TILE_CODE_BUFFER_SIZE);
  TCF2TileCompress(c.bytes.data(), pixels.data(), width, height, &c.colourSize, &c.alphaSize);
  c.bytes.resize(c.colourSize + c.alphaSize);
  return c;
}

TEST(ChartExports, TileRoundTrip) {
  TCF2Initialize();
  TCF2Initialize();
  std::vector<uint32_t> tile = MakeTile(ETileKind::kChart, 200, 100, 3, ETileAlpha::kRuns);
  SCoded coded = Compress(tile, 200, 100);
  ASSERT_GT(coded.colourSize, 2u);
  ASSERT_GT(coded.alphaSize, 0u);

  std::vector<uint32_t> decoded(tile.size());
  uint8_t allTransparent = 7, allOpaque = 7;
  uint32_t colourSize = 0;
  TCF2TileDecompress(decoded.data(), 200, 100, &allTransparent, &allOpaque, &colourSize,
                     coded.bytes.data(), 1);
  EXPECT_EQ(colourSize, coded.colourSize);
  EXPECT_EQ(allTransparent, 0);
  EXPECT_EQ(allOpaque, 0);
  for (size_t i = 0; i < tile.size(); ++i)
    ASSERT_EQ(decoded[i], (tile[i] & 0xFFFFFF) | (tile[i] >> 24 ? 0xFF000000 : 0)) << i;

  TCF2TileDecompress(decoded.data(), 200, 100, &allTransparent, &allOpaque, &colourSize,
                     coded.bytes.data(), 0);
  EXPECT_EQ(allTransparent, 0);
  EXPECT_EQ(allOpaque, 1);
  EXPECT_EQ(decoded[0] >> 24, 0xFFu);
}

TEST(ChartExports, OneColourTileSizes) {
  SCoded coded = Compress(std::vector<uint32_t>(256 * 256, 0xFF123456), 256, 256);
  EXPECT_EQ(coded.colourSize, 293u);
  EXPECT_EQ(coded.alphaSize, 6u);

  std::vector<uint8_t> alpha(TCF2_TILE_ALPHA_BUFFER_SIZE);
  uint32_t alphaSize = 0;
  std::vector<uint32_t> edge(255 * 255, 0xFF000000);
  TCF2TileCompressAlpha(alpha.data(), edge.data(), 255, 255, &alphaSize);
  EXPECT_EQ(alphaSize, (254u * 2 + 2) * 2);
}

TEST(ChartExports, DamagedTileIsTransparent) {
  CTileStreamBuilder s;
  s.U16(0);
  for (int b = 0; b < 256; ++b) s.Byte(0).Colour(0x808080);
  s.U16(0x8000);  // an alpha run of no pixels
  std::vector<uint32_t> pixels(16 * 16, 0x12345678);
  uint8_t allTransparent = 7, allOpaque = 7;
  uint32_t colourSize = 7;
  TCF2TileDecompress(pixels.data(), 16, 16, &allTransparent, &allOpaque, &colourSize,
                     s.bytes.data(), 1);
  EXPECT_EQ(allTransparent, 1);
  EXPECT_EQ(allOpaque, 0);
  EXPECT_EQ(colourSize, 0u);
  for (uint32_t p : pixels) ASSERT_EQ(p, 0u);
}

TEST(ChartExports, SizeOutsideTileDoesNothing) {
  uint32_t pixel = 0xFF010203;
  uint8_t bytes[16] = {};
  for (auto [w, h] : {std::pair{0u, 1u}, {1u, 0u}, {257u, 1u}, {1u, 257u}}) {
    uint32_t colourSize = 7, alphaSize = 7, out = 0x5A5A5A5A;
    uint8_t allTransparent = 7, allOpaque = 7;
    TCF2TileCompress(bytes, &pixel, w, h, &colourSize, &alphaSize);
    TCF2TileCompressAlpha(bytes, &pixel, w, h, &alphaSize);
    TCF2TileDecompress(&out, w, h, &allTransparent, &allOpaque, &colourSize, bytes, 1);
    EXPECT_EQ(colourSize, 7u);
    EXPECT_EQ(alphaSize, 7u);
    EXPECT_EQ(allTransparent, 7);
    EXPECT_EQ(allOpaque, 7);
    EXPECT_EQ(out, 0x5A5A5A5Au);
    for (uint8_t b : bytes) EXPECT_EQ(b, 0);
  }
}

}  // namespace
