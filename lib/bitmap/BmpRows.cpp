#include "lib/bitmap/BmpRows.h"

#include <cstddef>

uint32_t CBmpRows::GetMemorySize(uint8_t includeObject) {
  const uint32_t table = m_Rows ? static_cast<uint32_t>(Height()) * 4 : 0;
  return CBmp::GetMemorySize(0) + table + (includeObject ? 40 : 0);
}

void CBmpRows::SetSize(int32_t width, int32_t height) {
  try {
    Resize(width, height);
  } catch (...) {
  }
}

void CBmpRows::Resize(int32_t width, int32_t height) {
  if (IsSize(width, height)) return;
  m_Rows.reset();
  m_Pixels = nullptr;
  try {
    ResizeStorage(width, height, GetPixelFormat());
    BuildRows();
  } catch (...) {
    m_Rows.reset();
    m_Pixels = nullptr;
    ResizeStorage(0, 0, GetPixelFormat());
    throw;
  }
}

void CBmpRows::BuildRows() {
  if (!HasPixels()) return;
  const int32_t height = Height();
  std::unique_ptr<uint8_t*[]> rows(new uint8_t*[static_cast<size_t>(height) + 1]);
  uint8_t* base = static_cast<uint8_t*>(Bits());
  for (int32_t y = 0; y <= height; ++y) rows[y] = base + static_cast<ptrdiff_t>(y) * Stride();
  m_Rows = std::move(rows);
  m_Pixels = Bits();
}

uint8_t* CBmpRows::RowOrNull(int32_t y) const noexcept {
  if (!m_Rows || y < 0 || y > Height()) return nullptr;
  return m_Rows[y];
}
