#include "lib/bitmap/Bmp16.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "lib/bitmap/PixelFill.h"
#include "lib/bitmap/PixelFormat.h"
#include "lib/bitmap/RowCopy.h"

namespace {

void CopyRow(uint16_t* d, const uint16_t* s, int32_t count) {
  std::memmove(d, s, static_cast<size_t>(count) * 2);
}

// The pixels whose bit 15 is clear.
void CopyClearPixels(uint16_t* d, const uint16_t* s, int32_t count) {
  for (int32_t x = 0; x < count; ++x)
    if (!(s[x] & 0x8000)) d[x] = s[x];
}

}  // namespace

CBmp16::CBmp16(int32_t width, int32_t height, bool ownDC) : CBmpRows(ownDC) { Resize(width, height); }

int32_t CBmp16::GetPixelFormat() { return pfA1R5G5B5; }

void CBmp16::Draw(CBmp16* destination, int32_t dstLeft, int32_t dstTop, int32_t dstRight, int32_t dstBottom,
                  int32_t srcLeft, int32_t srcTop, int32_t srcRight, int32_t srcBottom, uint8_t transparent) {
  if (!destination || !HasPixels() || !destination->HasPixels()) return;
  if (int64_t{dstRight} - dstLeft != int64_t{srcRight} - srcLeft ||
      int64_t{dstBottom} - dstTop != int64_t{srcBottom} - srcTop)
    return;
  // Clip the shared extent to both bitmaps, moving both origins together.
  int64_t sx = srcLeft, sy = srcTop, dx = dstLeft, dy = dstTop;
  int64_t w = int64_t{srcRight} - srcLeft, h = int64_t{srcBottom} - srcTop;
  const int64_t cutX = std::max({int64_t{0}, -sx, -dx}), cutY = std::max({int64_t{0}, -sy, -dy});
  sx += cutX, dx += cutX, w -= cutX;
  sy += cutY, dy += cutY, h -= cutY;
  w = std::min({w, Width() - sx, destination->Width() - dx});
  h = std::min({h, Height() - sy, destination->Height() - dy});
  if (w <= 0 || h <= 0) return;
  try {
    CopyRows<uint16_t>(*this, static_cast<int32_t>(sx), static_cast<int32_t>(sy), *destination,
                       static_cast<int32_t>(dx), static_cast<int32_t>(dy), static_cast<int32_t>(w),
                       static_cast<int32_t>(h), transparent ? CopyClearPixels : CopyRow);
  } catch (...) {  // no memory for a row moving within itself: nothing more copied
  }
}

void CBmp16::Reserved1(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}

uint8_t CBmp16::Reserved2(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) { return 0; }

namespace {

// ceil(v) held inside 0..limit; NaN counts as 0.
int32_t CeilWithin(double v, int32_t limit) {
  if (!(v > 0)) return 0;
  return v >= limit ? limit : static_cast<int32_t>(std::ceil(v));
}

}  // namespace

void CBmp16::FillRect(double left, double top, double right, double bottom, uint16_t colour) {
  if (!HasPixels() || std::isnan(left) || std::isnan(top) || std::isnan(right) || std::isnan(bottom)) return;
  const int32_t x0 = CeilWithin(left, Width()), x1 = CeilWithin(right, Width());
  const int32_t y0 = CeilWithin(top, Height()), y1 = CeilWithin(bottom, Height());
  if (x0 >= x1 || y0 >= y1) return;
  std::fill(Row(y0) + x0, Row(y0) + x1, colour);
  for (int32_t y = y0 + 1; y < y1; ++y) std::memcpy(Row(y) + x0, Row(y0) + x0, static_cast<size_t>(x1 - x0) * 2);
}

void CBmp16::Fill(uint16_t colour) {
  if (!HasPixels()) return;
  FillRowPairs(Row(0), colour, Width());
  FillByDoubling(Rows()[0], Stride(), Height());
}

uint16_t* CBmp16::GetBits() { return static_cast<uint16_t*>(Bits()); }

uint16_t* CBmp16::GetScanLine(int32_t row) { return reinterpret_cast<uint16_t*>(RowOrNull(row)); }
