#pragma once

#include <cstddef>
#include <cstdint>

#include "lib/charts/TileBitReader.h"

struct STileDecodeInfo {
  uint32_t colourSize = 0;      // bytes of the colour stream: where the alpha stream starts
  bool allTransparent = false;  // the alpha stream has no opaque run
  bool allOpaque = false;       // no alpha stream, or one without a transparent run
};

// Turns a compressed tile back into 32-bit pixels, never reading outside
// the given bytes nor writing outside the given pixels. It allocates
// nothing: an edge tile is clipped block by block, and shared colours are
// read where they stand in the data.
class CTileDecoder {
 public:
  // Decodes the top-left width x height pixels (1..256 each, rows packed)
  // of the tile in src[0..srcSize). Returns 0, or the uncompression error
  // code for damaged data or a bad size; after damaged data dst is
  // transparent black and info says so.
  static uint32_t Decode(uint32_t* dst, uint32_t width, uint32_t height, const uint8_t* src,
                         size_t srcSize, bool hasAlpha, STileDecodeInfo& info);
  // Decodes a tile as a chart file stores it, src[0..srcSize) being all its
  // bytes: the colour stream, then the alpha stream when bytes are left
  // after it. Files older than version 2.0.0.0 keep some tiles without one,
  // and their tables give only a tile's whole length. info.colourSize tells
  // the two streams apart; results as Decode.
  static uint32_t DecodeStored(uint32_t* dst, uint32_t width, uint32_t height, const uint8_t* src,
                               size_t srcSize, STileDecodeInfo& info);

 private:
  enum class EAlpha { kNone, kPresent, kWhenBytesFollow };

  CTileDecoder(uint32_t* dst, uint32_t width, uint32_t height, const uint8_t* src, size_t srcSize);

  static uint32_t Run(uint32_t* dst, uint32_t width, uint32_t height, const uint8_t* src,
                      size_t srcSize, EAlpha alpha, STileDecodeInfo& info);
  bool DecodeTile(EAlpha alpha, STileDecodeInfo& info);
  bool DecodePlainBlock(uint32_t b);
  bool DecodeSharedBlock(uint32_t b, uint32_t sharedCount, const uint8_t* shared);
  bool DecodeAlpha(STileDecodeInfo& info);
  // Pixels of block b in block order, clipped to the tile's size.
  void StoreBlock(uint32_t b, const uint32_t* pixels);
  void FillBlock(uint32_t b, uint32_t pixel);
  void CopyBlockRows(uint32_t b, const uint32_t* source, uint32_t stride);
  void ClearAlpha(uint32_t first, uint32_t count);

  CTileBitReader in_;
  uint32_t* dst_;
  uint32_t width_;
  uint32_t height_;
};
