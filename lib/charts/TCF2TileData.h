// Reading single tiles of a chart file through its tile table. Any thread,
// one stream per thread.
#pragma once

#include <cstdint>
#include <vector>

#include "lib/bitmap/Bmp32.h"
#include "lib/charts/TCF2TileTable.h"
#include "lib/foundation/streams/Stream.h"

// Sizes buffer to exactly one copy (normal or update) of a tile and reads it:
// its colour + alpha bytes, which in an older file are the whole tile with
// alpha 0. 0x10015 when they are 0, more than the codec allows or do not lie
// inside the stream.
bool TCF2FileReadTileData(CStream& stream, std::vector<uint8_t>& buffer,
                          const STCF2TileTableEntry& entry, bool useUpdate, uint32_t& error);
// The alpha stream of a tile stored without one: 65,536 opaque pixels in runs
// of 32,767, 32,767 and 2.
constexpr uint8_t kTCF2OpaqueAlphaStream[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x80};

// Appends a stored tile to out as version 2.0.0.0 keeps it, its streams told
// apart by decoding it (CTileDecoder::DecodeStored; pixels is scratch space):
// its bytes, then the opaque alpha stream when it has none. colour and
// alpha get the sizes written. A tile that does not decode gives 0x10015
// with nothing written.
bool TCF2FileWriteSplitTile(CStream& out, const std::vector<uint8_t>& data, uint32_t width,
                            uint32_t height, std::vector<uint32_t>& pixels, uint32_t& colour,
                            uint32_t& alpha, uint32_t& error);
// Reads the update copy and decodes it into pixels (entry.Width x
// entry.Height, rows packed, 0xAARRGGBB); buffer is scratch space the caller
// may keep between calls. Damaged tile data gives the codec's error code.
bool TCF2FileReadTilePixels(CStream& stream, uint32_t* pixels, const STCF2TileTableEntry& entry,
                            bool hasAlpha, std::vector<uint8_t>& buffer, uint32_t& error);
// The same into a bitmap sized to the tile first (its Resize may throw
// std::bad_alloc); the bitmap keeps the tile's size on a decoding error.
bool TCF2FileReadTileBitmap(CStream& stream, CBmp32& bitmap, const STCF2TileTableEntry& entry,
                            bool hasAlpha, std::vector<uint8_t>& buffer, uint32_t& error);
