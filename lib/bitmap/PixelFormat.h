// The ten pixel formats of the library's bitmaps and image files, and the row
// stride rule. The table is constant; any thread may read it at any time.
#pragma once

#include <cstdint>

enum EPixelFormat : int32_t {
  pfP1 = 0,
  pfP2 = 1,
  pfP4 = 2,
  pfP8 = 3,
  pfX1R5G5B5 = 4,
  pfA1R5G5B5 = 5,
  pfR5G6B5 = 6,
  pfR8G8B8 = 7,
  pfX8R8G8B8 = 8,
  pfA8R8G8B8 = 9,
};

constexpr int32_t kPixelFormatCount = 10;

// Bits of each channel and of the whole pixel. The palette formats 0-3 give
// 8-8-8 for their palette colours.
struct SPixelFormat {
  uint8_t alphaBits;
  uint8_t redBits;
  uint8_t greenBits;
  uint8_t blueBits;
  uint8_t bitsPerPixel;
};

bool IsPixelFormat(int32_t format);
// The entry of a format; formats outside 0..9 throw the converters' plain
// message "Unsupported pixel format.".
const SPixelFormat& PixelFormatInfo(int32_t format);
// "P1" .. "A8R8G8B8"; "?" for a code outside the table. Known when the
// library is compiled.
constexpr const char* PixelFormatName(int32_t format) {
  constexpr const char* kNames[kPixelFormatCount] = {
      "P1", "P2", "P4", "P8", "X1R5G5B5", "A1R5G5B5", "R5G6B5", "R8G8B8", "X8R8G8B8", "A8R8G8B8"};
  return format >= 0 && format < kPixelFormatCount ? kNames[format] : "?";
}
// Bits per pixel; 0 for a code outside the table.
uint32_t PixelFormatBits(int32_t format);
// Bytes of one row: ((width x bits per pixel + 31) AND NOT 31) / 8, rows
// padded to a multiple of 4 bytes. 64-bit, so no width overflows it; 0 for a
// negative width or an unknown format.
int64_t PixelFormatStride(int64_t width, int32_t format);
