// CBlockReducer: reduces an image by an integer factor one output row at a
// time. The caller adds the 32-bit rows (0xAARRGGBB) of one group of up to
// factor source rows, then takes the output row: pixel x averages source
// columns x * factor .. x * factor + factor - 1 that exist. Red, green and
// blue are the mean of the pixels present, truncated; alpha is their sum over
// factor squared, so that pixels beyond the image count as transparent. For
// a full block both rules are the plain mean. One thread.
#pragma once

#include <cstdint>
#include <vector>

class CBlockReducer {
 public:
  // Source columns from sourceWidth on are never read.
  CBlockReducer(int32_t factor, int32_t outputWidth, int32_t sourceWidth);

  void AddRow(const uint32_t* row);
  // Writes outputWidth pixels and starts the next group.
  void TakeRow(uint32_t* out);

 private:
  const int64_t m_Factor;
  const int32_t m_OutputWidth;
  const int32_t m_SourceWidth;
  int64_t m_Rows = 0;
  std::vector<uint64_t> m_Sums;  // blue, green, red, alpha per output pixel
};
