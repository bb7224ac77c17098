// A tile store over a chart file of 12 x 10 tiles, driven step by step as
// its thread drives it.
#pragma once

#include <gtest/gtest.h>

#include "lib/charts/TCF2TileStore.h"
#include "tests/charts/ChartFileTestSupport.h"
#include "tests/charts/TileTestSupport.h"

namespace tile_store_test {

inline constexpr uint32_t kTileBytes = 256 * 256 * 4;
inline const int kChartA = 0, kChartB = 0;
inline const void* const kChart = &kChartA;
inline const void* const kOtherChart = &kChartB;
inline TWindowHandle const kWindow = reinterpret_cast<TWindowHandle>(0x100);
inline TWindowHandle const kProgress = reinterpret_cast<TWindowHandle>(0x200);

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

}  // namespace tile_store_test
