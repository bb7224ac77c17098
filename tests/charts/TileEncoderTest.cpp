#include "lib/charts/TileEncoder.h"

#include <gtest/gtest.h>

#include <vector>

#include "lib/charts/TileDecoder.h"
#include "lib/charts/TileFormat.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "tests/charts/TileStreamBuilder.h"

namespace {

struct SCoded {
  std::vector<uint8_t> colour;
  std::vector<uint8_t> alpha;
};

SCoded Compress(const std::vector<uint32_t>& pixels, uint32_t width, uint32_t height) {
  std::vector<uint8_t> buffer(kTileCodeBufferSize);
  uint32_t colourSize = 0, alphaSize = 0;
  EXPECT_EQ(CTileEncoder().Compress(buffer.data(), buffer.size(), pixels.data(), width, height,
                                   colourSize, alphaSize),
            0u);
  return {{buffer.begin(), buffer.begin() + colourSize},
          {buffer.begin() + colourSize, buffer.begin() + colourSize + alphaSize}};
}

std::vector<uint8_t> AlphaWords(const std::vector<uint32_t>& words) {
  CTileStreamBuilder s;
  for (uint32_t w : words) s.U16(w);
  return s.bytes;
}

const std::vector<uint8_t> kOpaqueAlpha = AlphaWords({0x8000 | 32767, 0x8000 | 32767, 0x8000 | 2});

// Pixels given by block and block-pixel number.
template <class TPixel>
std::vector<uint32_t> TileOfBlocks(TPixel pixel) {
  std::vector<uint32_t> tile(kTilePixels);
  for (uint32_t b = 0; b < kTileBlocks; ++b)
    for (uint32_t k = 0; k < kTileBlockPixels; ++k)
      BlockPixel(TileBlock(tile.data(), b), k) = pixel(b, k);
  return tile;
}

uint16_t PaletteCount(const SCoded& coded) { return coded.colour[0] | coded.colour[1] << 8; }

// One colour: shared total 131 bytes against 1,024 without, so one shared
// colour and per block an 8-bit code 0 and a 1-bit index.
TEST(TileEncoder, OneColourTile) {
  SCoded coded = Compress(std::vector<uint32_t>(kTilePixels, 0xFF123456), 256, 256);
  CTileStreamBuilder s;
  s.U16(1).Colour(0x123456);
  for (uint32_t b = 0; b < kTileBlocks; ++b) s.Bits(0, 8).Bits(0, 1);
  s.EndSection();
  ASSERT_EQ(s.bytes.size(), 293u);
  EXPECT_EQ(coded.colour, s.bytes);
  EXPECT_EQ(coded.alpha, kOpaqueAlpha);
}

// 65,536 different colours never take a shared palette; a block of 256
// different colours is priced at 770 bytes as a colour run, so it is one
// literal run item, not a raw block.
TEST(TileEncoder, AllDifferentColours) {
  auto colour = [](uint32_t b, uint32_t k) { return (b * 0x9E37 + k * 0x10001) & 0xFFFFFF; };
  std::vector<uint32_t> tile = TileOfBlocks([&](uint32_t b, uint32_t k) { return 0xFF000000 | colour(b, k); });
  SCoded coded = Compress(tile, 256, 256);
  CTileStreamBuilder s;
  s.U16(0);
  for (uint32_t b = 0; b < kTileBlocks; ++b) {
    s.Byte(254).Run(false, 256);
    for (uint32_t k = 0; k < kTileBlockPixels; ++k) s.Bits(colour(b, k), 24);
    s.EndSection();
  }
  ASSERT_EQ(s.bytes.size(), 2u + 256 * 773);
  EXPECT_EQ(coded.colour, s.bytes);
  EXPECT_EQ(coded.alpha, kOpaqueAlpha);
}

// The padding of a 255 x 255 tile is transparent: per row 255 opaque
// pixels and one transparent, and the last row transparent throughout.
TEST(TileEncoder, EdgeTileAlphaStream) {
  std::vector<uint32_t> words;
  for (int y = 0; y < 254; ++y) words.insert(words.end(), {0x8000 | 255, 1});
  words.insert(words.end(), {0x8000 | 255, 257});
  std::vector<uint32_t> tile(255 * 255, 0xFF808080);
  EXPECT_EQ(Compress(tile, 255, 255).alpha, AlphaWords(words));

  std::vector<uint8_t> buffer(kTileAlphaStreamLimit);
  uint32_t alphaSize = 0;
  ASSERT_EQ(CTileEncoder().CompressAlpha(buffer.data(), buffer.size(), tile.data(), 255, 255, alphaSize), 0u);
  buffer.resize(alphaSize);
  EXPECT_EQ(buffer, AlphaWords(words));
}

TEST(TileEncoder, AlphaOfOpaqueTile) {
  std::vector<uint32_t> tile(kTilePixels, 0x01000000);  // partly transparent counts as opaque
  std::vector<uint8_t> buffer(64, 0xEE);
  uint32_t alphaSize = 0;
  ASSERT_EQ(CTileEncoder().CompressAlpha(buffer.data(), 6, tile.data(), 256, 256, alphaSize), 0u);
  EXPECT_EQ(alphaSize, 6u);
  EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + 6), kOpaqueAlpha);
  EXPECT_EQ(buffer[6], 0xEE);
}

// Padding: the rest of each row repeats the row's last colour, the rows
// below repeat pixel (0, 0), all transparent.
TEST(TileEncoder, EdgeTilePadding) {
  const std::vector<uint32_t> tile = {0xFF010203, 0xFF040506, 0x00070809, 0x800A0B0C};  // 2 x 2
  SCoded coded = Compress(tile, 2, 2);
  EXPECT_EQ(coded.alpha, AlphaWords({0x8000 | 2, 255, 0x8000 | 1, 32767, 32511}));

  std::vector<uint32_t> expected(kTilePixels, 0x00010203);
  std::fill_n(expected.begin(), 256, 0x00040506);
  std::fill_n(expected.begin() + 256, 256, 0x000A0B0C);
  expected[0] = 0xFF010203;
  expected[1] = 0xFF040506;
  expected[256] = 0x00070809;
  expected[257] = 0xFF0A0B0C;
  std::vector<uint8_t> bytes = coded.colour;
  bytes.insert(bytes.end(), coded.alpha.begin(), coded.alpha.end());
  std::vector<uint32_t> padded(kTilePixels);
  STileDecodeInfo info;
  ASSERT_EQ(CTileDecoder::Decode(padded.data(), 256, 256, bytes.data(), bytes.size(), true, info), 0u);
  EXPECT_EQ(padded, expected);
}

// Palette order is by descending count; among equal counts it is what a
// middle-pivot quicksort leaves: counts a 16,128, b 16,640, c 16,128,
// d 16,640 in order of first appearance give d, b, a, c.
TEST(TileEncoder, SharedPaletteOrder) {
  const uint32_t a = 0xAAAAAA, b = 0xBBBBBB, c = 0xCCCCCC, d = 0xDDDDDD;
  std::vector<uint32_t> tile(kTilePixels);
  for (uint32_t y = 0; y < 256; ++y)
    std::fill_n(tile.begin() + y * 256, 256, 0xFF000000 | (y < 63 ? a : y < 128 ? b : y < 191 ? c : d));
  SCoded coded = Compress(tile, 256, 256);
  CTileStreamBuilder s;
  s.U16(4).Colour(d).Colour(b).Colour(a).Colour(c);
  ASSERT_GE(coded.colour.size(), s.bytes.size());
  EXPECT_EQ(std::vector<uint8_t>(coded.colour.begin(), coded.colour.begin() + 14), s.bytes);
}

// Blocks of one colour, some of their own and the rest sharing one, and
// blocks of two new colours in halves: with 52 two-colour blocks and 198
// own-colour blocks both estimates are 1,284 bytes and the tile goes
// without a shared palette; one own-colour block less and the shared
// palette is cheaper.
TEST(TileEncoder, EqualEstimatesGoWithoutSharedPalette) {
  auto tile = [](uint32_t ownColourBlocks) {
    return TileOfBlocks([=](uint32_t b, uint32_t k) {
      if (b < 52) return 0xFF000000 | (2 * b + k / 128 + 1) << 8;
      if (b < 52 + ownColourBlocks) return 0xFF000000 | b;
      return 0xFFFFFFFF;
    });
  };
  EXPECT_EQ(PaletteCount(Compress(tile(198), 256, 256)), 0);
  EXPECT_EQ(PaletteCount(Compress(tile(197), 256, 256)), 302);
}

// All-different colours with alpha changing at every pixel outgrow 262,144
// bytes; the documented buffer size holds them.
TEST(TileEncoder, WorstCaseFitsTheBufferSize) {
  std::vector<uint32_t> tile(kTilePixels);
  for (uint32_t i = 0; i < kTilePixels; ++i) tile[i] = ((i * 0x9E3779B1u) & 0xFFFFFF) | (i % 2 ? 0xFF000000 : 0);
  std::vector<uint8_t> buffer(kTileCodeBufferSize);
  uint32_t colourSize = 0, alphaSize = 0;
  ASSERT_EQ(CTileEncoder().Compress(buffer.data(), buffer.size(), tile.data(), 256, 256, colourSize, alphaSize), 0u);
  EXPECT_EQ(alphaSize, 2u * kTilePixels);
  EXPECT_GT(colourSize + alphaSize, 262144u);
  EXPECT_LE(colourSize, kTileColourCodeMax);
}

TEST(TileEncoder, OutputThatDoesNotFitIsAnError) {
  std::vector<uint32_t> tile(kTilePixels, 0xFF123456);
  for (size_t capacity : {0u, 292u, 298u}) {
    std::vector<uint8_t> buffer(capacity);  // exact size: the sanitizer sees any overrun
    uint32_t colourSize = 7, alphaSize = 7;
    EXPECT_EQ(CTileEncoder().Compress(buffer.data(), capacity, tile.data(), 256, 256, colourSize, alphaSize),
              kErrCompress);
    EXPECT_EQ(colourSize, 0u);
    EXPECT_EQ(alphaSize, 0u);
  }
}

TEST(TileEncoder, BadSizeIsAnError) {
  std::vector<uint8_t> buffer(16);
  uint32_t pixel = 0, colourSize = 7, alphaSize = 7;
  for (auto [w, h] : {std::pair{0u, 1u}, {1u, 0u}, {257u, 1u}, {1u, 257u}}) {
    EXPECT_EQ(CTileEncoder().Compress(buffer.data(), buffer.size(), &pixel, w, h, colourSize, alphaSize),
              kErrCompress);
    EXPECT_EQ(CTileEncoder().CompressAlpha(buffer.data(), buffer.size(), &pixel, w, h, alphaSize), kErrCompress);
  }
}

}  // namespace
