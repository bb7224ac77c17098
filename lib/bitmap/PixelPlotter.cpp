#include "lib/bitmap/PixelPlotter.h"

#include "lib/bitmap/BlendRoutines.h"
#include "lib/bitmap/GammaTable.h"

namespace {

uint32_t Fraction(int64_t fixed) { return static_cast<uint32_t>((fixed & 0xFFFF) >> 8); }

}  // namespace

uint32_t FadeColour(uint32_t f, uint32_t colour) {
  return (colour & 0x00FFFFFF) | ((colour >> 24) * f / 255) << 24;
}

uint32_t FadeByGamma(uint32_t colour, double coverage) {
  const uint32_t index = static_cast<uint32_t>((colour >> 24) * coverage);
  return (colour & 0x00FFFFFF) | g_GammaTable[index] << 24;
}

void CPixelPlotter::Pixel(int64_t x, int64_t y, uint32_t colour) const {
  if (x < 0 || y < 0 || x >= m_Bitmap.Width() || y >= m_Bitmap.Height()) return;
  g_BlendRoutines.solidPixel(m_Bitmap.Row(static_cast<int32_t>(y)) + x, colour);
}

void CPixelPlotter::Cover(int64_t x, int64_t y, uint32_t colour, uint32_t coverage) const {
  g_BlendRoutines.coveragePixel(m_Bitmap.Row(static_cast<int32_t>(y)) + x, colour,
                                g_GammaTable[coverage]);
}

void CPixelPlotter::PairY(int64_t x, int64_t y, uint32_t colour) const {
  const uint32_t f = Fraction(x);
  Cover(x >> 16, y, colour, 255 - f);
  Cover((x >> 16) + 1, y, colour, f);
}

void CPixelPlotter::PairX(int64_t x, int64_t y, uint32_t colour) const {
  const uint32_t f = Fraction(y);
  Cover(x, y >> 16, colour, 255 - f);
  Cover(x, (y >> 16) + 1, colour, f);
}

void CPixelPlotter::Quad(int64_t x, int64_t y, uint32_t colour) const {
  const uint32_t fx = Fraction(x), fy = Fraction(y);
  const int64_t px = x >> 16, py = y >> 16;
  Cover(px, py, colour, (255 - fx) * (255 - fy) / 255);
  Cover(px + 1, py, colour, fx * (255 - fy) / 255);
  Cover(px, py + 1, colour, (255 - fx) * fy / 255);
  Cover(px + 1, py + 1, colour, fx * fy / 255);
}
