// The row walk of the equal-size copies between bitmaps of one pixel size
// (CBmp16::Draw, CBmp32::Draw). Within one bitmap the copy acts as if the
// source rectangle were copied out first: rows moving down are visited from
// the bottom up, and a row that moves within itself is handed over through a
// copy, so no pixel is read after it was written. Same threading as the
// bitmaps; may throw std::bad_alloc for that row copy.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "lib/bitmap/BmpRows.h"

// Calls copy(out, in, width) for each of height rows: in from (srcX, srcY) of
// source, out at (dstX, dstY) of destination, both already clipped to their
// bitmaps.
template <class Pixel, class RowCopy>
void CopyRows(const CBmpRows& source, int32_t srcX, int32_t srcY, CBmpRows& destination,
              int32_t dstX, int32_t dstY, int32_t width, int32_t height, RowCopy copy) {
  const bool same = &source == &destination;
  const bool bottomUp = same && dstY > srcY;
  std::vector<Pixel> staged(same && dstY == srcY && dstX != srcX ? static_cast<size_t>(width) : 0);
  for (int32_t i = 0; i < height; ++i) {
    const int32_t y = bottomUp ? height - 1 - i : i;
    const Pixel* in = reinterpret_cast<const Pixel*>(source.RowOrNull(srcY + y)) + srcX;
    if (!staged.empty()) in = std::copy_n(in, width, staged.data()) - width;
    copy(reinterpret_cast<Pixel*>(destination.RowOrNull(dstY + y)) + dstX, in, width);
  }
}
