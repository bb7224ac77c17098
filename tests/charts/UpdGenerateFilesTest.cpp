// The update generator over real files: a chart file and .bmp images written
// down from their layouts, the update compared with the builder's file.
#include <gtest/gtest.h>

#include "lib/charts/UpdGenerateFiles.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "tests/charts/LegacyTagAreas.h"
#include "tests/charts/UpdImageFiles.h"
#include "tests/charts/UpdateTestFiles.h"
#include "tests/charts/ZlibZip.h"

namespace {

struct SFiles {
  CScratchDir dir;
  CStr update = dir.Path("new.upd"), image = dir.Path("new.bmp"), chart = dir.Path("chart.tcf");
  SUpdGenerateInput input{46000.5, "", nullptr, 0, nullptr, 0};
  uint64_t raw = 99, compressed = 99;

  SFiles() { WriteFile(chart, FourTileChartFile()); }
  bool Generate(uint32_t& error) {
    return UpdFileGenerateFromFiles(update, image, chart, input, &TestZip(), nullptr, raw,
                                    compressed, error);
  }
};

TEST(UpdGenerateFiles, ChangedPixelsGiveTheBuildersFile) {
  for (bool topDown : {false, true}) {
    SFiles f;
    WriteFile(f.image, Bmp24(512, 512, topDown, [](uint32_t x, uint32_t y) {
                if (x == 300 && y == 10) return 0xABCDEFu;             // tile 1, pixel (44, 10)
                if (x == 0 && y == 511) return 0x010203u;              // tile 2, its last row
                if (y == 511 && (x == 1 || x == 2)) return 0x303031u;  // the same run
                return FourTileChartPixel(x, y);
              }));
    uint32_t error = 99;
    ASSERT_TRUE(f.Generate(error)) << topDown;
    EXPECT_EQ(error, 0u);
    SBuiltUpdate expected;
    expected.dateTime = 46000.5;
    expected.chart = TiledIdentity();
    const std::string tile2 = PatchRun(255 * 256, {0x010203, 0x303031, 0x303031});
    const std::string tile1 = PatchRun(10 * 256 + 44, {0xABCDEF});
    expected.patches = {{2, tile2}, {1, tile1}};
    EXPECT_EQ(ReadFile(f.update), BuildUpdate2(expected)) << topDown;
    EXPECT_EQ(f.raw, tile1.size() + tile2.size());
    EXPECT_EQ(f.compressed, Deflate(tile1).size() + Deflate(tile2).size());
  }
}

TEST(UpdGenerateFiles, NothingDiffersGivesNoFile) {
  SFiles f;
  WriteFile(f.image, Bmp24(512, 512, true, FourTileChartPixel));
  uint32_t error = 99;
  EXPECT_FALSE(f.Generate(error));
  EXPECT_EQ(error, 0u);
  EXPECT_FALSE(Exists(f.update));
  EXPECT_EQ(f.raw, 0u);
}

TEST(UpdGenerateFiles, AnotherSizeIsRefused) {
  for (uint32_t height : {511u, 513u}) {
    SFiles f;
    WriteFile(f.image, Bmp24(512, height, false, FourTileChartPixel));
    uint32_t error = 0;
    EXPECT_FALSE(f.Generate(error));
    EXPECT_EQ(error, 0x7003Cu);
    EXPECT_FALSE(Exists(f.update));
  }
}

// A 1.0.0.2 chart of 300 x 200, whose table gives each tile's whole length:
// tile 0 stored without an alpha stream, tile 1 with one.
TEST(UpdGenerateFiles, AChartOfVersion1002) {
  SFiles f;
  std::vector<std::vector<uint8_t>> tiles(6, SmallestTileBytes());
  tiles[0] = SolidTileBytes(0x101010, {});
  tiles[1] = SolidTileBytes(0x202020);
  const std::vector<uint8_t> chart = LegacyChartFileV2Tiles(0x01000002, 300, 200, AreaV3(), tiles);
  WriteFile(f.chart, std::string(chart.begin(), chart.end()));
  WriteFile(f.image, Bmp24(300, 200, false, [](uint32_t x, uint32_t y) {
              if (x == 10 && y == 20) return 0xABCDEFu;  // tile 0, pixel (10, 20)
              if (x == 260 && y == 5) return 0x010203u;  // tile 1, pixel (4, 5)
              return x < 256 ? 0x101010u : 0x202020u;
            }));
  uint32_t error = 99;
  ASSERT_TRUE(f.Generate(error));
  EXPECT_EQ(error, 0u);
  SBuiltUpdate expected;
  expected.dateTime = 46000.5;
  expected.chart = TiledIdentity();
  expected.chart.version = 0x01000002;
  expected.patches = {{1, PatchRun(5 * 44 + 4, {0x010203})},
                      {0, PatchRun(20 * 256 + 10, {0xABCDEF})}};
  EXPECT_EQ(ReadFile(f.update), BuildUpdate2(expected));
}

// A band shorter than a tile row: the 1 x 1 chart and a 1 x 1 image.
TEST(UpdGenerateFiles, OnePixelChart) {
  SFiles f;
  const std::vector<uint8_t> bytes = SmallestChartFile();
  WriteFile(f.chart, std::string(bytes.begin(), bytes.end()));
  WriteFile(f.image, Bmp24(1, 1, false, [](uint32_t, uint32_t) { return 0x654321u; }));
  f.input.text = "Notice";
  uint32_t error = 99;
  ASSERT_TRUE(f.Generate(error));
  SBuiltUpdate expected;
  expected.dateTime = 46000.5;
  expected.chart = TiledIdentity();
  expected.patches = {{0, PatchRun(0, {0x654321})}};
  expected.text = "Notice";
  EXPECT_EQ(ReadFile(f.update), BuildUpdate2(expected));
}

TEST(UpdGenerateFiles, FileErrorsStopFirst) {
  SFiles f;
  uint32_t error = 0;
  EXPECT_FALSE(f.Generate(error));
  EXPECT_EQ(error, kErrFileNotFound);  // no image
  WriteFile(f.image, Bmp24(2, 2, false, FourTileChartPixel));
  WriteFile(f.chart, "TCF2");
  EXPECT_FALSE(f.Generate(error));
  EXPECT_NE(error, 0u);
  EXPECT_NE(error, 0x7003Cu);  // the chart is read before the sizes are compared
  EXPECT_FALSE(Exists(f.update));
}

}  // namespace
