// A request that runs out of memory part-way: the lock is released and every
// record stays whole, whichever allocation fails.
#include <gtest/gtest.h>

#include <future>

#include "tests/AllocationSeam.h"
#include "tests/charts/TileStoreFixture.h"

namespace tile_store_test {
namespace {

// Whether another thread can take the store's lock.
bool LockIsFree(CTCF2TileStore& store) {
  auto other = std::async(std::launch::async, [&store] { return store.GetQueuedCount(); });
  return other.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
}

TEST_F(TileStoreTest, ARequestOutOfMemoryReleasesTheLockAndLeavesWholeRecords) {
  int failures = 0;
  for (int k = 0; k < 40; ++k) {
    CTCF2TileStore store;
    std::vector<STCF2TileRequest> first = TileRequests({2, 1}), next = TileRequests({2, 3, 4, 5});
    RequestAndUnlock(store, kChart, file_.Path(), first, 1, kWindow);
    while (store.LoadNext()) {
    }
    store.FreeMemory(kTileBytes);  // 2 loses its bitmap: asking again makes a replacing record
    td::test::ArmAllocationFailure(k);
    try {
      store.Request(kChart, file_.Path(), next.data(), static_cast<int32_t>(next.size()), 1,
                    kWindow);
      td::test::DisarmAllocationFailure();
      store.Unlock();
    } catch (const std::bad_alloc&) {
      td::test::DisarmAllocationFailure();
      ++failures;
    }
    ASSERT_TRUE(LockIsFree(store)) << k;
    RequestAndUnlock(store, kChart, file_.Path(), next, 1, kWindow);
    while (store.LoadNext()) {
    }
    RequestAndUnlock(store, kChart, file_.Path(), next, 1, kWindow);
    for (const STCF2TileRequest& r : next) EXPECT_NE(r.Bitmap, nullptr) << k;
    EXPECT_EQ(store.GetQueuedCount(), 0) << k;
  }
  EXPECT_GT(failures, 2);
}

// Each allocation of reading and filing a tile fails in turn: the loader
// goes on, frees what it made, and reads the tile again once memory is back.
TEST_F(TileStoreTest, ALoadOutOfMemoryIsReadAgainLater) {
  const int32_t allocations = td::test::WalkAllocations([&](int32_t k) {
    CTCF2TileStore store;
    store.Notifier.Recorded.reserve(4);  // the native twin's record of posts
    std::vector<STCF2TileRequest> tile = TileRequests({1});
    RequestAndUnlock(store, kChart, file_.Path(), tile, 1, kWindow);
    td::test::ArmAllocationFailure(k);
    EXPECT_NO_THROW(store.LoadNext()) << k;
    td::test::DisarmAllocationFailure();
    while (store.LoadNext()) {
    }
    RequestAndUnlock(store, kChart, file_.Path(), tile, 1, kWindow);
    ASSERT_NE(tile[0].Bitmap, nullptr) << k;
    EXPECT_EQ(ColourOf(tile[0]), Opaque(0x101010 * 2)) << k;
    EXPECT_EQ(store.GetLoadedBytes(), kTileBytes) << k;
    EXPECT_FALSE(store.HasWork()) << k;
  });
  EXPECT_GT(allocations, 3);
}

}  // namespace
}  // namespace tile_store_test
