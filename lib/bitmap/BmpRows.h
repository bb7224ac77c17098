// CBmpRows: what the concrete bitmaps add to CBmp, the table of height + 1
// row pointers (entry i is row i, entry height just past the last row), null
// while the bitmap holds no pixels. Same threading and lifetime rules as
// CBmp.
#pragma once

#include <cstdint>

#include "lib/bitmap/Bmp.h"

class CBmpRows : public CBmp {
 public:
  // Bytes of the pixels and the row table, plus 40 with includeObject.
  uint32_t TD_STDCALL GetMemorySize(uint8_t includeObject) override;

  // Row y for 0 <= y <= height (height: just past the last row); null when
  // the bitmap holds no pixels or y is outside.
  uint8_t* RowOrNull(int32_t y) const noexcept;

 protected:
  explicit CBmpRows(bool ownDC) : CBmp(ownDC) {}
  ~CBmpRows() = default;
};
