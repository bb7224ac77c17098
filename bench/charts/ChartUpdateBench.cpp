// An update that patches every level-0 tile of an 8,192 x 8,192 chart and so
// rebuilds every level (decode, patch, encode, 2 x 2 reduction, the file
// written anew), beside GDAL building the same pyramid for the same pixels
// (GDALBuildOverviews, AVERAGE, in a 256 x 256-tiled DEFLATE GeoTIFF), and a
// floor of decoding and encoding the level-0 tiles alone. Each run starts
// from a fresh copy of its file, made outside the timing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "bench/charts/BenchChartFiles.h"
#include "bench/charts/RatioReporter.h"
#include "lib/charts/TCF2FileUpdate.h"
#include "lib/charts/TCF2TileData.h"
#include "lib/charts/TileDecoder.h"
#include "tests/charts/UpdateBuilder.h"
#include "tests/charts/ZlibZip.h"

namespace {

using namespace bench_charts;

constexpr int32_t kUpdateSide = 8192;
constexpr int kOverviews = 13;  // 4,096 pixels down to 1

void CopyFresh(const std::string& from, const std::string& to) {
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
}

// One run of 256 pixels in each level-0 tile.
std::string EveryTileUpdate(uint32_t tiles) {
  SBuiltUpdate update;
  update.dateTime = 46000;
  update.text = "Every tile";
  const std::vector<uint32_t> row(256, 0xFF2040);
  for (uint32_t t = 0; t < tiles; ++t) update.patches.push_back({t, PatchRun(0, row)});
  return BuildUpdate2(update);
}

struct SUpdateFiles {
  std::string chart = TempPath("tdlib_bench_8192.tcf");
  std::string tiff = TempPath("tdlib_bench_8192.tif");
  std::string update = TempPath("tdlib_bench_8192.upd");
  std::string chartRun = TempPath("tdlib_bench_8192_run.tcf");
  std::string tiffRun = TempPath("tdlib_bench_8192_run.tif");
  STCF2ChartObjects objects;  // of the chart
  bool ok = false;

  SUpdateFiles() {
    GDALAllRegister();
    GeodeticTablesInitialize();
    CPLSetConfigOption("GDAL_TIFF_OVR_BLOCKSIZE", "256");
    CPLSetConfigOption("COMPRESS_OVERVIEW", "DEFLATE");
    ok = (std::filesystem::exists(chart) ||
          Check(WriteChart(chart, kUpdateSide), "writing the chart")) &&
         (std::filesystem::exists(tiff) ||
          Check(WriteGeoTiff(tiff, kUpdateSide, false), "writing the GeoTIFF")) &&
         Check(ReadChart(), "reading the chart");
    std::ofstream(update, std::ios::binary) << EveryTileUpdate(objects.mipmap.TilesOf(0));
  }
  ~SUpdateFiles() {
    for (const std::string* name : {&update, &chartRun, &tiffRun}) std::remove(name->c_str());
  }

  bool ReadChart() {
    uint64_t size = 0;
    uint32_t version = 0, index = 0, warnings = 0, error = 0;
    return TCF2FileRead(chart.c_str(), size, version, index, objects.Parts(), warnings, error);
  }
};

SUpdateFiles& UpdateFiles() {
  static SUpdateFiles files;
  return files;
}

void UpdateEveryTile(benchmark::State& state) {
  SUpdateFiles& f = UpdateFiles();
  if (!f.ok) return state.SkipWithError("no files");
  for (auto _ : state) {
    state.PauseTiming();
    CopyFresh(f.chart, f.chartRun);
    state.ResumeTiming();
    uint32_t error = 0;
    uint8_t flag = 0;
    CTCF2Update update(f.update.c_str(), error);
    if (error != 0 || !TCF2FileUpdate(f.chartRun.c_str(), update, flag, &TestZip(), nullptr, error))
      return state.SkipWithError("update failed");
  }
}
BENCHMARK(UpdateEveryTile)->Unit(benchmark::kMillisecond)->UseRealTime();

void GDALOverviewsAverage(benchmark::State& state) {
  SUpdateFiles& f = UpdateFiles();
  if (!f.ok) return state.SkipWithError("no files");
  int factors[kOverviews];
  for (int i = 0; i < kOverviews; ++i) factors[i] = 2 << i;
  for (auto _ : state) {
    state.PauseTiming();
    CopyFresh(f.tiff, f.tiffRun);
    state.ResumeTiming();
    GDALDatasetH ds = GDALOpen(f.tiffRun.c_str(), GA_Update);
    const bool built = ds && GDALBuildOverviews(ds, "AVERAGE", kOverviews, factors, 0, nullptr,
                                                nullptr, nullptr) == CE_None;
    if (ds) GDALClose(ds);
    if (!built) return state.SkipWithError("GDALBuildOverviews failed");
  }
}
BENCHMARK(GDALOverviewsAverage)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every level-0 tile of the chart decoded and encoded again, from memory.
void DecodeEncodeFloor(benchmark::State& state) {
  SUpdateFiles& f = UpdateFiles();
  if (!f.ok) return state.SkipWithError("no files");
  CFileStream stream;
  uint32_t error = 0;
  if (!stream.Open(f.chart.c_str(), kFileModeRead, error)) return state.SkipWithError("open");
  std::vector<std::vector<uint8_t>> tiles(f.objects.mipmap.TilesOf(0));
  for (size_t t = 0; t < tiles.size(); ++t)
    TCF2FileReadTileData(stream, tiles[t], f.objects.tiles.At(static_cast<int32_t>(t)), false,
                         error);
  std::vector<uint32_t> pixels(kTilePixels);
  std::vector<uint8_t> code(kTileCodeBufferSize);
  CTileEncoder encoder;
  for (auto _ : state) {
    for (const std::vector<uint8_t>& tile : tiles) {
      STileDecodeInfo info;
      uint32_t colour = 0, alpha = 0;
      CTileDecoder::Decode(pixels.data(), kTileSide, kTileSide, tile.data(), tile.size(), true,
                           info);
      encoder.Compress(code.data(), code.size(), pixels.data(), kTileSide, kTileSide, colour,
                       alpha);
      benchmark::DoNotOptimize(code.data());
    }
  }
}
BENCHMARK(DecodeEncodeFloor)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  const std::string update = "UpdateEveryTile/real_time";
  bench_charts::RunWithRatios(
      argc, argv, bench_charts::ERatioTime::kReal,
      {{update, "GDALOverviewsAverage/real_time"}, {update, "DecodeEncodeFloor/real_time"}});
  return 0;
}
