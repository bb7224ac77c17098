// Reading single tiles of a chart file through its tile table. Any thread,
// one stream per thread.
#pragma once

#include <cstdint>
#include <vector>

#include "lib/bitmap/Bmp32.h"
#include "lib/charts/TCF2TileTable.h"
#include "lib/foundation/Stream.h"

// Sizes buffer to exactly the tile's colour + alpha bytes (normal or update
// copy) and reads them. 0x10015 when the tile does not lie inside the stream
// or a stream is longer than the codec allows.
bool TCF2FileReadTileData(CStream& stream, std::vector<uint8_t>& buffer,
                          const STCF2TileTableEntry& entry, bool useUpdate, uint32_t& error);
// Reads the update copy and decodes it into pixels (entry.Width x
// entry.Height, rows packed, 0xAARRGGBB); buffer is scratch space the caller
// may keep between calls. Damaged tile data gives the codec's error code.
bool TCF2FileReadTilePixels(CStream& stream, uint32_t* pixels, const STCF2TileTableEntry& entry,
                            bool hasAlpha, std::vector<uint8_t>& buffer, uint32_t& error);
// The same into a bitmap sized to the tile first (its Resize may throw
// std::bad_alloc); the bitmap keeps the tile's size on a decoding error.
bool TCF2FileReadTileBitmap(CStream& stream, CBmp32& bitmap, const STCF2TileTableEntry& entry,
                            bool hasAlpha, std::vector<uint8_t>& buffer, uint32_t& error);
