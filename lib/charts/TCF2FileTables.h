// Tables A, B and the update table of a version 2.0.0.0 chart file, read
// into and written from the in-memory mipmap and tile tables.
#pragma once

#include <cstdint>
#include <vector>

#include "lib/charts/TCF2File.h"
#include "lib/charts/TCF2MipmapTable.h"
#include "lib/charts/TCF2TileTable.h"
#include "lib/foundation/streams/Stream.h"

// Whether a tile's bytes (colour stream, then alpha stream) lie inside a file
// of fileSize bytes, with each stream 1 byte to its largest possible length.
bool TCF2TileIsInFile(uint64_t offset, uint32_t colourSize, uint32_t alphaSize, uint64_t fileSize);

// The level-0 tiles whose update copy is not their normal copy.
uint32_t TCF2UpdatedTileCount(const CTCF2TileTable& tiles, int32_t levelZero);

// Builds both tables from the header, then reads table A, the update table
// (backwards: the first entry for a tile wins) and table B. A header whose
// level sizes, counts or table extents do not fit the file gives 0x10015
// before anything is allocated; so does any entry that fails its check, with
// the entries before it kept.
bool TCF2FileReadTablesV4(CStream& stream, const STCF2FileHeader& header, CTCF2MipmapTable& mipmap,
                          CTCF2TileTable& tiles, uint32_t& error);

// Writes table A (normal copies of the level-0 tiles) at the position and
// stores its position, count and size in the header.
bool TCF2FileWriteTablesA(CStream& stream, STCF2FileHeader& header, const CTCF2MipmapTable& mipmap,
                          const CTCF2TileTable& tiles, uint32_t& error);
// Writes the update table (level-0 tiles whose update copy moved, last tile
// first) and table B (normal copies of the tiles above level 0), storing
// positions and sizes; the caller sets both counts.
bool TCF2FileWriteTablesB(CStream& stream, STCF2FileHeader& header, const CTCF2MipmapTable& mipmap,
                          const CTCF2TileTable& tiles, uint32_t& error);
