// CTCF2TileTable: where every tile of a chart file is, in the file's tile
// order, with its normal copy (as first written) and its update copy (as last
// updated). Not thread-safe: one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>

#include "lib/charts/TCF2MipmapTable.h"
#include "lib/foundation/containers/Array.h"
#include "lib/foundation/core/Object.h"

#pragma pack(push, 4)

struct STCF2TileTableEntry {
  uint64_t Offset;
  uint64_t UpdateOffset;
  uint32_t ColourSize;
  uint32_t AlphaSize;
  uint32_t UpdateColourSize;
  uint32_t UpdateAlphaSize;
  uint16_t Width;
  uint16_t Height;
  uint32_t Reserved;  // 0
};

// What GetTileInfo fills.
struct STCF2TileInfo {
  uint64_t Offset;
  uint32_t Size;  // colour + alpha
  uint16_t Width;
  uint16_t Height;
  uint32_t Tile;
  uint32_t Reserved;  // 0
};

#pragma pack(pop)

static_assert(sizeof(STCF2TileTableEntry) == 40);
static_assert(offsetof(STCF2TileTableEntry, ColourSize) == 16);
static_assert(offsetof(STCF2TileTableEntry, Width) == 32);
static_assert(sizeof(STCF2TileInfo) == 24);
static_assert(offsetof(STCF2TileInfo, Width) == 12);
static_assert(offsetof(STCF2TileInfo, Tile) == 16);

class CTCF2TileTable : public CObject {
 public:
  TD_DELETE_THIS(CTCF2TileTable)

  CTCF2TileTable() = default;
  CTCF2TileTable(const CTCF2TileTable& other) : CObject(), m_Tiles(other.m_Tiles) {}
  ~CTCF2TileTable() = default;
  CTCF2TileTable& operator=(const CTCF2TileTable&) = delete;

  virtual int32_t TD_STDCALL GetCount();
  virtual int32_t TD_STDCALL GetMemorySize(uint8_t includeObject);
  // The tile's record, valid until the table is rebuilt; null outside it.
  virtual const STCF2TileTableEntry* TD_STDCALL GetEntry(int32_t tile);
  // Offset, size and sides of the normal or the update copy; false outside.
  virtual bool TD_STDCALL GetTileInfo(int32_t tile, uint8_t useUpdate, STCF2TileInfo* info);
  // Sets `count` zeroed entries shaped by the levels; a count other than the
  // mipmap table's total, levels that do not fit together (records a host
  // changed) or too little memory build nothing and return false.
  virtual bool TD_STDCALL Build(int32_t count, CTCF2MipmapTable* mipmap);
  // Takes over the other table's count and tile sides; offsets and sizes 0.
  virtual void TD_STDCALL Assign(const CTCF2TileTable* other);
  virtual bool TD_STDCALL SetTile(int32_t tile, uint32_t offsetLow, uint32_t offsetHigh,
                                  uint32_t colourSize, uint32_t alphaSize);
  virtual bool TD_STDCALL SetUpdateTile(int32_t tile, uint32_t offsetLow, uint32_t offsetHigh,
                                        uint32_t colourSize, uint32_t alphaSize);

  // The record of a tile the caller knows to exist.
  const STCF2TileTableEntry& At(int32_t tile) const { return m_Tiles[tile]; }
  bool Contains(int32_t tile) const { return tile >= 0 && tile < m_Tiles.GetCount(); }
  int32_t Count() const { return m_Tiles.GetCount(); }
  // Build for the file readers: throws when memory runs out, leaving the
  // table as it was, where the Build slot returns false.
  bool BuildFrom(int32_t count, const CTCF2MipmapTable& mipmap);

 private:
  CArray<STCF2TileTableEntry> m_Tiles;
};
