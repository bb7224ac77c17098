#include "lib/charts/TileDecoder.h"

#include <algorithm>
#include <memory>

#include "lib/charts/TileBitReader.h"
#include "lib/charts/TileFormat.h"
#include "lib/foundation/ErrorCodes.h"

namespace {

void FillBlock(uint32_t* block, uint32_t pixel) {
  for (uint32_t row = 0; row < kTileBlockSide; ++row)
    std::fill_n(block + row * kTileSide, kTileBlockSide, pixel);
}

// Maps a value read from the stream to a pixel; false for an index at or
// beyond the palette's end.
struct SPaletteMap {
  const uint32_t* colours;
  uint32_t count;
  bool operator()(uint32_t index, uint32_t& pixel) const {
    if (index >= count) return false;
    pixel = colours[index];
    return true;
  }
};

struct SColourMap {
  bool operator()(uint32_t colour, uint32_t& pixel) const {
    pixel = colour | kAlphaOpaque;
    return true;
  }
};

// Block pixels are decoded in their order into a plain array, then copied
// row by row into the tile.
void StoreBlock(const uint32_t* pixels, uint32_t* block) {
  for (uint32_t row = 0; row < kTileBlockSide; ++row)
    std::copy_n(pixels + row * kTileBlockSide, kTileBlockSide, block + row * kTileSide);
}

// Reads run items of `bits`-bit values until the block is covered; false
// for an item that reaches past the block or a value the map rejects.
template <class TMap>
bool DecodeRuns(CTileBitReader& in, uint32_t* block, uint32_t bits, TMap map) {
  uint32_t pixels[kTileBlockPixels];
  uint32_t k = 0;
  while (k < kTileBlockPixels) {
    uint32_t header = in.ReadBits(kRunHeaderBits);
    uint32_t end = k + (header >> 1) + 1;
    if (end > kTileBlockPixels) return false;
    if (header & kRunFlagRepeat) {
      uint32_t pixel;
      if (!map(in.ReadBits(bits), pixel)) return false;
      std::fill(pixels + k, pixels + end, pixel);
      k = end;
    } else {
      for (; k < end; ++k)
        if (!map(in.ReadBits(bits), pixels[k])) return false;
    }
  }
  StoreBlock(pixels, block);
  return true;
}

// 256 values of `bits` bits, one per pixel.
template <class TMap>
bool DecodeRaw(CTileBitReader& in, uint32_t* block, uint32_t bits, TMap map) {
  uint32_t pixels[kTileBlockPixels];
  for (uint32_t& pixel : pixels)
    if (!map(in.ReadBits(bits), pixel)) return false;
  StoreBlock(pixels, block);
  return true;
}

}  // namespace

uint32_t CTileDecoder::Decode(uint32_t* dst, uint32_t width, uint32_t height, const uint8_t* src,
                              size_t srcSize, bool hasAlpha, STileDecodeInfo& info) {
  info = STileDecodeInfo();
  if (!IsTileSize(width, height)) return kErrUncompress;
  // A full tile is decoded in place; an edge tile through a whole scratch tile.
  bool full = width == kTileSide && height == kTileSide;
  std::unique_ptr<uint32_t[]> scratch(full ? nullptr : new uint32_t[kTilePixels]);
  uint32_t* tile = full ? dst : scratch.get();
  if (!DecodeTile(tile, src, srcSize, hasAlpha, info)) {
    std::fill_n(dst, width * height, 0u);
    info = STileDecodeInfo();
    info.allTransparent = true;
    return kErrUncompress;
  }
  if (!full)
    for (uint32_t y = 0; y < height; ++y) std::copy_n(tile + y * kTileSide, width, dst + y * width);
  return 0;
}

bool CTileDecoder::DecodeTile(uint32_t* tile, const uint8_t* src, size_t srcSize, bool hasAlpha,
                              STileDecodeInfo& info) {
  CTileBitReader in(src, srcSize);
  uint32_t sharedCount = in.ReadU16();
  if (sharedCount == 0) {
    for (uint32_t b = 0; b < kTileBlocks; ++b)
      if (!DecodePlainBlock(in, TileBlock(tile, b))) return false;
  } else if (!DecodeSharedBlocks(in, tile, sharedCount)) {
    return false;
  }
  in.Reset();
  if (in.Failed()) return false;
  info.colourSize = static_cast<uint32_t>(in.Position());
  if (hasAlpha) return DecodeAlpha(in, tile, info);
  info.allOpaque = true;  // every pixel got alpha 0xFF with its colour
  return true;
}

bool CTileDecoder::DecodePlainBlock(CTileBitReader& in, uint32_t* block) {
  in.Reset();
  uint32_t code = in.ReadByte();
  switch (code) {
    case kBlockCodeOneColour:
      FillBlock(block, in.ReadColour() | kAlphaOpaque);
      return true;
    case kBlockCodeRuns:
      return DecodeRuns(in, block, 24, SColourMap());
    case kBlockCodeRaw: {
      uint32_t pixels[kTileBlockPixels];
      for (uint32_t& pixel : pixels) pixel = in.ReadColour() | kAlphaOpaque;
      StoreBlock(pixels, block);
      return true;
    }
    default: {
      uint32_t palette[kBlockCodeMaxPalette];
      for (uint32_t i = 0; i < code; ++i) palette[i] = in.ReadColour() | kAlphaOpaque;
      return DecodeRuns(in, block, TileBitWidth(code - 1), SPaletteMap{palette, code});
    }
  }
}

bool CTileDecoder::DecodeSharedBlocks(CTileBitReader& in, uint32_t* tile, uint32_t sharedCount) {
  if (in.Remaining() < 3 * size_t{sharedCount}) return false;
  std::unique_ptr<uint32_t[]> shared(new uint32_t[sharedCount]);
  for (uint32_t i = 0; i < sharedCount; ++i) shared[i] = in.ReadColour() | kAlphaOpaque;
  // One bit section holds every block.
  in.Reset();
  for (uint32_t b = 0; b < kTileBlocks; ++b)
    if (!DecodeSharedBlock(in, TileBlock(tile, b), shared.get(), sharedCount)) return false;
  return true;
}

bool CTileDecoder::DecodeSharedBlock(CTileBitReader& in, uint32_t* block, const uint32_t* shared,
                                     uint32_t sharedCount) {
  uint32_t bits = TileBitWidth(sharedCount);
  SPaletteMap sharedMap{shared, sharedCount};
  uint32_t code = in.ReadBits(8);
  switch (code) {
    case kBlockCodeOneColour: {
      uint32_t pixel;
      if (!sharedMap(in.ReadBits(bits), pixel)) return false;
      FillBlock(block, pixel);
      return true;
    }
    case kBlockCodeRuns:
      return DecodeRuns(in, block, bits, sharedMap);
    case kBlockCodeRaw:
      return DecodeRaw(in, block, bits, sharedMap);
    default: {
      uint32_t palette[kBlockCodeMaxPalette];
      for (uint32_t i = 0; i < code; ++i)
        if (!sharedMap(in.ReadBits(bits), palette[i])) return false;
      return DecodeRuns(in, block, TileBitWidth(code - 1), SPaletteMap{palette, code});
    }
  }
}

bool CTileDecoder::DecodeAlpha(CTileBitReader& in, uint32_t* tile, STileDecodeInfo& info) {
  info.allTransparent = true;
  info.allOpaque = true;
  uint32_t k = 0;
  while (k < kTilePixels) {
    uint32_t word = in.ReadU16();
    uint32_t count = word & kAlphaMaxRun;
    // A run of 0 would never end the stream; one past the tile has no pixels.
    if (in.Failed() || count == 0 || count > kTilePixels - k) return false;
    if (word & kAlphaOpaqueRun) {
      info.allTransparent = false;  // its pixels are opaque since decoding
      k += count;
    } else {
      info.allOpaque = false;
      for (uint32_t end = k + count; k < end; ++k) tile[k] &= kColourMask;
    }
  }
  return true;
}
