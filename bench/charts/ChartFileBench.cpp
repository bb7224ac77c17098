// Opens a 16,384 x 16,384 chart (15 levels, 5,469 tiles) and reads 1,000
// random tiles, read and decoded, beside GDAL on the same level-0 pixels as
// a 256 x 256-tiled DEFLATE GeoTIFF with overviews, and a floor that only
// reads the compressed bytes. Both files are written once into the
// temporary folder and kept for later runs.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/charts/BenchChartFiles.h"
#include "lib/charts/TCF2TileData.h"

namespace {

using namespace bench_charts;

void TCF2Open(benchmark::State& state) {
  if (!Files().ok) return state.SkipWithError("no files");
  for (auto _ : state) {
    STCF2ChartObjects chart;
    uint64_t size = 0;
    uint32_t version = 0, index = 0, warnings = 0, error = 0;
    TCF2FileRead(Files().chart.c_str(), size, version, index, chart.Parts(), warnings, error);
    if (error || chart.tiles.Count() != 5469) return state.SkipWithError("read failed");
  }
}
BENCHMARK(TCF2Open)->Unit(benchmark::kMicrosecond);

void GDALOpenClose(benchmark::State& state) {
  if (!Files().ok) return state.SkipWithError("no files");
  for (auto _ : state) {
    GDALDatasetH ds = GDALOpen(Files().tiff.c_str(), GA_ReadOnly);
    if (!ds || GDALGetOverviewCount(GDALGetRasterBand(ds, 1)) != 14)
      return state.SkipWithError("open failed");
    GDALClose(ds);
  }
}
BENCHMARK(GDALOpenClose)->Unit(benchmark::kMicrosecond);

void TCF2Tiles(benchmark::State& state) {
  SOpenChart open;
  if (!open.ok) return state.SkipWithError("open failed");
  std::vector<uint32_t> pixels(kTilePixels);
  std::vector<uint8_t> buffer;
  for (auto _ : state) {
    for (int32_t t : Files().tiles) {
      uint32_t error = 0;
      if (!TCF2FileReadTilePixels(open.stream, pixels.data(), open.chart.tiles.At(t), true, buffer,
                                  error))
        return state.SkipWithError("tile read failed");
    }
  }
  state.SetItemsProcessed(state.iterations() * kTilesRead);
}
BENCHMARK(TCF2Tiles)->Unit(benchmark::kMillisecond);

void CompressedBytesOnly(benchmark::State& state) {
  SOpenChart open;
  if (!open.ok) return state.SkipWithError("open failed");
  std::vector<uint8_t> buffer;
  for (auto _ : state) {
    for (int32_t t : Files().tiles) {
      uint32_t error = 0;
      if (!TCF2FileReadTileData(open.stream, buffer, open.chart.tiles.At(t), true, error))
        return state.SkipWithError("tile read failed");
    }
  }
  state.SetItemsProcessed(state.iterations() * kTilesRead);
}
BENCHMARK(CompressedBytesOnly)->Unit(benchmark::kMillisecond);

// The same tiles: level and block from the chart's tile numbering, all four bands.
void GDALTiles(benchmark::State& state) {
  SOpenChart open;
  GDALDatasetH ds = GDALOpen(Files().tiff.c_str(), GA_ReadOnly);
  if (!open.ok || !ds) return state.SkipWithError("open failed");
  // Room for a few tiles: the four bands of a tile come from one decoding,
  // while a random tile is hardly ever found in the cache.
  GDALSetCacheMax64(4 << 20);
  std::vector<uint8_t> block(4 * kTilePixels);
  for (auto _ : state) {
    for (int32_t t : Files().tiles) {
      if (!GDALReadTile(ds, open.chart.mipmap, t, block.data(), false))
        return state.SkipWithError("block read failed");
    }
  }
  GDALClose(ds);
  state.SetItemsProcessed(state.iterations() * kTilesRead);
}
BENCHMARK(GDALTiles)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
