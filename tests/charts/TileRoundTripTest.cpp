#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "lib/charts/TileDecoder.h"
#include "lib/charts/TileEncoder.h"
#include "lib/charts/TileFormat.h"
#include "tests/charts/TileSamples.h"

namespace {

// Encodes and decodes; the result must be the pixels with alpha reduced to
// opaque (any alpha but 0) or transparent. Returns the coded bytes.
// One encoder codes every tile, as the chart writers use it.
std::vector<uint8_t> ExpectRoundTrip(const std::vector<uint32_t>& pixels, uint32_t width,
                                     uint32_t height) {
  static CTileEncoder encoder;
  std::vector<uint8_t> coded(kTileCodeBufferSize);
  uint32_t colourSize = 0, alphaSize = 0;
  EXPECT_EQ(encoder.Compress(coded.data(), coded.size(), pixels.data(), width, height, colourSize, alphaSize),
            0u);
  EXPECT_LE(colourSize, kTileColourCodeMax);
  coded.resize(colourSize + alphaSize);

  std::vector<uint32_t> expected(pixels);
  bool anyOpaque = false, anyTransparent = false;
  for (uint32_t& p : expected) {
    p = (p & kColourMask) | (p >> 24 ? kAlphaOpaque : 0);
    (p >> 24 ? anyOpaque : anyTransparent) = true;
  }
  // Padding of an edge tile is transparent.
  anyTransparent |= width * height < kTilePixels;

  std::vector<uint32_t> decoded(pixels.size());
  STileDecodeInfo info;
  EXPECT_EQ(CTileDecoder::Decode(decoded.data(), width, height, coded.data(), coded.size(), true, info), 0u);
  EXPECT_EQ(info.colourSize, colourSize);
  EXPECT_EQ(info.allOpaque, !anyTransparent);
  EXPECT_EQ(info.allTransparent, !anyOpaque);
  EXPECT_EQ(decoded, expected);

  // Without its alpha stream the tile is opaque throughout. The decoder
  // reads nothing after the last value it needs, so it may be told of more
  // bytes than there are, as the export does (the sanitizer sees any read
  // past the colour stream).
  std::vector<uint8_t> colourOnly(coded.begin(), coded.begin() + colourSize);
  EXPECT_EQ(CTileDecoder::Decode(decoded.data(), width, height, colourOnly.data(), kTileStreamLimit, false, info),
            0u);
  for (uint32_t& p : expected) p |= kAlphaOpaque;
  EXPECT_EQ(decoded, expected);
  return coded;
}

uint16_t PaletteCount(const std::vector<uint8_t>& coded) { return coded[0] | coded[1] << 8; }

TEST(TileRoundTrip, KindsSizesAndAlpha) {
  const ETileKind kinds[] = {ETileKind::kFlat, ETileKind::kFewColours, ETileKind::kGradient,
                             ETileKind::kNoise, ETileKind::kChart};
  const std::pair<uint32_t, uint32_t> sizes[] = {{256, 256}, {1, 1}, {255, 255}, {256, 1}, {1, 256}, {200, 100}};
  const ETileAlpha alphas[] = {ETileAlpha::kOpaque, ETileAlpha::kRuns, ETileAlpha::kSpeckled};
  uint32_t seed = 1;
  for (ETileKind kind : kinds)
    for (auto [width, height] : sizes)
      for (ETileAlpha alpha : alphas) {
        SCOPED_TRACE(testing::Message() << TileKindName(kind) << " " << width << "x" << height
                                        << " alpha " << static_cast<int>(alpha));
        ExpectRoundTrip(MakeTile(kind, width, height, seed++, alpha), width, height);
      }
}

// An encoder that has coded other tiles gives the bytes a new one gives.
TEST(TileRoundTrip, ReusedEncoderMatchesNewOne) {
  CTileEncoder reused;
  std::vector<uint8_t> a(kTileCodeBufferSize), b(kTileCodeBufferSize);
  uint32_t seed = 50;
  for (ETileKind kind : {ETileKind::kNoise, ETileKind::kFewColours, ETileKind::kGradient, ETileKind::kFlat,
                         ETileKind::kChart, ETileKind::kFewColours})
    for (uint32_t size : {256u, 77u}) {
      std::vector<uint32_t> tile = MakeTile(kind, size, size, seed++, ETileAlpha::kRuns);
      uint32_t colourA, alphaA, colourB, alphaB;
      ASSERT_EQ(reused.Compress(a.data(), a.size(), tile.data(), size, size, colourA, alphaA), 0u);
      ASSERT_EQ(CTileEncoder().Compress(b.data(), b.size(), tile.data(), size, size, colourB, alphaB), 0u);
      ASSERT_EQ(colourA, colourB);
      ASSERT_EQ(alphaA, alphaB);
      ASSERT_TRUE(std::equal(a.begin(), a.begin() + colourA + alphaA, b.begin()));
    }
}

TEST(TileRoundTrip, ManySeeds) {
  for (uint32_t seed = 100; seed < 110; ++seed)
    for (ETileKind kind : {ETileKind::kFewColours, ETileKind::kChart, ETileKind::kGradient})
      ExpectRoundTrip(MakeTile(kind, 256, 256, seed, ETileAlpha::kRuns), 256, 256);
}

// Shared palettes of 2 colours (2-bit indices) and 256 colours (9-bit).
TEST(TileRoundTrip, SharedPaletteWidthBoundaries) {
  std::vector<uint32_t> two(kTilePixels);
  for (uint32_t i = 0; i < kTilePixels; ++i) two[i] = (i / 256 + i % 256) % 7 == 0 ? 0xFF00FF00 : 0xFF0000FF;
  EXPECT_EQ(PaletteCount(ExpectRoundTrip(two, 256, 256)), 2);

  std::vector<uint32_t> many(kTilePixels);
  for (uint32_t i = 0; i < kTilePixels; ++i) many[i] = 0xFF000000 | ((i / 4096) * 16 + i % 256 / 16) * 0x010101;
  EXPECT_EQ(PaletteCount(ExpectRoundTrip(many, 256, 256)), 256);
}

// Without a shared palette, blocks of 1, 2 and 3 colours in patterns that
// take block codes 0, 2 and 3.
TEST(TileRoundTrip, BlockPaletteBoundaries) {
  std::vector<uint32_t> tile(kTilePixels);
  for (uint32_t b = 0; b < kTileBlocks; ++b)
    for (uint32_t k = 0; k < kTileBlockPixels; ++k)
      BlockPixel(TileBlock(tile.data(), b), k) = 0xFF000000 | (b * 4 + k % (b % 3 + 1)) << 4;
  std::vector<uint8_t> coded = ExpectRoundTrip(tile, 256, 256);
  ASSERT_EQ(PaletteCount(coded), 0);
  EXPECT_EQ(coded[2], 0);                      // block 0: one colour
  EXPECT_EQ(coded[2 + 4], 2);                  // block 1: palette of 2
  EXPECT_EQ(coded[2 + 4 + 1 + 6 + 4 * 9], 3);  // block 2, after the 2 colours and 257 bits
}

// The colour counting must not be slow or wrong on colours that arrive in
// sorted order, nor on the most colours a tile can have.
TEST(TileRoundTrip, SortedAndDistinctColours) {
  std::vector<uint32_t> tile(kTilePixels);
  for (uint32_t i = 0; i < kTilePixels; ++i) tile[i] = 0xFF000000 | i;
  EXPECT_EQ(PaletteCount(ExpectRoundTrip(tile, 256, 256)), 0);
  for (uint32_t i = 0; i < kTilePixels; ++i) tile[i] = 0xFF000000 | (i / 2);
  ExpectRoundTrip(tile, 256, 256);
}

}  // namespace
