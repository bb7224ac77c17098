// Panels and progress bars read from the pixels of the back buffer.
#include <memory>
#include <string>

#include "lib/widgets/Panel.h"
#include "lib/widgets/ProgressBar.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

constexpr uint32_t kRed = 0xFF0000;

bool IsRed(uint32_t rgb) { return (rgb >> 16) >= 0xFE && (rgb & 0xFFFF) == 0; }

class PanelTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    window_ = std::make_unique<CWindow>("", nullptr);
    panel_ = new CPanel(window_.get());
    panel_->Color = 0x00FF00;
    panel_->SetBounds(20, 40, 100, 50);
    window_->Show();
  }

  void GiveBitmap(int32_t w, int32_t h) {
    CBmp32 bmp(w, h, false);
    bmp.Fill(0xFFFF0000);
    panel_->SetBitmap(&bmp);
  }

  // The rows of column x that are red, as [first, last + 1).
  static std::pair<int32_t, int32_t> RedRows(int32_t x, int32_t top, int32_t bottom) {
    int32_t first = -1, end = -1;
    for (int32_t y = top; y < bottom; ++y)
      if (IsRed(Pixel(x, y))) {
        if (first < 0) first = y;
        end = y + 1;
      }
    return {first, end};
  }

  std::unique_ptr<CWindow> window_;
  CPanel* panel_ = nullptr;
};

TEST_F(PanelTest, FrameInBorderAndFillColoursEnabledAndDisabled) {
  panel_->BorderColor = 0x0000FF;
  panel_->DisabledColor = 0x808080;
  panel_->DisabledBorderColor = 0x404040;
  panel_->RepaintNow();
  EXPECT_EQ(Pixel(20, 40), RgbOf(0x0000FF));
  EXPECT_EQ(Pixel(119, 89), RgbOf(0x0000FF));
  EXPECT_EQ(Pixel(21, 41), RgbOf(0x00FF00));
  panel_->SetEnabled(false);
  panel_->RepaintNow();
  EXPECT_EQ(Pixel(20, 40), RgbOf(0x404040));
  EXPECT_EQ(Pixel(21, 41), RgbOf(0x808080));
}

TEST_F(PanelTest, FittedBitmapKeepsItsAspectCentred) {
  GiveBitmap(200, 50);
  panel_->SetStretch(true, true);
  panel_->RepaintNow();
  // Scale 0.5: 100 x 25 at y offset (50 - 25) / 2 = 12.
  EXPECT_EQ(RedRows(70, 40, 90), std::make_pair(52, 77));
  EXPECT_TRUE(IsRed(Pixel(20, 60)));
  EXPECT_TRUE(IsRed(Pixel(119, 60)));
  EXPECT_EQ(Pixel(70, 51), RgbOf(0x00FF00));  // background around it
}

TEST_F(PanelTest, FittingRoundsHalvesUp) {
  // 40 x 100 into 100 x 50: scale 0.5, 20 x 50 at x offset 40.
  GiveBitmap(40, 100);
  panel_->SetStretch(true, true);
  panel_->RepaintNow();
  EXPECT_FALSE(IsRed(Pixel(59, 60)));
  EXPECT_TRUE(IsRed(Pixel(60, 60)));
  EXPECT_TRUE(IsRed(Pixel(79, 60)));
  EXPECT_FALSE(IsRed(Pixel(80, 60)));
  // 60 x 40: scale min(1.667, 1.25) = 1.25, 75 x 50, x offset 12.
  GiveBitmap(60, 40);
  panel_->RepaintNow();
  EXPECT_FALSE(IsRed(Pixel(31, 60)));
  EXPECT_TRUE(IsRed(Pixel(32, 60)));
  EXPECT_TRUE(IsRed(Pixel(106, 60)));
  EXPECT_FALSE(IsRed(Pixel(107, 60)));
  // 200 x 67: scale 0.5, 100 x 33.5, rounded up to 34, y offset 8.
  GiveBitmap(200, 67);
  panel_->RepaintNow();
  EXPECT_EQ(RedRows(70, 40, 90), std::make_pair(48, 82));
}

TEST_F(PanelTest, StretchedBitmapFillsThePanelWithoutBackground) {
  GiveBitmap(200, 50);
  panel_->SetStretch(true, false);
  panel_->RepaintNow();
  EXPECT_EQ(RedRows(70, 30, 100), std::make_pair(40, 90));
  EXPECT_TRUE(IsRed(Pixel(20, 40)));  // no frame
  EXPECT_TRUE(IsRed(Pixel(119, 89)));
  // A clear bitmap leaves the pixels as they were: no fill, no frame.
  CBmp32 glass(10, 10, false);
  glass.Fill(0x00000000);
  panel_->SetBitmap(&glass);
  GetScreenBackBuffer()->Fill(0xFF123456);
  panel_->RepaintNow();
  EXPECT_EQ(Pixel(70, 60), 0x123456u);
  EXPECT_EQ(Pixel(20, 40), 0x123456u);
}

TEST_F(PanelTest, OwnSizeBitmapCentredAndCutByThePanel) {
  GiveBitmap(200, 30);
  panel_->RepaintNow();
  // x0 = 20 + (100 - 200) / 2 = -30: the panel shows its middle.
  EXPECT_TRUE(IsRed(Pixel(20, 60)));
  EXPECT_TRUE(IsRed(Pixel(119, 60)));
  EXPECT_FALSE(IsRed(Pixel(19, 60)));
  EXPECT_FALSE(IsRed(Pixel(120, 60)));
  EXPECT_EQ(RedRows(70, 40, 90), std::make_pair(50, 80));
  EXPECT_EQ(Pixel(20, 45), 0u);  // the frame beside it
}

TEST_F(PanelTest, DisabledBitmapIsGreyTransparentPanelHasNoFrame) {
  GiveBitmap(10, 10);
  panel_->SetEnabled(false);
  panel_->RepaintNow();
  uint32_t p = Pixel(70, 65);
  EXPECT_FALSE(IsRed(p));
  EXPECT_EQ(p >> 16 & 0xFF, p & 0xFF);
  panel_->SetBitmap(nullptr);
  EXPECT_EQ(panel_->Bitmap, nullptr);
  panel_->SetTransparent(true);
  panel_->RepaintNow();
  EXPECT_EQ(Pixel(20, 40), 0xFFFFFFu);
  EXPECT_EQ(Pixel(70, 65), 0xFFFFFFu);
}

TEST_F(PanelTest, PaintRaisesOnPaintAfterDrawing) {
  static uint32_t seen;
  panel_->OnPaint = [](CControl* owner, CControl*, CBmp*) {
    seen = Pixel(25, 45);
    EXPECT_NE(owner, nullptr);
  };
  seen = 0;
  panel_->RepaintNow();
  EXPECT_EQ(seen, RgbOf(0x00FF00));
}

TEST_F(PanelTest, LoadBitmapFromAFileAndAFailedLoad) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "tdlib_panel_gui\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  WriteBmp(folder + "red.bmp", 12, 8, 0xFFFF0000);
  CPanel loaded(nullptr, CStr((folder + "red.bmp").c_str()));
  ASSERT_NE(loaded.Bitmap, nullptr);
  EXPECT_EQ(loaded.Bitmap->Width(), 12);
  EXPECT_TRUE(panel_->LoadBitmap(CStr((folder + "red.bmp").c_str())));
  EXPECT_FALSE(panel_->LoadBitmap(CStr((folder + "missing.bmp").c_str())));
  EXPECT_EQ(panel_->Bitmap, nullptr);
}

class ProgressBarTest : public WidgetTest {};

TEST_F(ProgressBarTest, BarWidths) {
  struct SCase {
    int32_t min, max, position, width, expected;
  } cases[] = {
      {0, 100, 0, 200, 0},
      {0, 100, 50, 200, 100},
      {0, 100, 100, 200, 200},
      {0, 3, 1, 100, 33},
      {10, 20, 15, 100, 50},
      {-50, 50, 0, 100, 50},
      {7, 7, 7, 120, 120},                  // Max equal to Min: full
      {0, 300000000, 150000000, 200, 100},  // overflows 32 bits when multiplied
      {INT32_MIN, INT32_MAX, 0, 200, 100},
  };
  for (const SCase& c : cases) {
    CProgressBar bar(nullptr);
    bar.SetBounds(0, 0, c.width, 10);
    bar.SetMax(c.max);
    bar.SetMin(c.min);
    bar.SetPosition(c.position);
    EXPECT_EQ(bar.Position, c.position);
    EXPECT_EQ(bar.BarWidth(), c.expected) << c.min << ".." << c.max << " at " << c.position;
  }
}

TEST_F(ProgressBarTest, SettersClamp) {
  CProgressBar bar(nullptr);
  bar.SetPosition(150);
  EXPECT_EQ(bar.Position, 100);
  bar.SetPosition(-5);
  EXPECT_EQ(bar.Position, 0);
  bar.SetPosition(60);
  bar.SetMax(40);  // pulls the position down
  EXPECT_EQ(bar.Position, 40);
  bar.SetMin(50);  // no higher than Max
  EXPECT_EQ(bar.Min, 40);
  EXPECT_EQ(bar.Position, 40);
  bar.SetMax(10);  // no lower than Min
  EXPECT_EQ(bar.Max, 40);
  bar.SetMax(100);
  bar.SetMin(70);  // pulls the position up
  EXPECT_EQ(bar.Position, 70);
}

TEST_F(ProgressBarTest, PositionChangeRepaintsAtOnce) {
  CWindow window("", nullptr);
  auto* bar = new CProgressBar(&window);
  bar->SetBounds(20, 40, 100, 10);
  window.Show();
  window.RepaintNow();
  EXPECT_EQ(Pixel(20, 45), RgbOf(0xEBEBEB));
  bar->SetPosition(30);  // no pump: painted before it returns
  EXPECT_EQ(Pixel(20, 45), RgbOf(0xC56A31));
  EXPECT_EQ(Pixel(49, 49), RgbOf(0xC56A31));
  EXPECT_EQ(Pixel(50, 45), RgbOf(0xEBEBEB));
  EXPECT_EQ(Pixel(119, 40), RgbOf(0xEBEBEB));
}

}  // namespace
