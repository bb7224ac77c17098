#include "lib/bitmap/PixelFormat.h"

namespace {

const SPixelFormat kFormats[kPixelFormatCount] = {
    {0, 8, 8, 8, 1},  {0, 8, 8, 8, 2},  {0, 8, 8, 8, 4},  {0, 8, 8, 8, 8},   {0, 5, 5, 5, 16},
    {1, 5, 5, 5, 16}, {0, 5, 6, 5, 16}, {0, 8, 8, 8, 24}, {0, 8, 8, 8, 32}, {8, 8, 8, 8, 32},
};

const char* const kNames[kPixelFormatCount] = {"P1",       "P2",       "P4",     "P8",       "X1R5G5B5",
                                               "A1R5G5B5", "R5G6B5",   "R8G8B8", "X8R8G8B8", "A8R8G8B8"};

}  // namespace

bool IsPixelFormat(int32_t format) { return format >= 0 && format < kPixelFormatCount; }

const SPixelFormat& PixelFormatInfo(int32_t format) {
  if (!IsPixelFormat(format)) throw "Unsupported pixel format.";
  return kFormats[format];
}

const char* PixelFormatName(int32_t format) { return IsPixelFormat(format) ? kNames[format] : "?"; }

uint32_t PixelFormatBits(int32_t format) { return IsPixelFormat(format) ? kFormats[format].bitsPerPixel : 0; }

int64_t PixelFormatStride(int64_t width, int32_t format) {
  if (width <= 0) return 0;
  return ((width * PixelFormatBits(format) + 31) & ~int64_t{31}) / 8;
}
