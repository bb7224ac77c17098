// CBmpRows: what the concrete bitmaps add to CBmp, a copy of the pixel
// pointer and a table of height + 1 row pointers (entry i is row i, entry
// height just past the last row). Both are null while the bitmap holds no
// pixels. Same threading and lifetime rules as CBmp.
#pragma once

#include <cstdint>
#include <memory>

#include "lib/bitmap/Bmp.h"

class CBmpRows : public CBmp {
 public:
  // Bytes of the pixels and the row table, plus 40 with includeObject.
  uint32_t TD_STDCALL GetMemorySize(uint8_t includeObject) override;
  void TD_STDCALL SetSize(int32_t width, int32_t height) override;

  // SetSize for the library's own callers: throws the SetSize messages or
  // std::bad_alloc, and then leaves the bitmap empty (0 x 0, no pixels).
  void Resize(int32_t width, int32_t height);
  // Row y for 0 <= y <= height (height: just past the last row); null when
  // the bitmap holds no pixels or y is outside.
  uint8_t* RowOrNull(int32_t y) const noexcept;

 protected:
  explicit CBmpRows(bool ownDC) : CBmp(ownDC), m_Pixels(nullptr) {}
  ~CBmpRows() = default;

  void* m_Pixels;
  std::unique_ptr<uint8_t*[]> m_Rows;

 private:
  void BuildRows();
};
