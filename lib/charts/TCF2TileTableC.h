// CTCF2TileTableC: a compact table of the current (update) copy of every
// tile, 12 bytes a tile; offsets are limited to 40 bits. Not thread-safe.
#pragma once

#include <cstdint>

#include "lib/charts/TCF2TileTable.h"
#include "lib/foundation/containers/Array.h"
#include "lib/foundation/core/Object.h"

struct STCF2TileTableEntryC {
  uint32_t Size;  // colour + alpha
  uint32_t OffsetLow;
  uint8_t OffsetHigh;  // bits 32-39
  uint8_t WidthMinus1;
  uint8_t HeightMinus1;
  uint8_t Reserved;  // 0
};
static_assert(sizeof(STCF2TileTableEntryC) == 12);

class CTCF2TileTableC : public CObject {
 public:
  TD_DELETE_THIS(CTCF2TileTableC)

  CTCF2TileTableC() = default;
  ~CTCF2TileTableC() = default;
  CTCF2TileTableC(const CTCF2TileTableC&) = delete;
  CTCF2TileTableC& operator=(const CTCF2TileTableC&) = delete;

  virtual int32_t TD_STDCALL GetCount();
  virtual int32_t TD_STDCALL GetMemorySize(uint8_t includeObject);
  // Packs the update copy of every tile of the full table.
  virtual void TD_STDCALL Assign(const CTCF2TileTable* table);
  // The unpacked tile; false outside the table.
  virtual bool TD_STDCALL GetTileInfo(int32_t tile, STCF2TileInfo* info);

  // Assign for the library's own callers: throws when memory runs out,
  // leaving the table as it was, where the Assign slot keeps it silently.
  void AssignFrom(const CTCF2TileTable& table);

 private:
  CArray<STCF2TileTableEntryC> m_Tiles;
};
