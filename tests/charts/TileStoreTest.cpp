// The tile manager's bookkeeping driven step by step, as its thread drives it.
#include <gtest/gtest.h>

#include <cstdio>

#include "lib/charts/TCF2TileStore.h"
#include "tests/charts/ChartFileTestSupport.h"
#include "tests/charts/TileTestSupport.h"

namespace {

constexpr uint32_t kTileBytes = 256 * 256 * 4;
const int kChartA = 0, kChartB = 0;
const void* const kChart = &kChartA;
const void* const kOtherChart = &kChartB;
TWindowHandle const kWindow = reinterpret_cast<TWindowHandle>(0x100);
TWindowHandle const kProgress = reinterpret_cast<TWindowHandle>(0x200);

// 12 x 10 level-0 tiles of one colour each.
STiledChart WideChart() {
  STiledChart c;
  c.width = 256 * 12;
  c.height = 256 * 10;
  c.levels = 1;
  return c;
}

class TileStoreTest : public testing::Test {
 protected:
  TileStoreTest() : file_(TiledChartFile(WideChart()), "tiles.tcf") {}

  void Request(std::initializer_list<uint32_t> tiles, uint16_t mask = 1,
               TWindowHandle window = kWindow, const void* chart = kChart) {
    last_ = TileRequests(tiles);
    RequestAndUnlock(store_, chart, file_.Path(), last_, mask, window);
  }
  void LoadAll() {
    while (store_.LoadNext()) {
    }
  }
  uint32_t ColourOf(const STCF2TileRequest& r) const { return r.Bitmap->Row(10)[10]; }
  // The bookkeeping's byte counters agree with its record counts.
  void ExpectCountersMatch() {
    EXPECT_EQ(store_.GetLoadedBytes() % kTileBytes, 0u);
    EXPECT_EQ(store_.GetCachedBytes(), store_.GetCachedCount() * kTileBytes);
  }

  CChartFileOnDisk file_;
  CTCF2TileStore store_;
  std::vector<STCF2TileRequest> last_;
};

TEST_F(TileStoreTest, TheSameTileTwiceIsQueuedOnceAndItsWindowToldOnce) {
  Request({5, 5});
  EXPECT_EQ(store_.GetQueuedCount(), 1);
  // Entries run from the last: the second queues the tile, the first finds it queued.
  EXPECT_FALSE(last_[1].Missing);
  EXPECT_TRUE(last_[0].Missing);
  LoadAll();
  const std::vector<STileMessage> expected = {{kWindow, 0x2700, 0, 0}};
  EXPECT_EQ(store_.Notifier.Recorded, expected);
}

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

TEST_F(TileStoreTest, WindowsAreToldEveryHundredTilesAndProgressComesInBatchesOfFifty) {
  store_.SetProgressWindow(kProgress);
  std::vector<STCF2TileRequest> all;
  for (uint32_t n = 0; n < 120; ++n) all.push_back(TileRequest(n));
  RequestAndUnlock(store_, kChart, file_.Path(), all, 1, kWindow);
  LoadAll();
  std::vector<STileMessage> expected;
  const uint32_t batches[] = {50, 50, 20};
  uint32_t loaded = 0;
  for (uint32_t total : batches) {
    for (uint32_t done = 1; done <= total; ++done) {
      if (++loaded == 100 || loaded == 120) expected.push_back({kWindow, 0x2700, 0, 0});
      expected.push_back({kProgress, 0x2701, done, total});
    }
  }
  EXPECT_EQ(store_.Notifier.Recorded, expected);
  EXPECT_EQ(store_.GetLoadedCount(), 120);
  EXPECT_FALSE(store_.HasWork());
}

TEST_F(TileStoreTest, ThePlaceholderIsAFiveByFiveCheckerboard) {
  ASSERT_EQ(store_.Placeholder.Width(), 5);
  ASSERT_EQ(store_.Placeholder.Height(), 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(store_.Placeholder.Row(y)[x], (x + y) % 2 ? 0x30000000u : 0x30FFFFFFu) << x << y;
}

TEST_F(TileStoreTest, RemovingAnUnknownWindowChangesNothing) {
  Request({1});
  store_.RemoveWindow(reinterpret_cast<TWindowHandle>(0x999));
  LoadAll();
  ASSERT_EQ(store_.Notifier.Recorded.size(), 1u);
  EXPECT_EQ(store_.Notifier.Recorded[0].Window, kWindow);
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
  Request({1, 2, 5, 6});  // 2 gets a replacing record, 1, 5 and 6 are queued
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
  const STCF2TileInfo bad[] = {{176, 0, 256, 256, 0, 0},       {176, 0x7FFFFFFF, 256, 256, 0, 0},
                               {176, 1032, 0, 256, 0, 0},      {176, 1032, 256, 257, 0, 0},
                               {~0ull, 1032, 256, 256, 0, 0}};
  CChartFileOnDisk file(TiledChartFile(STiledChart{}), "load.tcf");
  for (const STCF2TileInfo& info : bad) {
    STCF2TileRequest r;
    r.Info = info;
    EXPECT_THROW(CTCF2TileStore::LoadTile(file.Path(), r), CStreamError) << info.Size;
  }
}

}  // namespace
