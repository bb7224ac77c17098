// Label text placement read from the pixels of the back buffer.
#include <memory>

#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/Label.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

class LabelTest : public WidgetTest {
 protected:
  // A shown window holding one label with the text at (20, 40), 150 x 60.
  CLabel* ShowLabel(const char* text) {
    window_ = std::make_unique<CWindow>("", nullptr);
    auto* label = new CLabel(window_.get(), text, &font_);
    label->SetBounds(20, 40, 150, 60);
    window_->Show();
    return label;
  }

  std::unique_ptr<CWindow> window_;
  CFontDesc font_{"Arial", 9, 0};

  RECT PaintAndFindInk(CLabel& label) {
    label.RepaintNow();
    return InkBox(label.GetWindowBounds(), 0xFFFFFF);
  }
};

TEST_F(LabelTest, MarginsMoveOnlyTheAlignedEdgesCentreCodesGetNone) {
  CLabel* label = ShowLabel("Hg");
  for (int32_t code = 0; code <= 8; ++code) {
    for (bool wrap : {false, true}) {
      label->WordWrap = wrap;
      label->SetAlignment(code);
      label->SetMargin(0);
      RECT plain = PaintAndFindInk(*label);
      label->SetMargin(6);
      RECT inset = PaintAndFindInk(*label);
      int32_t h = code / 3, v = code % 3;
      int32_t dx = h == 0 ? 6 : h == 2 ? -6 : 0;
      // Wrapped text is drawn from the top: the system bottom-aligns single
      // lines only, so a bottom margin moves nothing there.
      int32_t dy = h == 1 || v == 1 || (wrap && v == 2) ? 0 : v == 0 ? 6 : -6;
      EXPECT_EQ(inset.left - plain.left, dx) << code << " wrap " << wrap;
      EXPECT_EQ(inset.top - plain.top, dy) << code << " wrap " << wrap;
    }
  }
}

TEST_F(LabelTest, NineAlignmentsPutTheTextAtTheirEdges) {
  CLabel* label = ShowLabel("Hg");
  for (int32_t code = 0; code <= 8; ++code) {
    label->SetAlignment(code);
    RECT ink = PaintAndFindInk(*label);
    int32_t h = code / 3, v = code % 3;
    int32_t centreX = (ink.left + ink.right) / 2, centreY = (ink.top + ink.bottom) / 2;
    if (h == 0) {
      EXPECT_LT(ink.left - 20, 4) << code;
    }
    if (h == 1) {
      EXPECT_NEAR(centreX, 95, 2) << code;
    }
    if (h == 2) {
      EXPECT_LT(170 - ink.right, 4) << code;
    }
    if (v == 0) {
      EXPECT_LT(ink.top - 40, 5) << code;
    }
    if (v == 1) {
      EXPECT_NEAR(centreY, 70, 3) << code;
    }
    if (v == 2) {
      EXPECT_LT(100 - ink.bottom, 6) << code;
    }
  }
}

TEST_F(LabelTest, WrappedTextCentredAlsoWhenTallerThanTheLabel) {
  CWindow window("", nullptr);
  CFontDesc font("Arial", 9, 0);
  auto* label = new CLabel(&window, "one two three four five six seven eight", &font);
  label->WordWrap = true;
  label->SetAlignment(4);
  label->SetBounds(20, 40, 60, 100);
  window.Show();
  RECT ink = PaintAndFindInk(*label);
  EXPECT_GT(ink.bottom - ink.top, 30);  // several lines
  EXPECT_NEAR((ink.top + ink.bottom) / 2, 90, 4);
  EXPECT_NEAR((ink.left + ink.right) / 2, 50, 4);
  // Shorter than the text: the same block, centred, starts 40 rows higher
  // (half the 80 rows less) and is cut at the label's edges.
  std::vector<uint32_t> tall;
  for (int32_t y = 80; y < 100; ++y)
    for (int32_t x = 20; x < 80; ++x) tall.push_back(Pixel(x, y));
  label->SetBounds(20, 40, 60, 20);
  PaintAndFindInk(*label);
  std::vector<uint32_t> cut;
  for (int32_t y = 40; y < 60; ++y)
    for (int32_t x = 20; x < 80; ++x) cut.push_back(Pixel(x, y));
  EXPECT_EQ(cut, tall);
  EXPECT_EQ(Pixel(50, 62), 0xFFFFFFu);
}

TEST_F(LabelTest, TransparentDrawsOnlyTextDisabledDrawsSilver) {
  CWindow window("", nullptr);
  window.Color = 0x00FF00;
  CFontDesc font("Arial", 12, 1);
  auto* label = new CLabel(&window, "XXX", &font);
  label->Color = 0x0000FF;
  label->SetBounds(20, 40, 100, 30);
  label->SetTransparent(true);
  window.Show();
  label->RepaintNow();
  RECT ink = InkBox(label->GetWindowBounds(), 0x00FF00);
  EXPECT_GT(ink.right, ink.left);  // text over the window's green
  EXPECT_EQ(Pixel(21, 41), 0x00FF00u);
  label->SetTransparent(false);
  label->SetEnabled(false);
  label->RepaintNow();
  EXPECT_EQ(Pixel(21, 41), 0xFF0000u);
  int silver = 0, black = 0;
  for (int32_t y = 40; y < 70; ++y)
    for (int32_t x = 20; x < 120; ++x) {
      silver += Pixel(x, y) == 0xC0C0C0;
      black += Pixel(x, y) == 0;
    }
  EXPECT_GT(silver, 20);
  EXPECT_EQ(black, 0);
}

}  // namespace
