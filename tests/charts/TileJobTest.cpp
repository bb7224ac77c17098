// The tile job on an output in memory: level-0 tiles written by the test, the
// levels above made by the job, the truths computed here from the pixels.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

#include "lib/charts/TCF2TileData.h"
#include "lib/charts/TCF2TileJob.h"
#include "lib/charts/TileFormat.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/foundation/streams/MemoryStream.h"
#include "tests/charts/UpdateBuilder.h"
#include "tests/charts/UpdateTestFiles.h"
#include "tests/charts/ZlibZip.h"

namespace {

using TPixelFn = std::function<uint32_t(uint32_t x, uint32_t y)>;

constexpr uint32_t kOpaque = 0xFF000000;

uint32_t Pattern(uint32_t x, uint32_t y) {
  return kOpaque | (x & 0xFF) << 16 | (y & 0xFF) << 8 | ((x * 7 + y * 3) & 0xFF);
}

// A chart file being written: level-0 tiles coded from the pixel function
// and appended, every tile above level 0 missing.
struct SWrittenChart {
  CTCF2MipmapTable mipmap;
  CTCF2TileTable tiles;
  CMemoryStream out;
  STCF2TileJob job;

  SWrittenChart(int32_t width, int32_t height, const TPixelFn& pixel) {
    uint32_t total = 0;
    mipmap.Build(-1, width, height, &total);
    tiles.Build(static_cast<int32_t>(total), &mipmap);
    const STCF2Mipmap& level0 = mipmap.At(0);
    CTileEncoder encoder;
    std::vector<uint8_t> code(kTileCodeBufferSize);
    for (uint32_t t = 0; t < total; ++t) {
      if (t >= mipmap.TilesOf(0)) {
        tiles.SetTile(int32_t(t), ~0u, ~0u, 0, 0);
        continue;
      }
      const STCF2TileTableEntry& e = tiles.At(int32_t(t));
      const uint32_t left = t % level0.TilesAcross * 256, top = t / level0.TilesAcross * 256;
      std::vector<uint32_t> pixels(size_t(e.Width) * e.Height);
      for (uint32_t y = 0; y < e.Height; ++y)
        for (uint32_t x = 0; x < e.Width; ++x) pixels[y * e.Width + x] = pixel(left + x, top + y);
      uint32_t colour = 0, alpha = 0;
      EXPECT_EQ(encoder.Compress(code.data(), code.size(), pixels.data(), e.Width, e.Height, colour,
                                 alpha),
                0u);
      const uint32_t offset = static_cast<uint32_t>(out.GetPosition());
      uint32_t error = 0;
      out.WriteBuf(code.data(), static_cast<int32_t>(colour + alpha), error);
      tiles.SetTile(int32_t(t), offset, 0, colour, alpha);
      tiles.SetUpdateTile(int32_t(t), offset, 0, colour, alpha);
    }
  }

  bool Run(CTCF2Update* update, uint32_t& error) {
    return TileJobInit(job, out, mipmap, tiles, update, &TestZip(), error) &&
           TileJobRun(job, nullptr, error);
  }

  // The update copy of a tile, decoded.
  std::vector<uint32_t> Tile(int32_t level, uint32_t x, uint32_t y, bool useUpdate = true) {
    const STCF2Mipmap& m = mipmap.At(level);
    STCF2TileTableEntry e = tiles.At(int32_t(m.FirstTile + y * m.TilesAcross + x));
    if (!useUpdate) {
      e.UpdateOffset = e.Offset;
      e.UpdateColourSize = e.ColourSize;
      e.UpdateAlphaSize = e.AlphaSize;
    }
    std::vector<uint32_t> pixels(size_t(e.Width) * e.Height);
    std::vector<uint8_t> buffer;
    uint32_t error = 0;
    EXPECT_TRUE(TCF2FileReadTilePixels(out, pixels.data(), e, true, buffer, error)) << error;
    return pixels;
  }
};

// Per channel, the sum of the four pixels shifted right by 2.
uint32_t Average4(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
  uint32_t result = 0;
  for (uint32_t shift = 0; shift < 24; shift += 8) {
    const uint32_t sum =
        (a >> shift & 0xFF) + (b >> shift & 0xFF) + (c >> shift & 0xFF) + (d >> shift & 0xFF);
    result |= (sum >> 2) << shift;
  }
  return result;
}

TEST(TileJob, MakesEveryLevelFromTheTwoByTwoAveragesOfTheLevelAbove) {
  // The 2 x 2 blocks at (0, 0) and at (4, 0) are transparent, the block at
  // (2, 0) only in its first pixel.
  auto pixel = [](uint32_t x, uint32_t y) {
    const bool clear = (y < 2 && (x < 2 || x == 4 || x == 5)) || (x == 2 && y == 0);
    return clear ? Pattern(x, y) & 0x00FFFFFF : Pattern(x, y);
  };
  SWrittenChart chart(300, 200, pixel);
  uint32_t error = 1;
  ASSERT_TRUE(chart.Run(nullptr, error)) << error;
  EXPECT_EQ(chart.mipmap.Count(), 10);  // 300, 150, 75, ..., 1
  EXPECT_EQ(chart.job.ToMake, 9u);
  EXPECT_EQ(chart.job.Made, 9u);
  EXPECT_EQ(chart.out.GetPosition(), chart.out.GetSize());

  const std::vector<uint32_t> level1 = chart.Tile(1, 0, 0);
  ASSERT_EQ(level1.size(), 150u * 100u);
  EXPECT_EQ(level1[0] >> 24, 0u);
  EXPECT_EQ(level1[2] >> 24, 0u);
  EXPECT_EQ(level1[1] >> 24, 0xFFu);  // three of four: stored opaque
  for (uint32_t y = 0; y < 100; ++y)
    for (uint32_t x = (y == 0 ? 3 : 0); x < 150; ++x)
      ASSERT_EQ(level1[y * 150 + x],
                kOpaque | Average4(Pattern(2 * x, 2 * y), Pattern(2 * x + 1, 2 * y),
                                   Pattern(2 * x, 2 * y + 1), Pattern(2 * x + 1, 2 * y + 1)))
          << x << ", " << y;
  // Every tile has one copy: its update fields are its own.
  for (int32_t t = 0; t < chart.tiles.Count(); ++t)
    EXPECT_EQ(chart.tiles.At(t).UpdateOffset, chart.tiles.At(t).Offset);
}

TEST(TileJob, KeepsAnOpaqueChartOpaqueThroughOddSizedLevels) {
  SWrittenChart chart(257, 257, Pattern);
  uint32_t error = 1;
  ASSERT_TRUE(chart.Run(nullptr, error)) << error;
  for (int32_t level = 1; level < chart.mipmap.Count(); ++level) {
    const STCF2Mipmap& m = chart.mipmap.At(level);
    for (uint32_t y = 0; y < m.TilesDown; ++y)
      for (uint32_t x = 0; x < m.TilesAcross; ++x)
        for (uint32_t p : chart.Tile(level, x, y)) ASSERT_EQ(p >> 24, 0xFFu) << level;
  }
}

// An update file of one chart-independent update, opened.
struct SUpdateOnDisk {
  CScratchDir dir;
  uint32_t error = 1;
  std::optional<CTCF2Update> update;

  SUpdateOnDisk(uint32_t format, std::vector<SBuiltPatch> patches) {
    SBuiltUpdate built;
    built.patches = std::move(patches);
    WriteFile(dir.Path("a.upd"), format == 1 ? BuildUpdate1(built) : BuildUpdate2(built));
    update.emplace(dir.Path("a.upd"), error);
  }
};

TEST(TileJob, PatchesRowsOfTheTilesWidthAndRowsOf256) {
  constexpr uint32_t kNew = 0xFF123456;
  struct SCase {
    uint32_t format;
    uint16_t first;  // pixel (1, 1) of the 44-pixel-wide tile 1
  } cases[] = {{2, 45}, {1, 257}};
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.format);
    SWrittenChart chart(300, 200, Pattern);
    // Two records of tile 1: the later wins and the tile is made once.
    SUpdateOnDisk file(c.format,
                       {{1, PatchRun(c.first, {0xFF000000})}, {1, PatchRun(c.first, {kNew})}});
    ASSERT_EQ(file.error, 0u);
    uint32_t error = 1;
    ASSERT_TRUE(chart.Run(&*file.update, error)) << error;
    EXPECT_EQ(chart.job.ToMake, 10u);

    const std::vector<uint32_t> patched = chart.Tile(0, 1, 0);
    EXPECT_EQ(patched[44 + 1], kNew);
    EXPECT_EQ(patched[44 + 2], Pattern(256 + 2, 1));
    EXPECT_EQ(chart.Tile(0, 1, 0, false)[44 + 1], Pattern(256 + 1, 1));
    EXPECT_EQ(chart.tiles.At(0).UpdateOffset, chart.tiles.At(0).Offset);
    EXPECT_NE(chart.tiles.At(1).UpdateOffset, chart.tiles.At(1).Offset);
    // Level-1 pixel (128, 0) averages (256, 0), (257, 0), (256, 1), (257, 1).
    EXPECT_EQ(chart.Tile(1, 0, 0)[128],
              kOpaque | Average4(Pattern(256, 0), Pattern(257, 0), Pattern(256, 1), kNew));
  }
}

TEST(TileJob, RefusesAPatchOutsideLevel0OrOutsideItsTile) {
  struct SCase {
    uint32_t tile;
    uint16_t first;
  } cases[] = {{2, 0}, {1, 44 * 200 - 1}};
  for (const SCase& c : cases) {
    SWrittenChart chart(300, 200, Pattern);
    SUpdateOnDisk file(2, {{c.tile, PatchRun(c.first, {kOpaque, kOpaque})}});
    ASSERT_EQ(file.error, 0u);
    uint32_t error = 0;
    EXPECT_FALSE(chart.Run(&*file.update, error));
    EXPECT_EQ(error, uint32_t{kErrFileFormat});
  }
}

TEST(TileJob, ADamagedTileGivesTheFormatError) {
  SWrittenChart chart(300, 200, Pattern);
  // Three bytes of the tile: far too few for its 256 blocks.
  const uint32_t offset = static_cast<uint32_t>(chart.tiles.At(1).Offset);
  chart.tiles.SetTile(1, offset, 0, 2, 1);
  chart.tiles.SetUpdateTile(1, offset, 0, 2, 1);
  uint32_t error = 0;
  EXPECT_FALSE(chart.Run(nullptr, error));
  EXPECT_EQ(error, uint32_t{kErrFileFormat});
}

}  // namespace
