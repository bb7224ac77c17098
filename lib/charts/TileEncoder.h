#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "lib/charts/ColorHistogram.h"
#include "lib/charts/TileFormat.h"

class CTileBitWriter;

// One 16 x 16 block as the encoder sees it.
struct STileCoderBlock {
  uint8_t plainCode;                     // code without a shared palette (1..253: palette form)
  uint8_t sharedCode;                    // code with one: 0, 254 or 255
  uint32_t colourCount;                  // P, distinct colours of the block
  uint32_t palette[kTileBlockPixels];    // its colours in order of first appearance
  uint8_t indices[kTileBlockPixels];     // block-palette index of each pixel
};

// Codes a tile into the compressed form. Deterministic: the same pixels
// always give the same bytes. Its state is about 340 KB, so it lives on the
// heap.
class CTileEncoder {
 public:
  // Codes width x height pixels (1..256 each, rows packed) into dst: the
  // colour stream, then the alpha stream. Returns 0, or the compression
  // error code for a bad size or when capacity bytes do not hold the
  // result (kTileCodeBufferSize always does).
  static uint32_t Compress(uint8_t* dst, size_t capacity, const uint32_t* src, uint32_t width,
                           uint32_t height, uint32_t& colourSize, uint32_t& alphaSize);
  // The same, writing the alpha stream only.
  static uint32_t CompressAlpha(uint8_t* dst, size_t capacity, const uint32_t* src,
                                uint32_t width, uint32_t height, uint32_t& alphaSize);

 private:
  // Pads an edge tile to 256 x 256 (TileCoderInit); the destructor frees
  // the padded copy (TileCoderDone).
  CTileEncoder(const uint32_t* src, uint32_t width, uint32_t height);

  void TileCodeColour(CTileBitWriter& out);
  void TileCodeAlpha(CTileBitWriter& out) const;
  void CountColours();
  void AnalyseBlock(uint32_t b);
  uint32_t BlockIndexOf(STileCoderBlock& block, uint32_t stamp, uint32_t colour);
  void WritePlain(CTileBitWriter& out) const;
  void WriteShared(CTileBitWriter& out) const;

  std::unique_ptr<uint32_t[]> scratch_;  // padded copy of an edge tile
  const uint32_t* tile_;                 // the 256 x 256 pixels coded
  CColorHistogram colours_;
  uint32_t sharedBits_ = 0;              // width of a shared index
  uint32_t plainBytes_ = 0;              // estimated colour stream without a shared palette
  uint64_t sharedEstimate_ = 0;          // and with one, in bits
  STileCoderBlock blocks_[kTileBlocks];
  // Per-block colour lookup: open addressing, a slot is live when its stamp
  // is the current block's.
  static constexpr uint32_t kSlotBits = 9;
  uint32_t slotColour_[1u << kSlotBits] = {};
  uint32_t slotStamp_[1u << kSlotBits] = {};
  uint8_t slotIndex_[1u << kSlotBits] = {};
};
