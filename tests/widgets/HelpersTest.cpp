// Frames against the system's own shapes, Clamp, the control lists and path
// shortening at widths measured here.
#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/DrawHelpers.h"
#include "lib/widgets/Label.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

class HelpersTest : public WidgetTest {};

// Draws with a 3-pixel black pen and no brush on a fresh white bitmap.
std::vector<uint32_t> Draw3(const std::function<void(HDC)>& draw) {
  CBmp32 bmp(20, 20, true);
  bmp.Fill(0xFFFFFFFF);
  HDC dc = bmp.GetDC();
  HPEN pen = CreatePen(PS_SOLID, 3, 0);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  draw(dc);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  std::vector<uint32_t> pixels;
  for (int32_t y = 0; y < 20; ++y)
    for (int32_t x = 0; x < 20; ++x) pixels.push_back(bmp.Row(y)[x] & 0xFFFFFF);
  return pixels;
}

TEST_F(HelpersTest, FramesWithAThickPenStayInside) {
  EXPECT_EQ(Draw3([](HDC dc) { DrawFrame(dc, 0, 0, 10, 10, 3); }),
            Draw3([](HDC dc) { Rectangle(dc, 1, 1, 9, 9); }));
  EXPECT_EQ(Draw3([](HDC dc) { DrawRoundFrame(dc, 0, 0, 10, 10, 4, 4, 3); }),
            Draw3([](HDC dc) { RoundRect(dc, 1, 1, 10, 10, 4, 4); }));
  EXPECT_EQ(Draw3([](HDC dc) { DrawHLine(dc, 2, 5, 10, 3); }), Draw3([](HDC dc) {
              MoveToEx(dc, 2, 6, nullptr);
              LineTo(dc, 12, 6);
            }));
  EXPECT_EQ(Draw3([](HDC dc) { DrawVLine(dc, 5, 2, 10, 3); }), Draw3([](HDC dc) {
              MoveToEx(dc, 6, 2, nullptr);
              LineTo(dc, 6, 12);
            }));
}

TEST_F(HelpersTest, Clamp) {
  EXPECT_EQ(Clamp(5, 0, 3), 3);
  EXPECT_EQ(Clamp(-1, 0, 3), 0);
  EXPECT_EQ(Clamp(1.5, 0, 3), 1.5);
}

TEST_F(HelpersTest, ListOperationsStopAtTheNullControl) {
  CFontDesc font("Arial", 9, 0);
  CControl root(nullptr);
  auto* a = new CLabel(&root, "a", &font);
  auto* b = new CControl(&root);
  auto* c = new CLabel(&root, "c", &font);
  SetHeights(12, {a, b, nullptr, c});
  EXPECT_EQ(a->GetHeight(), 12);
  EXPECT_EQ(b->GetHeight(), 12);
  EXPECT_EQ(c->GetHeight(), 0);
  SetVisibles(false, {nullptr, a});
  EXPECT_TRUE(a->IsVisible());
  SetTransparents(true, {a, c});
  SetHittables(false, {b});
  SetTextColors(0x123456, {a, b, c});
  EXPECT_TRUE(c->IsTransparent());
  EXPECT_FALSE(b->Hittable);
  EXPECT_EQ(a->TextColor, 0x123456u);
  EXPECT_EQ(c->TextColor, 0x123456u);
}

TEST_F(HelpersTest, ShortenPathStopsAtTheFirstFormThatFits) {
  CFontDesc font("Arial", 9, 0);
  CBmp32* canvas = GetScreenBackBuffer();
  auto width = [&](const char* text) {
    SIZE size;
    HGDIOBJ old = SelectObject(canvas->GetDC(), font.GetHandle());
    GetTextExtentPoint32A(canvas->GetDC(), text, lstrlenA(text), &size);
    SelectObject(canvas->GetDC(), old);
    return int32_t(size.cx);
  };
  const char* forms[] = {"C:\\Program Files\\App\\GUI\\x.bmp",
                         "C:\\...\\App\\GUI\\x.bmp",
                         "C:\\...\\GUI\\x.bmp",
                         "C:\\...\\x.bmp",
                         "...\\x.bmp",
                         "x.bmp"};
  for (const char* form : forms)
    EXPECT_STREQ(ShortenPath(canvas, forms[0], &font, width(form)).c_str(), form);
  EXPECT_STREQ(ShortenPath(canvas, forms[0], &font, 1).c_str(), "x.bmp");
  EXPECT_STREQ(ShortenPath(canvas, "name.bmp", &font, 1).c_str(), "name.bmp");
  EXPECT_STREQ(ShortenPath(canvas, forms[0], &font, 10000).c_str(), forms[0]);
}

}  // namespace
