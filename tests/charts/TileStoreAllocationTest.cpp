// A request that runs out of memory part-way: the lock is released and every
// record stays whole, whichever allocation fails.
#include <gtest/gtest.h>

#include <cstdlib>
#include <future>
#include <new>

#include "tests/charts/TileStoreFixture.h"

// Allocations on the thread that sets it count down to a failure: 0 fails the
// next one, -1 (the default) none.
thread_local int g_FailAllocation = -1;

void* operator new(size_t size) {
  if (g_FailAllocation >= 0 && g_FailAllocation-- == 0) throw std::bad_alloc();
  if (void* memory = std::malloc(size ? size : 1)) return memory;
  throw std::bad_alloc();
}

// The replacement pair allocates with malloc, so free is the matching release.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, size_t) noexcept { std::free(memory); }

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
    g_FailAllocation = k;
    try {
      store.Request(kChart, file_.Path(), next.data(), static_cast<int32_t>(next.size()), 1,
                    kWindow);
      g_FailAllocation = -1;
      store.Unlock();
    } catch (const std::bad_alloc&) {
      g_FailAllocation = -1;
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
  int k = 0;
  for (bool failed = true; failed; ++k) {
    CTCF2TileStore store;
    store.Notifier.Recorded.reserve(4);  // the native twin's record of posts
    std::vector<STCF2TileRequest> tile = TileRequests({1});
    RequestAndUnlock(store, kChart, file_.Path(), tile, 1, kWindow);
    g_FailAllocation = k;
    EXPECT_NO_THROW(store.LoadNext()) << k;
    failed = g_FailAllocation < 0;
    g_FailAllocation = -1;
    while (store.LoadNext()) {
    }
    RequestAndUnlock(store, kChart, file_.Path(), tile, 1, kWindow);
    ASSERT_NE(tile[0].Bitmap, nullptr) << k;
    EXPECT_EQ(ColourOf(tile[0]), Opaque(0x101010 * 2)) << k;
    EXPECT_EQ(store.GetLoadedBytes(), kTileBytes) << k;
    EXPECT_FALSE(store.HasWork()) << k;
  }
  EXPECT_GT(k, 3);
}

}  // namespace
}  // namespace tile_store_test
