// The files the chart benchmarks share: a 16,384 x 16,384 chart (15 levels,
// 5,469 tiles of chart-like pixels from a seed, coded by the library's
// encoder) and the same level-0 pixels as a 256 x 256-tiled DEFLATE GeoTIFF
// with overviews. Both are written once into the temporary folder and kept
// for later runs.
#pragma once

#include <cpl_conv.h>
#include <gdal.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "lib/charts/TCF2BoundsFile.h"
#include "lib/charts/TCF2FileRead.h"
#include "lib/charts/TCF2FileTables.h"
#include "lib/charts/TCF2TagFile.h"
#include "lib/charts/TileEncoder.h"
#include "lib/charts/TileFormat.h"
#include "lib/foundation/FileStream.h"
#include "lib/geodesy/Geodetics.h"
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

class CChartWriter {
 public:
  explicit CChartWriter(int32_t side = kSide) : side_(side) {}

  bool Write(const CStr& name) {
    uint32_t error = 0;
    if (!out_.Open(name, kFileModeCreate, error)) return false;
    uint32_t total = 0;
    mipmap_.Build(-1, side_, side_, &total);
    tiles_.Build(static_cast<int32_t>(total), &mipmap_);
    const uint32_t levelZero = mipmap_.TilesOf(0);
    if (!TCF2FileWriteMagic(out_, kTCF2Index2000, error) ||
        !TCF2FileWriteHeader(out_, header_, error))
      return false;
    header_.TileDataPosition = Position();
    if (!WriteTiles(0, levelZero)) return false;
    header_.TileDataSize = Position() - header_.TileDataPosition;
    if (!TCF2FileWriteTablesA(out_, header_, mipmap_, tiles_, error)) return false;
    header_.UpdateTileDataPosition = Position();
    if (!WriteTiles(levelZero, total)) return false;
    header_.UpdateTileDataSize = Position() - header_.UpdateTileDataPosition;
    if (!TCF2FileWriteTablesB(out_, header_, mipmap_, tiles_, error)) return false;
    header_.TableBCount = total - levelZero;
    header_.Width = header_.Height = side_;
    header_.LevelCount = static_cast<uint32_t>(mipmap_.Count());
    return WriteSections() && TCF2FileWriteHeader(out_, header_, error);
  }

 private:
  uint64_t Position() { return static_cast<uint64_t>(out_.GetPosition()); }

  bool WriteTiles(uint32_t first, uint32_t end) {
    std::vector<uint8_t> coded(kTileCodeBufferSize);
    uint32_t error = 0;
    for (uint32_t t = first; t < end; ++t) {
      const STCF2TileTableEntry& e = tiles_.At(static_cast<int32_t>(t));
      const std::vector<uint32_t> pixels = TilePixels(t, e.Width, e.Height);
      uint32_t colour = 0, alpha = 0;
      encoder_.Compress(coded.data(), coded.size(), pixels.data(), e.Width, e.Height, colour,
                        alpha);
      const uint64_t at = Position();
      if (!out_.WriteBuf(coded.data(), static_cast<int32_t>(colour + alpha), error)) return false;
      tiles_.SetTile(static_cast<int32_t>(t), static_cast<uint32_t>(at),
                     static_cast<uint32_t>(at >> 32), colour, alpha);
      tiles_.SetUpdateTile(static_cast<int32_t>(t), static_cast<uint32_t>(at),
                           static_cast<uint32_t>(at >> 32), colour, alpha);
    }
    return true;
  }

  bool WriteSections() {
    CTCF2UpdateTag update;
    CTCF2Bounds bounds;
    CTCF2Tag tag;
    SGeodeticRef ref;
    GeodeticRefInitRD(ref);
    tag.SetGeodeticRef(&ref);
    const SPointD pix[2] = {{0, 0}, {double(side_), double(side_)}},
                  map[2] = {{100000, 500000}, {110000, 490000}};
    tag.SetCalibration(2, &pix[0], &pix[1], nullptr, &map[0], &map[1], nullptr);
    uint32_t error = 0;
    uint64_t at = Position();
    if (!TCF2FileWriteUpdateTagV4(out_, update, error)) return false;
    header_.UpdateTagSection = {at, Position() - at};
    at = Position();
    if (!TCF2FileWriteBoundsV4(out_, bounds, error)) return false;
    header_.BoundsSection = {at, Position() - at};
    at = Position();
    if (!TCF2FileWriteTagV4(out_, tag, error)) return false;
    header_.TagSection = {at, Position() - at};
    return true;
  }

  int32_t side_;
  CFileStream out_;
  STCF2FileHeader header_{};
  CTCF2MipmapTable mipmap_;
  CTCF2TileTable tiles_;
  CTileEncoder encoder_;
};

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
          Check(CChartWriter().Write(chart.c_str()), "writing the chart")) &&
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
