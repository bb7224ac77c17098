// The tile manager's paths on the 16,384 x 16,384 benchmark chart: tiles
// served cold (read and decoded as the loader does) beside GDAL reading the
// same tiles of the GeoTIFF with its block cache emptied; served warm (a
// request of 24 loaded tiles) beside copying one tile's 256 KB; a 1024 x 768
// view drawn at scale 1.0 from warm tiles beside copying the view's 3 MB,
// and the same view turned by 30 degrees about its top-left corner.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "bench/charts/BenchChartFiles.h"
#include "bench/charts/BenchViews.h"
#include "lib/charts/TCF2Chart.h"
#include "lib/charts/TCF2TileStore.h"

namespace {

using namespace bench_charts;

constexpr int32_t kWarmAcross = 6, kWarmDown = 4;

STCF2TileRequest RequestOf(SOpenChart& open, int32_t tile) {
  STCF2TileRequest request;
  open.chart.tiles.GetTileInfo(tile, true, &request.Info);
  request.Info.Tile = static_cast<uint32_t>(tile);
  return request;
}

void ManagerColdTiles(benchmark::State& state) {
  SOpenChart open;
  if (!open.ok) return state.SkipWithError("open failed");
  const CStr path(Files().chart.c_str());
  for (auto _ : state) {
    for (int32_t t : Files().tiles) {
      STCF2TileRequest request = RequestOf(open, t);
      std::unique_ptr<CBmp32> bitmap(CTCF2TileStore::LoadTile(path, request));
      benchmark::DoNotOptimize(bitmap->Pixels());
    }
  }
  state.SetItemsProcessed(state.iterations() * kTilesRead);
}
BENCHMARK(ManagerColdTiles)->Unit(benchmark::kMillisecond);

// Every tile from an emptied block cache: all four bands decoded afresh.
void GDALColdTiles(benchmark::State& state) {
  SOpenChart open;
  GDALDatasetH ds = GDALOpen(Files().tiff.c_str(), GA_ReadOnly);
  if (!open.ok || !ds) return state.SkipWithError("open failed");
  std::vector<uint8_t> block(4 * kTilePixels);
  for (auto _ : state) {
    for (int32_t t : Files().tiles) {
      if (!GDALReadTile(ds, open.chart.mipmap, t, block.data(), true))
        return state.SkipWithError("block read failed");
    }
  }
  GDALClose(ds);
  state.SetItemsProcessed(state.iterations() * kTilesRead);
}
BENCHMARK(GDALColdTiles)->Unit(benchmark::kMillisecond);

void ManagerWarmRequest(benchmark::State& state) {
  SOpenChart open;
  if (!open.ok) return state.SkipWithError("open failed");
  const CStr path(Files().chart.c_str());
  std::vector<STCF2TileRequest> requests;
  const uint32_t across = open.chart.mipmap.At(0).TilesAcross;
  for (int32_t y = 0; y < kWarmDown; ++y)
    for (int32_t x = 0; x < kWarmAcross; ++x)
      requests.push_back(RequestOf(open, static_cast<int32_t>(10 * across + 10 + y * across + x)));
  CTCF2TileStore store;
  const int chart = 0;
  const auto request = [&] {
    store.Request(&chart, path, requests.data(), static_cast<int32_t>(requests.size()), 1, nullptr);
    store.Unlock();
  };
  request();
  while (store.LoadNext()) {
  }
  for (auto _ : state) {
    request();
    benchmark::DoNotOptimize(requests[0].Bitmap);
  }
  if (requests[0].Bitmap == nullptr) state.SkipWithError("tiles not loaded");
}
BENCHMARK(ManagerWarmRequest)->Unit(benchmark::kMicrosecond);

void CopyOneTile(benchmark::State& state) { CopyPixels(state, kTilePixels); }
BENCHMARK(CopyOneTile)->Unit(benchmark::kMicrosecond);

void DrawView(benchmark::State& state, double angle) {
  uint32_t warnings = 0, error = 0;
  CTCF2Chart* chart = TCF2ChartCreate(Files().chart.c_str(), warnings, error);
  if (chart == nullptr) return state.SkipWithError("open failed");
  CGeodeticCalibration view;
  CTCF2TileStore store;
  CBmp32 dest(kViewWidth, kViewHeight, false);
  const auto draw = [&] {
    bool placeholder = false;
    chart->Draw(store, dest, view, 1.0, 1, nullptr, false, placeholder);
    return placeholder;
  };
  if (!MakeView(*chart, view, 1, angle)) {
    state.SkipWithError("view failed");
  } else if (!WarmTiles(store, draw)) {
    state.SkipWithError("tiles not warm");
  } else {
    for (auto _ : state) benchmark::DoNotOptimize(draw());
  }
  state.counters["tiles"] = store.GetLoadedCount();
  chart->DeleteThis(1);
}

void DrawWarmView(benchmark::State& state) { DrawView(state, 0); }
BENCHMARK(DrawWarmView)->Unit(benchmark::kMicrosecond);

void DrawWarmRotatedView(benchmark::State& state) { DrawView(state, std::acos(-1.0) / 6); }
BENCHMARK(DrawWarmRotatedView)->Unit(benchmark::kMicrosecond);

void CopyView(benchmark::State& state) { CopyPixels(state, kViewWidth * kViewHeight); }
BENCHMARK(CopyView)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
