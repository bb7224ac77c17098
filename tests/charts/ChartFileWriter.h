// Writes a chart file of version 2.0.0.0 through the library's own writer
// functions: every tile of every level from a source of pixels, coded by the
// library's encoder, tables A and B, the sections (the tag on the RD grid with
// a two-point calibration and its texts) and the header. Serves the programs
// that need a large, realistic chart on disk (the benchmarks and the demo);
// one writer per file, on one thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "lib/charts/TCF2BoundsFile.h"
#include "lib/charts/TCF2FileTables.h"
#include "lib/charts/TCF2TagFile.h"
#include "lib/charts/TileEncoder.h"
#include "lib/charts/TileFormat.h"
#include "lib/foundation/streams/FileStream.h"
#include "lib/geodesy/GeodeticRef.h"

// Where a tile lies: its number, its level, its top-left pixel in that
// level's image and its size.
struct SChartTileArea {
  uint32_t tile;
  int32_t level;
  uint32_t x, y, width, height;
};

// The pixels (0xAARRGGBB, rows top-down, width x height) of one tile.
using TChartTilePixels = std::function<void(const SChartTileArea& area, uint32_t* pixels)>;

// What the file describes: its size (the levels down to one pixel), the RD
// coordinates of two pixel positions, and the tag's two texts.
struct SChartFileLayout {
  int32_t width = 0, height = 0;
  SPointD pix[2] = {};
  SPointD map[2] = {};
  std::string text1, text2;
};

class CChartFileWriter {
 public:
  CChartFileWriter(const SChartFileLayout& layout, TChartTilePixels pixels)
      : layout_(layout), pixels_(std::move(pixels)) {}

  bool Write(const CStr& name) {
    uint32_t error = 0, total = 0;
    if (!out_.Open(name, kFileModeCreate, error)) return false;
    mipmap_.Build(-1, layout_.width, layout_.height, &total);
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
    header_.Width = static_cast<uint32_t>(layout_.width);
    header_.Height = static_cast<uint32_t>(layout_.height);
    header_.LevelCount = static_cast<uint32_t>(mipmap_.Count());
    return WriteSections(error) && TCF2FileWriteHeader(out_, header_, error);
  }

 private:
  uint64_t Position() { return static_cast<uint64_t>(out_.GetPosition()); }

  SChartTileArea AreaOf(uint32_t tile) const {
    int32_t level = mipmap_.Count() - 1;
    while (mipmap_.At(level).FirstTile > tile) --level;
    const STCF2Mipmap& m = mipmap_.At(level);
    const STCF2TileTableEntry& e = tiles_.At(static_cast<int32_t>(tile));
    const uint32_t n = tile - m.FirstTile;
    return {tile,    level,   n % m.TilesAcross * kTileSide, n / m.TilesAcross * kTileSide,
            e.Width, e.Height};
  }

  bool WriteTiles(uint32_t first, uint32_t end) {
    std::vector<uint8_t> coded(kTileCodeBufferSize);
    std::vector<uint32_t> pixels;
    uint32_t error = 0;
    for (uint32_t t = first; t < end; ++t) {
      const SChartTileArea area = AreaOf(t);
      pixels.assign(size_t{area.width} * area.height, 0);
      pixels_(area, pixels.data());
      uint32_t colour = 0, alpha = 0;
      encoder_.Compress(coded.data(), coded.size(), pixels.data(), area.width, area.height, colour,
                        alpha);
      const uint64_t at = Position();
      if (!out_.WriteBuf(coded.data(), static_cast<int32_t>(colour + alpha), error)) return false;
      const int32_t index = static_cast<int32_t>(t);
      const uint32_t low = static_cast<uint32_t>(at), high = static_cast<uint32_t>(at >> 32);
      tiles_.SetTile(index, low, high, colour, alpha);
      tiles_.SetUpdateTile(index, low, high, colour, alpha);
    }
    return true;
  }

  bool WriteSections(uint32_t& error) {
    CTCF2UpdateTag update;
    CTCF2Bounds bounds;
    CTCF2Tag tag;
    SGeodeticRef ref;
    GeodeticRefInitRD(ref);
    tag.SetGeodeticRef(&ref);
    const CStr text1(layout_.text1.c_str()), text2(layout_.text2.c_str());
    if (!layout_.text1.empty()) tag.SetText1(&text1);
    if (!layout_.text2.empty()) tag.SetText2(&text2);
    tag.SetCalibration(2, &layout_.pix[0], &layout_.pix[1], nullptr, &layout_.map[0],
                       &layout_.map[1], nullptr);
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

  const SChartFileLayout layout_;
  TChartTilePixels pixels_;
  CFileStream out_;
  STCF2FileHeader header_{};
  CTCF2MipmapTable mipmap_;
  CTCF2TileTable tiles_;
  CTileEncoder encoder_;
};
