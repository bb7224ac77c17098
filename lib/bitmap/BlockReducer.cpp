#include "lib/bitmap/BlockReducer.h"

#include <algorithm>

CBlockReducer::CBlockReducer(int32_t factor, int32_t outputWidth, int32_t sourceWidth)
    : m_Factor(factor),
      m_OutputWidth(outputWidth),
      m_SourceWidth(
          static_cast<int32_t>(std::min<int64_t>(sourceWidth, int64_t{outputWidth} * factor))),
      m_Sums(static_cast<size_t>(outputWidth) * 4) {}

void CBlockReducer::AddRow(const uint32_t* row) {
  uint64_t* sum = m_Sums.data();
  int64_t inBlock = 0;
  for (int32_t x = 0; x < m_SourceWidth; ++x) {
    const uint32_t p = row[x];
    sum[0] += p & 0xFF;
    sum[1] += p >> 8 & 0xFF;
    sum[2] += p >> 16 & 0xFF;
    sum[3] += p >> 24;
    if (++inBlock == m_Factor) {
      inBlock = 0;
      sum += 4;
    }
  }
  ++m_Rows;
}

void CBlockReducer::TakeRow(uint32_t* out) {
  const uint64_t area = static_cast<uint64_t>(m_Factor * m_Factor);
  for (int32_t x = 0; x < m_OutputWidth; ++x) {
    uint64_t* sum = &m_Sums[static_cast<size_t>(x) * 4];
    const int64_t columns = std::clamp<int64_t>(m_SourceWidth - x * m_Factor, 0, m_Factor);
    const uint64_t present = static_cast<uint64_t>(std::max<int64_t>(columns * m_Rows, 1));
    out[x] = static_cast<uint32_t>(sum[3] / area) << 24 |
             static_cast<uint32_t>(sum[2] / present) << 16 |
             static_cast<uint32_t>(sum[1] / present) << 8 | static_cast<uint32_t>(sum[0] / present);
    sum[0] = sum[1] = sum[2] = sum[3] = 0;
  }
  m_Rows = 0;
}
