// A whole older chart of every version, its tiles coded from the pattern
// image, for the tests that convert, update and walk it.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/charts/ChartImageTruths.h"
#include "tests/charts/LegacyChartFileBuilder.h"
#include "tests/charts/LegacyTagAreas.h"

// The 1.0.0.1 chart of 300 x 200: tiles 0 and 1 (level 0) to 5 (level 4,
// 19 x 13 pixels, every one different), each its level's part of the
// pattern; tile 5 has no alpha stream.
struct SLegacyChart {
  SImage level4 = PatternImage(19, 13);
  std::vector<std::vector<uint8_t>> tiles;

  SLegacyChart() {
    const SImage level0 = PatternImage(300, 200);
    SImage left{256, 200, {}}, right{44, 200, {}};
    for (uint32_t y = 0; y < 200; ++y)
      for (uint32_t x = 0; x < 300; ++x) (x < 256 ? left : right).pixels.push_back(level0.At(x, y));
    tiles = {Coded(left, true),
             Coded(right, true),
             Coded(PatternImage(150, 100), true),
             Coded(PatternImage(75, 50), true),
             Coded(PatternImage(38, 25), true),
             Coded(level4, false)};
  }
  std::vector<uint8_t> Bytes(uint32_t version = kVersion1001) const {
    return LegacyChartFileV2Tiles(version, 300, 200, version == kVersion1001 ? AreaV2() : AreaV3(),
                                  tiles);
  }
};
