// Tile requests built from the layout of the tiled test charts.
#pragma once

#include <vector>

#include "lib/charts/TCF2TileStore.h"
#include "tests/charts/TiledChartBuilder.h"

// A full 256 x 256 tile n of a tiled test chart.
inline STCF2TileRequest TileRequest(uint32_t n) {
  STCF2TileRequest r;
  r.Info = STCF2TileInfo{TiledTileOffset(n), kSolidTileSize, 256, 256, n, 0};
  return r;
}

inline std::vector<STCF2TileRequest> TileRequests(std::initializer_list<uint32_t> tiles) {
  std::vector<STCF2TileRequest> out;
  for (uint32_t n : tiles) out.push_back(TileRequest(n));
  return out;
}

// One request call, its lock released at once.
inline void RequestAndUnlock(CTCF2TileStore& store, const void* chart, const CStr& path,
                             std::vector<STCF2TileRequest>& requests, uint16_t mask,
                             TWindowHandle window) {
  store.Request(chart, path, requests.data(), static_cast<int32_t>(requests.size()), mask, window);
  store.Unlock();
}

// 12 x 10 level-0 tiles of one colour each.
inline STiledChart WideChart() {
  STiledChart c;
  c.width = 256 * 12;
  c.height = 256 * 10;
  c.levels = 1;
  return c;
}

// The pixel a solid test tile of that RGB colour decodes to.
inline uint32_t Opaque(uint32_t rgb) { return 0xFF000000 | rgb; }
