// The check box: clicks by table, the repaint rules at the edge of the box
// part, and the bitmap, caption and background read from pixels.
#include <cstdlib>
#include <memory>
#include <string>

#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/CheckBox.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

// Channels of two RGB pixels within a small distance of each other: blending
// may take one step off an opaque colour.
bool Near(uint32_t a, uint32_t b) {
  for (int shift : {0, 8, 16})
    if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > 2) return false;
  return true;
}

class CheckBoxTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    unchecked_.Fill(0xFFFF0000);
    checked_.Fill(0xFF00FF00);
    mixed_.Fill(0xFF0000FF);
    window_ = std::make_unique<CWindow>("", nullptr);
    box_ = new CCheckBox(window_.get(), "Hg", &font_, &unchecked_, &checked_, &mixed_);
    box_->SetBounds(20, 40, 120, 30);
    window_->Show();
  }

  bool RepaintRequested(const std::function<void()>& action) {
    Pump();
    ValidateRect(window_->Handle, nullptr);
    action();
    RECT r;
    return GetUpdateRect(window_->Handle, &r, FALSE);
  }

  // Ink of the caption: the pixels right of the box that are not background.
  RECT CaptionInk() { return InkBox({20, 41, 140, 69}, kWhite); }

  CFontDesc font_{"Arial", 9, 0};
  // Box part: 10 + 2 x Spacing 2 = 14 pixels wide.
  CBmp32 unchecked_{10, 10, false};
  CBmp32 checked_{10, 10, false};
  CBmp32 mixed_{10, 10, false};
  std::unique_ptr<CWindow> window_;
  CCheckBox* box_ = nullptr;
};

std::vector<std::string> g_log;
void LogCheck(CControl*, CControl*, int32_t x, int32_t y, uint8_t changed) {
  g_log.push_back("check " + std::to_string(x) + "," + std::to_string(y) + " " +
                  std::to_string(changed));
}
void LogClick(CControl*, CControl*, int32_t x, int32_t y) {
  g_log.push_back("click " + std::to_string(x) + "," + std::to_string(y));
}

TEST_F(CheckBoxTest, ClicksToggleOnlyInTheBoxPart) {
  struct {
    bool bitmaps;
    int32_t state, x, expected;
    bool changed;
  } cases[] = {
      {true, 0, 5, 1, true},   {true, 1, 5, 0, true},   {true, 2, 5, 0, true},
      {true, 0, 13, 1, true},  {true, 0, 14, 0, false}, {true, 1, 60, 1, false},
      {true, 2, 60, 2, false}, {false, 0, 5, 0, false}, {false, 2, 5, 2, false},
      {false, 1, 0, 1, false},
  };
  box_->OnCheck = LogCheck;
  box_->OnClick = LogClick;
  for (const auto& c : cases) {
    if (c.bitmaps)
      box_->SetImages(&unchecked_, &checked_, &mixed_);
    else
      box_->SetImages(nullptr, nullptr, nullptr);
    box_->State = c.state;
    g_log.clear();
    Tap(*box_, c.x, 7);
    std::string where = std::to_string(c.bitmaps) + " state " + std::to_string(c.state) + " x " +
                        std::to_string(c.x);
    EXPECT_EQ(box_->State, c.expected) << where;
    ASSERT_EQ(g_log.size(), 2u) << where;
    std::string x = std::to_string(c.x);
    EXPECT_EQ(g_log[0], "check " + x + ",7 " + (c.changed ? "1" : "0")) << where;
    EXPECT_EQ(g_log[1], "click " + x + ",7") << where;
  }
}

TEST_F(CheckBoxTest, EdgeOfTheBoxPartIsOutsideGoingDownInsideGoingUp) {
  EXPECT_FALSE(RepaintRequested([&] { box_->MouseDown(13, 5); }));
  EXPECT_TRUE(RepaintRequested([&] { box_->MouseDown(14, 5); }));
  EXPECT_FALSE(RepaintRequested([&] { box_->MouseUp(14, 5); }));
  EXPECT_TRUE(RepaintRequested([&] { box_->MouseUp(15, 5); }));
  EXPECT_TRUE(RepaintRequested([&] { box_->Click(60, 5); }));
  box_->SetImages(nullptr, nullptr, nullptr);
  EXPECT_TRUE(RepaintRequested([&] { box_->MouseDown(0, 5); }));
  EXPECT_TRUE(RepaintRequested([&] { box_->MouseUp(0, 5); }));
}

TEST_F(CheckBoxTest, EachStateShowsItsBitmapLeftAndCentred) {
  struct {
    int32_t state;
    uint32_t rgb;
  } cases[] = {{0, 0xFF0000}, {1, 0x00FF00}, {2, 0x0000FF}, {7, 0xFF0000}};
  for (const auto& c : cases) {
    box_->State = c.state;
    box_->RepaintNow();
    // Corner at (20 + Spacing, 40 + (30 - 10) / 2).
    EXPECT_TRUE(Near(Pixel(22, 50), c.rgb)) << c.state;
    EXPECT_TRUE(Near(Pixel(31, 59), c.rgb)) << c.state;
    EXPECT_EQ(Pixel(21, 50), kWhite) << c.state;
    EXPECT_EQ(Pixel(32, 59), kWhite) << c.state;
    EXPECT_EQ(Pixel(22, 49), kWhite) << c.state;
    EXPECT_EQ(Pixel(31, 60), kWhite) << c.state;
  }
}

TEST_F(CheckBoxTest, CaptionStartsThreeSpacingsRightOfTheBoxOrAtTheLeftEdge) {
  box_->RepaintNow();
  RECT ink = InkBox({33, 41, 140, 69}, kWhite);
  EXPECT_GE(ink.left, 20 + 10 + 3 * 2);
  EXPECT_LE(ink.left, 20 + 10 + 3 * 2 + 2);
  EXPECT_NEAR((ink.top + ink.bottom) / 2, 55, 2);
  box_->SetImages(nullptr, nullptr, nullptr);
  box_->RepaintNow();
  ink = CaptionInk();
  EXPECT_LE(ink.left, 22);
  box_->Font = nullptr;
  box_->RepaintNow();
  ink = CaptionInk();
  EXPECT_GT(ink.left, ink.right);  // nothing drawn
}

TEST_F(CheckBoxTest, WrappedCaptionIsCentredAsABlock) {
  box_->Caption = "Several words that wrap over lines";
  box_->WordWrap = true;
  box_->SetBounds(20, 40, 80, 60);
  box_->RepaintNow();
  RECT ink = InkBox({36, 41, 100, 99}, kWhite);
  EXPECT_GT(ink.bottom - ink.top, 2 * font_.GetPixelHeight() - 4);  // more than one line
  EXPECT_NEAR(ink.top - 40, 100 - ink.bottom, 4);
}

TEST_F(CheckBoxTest, OpaqueFillsBehindTheBoxTransparentFillsNothing) {
  box_->Color = 0x00FFFF;
  box_->RepaintNow();
  EXPECT_EQ(Pixel(20, 40), RgbOf(0x00FFFF));
  EXPECT_EQ(Pixel(21, 50), RgbOf(0x00FFFF));  // beside the bitmap
  EXPECT_EQ(Pixel(139, 69), RgbOf(0x00FFFF));
  window_->Color = 0x00FF00;
  box_->SetTransparent(true);
  window_->RepaintNow();
  EXPECT_EQ(Pixel(20, 40), 0x00FF00u);
  EXPECT_EQ(Pixel(21, 50), 0x00FF00u);
  EXPECT_TRUE(Near(Pixel(22, 50), 0xFF0000));
}

TEST_F(CheckBoxTest, DisabledDrawsAGreyBoxAndASilverCaption) {
  box_->SetEnabled(false);
  box_->RepaintNow();
  uint32_t p = Pixel(25, 55);
  EXPECT_FALSE(Near(p, 0xFF0000));
  EXPECT_EQ(p >> 16 & 0xFF, p & 0xFF);
  RECT ink = InkBox({36, 41, 140, 69}, kWhite);
  ASSERT_LT(ink.left, ink.right);
  for (int32_t y = ink.top; y < ink.bottom; ++y)
    for (int32_t x = ink.left; x < ink.right; ++x) EXPECT_NE(Pixel(x, y), 0u);
}

TEST_F(CheckBoxTest, PressedFrameSurroundsTheCaptionPartOnly) {
  box_->FrameWhenDown = true;
  box_->DownColor = 0xFDC8B7;
  box_->MouseDown(60, 5);
  box_->RepaintNow();
  EXPECT_EQ(Pixel(20 + 14, 40), 0u);  // frame from the box part's right edge
  EXPECT_EQ(Pixel(139, 69), 0u);
  EXPECT_EQ(Pixel(20 + 13, 40), kWhite);
  EXPECT_EQ(Pixel(20 + 15, 41), RgbOf(0xFDC8B7));
  box_->MouseUp(60, 5);
  box_->RepaintNow();
  EXPECT_EQ(Pixel(20 + 14, 40), kWhite);
}

}  // namespace
