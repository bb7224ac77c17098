// The tile job: makes the tiles a chart file being written lacks. Level-0
// tiles that an update patches are decoded, patched and re-coded; every tile
// of level 1 and up whose offset is missing (all 64 bits set) is made from the
// four tiles of the level above, each halved. Made tiles are appended at the
// output's end and entered in the tile table; tiles already written are read
// back from the output, which must be open for reading and writing (a
// CBufferedFileStream keeps reads coherent with its writes) and positioned at
// its end whenever the job is entered; the job leaves it there.
//
// One thread at a time. The tables, the output, the update and the zip are
// not owned and must outlive the job.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "lib/bitmap/Bmp32.h"
#include "lib/charts/TCF2MipmapTable.h"
#include "lib/charts/TCF2TileTable.h"
#include "lib/charts/TileEncoder.h"
#include "lib/charts/Update.h"
#include "lib/foundation/streams/CappedMemoryStream.h"
#include "lib/foundation/display/Progress.h"
#include "lib/foundation/streams/Stream.h"

// The offset of a tile that is missing and must be made.
constexpr uint64_t kTCF2MissingTile = ~uint64_t{0};

struct STCF2TileJob {
  CTCF2MipmapTable* Mipmap = nullptr;
  CTCF2TileTable* Tiles = nullptr;
  CStream* Output = nullptr;
  uint32_t ToMake = 0;
  uint32_t Made = 0;
  CTCF2Update* Update = nullptr;  // null: nothing is patched
  const CZip* Zip = nullptr;      // inflates the update's patches
  SProgress Stage = {};           // no callback: nothing is reported

  // Scratch kept between tiles.
  std::unique_ptr<CTileEncoder> Encoder;
  std::vector<uint8_t> Code;  // kTileCodeBufferSize bytes
  std::vector<uint8_t> Data;  // a tile read back
  CCappedMemoryStream Patch{kUpdPatchCap};
};

// Prepares the job. With an update, the update copy of every level-0 tile it
// patches is marked missing (once per tile, however many records it has);
// an index outside level 0 gives 0x10015 with nothing marked. Then counts the
// tiles to make: those marked plus the tiles of level 1 and up whose offset is
// missing.
bool TileJobInit(STCF2TileJob& job, CStream& output, CTCF2MipmapTable& mipmap,
                 CTCF2TileTable& tiles, CTCF2Update* update, const CZip* zip, uint32_t& error);
// Makes every missing tile: runs through the tiles of the smallest level,
// rows from the bottom up and each row from right to left, making first what
// each needs. Progress (null: none) gets a stage of weight 1 and a call with
// made / to make after each tile; a cancel stops the job with its code. A
// tile that does not decode or a patch that leaves its tile gives 0x10015;
// the output's and the update's errors as they arise.
bool TileJobRun(STCF2TileJob& job, const SProgress* progress, uint32_t& error);
// The pixels of tile (x, y) of the level into bitmap, made and stored first
// when missing. A made tile holds what its stored copy decodes to: alpha 0
// where transparent, 0xFF elsewhere. May throw std::bad_alloc.
bool TileJobMakeTile(STCF2TileJob& job, int32_t level, uint32_t x, uint32_t y, CBmp32& bitmap,
                     uint32_t& error);
