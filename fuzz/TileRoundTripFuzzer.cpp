// Builds a tile from the input, encodes it into a buffer of exactly the
// documented worst-case size and decodes it again: the pixels must come
// back with alpha reduced to opaque or transparent.
//
// Input: width - 1, height - 1, a mode byte, a palette count byte, that
// many 4-byte colours (0xAARRGGBB, little-endian), then (run length - 1,
// palette index) pairs repeated over the tile. Mode bit 0 mixes each
// pixel's position into its colour, giving up to 65,536 colours.

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "lib/charts/TileDecoder.h"
#include "lib/charts/TileEncoder.h"
#include "lib/charts/TileFormat.h"

namespace {

std::vector<uint32_t> MakePixels(const uint8_t* data, size_t size, uint32_t count) {
  uint32_t paletteSize = data[3] + 1u;
  std::vector<uint32_t> palette(paletteSize, 0xFF000000);
  const uint8_t* p = data + 4;
  const uint8_t* end = data + size;
  for (uint32_t& colour : palette)
    for (int i = 0; i < 4 && p < end; ++i) colour = (colour & ~(0xFFu << 8 * i)) | uint32_t{*p++} << 8 * i;
  std::vector<uint32_t> pixels;
  pixels.reserve(count);
  const uint8_t* runs = p;
  while (pixels.size() < count) {
    if (end - p < 2) {
      if (end - runs < 2) break;
      p = runs;
    }
    uint32_t colour = palette[p[1] % paletteSize];
    pixels.insert(pixels.end(), std::min<size_t>(p[0] + 1u, count - pixels.size()), colour);
    p += 2;
  }
  pixels.resize(count, palette[0]);
  if (data[2] & 1)
    for (uint32_t i = 0; i < count; ++i) pixels[i] ^= (i * 0x9E3779B1u) & kColourMask;
  return pixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  uint32_t width = data[0] + 1u, height = data[1] + 1u;
  std::vector<uint32_t> pixels = MakePixels(data, size, width * height);

  // A new encoder and one that has coded every earlier input must agree.
  static CTileEncoder reused;
  std::vector<uint8_t> coded(kTileCodeBufferSize), again(kTileCodeBufferSize);
  uint32_t colourSize, alphaSize, colourAgain, alphaAgain;
  if (CTileEncoder().Compress(coded.data(), coded.size(), pixels.data(), width, height, colourSize,
                              alphaSize) != 0 ||
      colourSize > kTileColourCodeMax ||
      reused.Compress(again.data(), again.size(), pixels.data(), width, height, colourAgain, alphaAgain) != 0 ||
      coded != again)
    std::abort();
  coded.resize(colourSize + alphaSize);

  std::vector<uint32_t> decoded(pixels.size());
  STileDecodeInfo info;
  if (CTileDecoder::Decode(decoded.data(), width, height, coded.data(), coded.size(), true, info) != 0 ||
      info.colourSize != colourSize)
    std::abort();
  for (size_t i = 0; i < pixels.size(); ++i) {
    uint32_t expected = (pixels[i] & kColourMask) | (pixels[i] >> 24 ? kAlphaOpaque : 0);
    if (decoded[i] != expected) std::abort();
  }
  return 0;
}
