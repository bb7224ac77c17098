#include "lib/bitmap/PixelFill.h"

#include <algorithm>
#include <cstring>

void FillRowPairs(uint16_t* row, uint16_t colour, int32_t count) noexcept {
  const uint32_t pair = uint32_t{colour} << 16 | colour;
  const int32_t pairs = count / 2;
  for (int32_t i = 0; i < pairs; ++i) std::memcpy(row + 2 * i, &pair, 4);
  if (count & 1) row[count - 1] = colour;
}

void FillByDoubling(uint8_t* first, int32_t stride, int32_t height) noexcept {
  const size_t rowBytes = static_cast<size_t>(stride);
  size_t filled = 1;
  while (filled < static_cast<size_t>(height)) {
    const size_t copy = std::min(filled, static_cast<size_t>(height) - filled);
    std::memcpy(first + filled * rowBytes, first, copy * rowBytes);
    filled += copy;
  }
}
