// The anti-aliasing plotters of the CBmp32 rasteriser: one pixel, a pixel
// pair split by the fraction of a 16.16 coordinate, and a 2 x 2 block split
// by two fractions. All blend through the routine table with opacities from
// the gamma table. Used on the thread that owns the bitmap, for the time of
// one drawing call.
#pragma once

#include <cstdint>

#include "lib/bitmap/Bmp32.h"

// The colour with its alpha scaled by f / 255 (integer division).
uint32_t FadeColour(uint32_t f, uint32_t colour);
// The colour with alpha gamma[trunc(alpha x coverage)], coverage 0..1.
uint32_t FadeByGamma(uint32_t colour, double coverage);

class CPixelPlotter {
 public:
  explicit CPixelPlotter(CBmp32& bitmap) : m_Bitmap(bitmap) {}

  // Solid blend of pixel (x, y); nothing outside the bitmap.
  void Pixel(int64_t x, int64_t y, uint32_t colour) const;
  // Steep lines: X in 16.16, pixels (X >> 16, y) and (X >> 16 + 1, y).
  void PairY(int64_t x, int64_t y, uint32_t colour) const;
  // Flat lines: Y in 16.16, pixels (x, Y >> 16) and (x, Y >> 16 + 1).
  void PairX(int64_t x, int64_t y, uint32_t colour) const;
  // Circles: X and Y in 16.16, the 2 x 2 block from (X >> 16, Y >> 16).
  // The pair and block plotters do not clip: their callers keep every
  // pixel they reach inside the bitmap.
  void Quad(int64_t x, int64_t y, uint32_t colour) const;

 private:
  void Cover(int64_t x, int64_t y, uint32_t colour, uint32_t coverage) const;

  CBmp32& m_Bitmap;
};
