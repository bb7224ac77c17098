// Applies arbitrary bytes as a tile patch. The first three bytes choose the
// tile's width and height (1..256) and the format; a patch that fails must
// leave the tile untouched.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "lib/charts/UpdateFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const uint32_t width = data[0] + 1u, height = data[1] + 1u, format = data[2] % 3;
  std::vector<uint32_t> tile(width * height, 0x5A000000), before = tile;
  uint32_t error = 0;
  if (!ApplyTilePatch(tile.data(), width, height, format, data + 3, static_cast<int64_t>(size - 3),
                      error) &&
      tile != before)
    std::abort();
  for (size_t i = 0; i < tile.size(); ++i)
    if ((tile[i] >> 24) != 0x5A) std::abort();
  return 0;
}
