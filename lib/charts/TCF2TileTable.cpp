#include "lib/charts/TCF2TileTable.h"

#include <cstring>

#include "lib/charts/TileFormat.h"
#include "lib/foundation/exports/Guard.h"

namespace {

constexpr int32_t kObjectSize = 20;

uint64_t Offset64(uint32_t low, uint32_t high) { return uint64_t{high} << 32 | low; }

// One copy (normal or update) of an entry.
void SetCopy(uint64_t& offset, uint32_t& colour, uint32_t& alpha, uint64_t newOffset,
             uint32_t newColour, uint32_t newAlpha) {
  offset = newOffset;
  colour = newColour;
  alpha = newAlpha;
}

}  // namespace

int32_t TD_STDCALL CTCF2TileTable::GetCount() { return m_Tiles.GetCount(); }

int32_t TD_STDCALL CTCF2TileTable::GetMemorySize(uint8_t includeObject) {
  return m_Tiles.GetCapacity() * static_cast<int32_t>(sizeof(STCF2TileTableEntry)) +
         (includeObject ? kObjectSize : 0);
}

const STCF2TileTableEntry* TD_STDCALL CTCF2TileTable::GetEntry(int32_t tile) {
  return Contains(tile) ? m_Tiles.ElementAt(tile) : nullptr;
}

bool TD_STDCALL CTCF2TileTable::GetTileInfo(int32_t tile, uint8_t useUpdate, STCF2TileInfo* info) {
  if (!Contains(tile)) return false;
  const STCF2TileTableEntry& e = m_Tiles[tile];
  info->Offset = useUpdate ? e.UpdateOffset : e.Offset;
  info->Size = useUpdate ? e.UpdateColourSize + e.UpdateAlphaSize : e.ColourSize + e.AlphaSize;
  info->Width = e.Width;
  info->Height = e.Height;
  info->Tile = static_cast<uint32_t>(tile);
  info->Reserved = 0;
  return true;
}

bool TD_STDCALL CTCF2TileTable::Build(int32_t count, CTCF2MipmapTable* mipmap) {
  return td::Guard(false, [&] { return BuildFrom(count, *mipmap); });
}

bool CTCF2TileTable::BuildFrom(int32_t count, const CTCF2MipmapTable& mipmap) {
  if (count < 0 || !mipmap.IsConsistent() || static_cast<uint32_t>(count) != mipmap.GetTotalTiles())
    return false;
  if (count > m_Tiles.GetCapacity()) m_Tiles.SetCapacity(count);  // the one step that may fail
  m_Tiles.SetCount(0);
  m_Tiles.SetCount(count);
  for (int32_t i = 0; i < count; ++i) m_Tiles[i].Width = m_Tiles[i].Height = kTileSide;
  for (int32_t level = mipmap.Count() - 1; level >= 0; --level) {
    const STCF2Mipmap& m = mipmap.At(level);
    const uint32_t across = m.TilesAcross, down = m.TilesDown;
    const auto lastWidth = static_cast<uint16_t>(m.Width - kTileSide * (across - 1));
    const auto lastHeight = static_cast<uint16_t>(m.Height - kTileSide * (down - 1));
    for (uint32_t x = 0; x < across; ++x)
      m_Tiles[static_cast<int32_t>(m.FirstTile + (down - 1) * across + x)].Height = lastHeight;
    for (uint32_t y = 0; y < down; ++y)
      m_Tiles[static_cast<int32_t>(m.FirstTile + y * across + across - 1)].Width = lastWidth;
  }
  return true;
}

void TD_STDCALL CTCF2TileTable::Assign(const CTCF2TileTable* other) {
  td::GuardVoid([&] {
    if (other == this) return;
    const int32_t count = other->m_Tiles.GetCount();
    if (count > m_Tiles.GetCapacity()) m_Tiles.SetCapacity(count);  // the one step that may fail
    m_Tiles.SetCount(0);
    m_Tiles.SetCount(count);
    for (int32_t i = 0; i < count; ++i) {
      m_Tiles[i].Width = other->m_Tiles[i].Width;
      m_Tiles[i].Height = other->m_Tiles[i].Height;
    }
  });
}

bool TD_STDCALL CTCF2TileTable::SetTile(int32_t tile, uint32_t offsetLow, uint32_t offsetHigh,
                                        uint32_t colourSize, uint32_t alphaSize) {
  if (!Contains(tile)) return false;
  STCF2TileTableEntry& e = m_Tiles[tile];
  SetCopy(e.Offset, e.ColourSize, e.AlphaSize, Offset64(offsetLow, offsetHigh), colourSize,
          alphaSize);
  return true;
}

bool TD_STDCALL CTCF2TileTable::SetUpdateTile(int32_t tile, uint32_t offsetLow, uint32_t offsetHigh,
                                              uint32_t colourSize, uint32_t alphaSize) {
  if (!Contains(tile)) return false;
  STCF2TileTableEntry& e = m_Tiles[tile];
  SetCopy(e.UpdateOffset, e.UpdateColourSize, e.UpdateAlphaSize, Offset64(offsetLow, offsetHigh),
          colourSize, alphaSize);
  return true;
}
