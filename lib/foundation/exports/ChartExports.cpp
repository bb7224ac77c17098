// Exports of the chart family: the tile codec.
#include "include/TdLib.h"
#include <cstdint>
#include <memory>

#include "TdLib.h"
#include "lib/charts/TileDecoder.h"
#include "lib/charts/TileEncoder.h"
#include "lib/charts/TileFormat.h"
#include "lib/foundation/core/Abi.h"
#include "lib/foundation/exports/Guard.h"

static_assert(TCF2_TILE_CODE_BUFFER_SIZE == kTileCodeBufferSize);
static_assert(TCF2_TILE_ALPHA_BUFFER_SIZE == kTileAlphaStreamLimit);

// The codec's bit widths are constants; nothing is left to build.
TDEXPORT(void) TCF2Initialize() {}

TDEXPORT(void) TCF2TileDecompress(uint32_t* dst, uint32_t width, uint32_t height, uint8_t* allTransparent,
                                  uint8_t* allOpaque, uint32_t* colourSize, const uint8_t* src,
                                  uint8_t hasAlpha) {
  td::GuardVoid([&] {
    if (!IsTileSize(width, height)) return;
    STileDecodeInfo info;
    // The host does not say how long src is; no tile is longer than this.
    CTileDecoder::Decode(dst, width, height, src, kTileStreamLimit, hasAlpha != 0, info);
    *allTransparent = info.allTransparent;
    *allOpaque = info.allOpaque;
    *colourSize = info.colourSize;
  });
}

TDEXPORT(void) TCF2TileCompress(uint8_t* dst, const uint32_t* src, uint32_t width, uint32_t height,
                                uint32_t* colourSize, uint32_t* alphaSize) {
  if (!IsTileSize(width, height)) return;
  uint32_t colour = 0, alpha = 0;
  td::GuardVoid([&] {  // out of memory codes nothing
    std::make_unique<CTileEncoder>()->Compress(dst, kTileCodeBufferSize, src, width, height, colour, alpha);
  });
  *colourSize = colour;
  *alphaSize = alpha;
}

TDEXPORT(void) TCF2TileCompressAlpha(uint8_t* dst, const uint32_t* src, uint32_t width, uint32_t height,
                                     uint32_t* alphaSize) {
  if (!IsTileSize(width, height)) return;
  uint32_t alpha = 0;
  td::GuardVoid([&] {
    std::make_unique<CTileEncoder>()->CompressAlpha(dst, kTileAlphaStreamLimit, src, width, height, alpha);
  });
  *alphaSize = alpha;
}
