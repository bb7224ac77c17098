// Feeds arbitrary bytes to the tile decoder. Input: a flags byte (bit 0:
// an alpha stream follows; bit 1: decoded as stored, with an alpha stream
// when bytes follow the colour stream), width - 1, height - 1, then the
// tile's bytes.
// The sanitizers catch any access outside the input or the pixels.

#include <cstdlib>
#include <vector>

#include "lib/charts/TileDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  uint32_t width = data[1] + 1u, height = data[2] + 1u;
  std::vector<uint32_t> pixels(width * height);
  STileDecodeInfo info;
  uint32_t status = data[0] & 2 ? CTileDecoder::DecodeStored(pixels.data(), width, height, data + 3,
                                                             size - 3, info)
                                : CTileDecoder::Decode(pixels.data(), width, height, data + 3,
                                                       size - 3, data[0] & 1, info);
  if (status == 0 && info.colourSize > size - 3) std::abort();
  return 0;
}
