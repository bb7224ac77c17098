// Truths about chart images and files computed by the tests themselves:
// images halved as the layout of the reduction says, coded tiles, and a
// chart file read back whole through the library's reader.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "lib/charts/TCF2FileRead.h"
#include "lib/charts/TCF2TileData.h"
#include "lib/charts/TileEncoder.h"
#include "lib/charts/TileFormat.h"
#include "lib/foundation/streams/FileStream.h"
#include "tests/charts/UpdateTestFiles.h"

inline constexpr uint32_t kOpaque = 0xFF000000;
constexpr uint32_t kVersion1001 = 0x01000001;
constexpr uint32_t kVersion1002 = 0x01000002;

struct SImage {
  uint32_t width, height;
  std::vector<uint32_t> pixels;
  uint32_t At(uint32_t x, uint32_t y) const { return pixels[y * width + x]; }
};

// The image halved as the layout of the reduction says: 2 x 2 blocks
// averaged per channel ((sum of four) >> 2), an odd last column or row from
// its pair ((a + b) >> 1), an odd corner the pixel itself; every pixel of an
// opaque image stays opaque.
inline SImage Halved(const SImage& image) {
  SImage half{(image.width + 1) / 2, (image.height + 1) / 2, {}};
  for (uint32_t y = 0; y < half.height; ++y) {
    for (uint32_t x = 0; x < half.width; ++x) {
      std::vector<uint32_t> block;
      for (uint32_t sy = 2 * y; sy < std::min(2 * y + 2, image.height); ++sy)
        for (uint32_t sx = 2 * x; sx < std::min(2 * x + 2, image.width); ++sx)
          block.push_back(image.At(sx, sy));
      const uint32_t shift = block.size() == 4 ? 2 : block.size() == 2 ? 1 : 0;
      uint32_t pixel = kOpaque;
      for (uint32_t channel = 0; channel < 24; channel += 8) {
        uint32_t sum = 0;
        for (uint32_t p : block) sum += p >> channel & 0xFF;
        pixel |= (sum >> shift) << channel;
      }
      half.pixels.push_back(pixel);
    }
  }
  return half;
}

inline SImage PatternImage(uint32_t width, uint32_t height) {
  SImage image{width, height, {}};
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x)
      image.pixels.push_back(kOpaque | (x & 0xFF) << 16 | (y & 0xFF) << 8 | ((x * 13 + y) & 0xFF));
  return image;
}

// The coded tile, with its alpha stream or without.
inline std::vector<uint8_t> Coded(const SImage& image, bool withAlpha) {
  std::vector<uint8_t> code(kTileCodeBufferSize);
  uint32_t colour = 0, alpha = 0;
  CTileEncoder encoder;
  EXPECT_EQ(encoder.Compress(code.data(), code.size(), image.pixels.data(), image.width,
                             image.height, colour, alpha),
            0u);
  code.resize(withAlpha ? colour + alpha : colour);
  return code;
}

inline std::vector<uint8_t> FileBytes(const CStr& path) {
  const std::string s = ReadFile(path);
  return {s.begin(), s.end()};
}

struct SReadBack : STCF2ChartObjects {
  uint64_t size = 0;
  uint32_t version = 0, index = 0, warnings = 0, error = 0xDEAD;
  explicit SReadBack(const CStr& path) {
    TCF2FileRead(path, size, version, index, Parts(), warnings, error);
  }
  std::vector<uint32_t> Tile(const CStr& path, int32_t tile) {
    const STCF2TileTableEntry& e = tiles.At(tile);
    std::vector<uint32_t> pixels(size_t(e.Width) * e.Height);
    std::vector<uint8_t> buffer;
    CFileStream stream;
    uint32_t err = 0;
    EXPECT_TRUE(stream.Open(path, kFileModeRead, err));
    EXPECT_TRUE(TCF2FileReadTilePixels(stream, pixels.data(), e, true, buffer, err)) << err;
    return pixels;
  }
};
