// The GDI side of CBmp under Wine: blits to a DC, text in "Arial" with and
// without the bitmap's own DC, measuring. GDI leaves text alpha at 0, so
// pixels are compared by RGB.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "tests/bitmap/BitmapTestHelpers.h"

namespace {

class CFont {
 public:
  explicit CFont(int height) {
    LOGFONTA lf = {};
    lf.lfHeight = -height;
    lf.lfWeight = FW_NORMAL;
    lstrcpyA(lf.lfFaceName, "Arial");
    m_Font = CreateFontIndirectA(&lf);
  }
  ~CFont() { DeleteObject(m_Font); }
  HFONT Get() const { return m_Font; }

 private:
  HFONT m_Font;
};

int CountRgb(const CBmp32& bmp, uint32_t rgb) {
  int n = 0;
  for (int64_t i = 0; i < bmp.PixelCount(); ++i) n += (bmp.Pixels()[i] & 0xFFFFFF) == rgb;
  return n;
}

TEST(BmpGdi, DrawToDCCopiesAndStretchesWholePixels) {
  auto source = MakeTagged(10, 10);
  auto target = MakeFilled(20, 20, 0);
  CBmp32 withDC(20, 20, true);
  withDC.Fill(0);
  HDC dc = withDC.GetDC();
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(source->DrawToDC(dc, 0, 0, 10, 10, 0, 0, 10, 10), 1);
  EXPECT_EQ(withDC.Row(3)[7] & 0xFFFFFF, Tag(7, 3) & 0xFFFFFF);
  EXPECT_EQ(source->DrawToDC(dc, 0, 0, 20, 20, 0, 0, 10, 10), 1);  // stretched: each pixel twice
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(withDC.Row(y)[x] & 0xFFFFFF, Tag(x / 2, y / 2) & 0xFFFFFF) << x << "," << y;
  EXPECT_EQ(GetStretchBltMode(dc), BLACKONWHITE);  // the DC's own mode comes back
  CBmp32 empty(0, 0, false);
  EXPECT_EQ(empty.DrawToDC(dc, 0, 0, 1, 1, 0, 0, 1, 1), 0);
}

TEST(BmpGdi, TextOnBitmapsWithAndWithoutOwnDC) {
  CFont font(16);
  const CStr text("Hello"), empty("");
  for (bool ownDC : {true, false}) {
    auto bmp = std::make_unique<CBmp32>(80, 30, ownDC);
    bmp->Fill(0xFFFFFFFF);
    HDC dc = bmp->GetDC();
    if (dc) {
      SetTextColor(dc, RGB(1, 2, 3));
      SetTextAlign(dc, TA_BASELINE);
    }
    const HGDIOBJ oldFont = dc ? GetCurrentObject(dc, OBJ_FONT) : nullptr;
    bmp->TextOut(&empty, 5, 5, font.Get(), RGB(255, 0, 0), 0);
    EXPECT_EQ(CountRgb(*bmp, 0xFFFFFF), 80 * 30) << ownDC;
    bmp->TextOut(&text, 40, 15, font.Get(), RGB(255, 0, 0), 4);  // centred on the baseline
    EXPECT_GT(CountRgb(*bmp, 0xFF0000), 10) << ownDC;
    bmp->Fill(0xFFFFFFFF);
    RECT rect = {0, 0, 80, 30};
    bmp->DrawText(&text, &rect, font.Get(), RGB(0, 0, 255), 4, 0);
    EXPECT_GT(CountRgb(*bmp, 0x0000FF), 10) << ownDC;
    if (dc) {
      EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
      EXPECT_EQ(GetTextAlign(dc), static_cast<UINT>(TA_BASELINE));
      EXPECT_EQ(GetBkMode(dc), OPAQUE);
      EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), oldFont);
    }
  }
}

TEST(BmpGdi, MeasuringDrawsNothing) {
  CFont font(16);
  CBmp32 bmp(200, 100, true);
  bmp.Fill(0xFFFFFFFF);
  const CStr text("one two three four five six");
  RECT line = {0, 0, 60, 100};
  bmp.DrawText(&text, &line, font.Get(), 0, 0, 2);  // one line, measuring
  RECT wrapped = {0, 0, 60, 100};
  bmp.DrawText(&text, &wrapped, font.Get(), 0, 0, 3);  // word-wrapped, measuring
  EXPECT_EQ(CountRgb(bmp, 0xFFFFFF), 200 * 100);
  EXPECT_GT(line.right, 60);
  EXPECT_LE(wrapped.right, 60 + 20);
  EXPECT_GT(wrapped.bottom, line.bottom);

  SIZE size = {};
  const CStr zero("0");
  bmp.GetTextExtent(&zero, font.Get(), &size);
  EXPECT_GT(size.cx, 4);
  EXPECT_LT(size.cx, 16);
  EXPECT_GE(size.cy, 16);
  EXPECT_EQ(bmp.MeasureText(zero, font.Get()).cx, size.cx);
  CBmp32 noDC(0, 0, false);
  SIZE again = {};
  noDC.GetTextExtent(&zero, font.Get(), &again);
  EXPECT_EQ(again.cx, size.cx);
}

}  // namespace
