// Reads arbitrary bytes as a whole chart file of any version from memory:
// magic, header, tables, the sections or tag area and the first tiles.
// Hostile sizes, counts and positions must end in an error code, a stream
// exception (a payload that ends early) or, for an older file's shift datum,
// a calibration fault; the sanitizers and libFuzzer's limits catch crashes,
// huge allocations and hangs.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "lib/charts/TCF2FileRead.h"
#include "lib/charts/TCF2TileData.h"
#include "lib/charts/TileFormat.h"
#include "lib/foundation/core/Exception.h"
#include "lib/foundation/streams/PointerStream.h"
#include "lib/geodesy/Geodetics.h"

namespace {

constexpr int32_t kTilesRead = 4;

void ReadTiles(CStream& stream, const CTCF2TileTable& tiles) {
  static uint32_t pixels[kTilePixels];
  std::vector<uint8_t> buffer;
  for (int32_t i = 0; i < std::min(tiles.Count(), kTilesRead); ++i) {
    uint32_t error = 0;
    TCF2FileReadTilePixels(stream, pixels, tiles.At(i), true, buffer, error);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool tables = GeodeticTablesInitialize() != nullptr;
  (void)tables;
  CConstPointerStream stream(data, static_cast<int64_t>(size));
  STCF2ChartObjects chart;
  uint32_t version = 0, index = 0, warnings = 0, error = 0;
  try {
    TCF2FileReadStream(stream, version, index, chart.Parts(), warnings, error);
  } catch (const CStreamError&) {
  } catch (const CGeodeticsError&) {  // a faulty calibration under a shift datum
  }
  ReadTiles(stream, chart.tiles);
  return 0;
}
