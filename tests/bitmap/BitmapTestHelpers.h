// Small bitmaps for the tests: filled, or with a distinct value per pixel.
#pragma once

#include <cstdint>
#include <memory>

#include "lib/bitmap/Bmp32.h"

inline std::unique_ptr<CBmp32> MakeFilled(int32_t width, int32_t height, uint32_t colour) {
  auto bmp = std::make_unique<CBmp32>(width, height, false);
  bmp->Fill(colour);
  return bmp;
}

// Pixel (x, y) holds 0xFF000000 | y << 12 | x: each pixel names itself.
inline uint32_t Tag(int32_t x, int32_t y) { return 0xFF000000u | uint32_t(y) << 12 | uint32_t(x); }

inline std::unique_ptr<CBmp32> MakeTagged(int32_t width, int32_t height) {
  auto bmp = std::make_unique<CBmp32>(width, height, false);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) bmp->Row(y)[x] = Tag(x, y);
  return bmp;
}
