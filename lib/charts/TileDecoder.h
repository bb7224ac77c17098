#pragma once

#include <cstddef>
#include <cstdint>

class CTileBitReader;

struct STileDecodeInfo {
  uint32_t colourSize = 0;      // bytes of the colour stream: where the alpha stream starts
  bool allTransparent = false;  // the alpha stream has no opaque run
  bool allOpaque = false;       // no alpha stream, or one without a transparent run
};

// Turns a compressed tile back into 32-bit pixels, never reading outside
// the given bytes nor writing outside the given pixels.
class CTileDecoder {
 public:
  // Decodes the top-left width x height pixels (1..256 each, rows packed)
  // of the tile in src[0..srcSize). Returns 0, or the uncompression error
  // code for damaged data or a bad size; after damaged data dst is
  // transparent black and info says so.
  static uint32_t Decode(uint32_t* dst, uint32_t width, uint32_t height, const uint8_t* src,
                         size_t srcSize, bool hasAlpha, STileDecodeInfo& info);

 private:
  static bool DecodeTile(uint32_t* tile, const uint8_t* src, size_t srcSize, bool hasAlpha,
                         STileDecodeInfo& info);
  static bool DecodePlainBlock(CTileBitReader& in, uint32_t* block);
  static bool DecodeSharedBlocks(CTileBitReader& in, uint32_t* tile, uint32_t sharedCount);
  static bool DecodeSharedBlock(CTileBitReader& in, uint32_t* block, const uint32_t* shared,
                                uint32_t sharedCount);
  static bool DecodeAlpha(CTileBitReader& in, uint32_t* tile, STileDecodeInfo& info);
};
