// Chart files of version 2.0.0.0 with many tiles, each of one colour, written
// from the layout: the levels and tile numbers follow the layout's rules,
// every tile is its own solid-colour stream, table A holds level 0 and table
// B the levels above. Nothing of the library is used.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "tests/charts/ChartFileBuilder.h"

// A solid 256 x 256 tile: a colour stream without shared colours of 256
// one-colour blocks, then an alpha stream of the given run words (none: the
// tile has no alpha stream).
inline std::vector<uint8_t> SolidTileBytes(uint32_t rgb, const std::vector<uint16_t>& alphaRuns) {
  CTileStreamBuilder s;
  s.U16(0);
  for (int b = 0; b < 256; ++b) s.Byte(0).Colour(rgb);
  for (uint16_t run : alphaRuns) s.U16(run);
  return s.bytes;
}
// A solid, opaque tile: its alpha stream holds 65,536 opaque pixels.
inline std::vector<uint8_t> SolidTileBytes(uint32_t rgb) {
  return SolidTileBytes(rgb, {0x8000 | 32767, 0x8000 | 32767, 0x8000 | 2});
}

struct STiledLevel {
  uint32_t width, height, across, down, first;
};

// The levels of a width x height image as the layout defines them.
inline std::vector<STiledLevel> TiledLevels(uint32_t width, uint32_t height, uint32_t levels) {
  std::vector<STiledLevel> out;
  uint32_t first = 0;
  for (uint32_t i = 0; i < levels; ++i) {
    const uint32_t w = (width + (1u << i) - 1) >> i, h = (height + (1u << i) - 1) >> i;
    const STiledLevel level{w, h, (w + 255) / 256, (h + 255) / 256, first};
    first += level.across * level.down;
    out.push_back(level);
  }
  return out;
}

struct STiledChart {
  uint32_t width = 256, height = 256, levels = 9;
  // The RGB colour of tile n (numbered through all levels).
  std::function<uint32_t(uint32_t)> colour = [](uint32_t n) { return 0x101010 * (n + 1); };
  std::vector<uint8_t> bounds = CByteWriter().U32(0).bytes;  // no outline
  // 1 m a pixel on the RD grid: pixel (0, 0) at (155000, 463000).
  STagFields tag = [] {
    STagFields f;
    f.pixelStep = 200;
    f.mapStep = 200;
    return f;
  }();
};

constexpr uint32_t kSolidTileSize = kSmallestColourSize + kSmallestAlphaSize;
constexpr size_t kAtFirstTile = 176;

inline std::vector<uint8_t> TiledChartFile(const STiledChart& c) {
  const std::vector<STiledLevel> levels = TiledLevels(c.width, c.height, c.levels);
  const uint32_t total = levels.back().first + levels.back().across * levels.back().down;
  const uint32_t countA = levels[0].across * levels[0].down, countB = total - countA;
  const uint64_t tableA = kAtFirstTile + uint64_t{total} * kSolidTileSize;
  const uint64_t afterA = tableA + 16ull * countA, tableB = afterA;
  const std::vector<uint8_t> updateTag = SectionBytes(SmallestUpdateTagPayload()),
                             bounds = SectionBytes(c.bounds), tag = SectionBytes(TagPayload(c.tag));
  const uint64_t updateTagAt = tableB + 16ull * countB, boundsAt = updateTagAt + updateTag.size(),
                 tagAt = boundsAt + bounds.size();
  CByteWriter w;
  w.U8('T').U8('d').U8('m').U8(' ').U8('T').U8('C').U8('F').U8('2').U32(0x02000000);
  w.U64(kAtFirstTile).U64(uint64_t{total} * kSolidTileSize);
  w.U64(tableA).U64(16ull * countA).U64(countA);
  w.U64(afterA).U64(0);
  w.U64(afterA).U64(0).U64(0);
  w.U64(tableB).U64(16ull * countB).U64(countB);
  w.U64(updateTagAt)
      .U64(updateTag.size())
      .U64(boundsAt)
      .U64(bounds.size())
      .U64(tagAt)
      .U64(tag.size());
  w.U32(c.width).U32(c.height).U32(c.levels);
  for (uint32_t n = 0; n < total; ++n) w.Raw(SolidTileBytes(c.colour(n)));
  for (uint32_t n = 0; n < total; ++n)
    w.U64(kAtFirstTile + uint64_t{n} * kSolidTileSize)
        .U32(kSmallestColourSize)
        .U32(kSmallestAlphaSize);
  w.Raw(updateTag).Raw(bounds).Raw(tag);
  return w.bytes;
}

// Where tile n's bytes start.
inline size_t TiledTileOffset(uint32_t n) { return kAtFirstTile + size_t{n} * kSolidTileSize; }

// A triangle with corners on the image's top-left, top-right and
// bottom-left pixel corners.
inline std::vector<uint8_t> TriangleBounds(uint32_t width, uint32_t height) {
  return CByteWriter().U32(3).U32(0).U32(0).U32(width).U32(0).U32(0).U32(height).bytes;
}
