#include "lib/charts/TileDecoder.h"

#include <algorithm>
#include <cstring>

#include "lib/charts/TileFormat.h"
#include "lib/foundation/core/ErrorCodes.h"

namespace {

// A block's pixels in block order, with room for the longest item that
// starts inside the block, overshooting fill included: an item reaching
// past the block is found once the block's items end.
constexpr uint32_t kBlockPixelsRoom = kTileBlockPixels + (1u << (kRunHeaderBits - 1)) + 3;

// Maps a value read from the stream to a pixel; false for an index at or
// beyond the palette's end.
struct SPaletteMap {
  static constexpr uint32_t kMaxBits = 8;
  const uint32_t* colours;
  uint32_t count;
  bool operator()(uint32_t index, uint32_t& pixel) const {
    if (index >= count) return false;
    pixel = colours[index];
    return true;
  }
};

// An opaque pixel of the colour stored in 3 bytes at c.
uint32_t StoredColour(const uint8_t* c) { return kAlphaOpaque | c[2] << 16 | c[1] << 8 | c[0]; }

// The shared palette as it stands in the data, 3 bytes a colour.
struct SSharedMap {
  static constexpr uint32_t kMaxBits = 16;
  const uint8_t* colours;
  uint32_t count;
  bool operator()(uint32_t index, uint32_t& pixel) const {
    if (index >= count) return false;
    pixel = StoredColour(colours + 3 * index);
    return true;
  }
};

// The next count colours of the stream, 3 bytes each, as opaque pixels;
// false when fewer bytes are left.
bool ReadColours(CTileBitReader& in, uint32_t* pixels, uint32_t count) {
  const uint8_t* c = in.Skip(3 * size_t{count});
  if (!c || count == 0) return c != nullptr;
  // Four bytes at a time where the next colour's first byte follows (one
  // load each), the alpha byte then put over it; the last colour alone.
  for (uint32_t i = 0; i + 1 < count; ++i, c += 3)
    pixels[i] = (c[0] | c[1] << 8 | c[2] << 16 | static_cast<uint32_t>(c[3]) << 24) | kAlphaOpaque;
  pixels[count - 1] = StoredColour(c);
  return true;
}

struct SColourMap {
  static constexpr uint32_t kMaxBits = 24;
  bool operator()(uint32_t colour, uint32_t& pixel) const {
    pixel = colour | kAlphaOpaque;
    return true;
  }
};

static_assert(TileBitWidth(kBlockCodeMaxPalette - 1) <= SPaletteMap::kMaxBits);
static_assert(TileBitWidth(0xFFFF) <= SSharedMap::kMaxBits);

constexpr uint32_t kRunHeaderMask = (1u << kRunHeaderBits) - 1;

struct SItemStart {
  uint32_t header, value;
};

// An item's header and its first value (every item has one), in one read
// where the map's values leave room for it.
template <class TMap>
SItemStart ReadItemStart(CTileBitReader& in, uint32_t bits) {
  if constexpr (kRunHeaderBits + TMap::kMaxBits <= 32) {
    const uint32_t both = in.ReadBits(kRunHeaderBits + bits);
    return {both & kRunHeaderMask, both >> kRunHeaderBits};
  } else {
    const uint32_t header = in.ReadBits(kRunHeaderBits);
    return {header, in.ReadBits(bits)};
  }
}

// Reads run items of `bits`-bit values until the block's pixels are
// covered; false for an item that reaches past the block or a value the
// map rejects. pixels has room for kBlockPixelsRoom values.
template <class TMap>
bool DecodeRunItems(CTileBitReader& in, uint32_t* pixels, uint32_t bits, TMap map) {
  // Pointer-wide positions address the pixels without a widening each.
  size_t k = 0;
  while (k < kTileBlockPixels) {
    const SItemStart item = ReadItemStart<TMap>(in, bits);
    const size_t end = k + (item.header >> 1) + 1;
    uint32_t pixel;
    if (!map(item.value, pixel)) return false;
    if (item.header & kRunFlagRepeat) {
      // Runs are mostly short: fill four at a time, past the run's end into
      // pixels that later items overwrite or the array's spare room.
      for (; k < end; k += 4) pixels[k] = pixels[k + 1] = pixels[k + 2] = pixels[k + 3] = pixel;
      k = end;
    } else {
      pixels[k] = pixel;
      for (++k; k < end; ++k)
        if (!map(in.ReadBits(bits), pixels[k])) return false;
    }
  }
  return k == kTileBlockPixels;
}

// 256 values of `bits` bits, one per pixel.
template <class TMap>
bool DecodeRawValues(CTileBitReader& in, uint32_t* pixels, uint32_t bits, TMap map) {
  for (size_t k = 0; k < kTileBlockPixels; ++k)
    if (!map(in.ReadBits(bits), pixels[k])) return false;
  return true;
}

// Runs decode(reader) on a copy of the reader, so that the reader's state
// stays in registers instead of being stored with every pixel.
template <class TDecode>
bool WithLocalReader(CTileBitReader& in, TDecode decode) {
  CTileBitReader local = in;
  const bool ok = decode(local);
  in = local;
  return ok;
}

template <class TMap>
bool DecodeRuns(CTileBitReader& in, uint32_t* pixels, uint32_t bits, TMap map) {
  return WithLocalReader(in, [&](CTileBitReader& local) { return DecodeRunItems(local, pixels, bits, map); });
}

template <class TMap>
bool DecodeRaw(CTileBitReader& in, uint32_t* pixels, uint32_t bits, TMap map) {
  return WithLocalReader(in, [&](CTileBitReader& local) { return DecodeRawValues(local, pixels, bits, map); });
}

}  // namespace

uint32_t CTileDecoder::Decode(uint32_t* dst, uint32_t width, uint32_t height, const uint8_t* src,
                              size_t srcSize, bool hasAlpha, STileDecodeInfo& info) {
  return Run(dst, width, height, src, srcSize, hasAlpha ? EAlpha::kPresent : EAlpha::kNone, info);
}

uint32_t CTileDecoder::DecodeStored(uint32_t* dst, uint32_t width, uint32_t height,
                                    const uint8_t* src, size_t srcSize, STileDecodeInfo& info) {
  return Run(dst, width, height, src, srcSize, EAlpha::kWhenBytesFollow, info);
}

uint32_t CTileDecoder::Run(uint32_t* dst, uint32_t width, uint32_t height, const uint8_t* src,
                           size_t srcSize, EAlpha alpha, STileDecodeInfo& info) {
  info = STileDecodeInfo();
  if (!IsTileSize(width, height)) return kErrUncompress;
  CTileDecoder decoder(dst, width, height, src, srcSize);
  if (decoder.DecodeTile(alpha, info)) return 0;
  std::fill_n(dst, width * height, 0u);
  info = STileDecodeInfo();
  info.allTransparent = true;
  return kErrUncompress;
}

CTileDecoder::CTileDecoder(uint32_t* dst, uint32_t width, uint32_t height, const uint8_t* src,
                           size_t srcSize)
    : in_(src, srcSize), dst_(dst), width_(width), height_(height) {}

bool CTileDecoder::DecodeTile(EAlpha alpha, STileDecodeInfo& info) {
  uint32_t sharedCount = in_.ReadU16();
  if (sharedCount == 0) {
    for (uint32_t b = 0; b < kTileBlocks; ++b)
      if (!DecodePlainBlock(b)) return false;
  } else {
    const uint8_t* shared = in_.Skip(3 * size_t{sharedCount});
    if (!shared) return false;
    // One bit section holds every block.
    for (uint32_t b = 0; b < kTileBlocks; ++b)
      if (!DecodeSharedBlock(b, sharedCount, shared)) return false;
  }
  in_.Reset();
  if (in_.Failed()) return false;
  info.colourSize = static_cast<uint32_t>(in_.Position());
  if (alpha == EAlpha::kPresent || (alpha == EAlpha::kWhenBytesFollow && in_.HasMore()))
    return DecodeAlpha(info);
  info.allOpaque = true;  // every pixel got alpha 0xFF with its colour
  return true;
}

bool CTileDecoder::DecodePlainBlock(uint32_t b) {
  in_.Reset();
  uint32_t code = in_.ReadByte();
  uint32_t pixels[kBlockPixelsRoom];
  switch (code) {
    case kBlockCodeOneColour:
      FillBlock(b, in_.ReadColour() | kAlphaOpaque);
      return true;
    case kBlockCodeRuns:
      if (!DecodeRuns(in_, pixels, 24, SColourMap())) return false;
      break;
    case kBlockCodeRaw:
      if (!ReadColours(in_, pixels, kTileBlockPixels)) return false;
      break;
    default: {
      uint32_t palette[kBlockCodeMaxPalette];
      if (!ReadColours(in_, palette, code)) return false;
      if (!DecodeRuns(in_, pixels, TileBitWidth(code - 1), SPaletteMap{palette, code})) return false;
      break;
    }
  }
  StoreBlock(b, pixels);
  return true;
}

bool CTileDecoder::DecodeSharedBlock(uint32_t b, uint32_t sharedCount, const uint8_t* shared) {
  uint32_t bits = TileBitWidth(sharedCount);
  SSharedMap sharedMap{shared, sharedCount};
  uint32_t code = in_.ReadBits(8);
  uint32_t pixels[kBlockPixelsRoom];
  switch (code) {
    case kBlockCodeOneColour: {
      uint32_t pixel;
      if (!sharedMap(in_.ReadBits(bits), pixel)) return false;
      FillBlock(b, pixel);
      return true;
    }
    case kBlockCodeRuns:
      if (!DecodeRuns(in_, pixels, bits, sharedMap)) return false;
      break;
    case kBlockCodeRaw:
      if (!DecodeRaw(in_, pixels, bits, sharedMap)) return false;
      break;
    default: {
      uint32_t palette[kBlockCodeMaxPalette];
      for (uint32_t i = 0; i < code; ++i)
        if (!sharedMap(in_.ReadBits(bits), palette[i])) return false;
      if (!DecodeRuns(in_, pixels, TileBitWidth(code - 1), SPaletteMap{palette, code})) return false;
      break;
    }
  }
  StoreBlock(b, pixels);
  return true;
}

void CTileDecoder::StoreBlock(uint32_t b, const uint32_t* pixels) { CopyBlockRows(b, pixels, kTileBlockSide); }

void CTileDecoder::FillBlock(uint32_t b, uint32_t pixel) {
  uint32_t row[kTileBlockSide];
  std::fill_n(row, kTileBlockSide, pixel);
  CopyBlockRows(b, row, 0);
}

// Block b's rows as far as they lie in the decoded area, from source rows
// `stride` apart. Whole rows, the common case, are copied at a constant
// width that compiles to a few vector moves.
void CTileDecoder::CopyBlockRows(uint32_t b, const uint32_t* source, uint32_t stride) {
  uint32_t x = b % kTileBlocksPerRow * kTileBlockSide, y = b / kTileBlocksPerRow * kTileBlockSide;
  if (x >= width_ || y >= height_) return;
  uint32_t columns = std::min(kTileBlockSide, width_ - x), rows = std::min(kTileBlockSide, height_ - y);
  uint32_t* row = dst_ + y * width_ + x;
  for (uint32_t r = 0; r < rows; ++r, row += width_, source += stride) {
    if (columns == kTileBlockSide)
      std::memcpy(row, source, kTileBlockSide * sizeof(uint32_t));
    else
      std::copy_n(source, columns, row);
  }
}

bool CTileDecoder::DecodeAlpha(STileDecodeInfo& info) {
  info.allTransparent = true;
  info.allOpaque = true;
  uint32_t k = 0;
  while (k < kTilePixels) {
    uint32_t word = in_.ReadU16();
    uint32_t count = word & kAlphaMaxRun;
    // A run of 0 would never end the stream; one past the tile has no pixels.
    if (in_.Failed() || count == 0 || count > kTilePixels - k) return false;
    if (word & kAlphaOpaqueRun) {
      info.allTransparent = false;  // its pixels are opaque since decoding
    } else {
      info.allOpaque = false;
      ClearAlpha(k, count);
    }
    k += count;
  }
  return true;
}

// Tile pixels first..first + count - 1, row by row, as far as they lie in
// the decoded area.
void CTileDecoder::ClearAlpha(uint32_t first, uint32_t count) {
  for (uint32_t k = first, end = first + count; k < end;) {
    uint32_t x = k % kTileSide, y = k / kTileSide;
    if (y >= height_) return;
    uint32_t stop = std::min(x + (end - k), kTileSide);  // where the run leaves this row
    for (uint32_t i = x; i < std::min(stop, width_); ++i) dst_[y * width_ + i] &= kColourMask;
    k += stop - x;
  }
}
