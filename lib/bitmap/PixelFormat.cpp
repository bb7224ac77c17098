#include "lib/bitmap/PixelFormat.h"

namespace {

const SPixelFormat kFormats[kPixelFormatCount] = {
    {0, 8, 8, 8, 1},  {0, 8, 8, 8, 2},  {0, 8, 8, 8, 4},  {0, 8, 8, 8, 8},  {0, 5, 5, 5, 16},
    {1, 5, 5, 5, 16}, {0, 5, 6, 5, 16}, {0, 8, 8, 8, 24}, {0, 8, 8, 8, 32}, {8, 8, 8, 8, 32},
};

}  // namespace

bool IsPixelFormat(int32_t format) { return format >= 0 && format < kPixelFormatCount; }

const SPixelFormat& PixelFormatInfo(int32_t format) {
  if (!IsPixelFormat(format)) throw "Unsupported pixel format.";
  return kFormats[format];
}

uint32_t PixelFormatBits(int32_t format) {
  return IsPixelFormat(format) ? kFormats[format].bitsPerPixel : 0;
}

int64_t PixelFormatStride(int64_t width, int32_t format) {
  if (width <= 0) return 0;
  return ((width * PixelFormatBits(format) + 31) & ~int64_t{31}) / 8;
}
