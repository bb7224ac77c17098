#include "lib/charts/TCF2MipmapTable.h"

#include <limits>

#include "lib/charts/TCF2File.h"
#include "lib/foundation/exports/Guard.h"

namespace {

constexpr int32_t kObjectSize = 20;

uint64_t CeilShift(uint64_t value, int32_t shift) {
  return (value + (uint64_t{1} << shift) - 1) >> shift;
}

}  // namespace

int32_t TD_STDCALL CTCF2MipmapTable::GetCount() { return m_Levels.GetCount(); }

int32_t TD_STDCALL CTCF2MipmapTable::GetMemorySize(uint8_t includeObject) {
  return m_Levels.GetCapacity() * static_cast<int32_t>(sizeof(STCF2Mipmap)) +
         (includeObject ? kObjectSize : 0);
}

uint32_t TD_STDCALL CTCF2MipmapTable::GetTileCount(int32_t level) { return TilesOf(level); }

uint32_t CTCF2MipmapTable::TilesOf(int32_t level) const {
  if (!Contains(level)) return 0;
  return uint32_t{m_Levels[level].TilesAcross} * m_Levels[level].TilesDown;
}

const STCF2Mipmap* TD_STDCALL CTCF2MipmapTable::GetMipmap(int32_t level) {
  return Contains(level) ? m_Levels.ElementAt(level) : nullptr;
}

void TD_STDCALL CTCF2MipmapTable::Build(int32_t count, int32_t width, int32_t height,
                                        uint32_t* totalTiles) {
  *totalTiles = 0;
  td::GuardVoid([&] { *totalTiles = BuildLevels(count, width, height); });
}

// The number of levels an image of width x height has when asked for count
// (-1 for as many as fit); 0 when the request or the image is out of range.
int32_t CTCF2MipmapTable::LevelCountFor(int32_t count, int32_t width, int32_t height) {
  if (width < 1 || height < 1 || count == 0 || count < -1 || count > kTCF2MaxLevels) return 0;
  if (count == -1) count = TCF2FileAutoLevelCount(width, height);
  // Level 0 has the most tiles across and down; 64-bit sums cannot overflow.
  const uint64_t across0 = CeilShift(static_cast<uint64_t>(width), 8);
  const uint64_t down0 = CeilShift(static_cast<uint64_t>(height), 8);
  if (across0 > kTCF2MaxTilesPerSide || down0 > kTCF2MaxTilesPerSide) return 0;
  uint64_t total = 0;
  for (int32_t i = 0; i < count; ++i) {
    const uint64_t w = CeilShift(static_cast<uint64_t>(width), i);
    const uint64_t h = CeilShift(static_cast<uint64_t>(height), i);
    total += CeilShift(w, 8) * CeilShift(h, 8);
  }
  return total > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()) ? 0 : count;
}

uint32_t CTCF2MipmapTable::BuildLevels(int32_t count, int32_t width, int32_t height) {
  count = LevelCountFor(count, width, height);
  if (count > m_Levels.GetCapacity()) m_Levels.SetCapacity(count);  // the one step that may fail
  m_Levels.SetCount(0);
  m_Levels.SetCount(count);
  uint32_t first = 0;
  for (int32_t i = 0; i < count; ++i) {
    STCF2Mipmap& level = m_Levels[i];
    level.Width = static_cast<uint32_t>(CeilShift(static_cast<uint64_t>(width), i));
    level.Height = static_cast<uint32_t>(CeilShift(static_cast<uint64_t>(height), i));
    level.TilesAcross = static_cast<uint16_t>(CeilShift(level.Width, 8));
    level.TilesDown = static_cast<uint16_t>(CeilShift(level.Height, 8));
    level.FirstTile = first;
    first += uint32_t{level.TilesAcross} * level.TilesDown;
  }
  return first;
}

void TD_STDCALL CTCF2MipmapTable::SetMipmap(int32_t level, const STCF2Mipmap* record) {
  if (Contains(level)) m_Levels[level] = *record;
}

bool CTCF2MipmapTable::IsConsistent() const {
  uint64_t next = 0;
  for (int32_t i = 0; i < m_Levels.GetCount(); ++i) {
    const STCF2Mipmap& level = m_Levels[i];
    if (level.Width < 1 || level.Height < 1 || level.FirstTile != next) return false;
    if (level.TilesAcross != CeilShift(level.Width, 8) ||
        level.TilesDown != CeilShift(level.Height, 8))
      return false;
    next += uint64_t{level.TilesAcross} * level.TilesDown;
    if (next > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) return false;
  }
  return true;
}

uint32_t CTCF2MipmapTable::GetTotalTiles() const {
  const int32_t n = m_Levels.GetCount();
  if (n == 0) return 0;
  const STCF2Mipmap& last = m_Levels[n - 1];
  return last.FirstTile + uint32_t{last.TilesAcross} * last.TilesDown;
}
