#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "lib/charts/ColorHistogram.h"
#include "lib/charts/TileFormat.h"

class CTileBitWriter;

struct SRunCounts {
  uint32_t repeatRuns = 0;     // C: stretches of two or more equal pixels
  uint32_t literalRuns = 0;    // B: runs of single pixels
  uint32_t literalPixels = 0;  // A: the pixels in them
};

// What the encoder keeps of one 16 x 16 block between analysing and
// writing it.
struct STileCoderBlock {
  uint8_t plainCode;     // code without a shared palette (1..253: palette form)
  uint8_t sharedCode;    // code with one: 0, 254 or 255
  uint32_t colourCount;  // P, distinct colours of the block
  SRunCounts runs;
};

// Codes tiles into the compressed form. Deterministic: the same pixels
// always give the same bytes. One encoder codes any number of tiles, one at
// a time, and keeps its storage between them: some 13 KB here and the
// colour table, which reserves 1.8 MB but touches only what the colours use.
class CTileEncoder {
 public:
  // Codes width x height pixels (1..256 each, rows packed) into dst: the
  // colour stream, then the alpha stream. Returns 0, or the compression
  // error code for a bad size or when capacity bytes do not hold the
  // result (kTileCodeBufferSize always does).
  uint32_t Compress(uint8_t* dst, size_t capacity, const uint32_t* src, uint32_t width,
                    uint32_t height, uint32_t& colourSize, uint32_t& alphaSize);
  // The same, writing the alpha stream only.
  uint32_t CompressAlpha(uint8_t* dst, size_t capacity, const uint32_t* src, uint32_t width,
                         uint32_t height, uint32_t& alphaSize);

 private:
  // Takes a tile, padding an edge tile to 256 x 256.
  void TileCoderInit(const uint32_t* src, uint32_t width, uint32_t height);

  void TileCodeColour(CTileBitWriter& out);
  void TileCodeAlpha(CTileBitWriter& out) const;
  void AnalyseBlock(uint32_t b);
  uint32_t LoadBlock(uint32_t b);
  uint32_t BlockIndexOf(uint32_t colour, uint32_t first);
  void WritePlain(CTileBitWriter& out);
  void WriteShared(CTileBitWriter& out);

  std::unique_ptr<uint32_t[]> scratch_;  // padded copy of an edge tile
  const uint32_t* tile_ = nullptr;       // the 256 x 256 pixels coded
  CColorHistogram colours_;
  uint32_t plainBytes_ = 0;  // estimated colour stream without a shared palette
  STileCoderBlock blocks_[kTileBlocks];

  // The block last loaded: its palette in order of first appearance, with
  // counts and first tile positions, and each pixel's palette index.
  uint32_t palette_[kTileBlockPixels];
  uint32_t counts_[kTileBlockPixels];
  uint32_t firsts_[kTileBlockPixels];
  uint8_t indices_[kTileBlockPixels];
  uint32_t colourCount_ = 0;
  // Its colour lookup: open addressing; a slot is live when its stamp is
  // the current load's.
  static constexpr uint32_t kSlotBits = 9;
  uint32_t stamp_ = 0;
  uint32_t slotColour_[1u << kSlotBits] = {};
  uint32_t slotStamp_[1u << kSlotBits] = {};
  uint8_t slotIndex_[1u << kSlotBits] = {};
};
