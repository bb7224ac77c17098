// The pixels of a CBmp in aligned memory. The native build has no GDI: no
// DC, text draws nothing and measures nothing, and blits answer false.
#include <cstdlib>

#include "lib/bitmap/Bmp.h"

namespace {
constexpr size_t kPixelAlignment = 64;
}

bool CBmp::TryAllocatePixels(int64_t bytes, int32_t format) {
  void* bits = nullptr;
  if (posix_memalign(&bits, kPixelAlignment, static_cast<size_t>(bytes)) != 0) return false;
  m_DIB = bits;
  m_Bits = bits;
  return true;
}

void CBmp::AttachOwnDC() {}

void CBmp::ReleasePixels() {
  std::free(m_DIB);
  m_DIB = nullptr;
  m_Bits = nullptr;
}

uint8_t CBmp::DrawToDC(HDC dc, int32_t dstLeft, int32_t dstTop, int32_t dstRight, int32_t dstBottom,
                       int32_t srcLeft, int32_t srcTop, int32_t srcRight, int32_t srcBottom) {
  return 0;
}

void CBmp::TextOut(const CStr* text, int32_t x, int32_t y, HFONT font, COLORREF colour, int32_t alignment) {}

void CBmp::DrawText(const CStr* text, RECT* rect, HFONT font, COLORREF colour, int32_t alignment, int32_t mode) {}

SIZE CBmp::MeasureText(const CStr& text, HFONT font) { throw "CBmp::GetTextExtent: Error getting size of text."; }
