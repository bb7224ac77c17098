// CTCF2MipmapTable: the levels of a chart image, level 0 at full size. Each
// level knows its size, its tiles across and down and its first tile number
// in the file's one tile sequence. Not thread-safe: one thread at a time.
#pragma once

#include <cstdint>

#include "lib/foundation/containers/Array.h"
#include "lib/foundation/core/Object.h"

struct STCF2Mipmap {
  uint32_t Width;
  uint32_t Height;
  uint16_t TilesAcross;
  uint16_t TilesDown;
  uint32_t FirstTile;
};
static_assert(sizeof(STCF2Mipmap) == 16);

class CTCF2MipmapTable : public CObject {
 public:
  TD_DELETE_THIS(CTCF2MipmapTable)

  CTCF2MipmapTable() = default;
  CTCF2MipmapTable(const CTCF2MipmapTable& other) : CObject(), m_Levels(other.m_Levels) {}
  ~CTCF2MipmapTable() = default;
  CTCF2MipmapTable& operator=(const CTCF2MipmapTable&) = delete;

  virtual int32_t TD_STDCALL GetCount();
  virtual int32_t TD_STDCALL GetMemorySize(uint8_t includeObject);
  // Tiles across x down of level n; 0 outside the table.
  virtual uint32_t TD_STDCALL GetTileCount(int32_t level);
  // The level's record, valid until the table changes; null outside the table.
  virtual const STCF2Mipmap* TD_STDCALL GetMipmap(int32_t level);
  // Sets count levels (-1 chooses the count) of a width x height image and
  // stores the total tile count. Refuses, leaving the table empty and the
  // total 0, a side below 1, a count other than -1 or 1..33, a level with
  // more than 65,535 tiles across or down and a total above INT32_MAX.
  // Running out of memory leaves the table as it was and the total 0.
  virtual void TD_STDCALL Build(int32_t count, int32_t width, int32_t height, uint32_t* totalTiles);
  // Outside the table nothing changes.
  virtual void TD_STDCALL SetMipmap(int32_t level, const STCF2Mipmap* record);

  // The record of a level the caller knows to exist.
  const STCF2Mipmap& At(int32_t level) const { return m_Levels[level]; }
  int32_t Count() const { return m_Levels.GetCount(); }
  // Tiles across x down of level n; 0 outside the table.
  uint32_t TilesOf(int32_t level) const;
  uint32_t GetTotalTiles() const;
  // Whether the records, as a host may have set them, describe levels whose
  // tiles cover their sizes and follow one another from tile 0 without gap or
  // overlap, in at most INT32_MAX tiles: what sizing a tile table relies on.
  bool IsConsistent() const;
  // Build for the file readers: the total tile count; throws when memory runs
  // out, leaving the table as it was, where the Build slot reports a total of 0.
  uint32_t BuildLevels(int32_t count, int32_t width, int32_t height);

 private:
  static int32_t LevelCountFor(int32_t count, int32_t width, int32_t height);
  bool Contains(int32_t level) const { return level >= 0 && level < m_Levels.GetCount(); }

  CArray<STCF2Mipmap> m_Levels;
};
