// The pixels of a CBmp in a DIB section, its memory DC, and GDI text and blits.
#include <windows.h>

#include "lib/bitmap/Bmp.h"
#include "lib/bitmap/PixelFormat.h"

namespace {

const UINT kTextAlign[9] = {0, 0x18, 8, 6, 0x1E, 0x0E, 2, 0x1A, 0x0A};
const UINT kDrawTextAlign[9] = {0, 4, 8, 1, 5, 9, 2, 6, 10};
const UINT kDrawTextMode[4] = {0x20, 0x10, 0x420, 0x410};

// A DC in which the bitmap's pixels are selected: its own, or a screen-
// compatible one made for the time of one call (with nothing selected when
// the bitmap is empty, which still measures text).
class CBitsDC {
 public:
  CBitsDC(HDC own, HBITMAP dib) : m_DC(own), m_Temporary(nullptr), m_OldBitmap(nullptr) {
    if (m_DC) return;
    m_Temporary = CreateCompatibleDC(nullptr);
    if (m_Temporary && dib) m_OldBitmap = SelectObject(m_Temporary, dib);
    if (m_Temporary && (!dib || m_OldBitmap)) m_DC = m_Temporary;
  }
  ~CBitsDC() {
    if (!m_Temporary) return;
    if (m_OldBitmap) SelectObject(m_Temporary, m_OldBitmap);
    DeleteDC(m_Temporary);
  }
  CBitsDC(const CBitsDC&) = delete;
  CBitsDC& operator=(const CBitsDC&) = delete;
  HDC Get() const { return m_DC; }

 private:
  HDC m_DC;
  HDC m_Temporary;
  HGDIOBJ m_OldBitmap;
};

// Font, text colour and a transparent background for one text call; the
// previous state comes back at the end.
class CTextState {
 public:
  CTextState(HDC dc, HFONT font, COLORREF colour)
      : m_DC(dc), m_Font(SelectObject(dc, font)), m_Colour(SetTextColor(dc, colour)),
        m_Mode(SetBkMode(dc, TRANSPARENT)) {}
  ~CTextState() {
    SetBkMode(m_DC, m_Mode);
    SetTextColor(m_DC, m_Colour);
    SelectObject(m_DC, m_Font);
  }
  CTextState(const CTextState&) = delete;
  CTextState& operator=(const CTextState&) = delete;

 private:
  HDC m_DC;
  HGDIOBJ m_Font;
  COLORREF m_Colour;
  int m_Mode;
};

bool IsEmpty(const CStr* text) { return !text || text->GetLength() == 0; }

}  // namespace

bool CBmpPixels::TryAllocate(int64_t bytes, int32_t format) {
  BITMAPINFO info = {};
  BITMAPINFOHEADER& header = info.bmiHeader;
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = width;
  header.biHeight = -height;  // top-down rows
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(PixelFormatBits(format));
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(int64_t{width} * height * (header.biBitCount / 8));
  header.biXPelsPerMeter = 3780;
  header.biYPelsPerMeter = 3780;
  void* memory = nullptr;
  dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
  if (dib && memory) {
    bits = memory;
    return true;
  }
  if (dib) DeleteObject(dib);
  dib = nullptr;
  return false;
}

void CBmpPixels::AttachDC() {
  dc = CreateCompatibleDC(nullptr);
  if (!dc) throw "CBmp::SetSize: Can't create compatible DC";
  if (!SelectObject(dc, dib)) throw "CBmp::SetSize: Can't select an object into DC";
}

void CBmpPixels::Release() noexcept {
  if (dc) DeleteDC(dc);
  if (dib) DeleteObject(dib);
  dc = nullptr;
  dib = nullptr;
  bits = nullptr;
}

uint8_t CBmp::DrawToDC(HDC dc, int32_t dstLeft, int32_t dstTop, int32_t dstRight, int32_t dstBottom,
                       int32_t srcLeft, int32_t srcTop, int32_t srcRight, int32_t srcBottom) {
  if (!m_Pixels.bits || !dc) return 0;
  CBitsDC source(m_Pixels.dc, m_Pixels.dib);
  if (!source.Get()) return 0;
  const int dw = dstRight - dstLeft, dh = dstBottom - dstTop;
  const int sw = srcRight - srcLeft, sh = srcBottom - srcTop;
  if (dw == sw && dh == sh) return BitBlt(dc, dstLeft, dstTop, dw, dh, source.Get(), srcLeft, srcTop, SRCCOPY) != 0;
  // Whole source pixels, as the chart view expects; the default mode mixes them.
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  const BOOL done = StretchBlt(dc, dstLeft, dstTop, dw, dh, source.Get(), srcLeft, srcTop, sw, sh, SRCCOPY);
  if (oldMode) SetStretchBltMode(dc, oldMode);
  return done != 0;
}

void CBmp::TextOut(const CStr* text, int32_t x, int32_t y, HFONT font, COLORREF colour, int32_t alignment) {
  if (IsEmpty(text) || !m_Pixels.bits || alignment < 0 || alignment > 8) return;
  CBitsDC target(m_Pixels.dc, m_Pixels.dib);
  if (!target.Get()) return;
  const UINT oldAlign = SetTextAlign(target.Get(), kTextAlign[alignment]);
  if (oldAlign == GDI_ERROR) return;
  {
    CTextState state(target.Get(), font, colour);
    ExtTextOutA(target.Get(), x, y, 0, nullptr, text->c_str(), text->GetLength(), nullptr);
  }
  SetTextAlign(target.Get(), oldAlign);
}

void CBmp::DrawText(const CStr* text, RECT* rect, HFONT font, COLORREF colour, int32_t alignment, int32_t mode) {
  if (IsEmpty(text) || !rect || alignment < 0 || alignment > 8) return;
  CBitsDC target(m_Pixels.dc, m_Pixels.dib);
  if (!target.Get()) return;
  UINT format = kDrawTextAlign[alignment] | DT_NOPREFIX;
  if (mode >= 0 && mode <= 3) format |= kDrawTextMode[mode];
  CTextState state(target.Get(), font, colour);
  DrawTextA(target.Get(), text->c_str(), text->GetLength(), rect, format);
}

SIZE CBmp::MeasureText(const CStr& text, HFONT font) {
  CBitsDC target(m_Pixels.dc, m_Pixels.dib);
  SIZE size = {0, 0};
  bool measured = false;
  if (target.Get()) {
    CTextState state(target.Get(), font, GetTextColor(target.Get()));
    measured = GetTextExtentPointA(target.Get(), text.c_str(), text.GetLength(), &size) != 0;
  }
  if (!measured) throw "CBmp::GetTextExtent: Error getting size of text.";
  return size;
}
