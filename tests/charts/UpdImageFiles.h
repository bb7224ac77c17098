// Inputs of the update generator written down from their layouts: .bmp
// images and the identity that the test chart files' tag gives an update.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "tests/bitmap/ImageBytes.h"
#include "tests/charts/TiledChartBuilder.h"
#include "tests/charts/UpdateBuilder.h"

using TPixel = std::function<uint32_t(uint32_t x, uint32_t y)>;

// A 24-bit .bmp of the pixels (0xRRGGBB), rows stored bottom-up or top-down.
inline std::string Bmp24(uint32_t width, uint32_t height, bool topDown, const TPixel& pixel) {
  CBytes rows;
  for (uint32_t i = 0; i < height; ++i) {
    const uint32_t y = topDown ? i : height - 1 - i;
    for (uint32_t x = 0; x < width; ++x)
      rows.U8(pixel(x, y)).U8(pixel(x, y) >> 8).U8(pixel(x, y) >> 16);
    for (uint32_t pad = width * 3; pad % 4 != 0; ++pad) rows.U8(0);
  }
  const int32_t h = static_cast<int32_t>(height);
  return BmpFile(static_cast<int32_t>(width), topDown ? -h : h, 24, 0, "", rows.Str());
}

// The identity the tiled chart's tag gives an update.
inline SBuiltChart TiledIdentity() {
  SBuiltChart chart;
  for (int i = 0; i < 16; ++i) chart.guid[i] = static_cast<uint8_t>(i + 1);
  chart.idCode = 7;
  chart.text1 = "Id1";
  chart.text2 = "Id2";
  chart.text3 = "Id3";
  chart.text4 = "Id4";
  chart.idNumber = 0x12345;
  return chart;
}

// A 512 x 512 chart of four solid tiles, 0x101010 x (tile + 1), and its
// pixels as 0xRRGGBB.
inline std::string FourTileChartFile() {
  STiledChart c;
  c.width = c.height = 512;
  c.levels = 1;
  const std::vector<uint8_t> bytes = TiledChartFile(c);
  return std::string(bytes.begin(), bytes.end());
}
inline uint32_t FourTileChartPixel(uint32_t x, uint32_t y) {
  return 0x101010 * ((y / 256) * 2 + x / 256 + 1);
}
