#include "lib/charts/TileEncoder.h"

#include <algorithm>
#include <array>

#include "lib/charts/TileBitWriter.h"
#include "lib/foundation/core/ErrorCodes.h"

namespace {

// What the size estimates charge for a raw block without a shared palette.
constexpr uint32_t kRawBlockEstimate = 776;
// What they charge for a one-colour block, in bytes without a shared
// palette and in bits with one.
constexpr uint32_t kOneColourEstimate = 4;

constexpr std::array<uint32_t, kTileBlockPixels> kIdentity = [] {
  std::array<uint32_t, kTileBlockPixels> a{};
  for (uint32_t i = 0; i < kTileBlockPixels; ++i) a[i] = i;
  return a;
}();

// Calls item(first, count, repeat) for the run items that cover a block
// whose pixels have the given block-palette indices: a stretch of two or
// more equal pixels is a repeat run, neighbouring single pixels together
// form a literal run.
template <class TItem>
void ForEachRunItem(const uint8_t* indices, TItem item) {
  uint32_t literalStart = 0;
  uint32_t k = 0;
  while (k < kTileBlockPixels) {
    uint32_t end = k + 1;
    while (end < kTileBlockPixels && indices[end] == indices[k]) ++end;
    if (end - k >= 2) {
      if (literalStart < k) item(literalStart, k - literalStart, false);
      item(k, end - k, true);
      literalStart = end;
    }
    k = end;
  }
  if (literalStart < kTileBlockPixels) item(literalStart, kTileBlockPixels - literalStart, false);
}

// values[index] of each pixel, bits wide, as run items.
void WriteRuns(CTileBitWriter& out, const uint8_t* indices, const uint32_t* values, uint32_t bits) {
  ForEachRunItem(indices, [&](uint32_t first, uint32_t count, bool repeat) {
    out.WriteBits((count - 1) << 1 | (repeat ? kRunFlagRepeat : 0), kRunHeaderBits);
    uint32_t end = repeat ? first + 1 : first + count;
    for (uint32_t k = first; k < end; ++k) out.WriteBits(values[indices[k]], bits);
  });
}

// Code of a block of P colours without a shared palette; adds its
// estimated bytes. The estimates leave out the run flags.
uint32_t ChoosePlainCode(uint32_t P, const SRunCounts& r, uint32_t& bytes) {
  if (P == 1) {
    bytes += kOneColourEstimate;
    return kBlockCodeOneColour;
  }
  uint32_t wP = TileBitWidth(P - 1);
  uint32_t palette = 24 * P + 8 + (wP + 8) * r.repeatRuns + 8 * r.literalRuns + wP * r.literalPixels;
  uint32_t runs = 32 * r.repeatRuns + 8 * r.literalRuns + 8 + 24 * r.literalPixels;
  uint32_t paletteBytes = palette / 8 + 1;
  uint32_t runBytes = (runs + 7) / 8;
  // A palette of more than 253 colours costs more than 776 bytes, so the
  // palette form is only chosen when P fits its code.
  uint32_t code = paletteBytes < runBytes ? P : kBlockCodeRuns;
  uint32_t cost = std::min(paletteBytes, runBytes);
  if (cost > kRawBlockEstimate) {
    code = kBlockCodeRaw;
    cost = kRawBlockEstimate;
  }
  bytes += cost;
  return code;
}

// Code of a block with a shared palette of wG-bit indices; adds its
// estimated bits. The palette form is priced at the run form plus wG bits
// per colour, so it never wins and only the run and raw forms compete.
uint32_t ChooseSharedCode(uint32_t P, const SRunCounts& r, uint32_t wG, uint64_t& bits) {
  if (P == 1) {
    bits += kOneColourEstimate;
    return kBlockCodeOneColour;
  }
  uint32_t runs = (wG + 8) * r.repeatRuns + 8 * r.literalRuns + 8 + wG * r.literalPixels;
  uint32_t raw = kTileBlockPixels * wG + 8;
  if (raw < runs) {
    bits += raw;
    return kBlockCodeRaw;
  }
  bits += runs;
  return kBlockCodeRuns;
}

}  // namespace

uint32_t CTileEncoder::Compress(uint8_t* dst, size_t capacity, const uint32_t* src, uint32_t width,
                                uint32_t height, uint32_t& colourSize, uint32_t& alphaSize) {
  colourSize = 0;
  alphaSize = 0;
  if (!IsTileSize(width, height)) return kErrCompress;
  TileCoderInit(src, width, height);
  CTileBitWriter out(dst, capacity);
  TileCodeColour(out);
  size_t colour = out.Size();
  TileCodeAlpha(out);
  if (out.Failed()) return kErrCompress;
  colourSize = static_cast<uint32_t>(colour);
  alphaSize = static_cast<uint32_t>(out.Size() - colour);
  return 0;
}

uint32_t CTileEncoder::CompressAlpha(uint8_t* dst, size_t capacity, const uint32_t* src,
                                     uint32_t width, uint32_t height, uint32_t& alphaSize) {
  alphaSize = 0;
  if (!IsTileSize(width, height)) return kErrCompress;
  TileCoderInit(src, width, height);
  CTileBitWriter out(dst, capacity);
  TileCodeAlpha(out);
  if (out.Failed()) return kErrCompress;
  alphaSize = static_cast<uint32_t>(out.Size());
  return 0;
}

void CTileEncoder::TileCoderInit(const uint32_t* src, uint32_t width, uint32_t height) {
  colours_.Clear();
  plainBytes_ = 0;
  tile_ = src;
  if (width == kTileSide && height == kTileSide) return;
  // The padding repeats each row's last colour and then the first pixel's,
  // transparent, so it costs little and shows nothing.
  if (!scratch_) scratch_.reset(new uint32_t[kTilePixels]);
  for (uint32_t y = 0; y < height; ++y) {
    const uint32_t* row = src + y * width;
    uint32_t* padded = scratch_.get() + y * kTileSide;
    std::copy_n(row, width, padded);
    std::fill(padded + width, padded + kTileSide, row[width - 1] & kColourMask);
  }
  std::fill(scratch_.get() + height * kTileSide, scratch_.get() + kTilePixels, src[0] & kColourMask);
  tile_ = scratch_.get();
}

void CTileEncoder::TileCodeColour(CTileBitWriter& out) {
  for (uint32_t b = 0; b < kTileBlocks; ++b) AnalyseBlock(b);
  uint32_t sharedCount = colours_.Count();
  uint32_t sharedBits = TileBitWidth(sharedCount);
  uint64_t sharedEstimate = 24ull * sharedCount;
  for (STileCoderBlock& block : blocks_)
    block.sharedCode = static_cast<uint8_t>(
        ChooseSharedCode(block.colourCount, block.runs, sharedBits, sharedEstimate));
  // A tie goes to the form without a shared palette; 65,536 colours do not
  // fit its count.
  if (sharedCount <= 0xFFFF && plainBytes_ > (sharedEstimate + 7) / 8) {
    colours_.SortByFrequency();
    WriteShared(out);
  } else {
    WritePlain(out);
  }
}

void CTileEncoder::AnalyseBlock(uint32_t b) {
  STileCoderBlock& block = blocks_[b];
  block.colourCount = LoadBlock(b);
  for (uint32_t i = 0; i < block.colourCount; ++i) colours_.Add(palette_[i], counts_[i], firsts_[i]);
  block.runs = SRunCounts();
  ForEachRunItem(indices_, [&block](uint32_t, uint32_t count, bool repeat) {
    if (repeat) {
      ++block.runs.repeatRuns;
    } else {
      ++block.runs.literalRuns;
      block.runs.literalPixels += count;
    }
  });
  block.plainCode = static_cast<uint8_t>(ChoosePlainCode(block.colourCount, block.runs, plainBytes_));
}

uint32_t CTileEncoder::LoadBlock(uint32_t b) {
  const uint32_t* pixels = TileBlock(tile_, b);
  uint32_t origin = static_cast<uint32_t>(pixels - tile_);
  if (++stamp_ == 0) {  // after 2^32 loads: forget every slot
    std::fill_n(slotStamp_, 1u << kSlotBits, 0u);
    stamp_ = 1;
  }
  colourCount_ = 0;
  uint32_t previous = 0;
  uint32_t index = 0;
  for (uint32_t k = 0; k < kTileBlockPixels; ++k) {
    uint32_t colour = BlockPixel(pixels, k) & kColourMask;
    if (k == 0 || colour != previous)
      index = BlockIndexOf(colour, origin + k / kTileBlockSide * kTileSide + k % kTileBlockSide);
    previous = colour;
    indices_[k] = static_cast<uint8_t>(index);
    ++counts_[index];
  }
  return colourCount_;
}

uint32_t CTileEncoder::BlockIndexOf(uint32_t colour, uint32_t first) {
  constexpr uint32_t kMask = (1u << kSlotBits) - 1;
  uint32_t slot = (colour * 0x9E3779B1u) >> (32 - kSlotBits);
  while (slotStamp_[slot] == stamp_) {
    if (slotColour_[slot] == colour) return slotIndex_[slot];
    slot = (slot + 1) & kMask;
  }
  uint32_t index = colourCount_++;
  slotStamp_[slot] = stamp_;
  slotColour_[slot] = colour;
  slotIndex_[slot] = static_cast<uint8_t>(index);
  palette_[index] = colour;
  counts_[index] = 0;
  firsts_[index] = first;
  return index;
}

void CTileEncoder::WritePlain(CTileBitWriter& out) {
  out.WriteU16(0);
  for (uint32_t b = 0; b < kTileBlocks; ++b) {
    uint32_t code = blocks_[b].plainCode;
    LoadBlock(b);
    out.WriteByte(code);
    switch (code) {
      case kBlockCodeOneColour:
        out.WriteColour(palette_[0]);
        break;
      case kBlockCodeRuns:
        WriteRuns(out, indices_, palette_, 24);
        out.Flush();
        break;
      case kBlockCodeRaw:
        for (uint8_t index : indices_) out.WriteColour(palette_[index]);
        break;
      default:
        for (uint32_t i = 0; i < code; ++i) out.WriteColour(palette_[i]);
        WriteRuns(out, indices_, kIdentity.data(), TileBitWidth(code - 1));
        out.Flush();
        break;
    }
  }
}

void CTileEncoder::WriteShared(CTileBitWriter& out) {
  uint32_t sharedCount = colours_.Count();
  uint32_t sharedBits = TileBitWidth(sharedCount);
  out.WriteU16(sharedCount);
  for (uint32_t i = 0; i < sharedCount; ++i) out.WriteColour(colours_.At(i).colour);
  out.Clear();
  uint32_t shared[kTileBlockPixels];
  for (uint32_t b = 0; b < kTileBlocks; ++b) {
    uint32_t code = blocks_[b].sharedCode;
    uint32_t colourCount = LoadBlock(b);
    for (uint32_t i = 0; i < colourCount; ++i) shared[i] = colours_.IndexOf(palette_[i]);
    out.WriteBits(code, 8);
    switch (code) {
      case kBlockCodeOneColour:
        out.WriteBits(shared[0], sharedBits);
        break;
      case kBlockCodeRuns:
        WriteRuns(out, indices_, shared, sharedBits);
        break;
      case kBlockCodeRaw:
        for (uint8_t index : indices_) out.WriteBits(shared[index], sharedBits);
        break;
    }
  }
  out.Flush();
}

void CTileEncoder::TileCodeAlpha(CTileBitWriter& out) const {
  // Partly transparent pixels count as opaque.
  auto opaque = [this](uint32_t i) { return (tile_[i] >> 24) != 0; };
  bool kind = opaque(0);
  uint32_t run = 1;
  auto writeRun = [&] { out.WriteU16(run | (kind ? kAlphaOpaqueRun : 0)); };
  for (uint32_t i = 1; i < kTilePixels; ++i) {
    bool next = opaque(i);
    if (next != kind || run == kAlphaMaxRun) {
      writeRun();
      kind = next;
      run = 1;
    } else {
      ++run;
    }
  }
  writeRun();
}
