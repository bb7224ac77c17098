// The pixels of a CBmp in aligned memory. The native build has no GDI: no
// DC, text draws nothing and measures nothing, and blits answer false.
#include <cstdlib>

#include "lib/bitmap/Bmp.h"

namespace {
constexpr size_t kPixelAlignment = 64;
}

bool CBmpPixels::TryAllocate(int64_t bytes, int32_t format) {
  void* memory = nullptr;
  if (posix_memalign(&memory, kPixelAlignment, static_cast<size_t>(bytes)) != 0) return false;
  dib = memory;
  bits = memory;
  return true;
}

void CBmpPixels::AttachDC() {}

void CBmpPixels::Release() noexcept {
  std::free(dib);
  dib = nullptr;
  bits = nullptr;
}

uint8_t CBmp::DrawToDC(HDC dc, int32_t dstLeft, int32_t dstTop, int32_t dstRight, int32_t dstBottom,
                       int32_t srcLeft, int32_t srcTop, int32_t srcRight, int32_t srcBottom) {
  return 0;
}

void CBmp::TextOut(const CStr* text, int32_t x, int32_t y, HFONT font, COLORREF colour, int32_t alignment) {}

void CBmp::DrawText(const CStr* text, RECT* rect, HFONT font, COLORREF colour, int32_t alignment, int32_t mode) {}

SIZE CBmp::MeasureText(const CStr& text, HFONT font) { throw "CBmp::GetTextExtent: Error getting size of text."; }
