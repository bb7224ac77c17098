#include "lib/bitmap/BmpRows.h"

uint32_t CBmpRows::GetMemorySize(uint8_t includeObject) {
  const uint32_t table = Rows() ? static_cast<uint32_t>(Height()) * 4 : 0;
  return CBmp::GetMemorySize(0) + table + (includeObject ? 40 : 0);
}

uint8_t* CBmpRows::RowOrNull(int32_t y) const noexcept {
  if (!Rows() || y < 0 || y > Height()) return nullptr;
  return Rows()[y];
}
