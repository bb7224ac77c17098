// The tile manager's bookkeeping driven step by step, as its thread drives it.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "lib/charts/TCF2TileStore.h"
#include "tests/charts/ChartImageTruths.h"
#include "tests/charts/LegacyTagAreas.h"
#include "tests/charts/TileStoreFixture.h"

namespace tile_store_test {
namespace {

TEST_F(TileStoreTest, ReleasingATileKeepsTheOthers) {
  Request({1, 2});
  Request({2});
  EXPECT_EQ(store_.GetQueuedCount(), 1);  // queued 1 dropped
  LoadAll();
  Request({1, 2});
  LoadAll();
  Request({2});
  EXPECT_EQ(store_.GetLoadedCount(), 1);
  EXPECT_EQ(store_.GetCachedCount(), 1);  // loaded 1 moved to the cache
  EXPECT_EQ(store_.GetLoadedBytes(), kTileBytes);
  ExpectCountersMatch();
}

TEST_F(TileStoreTest, ACachedTileIsReturnedAtOnceWithoutARead) {
  Request({3});
  LoadAll();
  Request({});
  ASSERT_EQ(store_.GetCachedCount(), 1);
  RemoveFile(file_.Path());
  Request({3});
  ASSERT_NE(last_[0].Bitmap, nullptr);
  EXPECT_EQ(ColourOf(last_[0]), Opaque(0x101010 * 4));
  EXPECT_FALSE(last_[0].Missing);
  EXPECT_TRUE(last_[0].AllOpaque);
  EXPECT_EQ(store_.GetQueuedCount(), 0);
  EXPECT_EQ(store_.GetCachedCount(), 0);
}

TEST_F(TileStoreTest, ANewTileAtTheLimitEvictsOnlyTheOlderCachedTile) {
  store_.SetMemoryLimit(2 * kTileBytes);
  Request({1});
  LoadAll();
  Request({2});  // 1 cached
  LoadAll();
  Request({3});  // 2 cached
  EXPECT_EQ(store_.GetCachedBytes(), 2 * kTileBytes);
  LoadAll();
  EXPECT_EQ(store_.GetCachedCount(), 1);
  EXPECT_EQ(store_.GetLoadedBytes() + store_.GetCachedBytes(), 2 * kTileBytes);
  Request({2, 1}, 2);
  EXPECT_NE(last_[0].Bitmap, nullptr);  // 2 survived
  EXPECT_EQ(last_[1].Bitmap, nullptr);  // 1 was evicted: queued again
  EXPECT_EQ(store_.GetQueuedCount(), 1);
}

TEST_F(TileStoreTest, ThePlaceholderIsAFiveByFiveCheckerboard) {
  ASSERT_EQ(store_.Placeholder.Width(), 5);
  ASSERT_EQ(store_.Placeholder.Height(), 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(store_.Placeholder.Row(y)[x], (x + y) % 2 ? 0x30000000u : 0x30FFFFFFu) << x << y;
}

TEST_F(TileStoreTest, AFreedBitmapIsReadAgainThroughAReplacingRecord) {
  Request({4});
  LoadAll();
  EXPECT_TRUE(store_.FreeMemory(1));
  EXPECT_EQ(store_.GetLoadedBytes(), 0u);
  Request({4});
  EXPECT_EQ(last_[0].Bitmap, nullptr);
  EXPECT_TRUE(last_[0].Missing);
  EXPECT_EQ(store_.GetQueuedCount(), 1);
  Request({4});  // the replacement is asked again: still one
  EXPECT_EQ(store_.GetQueuedCount(), 1);
  LoadAll();
  Request({4});
  ASSERT_NE(last_[0].Bitmap, nullptr);
  EXPECT_EQ(store_.GetLoadedCount(), 1);
  EXPECT_EQ(store_.GetLoadedBytes(), kTileBytes);
}

// A chart going away while its tiles are queued, one being read, one loaded,
// one freed and being replaced, one cached.
TEST_F(TileStoreTest, CancellingAChartForgetsEveryRecordOfIt) {
  Request({1});
  Request({7}, 1, kWindow, kOtherChart);
  LoadAll();
  Request({});  // 1 cached
  Request({2, 3});
  LoadAll();
  store_.FreeMemory(3 * kTileBytes);  // 2 and 3 lose their bitmaps, 1 is evicted
  Request({1, 2, 5, 6});              // 2 gets a replacing record, 1, 5 and 6 are queued
  CTCF2TileManagerTile* current = store_.BeginLoad();
  ASSERT_NE(current, nullptr);
  CancelChartEverywhere(kChart);
  EXPECT_EQ(store_.GetQueuedCount(), 0);
  EXPECT_EQ(store_.GetCachedCount(), 0);
  EXPECT_EQ(store_.GetLoadedCount(), 1);  // the other chart's tile
  store_.EndLoad(new CBmp32(256, 256, false), false, true);
  EXPECT_EQ(store_.GetLoadedCount(), 1);
  EXPECT_EQ(store_.GetLoadedBytes(), kTileBytes);
  Request({7}, 1, kWindow, kOtherChart);
  EXPECT_NE(last_[0].Bitmap, nullptr);
  // A new chart at the old address is served nothing of the old one.
  Request({3});
  EXPECT_EQ(last_[0].Bitmap, nullptr);
  EXPECT_EQ(store_.GetQueuedCount(), 1);
}

TEST_F(TileStoreTest, ADamagedTileIsReadOnceAndTheNextOneIsServed) {
  std::vector<uint8_t> bytes = TiledChartFile(WideChart());
  bytes[TiledTileOffset(2)] = 0xFF;  // shared-colour count beyond the stream
  bytes[TiledTileOffset(2) + 1] = 0xFF;
  CChartFileOnDisk damaged(bytes, "damaged.tcf");
  last_ = TileRequests({2, 3});
  RequestAndUnlock(store_, kChart, damaged.Path(), last_, 1, kWindow);
  LoadAll();
  RequestAndUnlock(store_, kChart, damaged.Path(), last_, 1, kWindow);
  EXPECT_EQ(last_[0].Bitmap, nullptr);
  EXPECT_FALSE(last_[0].Missing);  // neither loaded nor missing
  ASSERT_NE(last_[1].Bitmap, nullptr);
  EXPECT_EQ(ColourOf(last_[1]), Opaque(0x101010 * 4));
  EXPECT_EQ(store_.GetQueuedCount(), 0);  // not queued again
}

TEST_F(TileStoreTest, TilesBeyondAFileCutShortFailAndTheLoaderGoesOn) {
  const std::string bytes = ReadBytes(file_.Path());
  WriteBytes(file_.Path(), bytes.substr(0, TiledTileOffset(50)));
  Request({60, 10, 49});
  LoadAll();
  Request({60, 10, 49});
  EXPECT_EQ(last_[0].Bitmap, nullptr);
  EXPECT_FALSE(last_[0].Missing);
  EXPECT_NE(last_[1].Bitmap, nullptr);
  EXPECT_NE(last_[2].Bitmap, nullptr);
  EXPECT_EQ(store_.GetQueuedCount(), 0);
}

TEST(TileLoad, RefusesSizesOutsideTheCodecsLimitsBeforeReading) {
  const STCF2TileInfo bad[] = {{176, 0, 256, 256, 0, 0},
                               {176, 0x7FFFFFFF, 256, 256, 0, 0},
                               {176, 1032, 0, 256, 0, 0},
                               {176, 1032, 256, 257, 0, 0},
                               {~0ull, 1032, 256, 256, 0, 0}};
  CChartFileOnDisk file(TiledChartFile(STiledChart{}), "load.tcf");
  for (const STCF2TileInfo& info : bad) {
    STCF2TileRequest r;
    r.Info = info;
    EXPECT_THROW(CTCF2TileStore::LoadTile(file.Path(), r), CStreamError) << info.Size;
  }
}

// The tiles of an older chart, whose table gives each tile's whole length
// only: one stored without an alpha stream, one with an alpha stream whose
// first row is transparent.
TEST(TileLoad, DecodesTilesOfOlderChartsWithAndWithoutAnAlphaStream) {
  constexpr uint32_t kRgb = 0x203040;
  std::vector<std::vector<uint8_t>> tiles(6, SmallestTileBytes());
  tiles[0] = SolidTileBytes(kRgb, {});
  tiles[1] = SolidTileBytes(kRgb, {256, 0x8000 | 32767, 0x8000 | 32513});
  CChartFileOnDisk file(LegacyChartFileV2Tiles(kVersion1002, 300, 200, AreaV3(), tiles),
                        "older.tcf");
  SReadBack chart(file.Path());
  ASSERT_EQ(chart.error, 0u);
  const struct {
    int32_t tile;
    uint32_t clearRows;
    bool allOpaque;
  } cases[] = {{0, 0, true}, {1, 1, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tile);
    STCF2TileRequest r;
    ASSERT_TRUE(chart.tiles.GetTileInfo(c.tile, true, &r.Info));
    ASSERT_EQ(r.Info.Size, tiles[c.tile].size());
    std::unique_ptr<CBmp32> bitmap(CTCF2TileStore::LoadTile(file.Path(), r));
    EXPECT_EQ(r.AllOpaque, c.allOpaque);
    EXPECT_FALSE(r.AllTransparent);
    for (uint32_t y = 0; y < r.Info.Height; ++y)
      for (uint32_t x = 0; x < r.Info.Width; ++x)
        ASSERT_EQ(bitmap->Row(int32_t(y))[x], (y < c.clearRows ? 0 : kOpaque) | kRgb) << x << y;
  }
}

}  // namespace
}  // namespace tile_store_test
