// CBmp16: a bitmap of A1R5G5B5 pixels (little-endian 16-bit words: bit 15
// alpha, then 5 bits each of red, green, blue), rows padded to 4 bytes.
// Threading and lifetime as CBmp. Hosts reach the slots in this order.
#pragma once

#include <cstdint>

#include "lib/bitmap/BmpRows.h"

class CBmp16 final : public CBmpRows {
 public:
  // Throws the SetSize messages or std::bad_alloc (see CBmp::Resize).
  CBmp16(int32_t width, int32_t height, bool ownDC);
  ~CBmp16() = default;
  TD_DELETE_THIS(CBmp16)

  int32_t TD_STDCALL GetPixelFormat() override;  // 5, A1R5G5B5
  // Copies the source rectangle of this bitmap to destination at (dstLeft,
  // dstTop), clipped to both bitmaps, when both rectangles have the same width
  // and height. With transparent set only pixels whose bit 15 is clear go.
  // The destination may be this bitmap, rectangles overlapping: the result
  // is as if the source rectangle had been copied out first.
  virtual void TD_STDCALL Draw(CBmp16* destination, int32_t dstLeft, int32_t dstTop, int32_t dstRight,
                               int32_t dstBottom, int32_t srcLeft, int32_t srcTop, int32_t srcRight,
                               int32_t srcBottom, uint8_t transparent);
  virtual void TD_STDCALL Reserved1(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t);
  virtual uint8_t TD_STDCALL Reserved2(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t);
  // Pixels from column ceil(left) to ceil(right) - 1 and row ceil(top) to
  // ceil(bottom) - 1, clipped to the bitmap.
  virtual void TD_STDCALL FillRect(double left, double top, double right, double bottom, uint16_t colour);
  virtual void TD_STDCALL Fill(uint16_t colour);
  virtual uint16_t* TD_STDCALL GetBits();
  // Row 0..height (height: just past the last row); null outside or empty.
  virtual uint16_t* TD_STDCALL GetScanLine(int32_t row);

 private:
  uint16_t* Row(int32_t y) const { return reinterpret_cast<uint16_t*>(Rows()[y]); }
};
