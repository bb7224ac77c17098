#pragma once

// Constants of the compressed tile form: a colour stream of 16 x 16-pixel
// blocks, optionally followed by an alpha stream of run words.

#include <bit>
#include <cstddef>
#include <cstdint>

constexpr uint32_t kTileSide = 256;
constexpr uint32_t kTilePixels = kTileSide * kTileSide;
constexpr uint32_t kTileBlockSide = 16;
constexpr uint32_t kTileBlocksPerRow = kTileSide / kTileBlockSide;
constexpr uint32_t kTileBlocks = kTileBlocksPerRow * kTileBlocksPerRow;
constexpr uint32_t kTileBlockPixels = kTileBlockSide * kTileBlockSide;

// Block codes; 1..kBlockCodeMaxPalette is the size of a block palette.
constexpr uint32_t kBlockCodeOneColour = 0;
constexpr uint32_t kBlockCodeMaxPalette = 253;
constexpr uint32_t kBlockCodeRuns = 254;
constexpr uint32_t kBlockCodeRaw = 255;

// Run item: a 1-bit flag (set for a repeat run) and an 8-bit length - 1.
constexpr uint32_t kRunFlagRepeat = 1;
constexpr uint32_t kRunHeaderBits = 9;

// Alpha run word: bit 15 marks an opaque run, bits 0..14 its length.
constexpr uint32_t kAlphaOpaqueRun = 0x8000;
constexpr uint32_t kAlphaMaxRun = 0x7FFF;

constexpr uint32_t kColourMask = 0x00FFFFFF;
constexpr uint32_t kAlphaOpaque = 0xFF000000;

constexpr bool IsTileSize(uint32_t width, uint32_t height) {
  return width >= 1 && width <= kTileSide && height >= 1 && height <= kTileSide;
}

// Block b of a tile and pixel k of a block, both in row-major order.
template <class T>
constexpr T* TileBlock(T* tile, uint32_t b) {
  return tile + (b / kTileBlocksPerRow) * kTileBlockSide * kTileSide + (b % kTileBlocksPerRow) * kTileBlockSide;
}
template <class T>
constexpr T& BlockPixel(T* block, uint32_t k) {
  return block[(k / kTileBlockSide) * kTileSide + k % kTileBlockSide];
}

// Bits of an index into n + 1 values (a block palette of P colours uses
// TileBitWidth(P - 1), a shared palette of G colours TileBitWidth(G)).
// Defined for every count a tile can have, 65,536 distinct colours included.
constexpr uint32_t TileBitWidth(uint32_t n) {
  return n < 2 ? 1 : static_cast<uint32_t>(std::bit_width(n));
}

// Largest colour stream the form allows: 65,535 shared colours, then every
// block a palette of 253 colours with one 17-bit run item per pixel.
constexpr size_t kTileColourStreamLimit =
    2 + 3 * 65535 + kTileBlocks * (8 + 253 * 16 + 256 * (kRunHeaderBits + 8)) / 8;
constexpr size_t kTileAlphaStreamLimit = 2 * kTilePixels;
// Bytes a decoder may look at when the caller does not say how many there are.
constexpr size_t kTileStreamLimit = kTileColourStreamLimit + kTileAlphaStreamLimit;

// Most bytes the encoder writes for one tile. Its size estimates leave out
// the run flags and the padding of the last word, so a block it prices at
// 776 bytes or less takes at most 811; 256 such blocks, the 2-byte palette
// count and 65,536 alpha runs of one pixel bound the output.
constexpr size_t kTileColourCodeMax = 2 + kTileBlocks * 811;
constexpr size_t kTileCodeBufferSize = kTileColourCodeMax + kTileAlphaStreamLimit;
