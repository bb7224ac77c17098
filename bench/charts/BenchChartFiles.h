// The files the chart benchmarks share: a 16,384 x 16,384 chart (15 levels,
// 5,469 tiles of chart-like pixels from a seed, coded by the library's
// encoder) and the same level-0 pixels as a 256 x 256-tiled DEFLATE GeoTIFF
// with overviews. Both are written once into the temporary folder and kept
// for later runs.
#pragma once

#include <cpl_conv.h>
#include <gdal.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "lib/charts/TCF2FileRead.h"
#include "lib/charts/TileFormat.h"
#include "lib/foundation/streams/FileStream.h"
#include "lib/geodesy/Geodetics.h"
#include "tests/charts/ChartFileWriter.h"
#include "tests/charts/TileSamples.h"

namespace bench_charts {

constexpr int32_t kSide = 16384;
constexpr uint32_t kSamples = 64;  // distinct level-0 tiles, repeated over the image
constexpr int kTilesRead = 1000;

inline std::string TempPath(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

inline std::vector<uint32_t> TilePixels(uint32_t tile, uint32_t width, uint32_t height) {
  return MakeTile(ETileKind::kChart, width, height, tile % kSamples + 1);
}

inline bool Check(bool ok, const char* what) {
  if (!ok) std::fprintf(stderr, "chart benchmark: %s failed\n", what);
  return ok;
}

// The benchmark chart of side x side pixels, written into the named file;
// calibrated 10 km across on the RD grid.
inline bool WriteChart(const std::string& name, int32_t side = kSide) {
  SChartFileLayout layout;
  layout.width = layout.height = side;
  layout.pix[1] = {double(side), double(side)};
  layout.map[0] = {100000, 500000};
  layout.map[1] = {110000, 490000};
  const auto pixels = [](const SChartTileArea& area, uint32_t* out) {
    const std::vector<uint32_t> tile = TilePixels(area.tile, area.width, area.height);
    std::copy(tile.begin(), tile.end(), out);
  };
  return CChartFileWriter(layout, pixels).Write(CStr(name.c_str()));
}

// Level-0 pixels of the chart as a pixel-interleaved RGBA GeoTIFF, with
// overviews unless told otherwise.
inline bool WriteGeoTiff(const std::string& name, int32_t side = kSide, bool overviews = true) {
  GDALDriverH driver = GDALGetDriverByName("GTiff");
  const char* options[] = {"TILED=YES",        "BLOCKXSIZE=256",   "BLOCKYSIZE=256",
                           "COMPRESS=DEFLATE", "INTERLEAVE=PIXEL", "PHOTOMETRIC=RGB",
                           "ALPHA=YES",        "BIGTIFF=IF_SAFER", nullptr};
  GDALDatasetH ds =
      GDALCreate(driver, name.c_str(), side, side, 4, GDT_Byte, const_cast<char**>(options));
  if (!ds) return false;
  const int across = side / kTileSide;
  bool ok = true;
  for (int t = 0; ok && t < across * across; ++t) {
    const std::vector<uint32_t> pixels = TilePixels(static_cast<uint32_t>(t), kTileSide, kTileSide);
    // 0xAARRGGBB in memory is B, G, R, A: bands 3, 2, 1, 4.
    int bands[4] = {3, 2, 1, 4};
    ok = GDALDatasetRasterIO(ds, GF_Write, t % across * kTileSide, t / across * kTileSide,
                             kTileSide, kTileSide, const_cast<uint32_t*>(pixels.data()), kTileSide,
                             kTileSide, GDT_Byte, 4, bands, 4, 4 * kTileSide, 1) == CE_None;
  }
  int levels[14];
  for (int i = 0; i < 14; ++i) levels[i] = 2 << i;
  CPLSetConfigOption("GDAL_TIFF_OVR_BLOCKSIZE", "256");
  ok = ok && (!overviews || GDALBuildOverviews(ds, "NEAREST", 14, levels, 0, nullptr, nullptr,
                                               nullptr) == CE_None);
  GDALClose(ds);
  return ok;
}

struct SFiles {
  std::string chart = TempPath("tdlib_bench_16384.tcf");
  std::string tiff = TempPath("tdlib_bench_16384.tif");
  std::vector<int32_t> tiles;  // the random tiles every run reads
  bool ok = false;

  SFiles() {
    GDALAllRegister();
    GeodeticTablesInitialize();
    ok = (std::filesystem::exists(chart) ||
          Check(WriteChart(chart), "writing the chart")) &&
         (std::filesystem::exists(tiff) || Check(WriteGeoTiff(tiff), "writing the GeoTIFF"));
    std::mt19937 random(1);
    std::uniform_int_distribution<int32_t> pick(0, 5468);
    for (int i = 0; i < kTilesRead; ++i) tiles.push_back(pick(random));
  }
};

inline SFiles& Files() {
  static SFiles files;
  return files;
}

// An open chart and its stream, for the tile reads.
struct SOpenChart {
  STCF2ChartObjects chart;
  CFileStream stream;
  bool ok = false;

  SOpenChart() {
    uint64_t size = 0;
    uint32_t version = 0, index = 0, warnings = 0, error = 0;
    const CStr name(Files().chart.c_str());
    ok = TCF2FileRead(name, size, version, index, chart.Parts(), warnings, error) &&
         stream.Open(name, kFileModeRead | kFileShareRead, error);
  }
};

// The four bands of chart tile t from the GeoTIFF, level and block taken
// from the chart's tile numbering; with emptyCache the tile's blocks leave
// GDAL's block cache afterwards.
inline bool GDALReadTile(GDALDatasetH ds, const CTCF2MipmapTable& mipmap, int32_t t, uint8_t* block,
                         bool emptyCache) {
  int32_t level = mipmap.Count() - 1;
  while (mipmap.At(level).FirstTile > static_cast<uint32_t>(t)) --level;
  const STCF2Mipmap& m = mipmap.At(level);
  const uint32_t n = static_cast<uint32_t>(t) - m.FirstTile;
  for (int b = 1; b <= 4; ++b) {
    GDALRasterBandH band = GDALGetRasterBand(ds, b);
    if (level > 0) band = GDALGetOverview(band, level - 1);
    if (GDALReadBlock(band, static_cast<int>(n % m.TilesAcross),
                      static_cast<int>(n / m.TilesAcross), block) != CE_None)
      return false;
    if (emptyCache) GDALFlushRasterCache(band);
  }
  return true;
}

}  // namespace bench_charts
