#include "lib/charts/TileDecoder.h"

#include <gtest/gtest.h>

#include <vector>

#include "lib/charts/TileFormat.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "tests/charts/TileStreamBuilder.h"

namespace {

struct SDecoded {
  uint32_t status;
  STileDecodeInfo info;
  std::vector<uint32_t> pixels;
  uint32_t At(uint32_t x, uint32_t y) const { return pixels[y * kTileSide + x]; }
};

SDecoded Decode(const std::vector<uint8_t>& bytes, bool hasAlpha) {
  SDecoded d;
  d.pixels.assign(kTilePixels, 0x12345678);
  d.status = CTileDecoder::Decode(d.pixels.data(), kTileSide, kTileSide, bytes.data(), bytes.size(),
                                  hasAlpha, d.info);
  return d;
}

uint32_t BlockColour(uint32_t b) { return (0x010203 * b + 0x400000) & 0xFFFFFF; }

// Blocks first..255 of code 0, each in BlockColour(b).
void AddOneColourBlocks(CTileStreamBuilder& s, uint32_t first) {
  for (uint32_t b = first; b < kTileBlocks; ++b) s.Byte(0).Colour(BlockColour(b));
}

std::vector<uint8_t> SmallestTile() {
  CTileStreamBuilder s;
  s.U16(0);
  AddOneColourBlocks(s, 0);
  return s.bytes;
}

void ExpectBlock(const SDecoded& d, uint32_t b, uint32_t pixel) {
  uint32_t x0 = b % 16 * 16, y0 = b / 16 * 16;
  for (uint32_t k = 0; k < kTileBlockPixels; ++k)
    ASSERT_EQ(d.At(x0 + k % 16, y0 + k / 16), pixel) << "block " << b << " pixel " << k;
}

TEST(TileDecoder, SmallestTileIsOneColourPerBlock) {
  std::vector<uint8_t> bytes = SmallestTile();
  ASSERT_EQ(bytes.size(), 1026u);
  SDecoded d = Decode(bytes, false);
  ASSERT_EQ(d.status, 0u);
  EXPECT_EQ(d.info.colourSize, 1026u);
  EXPECT_TRUE(d.info.allOpaque);
  EXPECT_FALSE(d.info.allTransparent);
  for (uint32_t b = 0; b < kTileBlocks; ++b) ExpectBlock(d, b, 0xFF000000 | BlockColour(b));
}

// Shared palette of 2 colours: 2-bit shared indices; block palettes of 1
// and 2 colours: 1-bit indices.
TEST(TileDecoder, SharedPaletteIndexWidths) {
  const uint32_t c0 = 0x102030, c1 = 0xA0B0C0;
  CTileStreamBuilder s;
  s.U16(2).Colour(c0).Colour(c1);
  s.Bits(254, 8).Run(true, 128).Bits(1, 2).Run(true, 128).Bits(0, 2);
  s.Bits(1, 8).Bits(1, 2).Run(true, 256).Bits(0, 1);
  s.Bits(2, 8).Bits(1, 2).Bits(0, 2).Run(false, 256);
  for (uint32_t k = 0; k < 256; ++k) s.Bits(k % 2, 1);
  s.Bits(255, 8);
  for (uint32_t k = 0; k < 256; ++k) s.Bits(k / 128, 2);
  for (uint32_t b = 4; b < kTileBlocks; ++b) s.Bits(0, 8).Bits(b % 2, 2);
  s.EndSection();

  SDecoded d = Decode(s.bytes, false);
  ASSERT_EQ(d.status, 0u);
  EXPECT_EQ(d.info.colourSize, s.bytes.size());
  const uint32_t p0 = 0xFF000000 | c0, p1 = 0xFF000000 | c1;
  EXPECT_EQ(d.At(0, 7), p1);
  EXPECT_EQ(d.At(15, 8), p0);
  ExpectBlock(d, 1, p1);
  EXPECT_EQ(d.At(32, 0), p1);
  EXPECT_EQ(d.At(33, 0), p0);
  EXPECT_EQ(d.At(47, 15), p0);
  EXPECT_EQ(d.At(48, 7), p0);
  EXPECT_EQ(d.At(48, 8), p1);
  ExpectBlock(d, 4, p0);
  ExpectBlock(d, 255, p1);
}

// Without a shared palette each block's bit section ends on a word of its
// own: one ending exactly on a word boundary is followed at once by the
// next code byte, one ending inside a word after that word.
TEST(TileDecoder, PlainBlocksEndOnWordBoundaries) {
  CTileStreamBuilder s;
  s.U16(0).Byte(254);
  for (uint32_t i = 0; i < 32; ++i) s.Run(true, 8).Bits(0x100000 + i, 24);  // 1,056 bits
  s.EndSection();
  ASSERT_EQ(s.bytes.size(), 2u + 1 + 132);
  s.Byte(254).Run(true, 256).Bits(0x777777, 24).EndSection();  // 33 bits, 2 words
  s.Byte(3).Colour(0x0000AA).Colour(0x00BB00).Colour(0xCC0000).Run(false, 254);
  for (uint32_t k = 0; k < 254; ++k) s.Bits(k % 3, 2);
  s.Run(true, 2).Bits(2, 2).EndSection();
  size_t beforeRaw = s.bytes.size();
  s.Byte(255);
  for (uint32_t k = 0; k < 256; ++k) s.Colour(k * 0x010101);
  ASSERT_EQ(s.bytes.size() - beforeRaw, 769u);
  AddOneColourBlocks(s, 4);

  SDecoded d = Decode(s.bytes, false);
  ASSERT_EQ(d.status, 0u);
  EXPECT_EQ(d.info.colourSize, s.bytes.size());
  EXPECT_EQ(d.At(0, 0), 0xFF100000u);
  EXPECT_EQ(d.At(8, 0), 0xFF100001u);
  EXPECT_EQ(d.At(15, 15), 0xFF10001Fu);
  ExpectBlock(d, 1, 0xFF777777);
  EXPECT_EQ(d.At(32, 0), 0xFF0000AAu);
  EXPECT_EQ(d.At(33, 0), 0xFF00BB00u);
  EXPECT_EQ(d.At(34, 0), 0xFFCC0000u);
  EXPECT_EQ(d.At(46, 15), 0xFFCC0000u);
  EXPECT_EQ(d.At(48 + 5, 2), 0xFF000000u | (37 * 0x010101));
  for (uint32_t b = 4; b < kTileBlocks; ++b) ExpectBlock(d, b, 0xFF000000 | BlockColour(b));
}

TEST(TileDecoder, EdgeTileWritesOnlyItsPixels) {
  CTileStreamBuilder s;
  s.bytes = SmallestTile();
  s.U16(0x8000 | 100).U16(32767).U16(0x8000 | 32669);  // transparent from (100, 0) to (99, 128)
  SDecoded full = Decode(s.bytes, true);
  ASSERT_EQ(full.status, 0u);
  std::vector<uint32_t> dst(200 * 100 + 64, 0xDEADBEEF);
  STileDecodeInfo info;
  ASSERT_EQ(CTileDecoder::Decode(dst.data(), 200, 100, s.bytes.data(), s.bytes.size(), true, info), 0u);
  EXPECT_EQ(info.colourSize, 1026u);
  EXPECT_FALSE(info.allOpaque);
  EXPECT_FALSE(info.allTransparent);
  for (uint32_t y = 0; y < 100; ++y)
    for (uint32_t x = 0; x < 200; ++x) ASSERT_EQ(dst[y * 200 + x], full.At(x, y)) << x << "," << y;
  EXPECT_EQ(dst[99] >> 24, 0xFFu);
  EXPECT_EQ(dst[100] >> 24, 0u);
  for (size_t i = 200 * 100; i < dst.size(); ++i) ASSERT_EQ(dst[i], 0xDEADBEEFu);
}

struct SAlphaCase {
  std::vector<uint32_t> words;
  bool allTransparent, allOpaque;
  uint32_t transparentBegin, transparentEnd;  // pixels of the one transparent stretch
};

TEST(TileDecoder, AlphaRuns) {
  const SAlphaCase cases[] = {
      {{0x8000 | 32767, 0x8000 | 32767, 0x8000 | 2}, false, true, 0, 0},
      {{32767, 32767, 2}, true, false, 0, kTilePixels},
      {{0x8000 | 100, 32767, 0x8000 | 32669}, false, false, 100, 100 + 32767},
      {{0x8000 | 30000, 0x8000 | 32767, 0x8000 | 2769}, false, true, 0, 0},
  };
  for (const SAlphaCase& c : cases) {
    CTileStreamBuilder s;
    s.bytes = SmallestTile();
    for (uint32_t w : c.words) s.U16(w);
    SDecoded d = Decode(s.bytes, true);
    ASSERT_EQ(d.status, 0u);
    EXPECT_EQ(d.info.colourSize, 1026u);
    EXPECT_EQ(d.info.allTransparent, c.allTransparent);
    EXPECT_EQ(d.info.allOpaque, c.allOpaque);
    for (uint32_t i = 0; i < kTilePixels; ++i) {
      uint32_t x = i % 256, y = i / 256;
      uint32_t colour = BlockColour(y / 16 * 16 + x / 16);
      bool opaque = i < c.transparentBegin || i >= c.transparentEnd;
      ASSERT_EQ(d.pixels[i], (opaque ? 0xFF000000 : 0) | colour) << i;
    }
  }
}

// Damaged data of every kind gives the error status and a transparent
// tile, reading nothing outside the bytes given.
TEST(TileDecoder, DamagedDataIsAnError) {
  struct SCase {
    const char* name;
    CTileStreamBuilder stream;
  };
  std::vector<SCase> cases;
  auto add = [&cases](const char* name) -> CTileStreamBuilder& {
    cases.push_back({name, {}});
    return cases.back().stream;
  };
  add("shared index beyond the palette").U16(3).Colour(1).Colour(2).Colour(3).Bits(0, 8).Bits(3, 2).EndSection();
  add("block palette index beyond the palette").U16(0).Byte(3).Colour(1).Colour(2).Colour(3).Run(true, 256).Bits(3, 2).EndSection();
  add("run past the end of the block").U16(0).Byte(254).Run(true, 200).Bits(1, 24).Run(true, 100).Bits(2, 24).EndSection();
  add("shared palette longer than the data").U16(1000).Colour(1).Colour(2);
  add("no bytes");
  for (uint32_t word : {0x8000u, 0u, 0x8003u}) {
    CTileStreamBuilder& s = add("bad alpha run");
    s.bytes = SmallestTile();
    s.U16(0xFFFF).U16(0xFFFF).U16(word);
  }
  CTileStreamBuilder& shortAlpha = add("alpha stream ends early");
  shortAlpha.bytes = SmallestTile();
  shortAlpha.U16(0xFFFF);

  for (const SCase& c : cases) {
    SDecoded d = Decode(c.stream.bytes, true);
    EXPECT_EQ(d.status, kErrUncompress) << c.name;
    EXPECT_EQ(d.info.colourSize, 0u) << c.name;
    EXPECT_TRUE(d.info.allTransparent) << c.name;
    EXPECT_FALSE(d.info.allOpaque) << c.name;
    for (uint32_t p : d.pixels) ASSERT_EQ(p, 0u) << c.name;
  }
}

TEST(TileDecoder, EveryShortenedStreamIsAnError) {
  CTileStreamBuilder s;
  s.U16(0).Byte(254).Run(false, 256);
  for (uint32_t k = 0; k < 256; ++k) s.Bits(k * 0x10101, 24);
  s.EndSection();
  AddOneColourBlocks(s, 1);
  s.U16(0x8000 | 32767).U16(0x8000 | 32767).U16(0x8000 | 2);
  ASSERT_EQ(Decode(s.bytes, true).status, 0u);
  for (size_t size = 0; size < s.bytes.size(); ++size) {
    std::vector<uint8_t> part(s.bytes.begin(), s.bytes.begin() + size);
    ASSERT_EQ(Decode(part, true).status, kErrUncompress) << size;
  }
}

TEST(TileDecoder, BadSizeIsAnError) {
  std::vector<uint8_t> bytes = SmallestTile();
  uint32_t pixel = 0x5A5A5A5A;
  STileDecodeInfo info;
  for (auto [w, h] : {std::pair{0u, 1u}, {1u, 0u}, {257u, 1u}, {1u, 257u}}) {
    EXPECT_EQ(CTileDecoder::Decode(&pixel, w, h, bytes.data(), bytes.size(), false, info), kErrUncompress);
    EXPECT_EQ(pixel, 0x5A5A5A5Au);
  }
}

}  // namespace
