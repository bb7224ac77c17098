#include "lib/charts/TCF2TileTableC.h"

#include "lib/foundation/exports/Guard.h"

namespace {

constexpr int32_t kObjectSize = 20;

}  // namespace

int32_t TD_STDCALL CTCF2TileTableC::GetCount() { return m_Tiles.GetCount(); }

int32_t TD_STDCALL CTCF2TileTableC::GetMemorySize(uint8_t includeObject) {
  return m_Tiles.GetCapacity() * static_cast<int32_t>(sizeof(STCF2TileTableEntryC)) +
         (includeObject ? kObjectSize : 0);
}

void TD_STDCALL CTCF2TileTableC::Assign(const CTCF2TileTable* table) {
  td::GuardVoid([&] { AssignFrom(*table); });
}

void CTCF2TileTableC::AssignFrom(const CTCF2TileTable& table) {
  const int32_t count = table.Count();
  if (count > m_Tiles.GetCapacity()) m_Tiles.SetCapacity(count);  // the one step that may fail
  m_Tiles.SetCount(0);
  m_Tiles.SetCount(count);
  for (int32_t i = 0; i < count; ++i) {
    const STCF2TileTableEntry& e = table.At(i);
    STCF2TileTableEntryC& c = m_Tiles[i];
    c.Size = e.UpdateColourSize + e.UpdateAlphaSize;
    c.OffsetLow = static_cast<uint32_t>(e.UpdateOffset);
    c.OffsetHigh = static_cast<uint8_t>(e.UpdateOffset >> 32);
    c.WidthMinus1 = static_cast<uint8_t>(e.Width - 1);
    c.HeightMinus1 = static_cast<uint8_t>(e.Height - 1);
  }
}

bool TD_STDCALL CTCF2TileTableC::GetTileInfo(int32_t tile, STCF2TileInfo* info) {
  if (tile < 0 || tile >= m_Tiles.GetCount()) return false;
  const STCF2TileTableEntryC& c = m_Tiles[tile];
  info->Offset = uint64_t{c.OffsetHigh} << 32 | c.OffsetLow;
  info->Size = c.Size;
  info->Width = static_cast<uint16_t>(c.WidthMinus1 + 1);
  info->Height = static_cast<uint16_t>(c.HeightMinus1 + 1);
  info->Tile = static_cast<uint32_t>(tile);
  info->Reserved = 0;
  return true;
}
