#pragma once

#include <cstdint>
#include <vector>

// The peer the tile codec is measured against: libpng with zlib at their
// default settings, 8-bit RGBA from and to 0xAARRGGBB pixels.
class CPngCodec {
 public:
  static std::vector<uint8_t> Encode(const uint32_t* pixels, uint32_t width, uint32_t height);
  // False when the data is not a PNG of that size.
  static bool Decode(const std::vector<uint8_t>& png, uint32_t* pixels, uint32_t width, uint32_t height);
};
