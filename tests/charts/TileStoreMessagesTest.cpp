// The messages of the tile loader, as the native twin of the notifier records
// them instead of posting them.
#include "tests/charts/TileStoreFixture.h"

namespace tile_store_test {
namespace {

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

TEST_F(TileStoreTest, RemovingAnUnknownWindowChangesNothing) {
  Request({1});
  store_.RemoveWindow(reinterpret_cast<TWindowHandle>(0x999));
  LoadAll();
  ASSERT_EQ(store_.Notifier.Recorded.size(), 1u);
  EXPECT_EQ(store_.Notifier.Recorded[0].Window, kWindow);
}

// The replacing read of a freed tile goes on while its requester lets the
// tile go; asked again, the tile is read anew and its window told.
TEST_F(TileStoreTest, ATileAskedAgainWhileItsUnwantedReadRunsIsReadAgain) {
  Request({0});
  LoadAll();
  store_.Notifier.Recorded.clear();
  store_.FreeMemory(kTileBytes);
  Request({0});
  ASSERT_NE(store_.BeginLoad(), nullptr);
  Request({});
  Request({0});
  EXPECT_EQ(store_.GetQueuedCount(), 1);
  store_.EndLoad(new CBmp32(256, 256, false), false, true);
  LoadAll();
  EXPECT_EQ(store_.Notifier.Recorded, (std::vector<STileMessage>{{kWindow, 0x2700, 0, 0}}));
  Request({0});
  ASSERT_NE(last_[0].Bitmap, nullptr);
  EXPECT_EQ(ColourOf(last_[0]), Opaque(0x101010));
}

// A replacing read that fails still tells the window that waits for it,
// which then finds the tile neither loaded nor missing.
TEST_F(TileStoreTest, AFailedReplacingReadTellsItsWindow) {
  Request({4});
  LoadAll();
  store_.Notifier.Recorded.clear();
  store_.FreeMemory(kTileBytes);
  Request({4});
  ASSERT_TRUE(last_[0].Missing);
  RemoveFile(file_.Path());
  LoadAll();
  EXPECT_EQ(store_.Notifier.Recorded, (std::vector<STileMessage>{{kWindow, 0x2700, 0, 0}}));
  Request({4});
  EXPECT_EQ(last_[0].Bitmap, nullptr);
  EXPECT_FALSE(last_[0].Missing);
}

}  // namespace
}  // namespace tile_store_test
