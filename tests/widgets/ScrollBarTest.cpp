// The scroll bar: layout of its parts, the setters' rules, track, arrow and
// thumb input by posted messages, and its events' owners.
#include <memory>
#include <string>
#include <vector>

#include "lib/widgets/ScrollBar.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

struct SChangeLog {
  static inline std::vector<std::pair<CControl*, CControl*>> calls;
  static void Change(CControl* owner, CControl* sender) { calls.emplace_back(owner, sender); }
};

bool BoundsAre(const CControl& c, int32_t x, int32_t y, int32_t w, int32_t h) {
  return c.GetLeft() == x && c.GetTop() == y && c.GetWidth() == w && c.GetHeight() == h;
}

class ScrollBarTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    SChangeLog::calls.clear();
    window_ = std::make_unique<CWindow>("", nullptr);
    bar_ = new CScrollBar(window_.get());
    bar_->OnChange = SChangeLog::Change;
    bar_->SetBounds(10, 20, 20, 200);
    window_->Show();
  }

  std::unique_ptr<CWindow> window_;
  CScrollBar* bar_ = nullptr;
};

TEST_F(ScrollBarTest, BornVerticalWithItsPartsInOrder) {
  CScrollBar bar(nullptr);
  EXPECT_EQ(bar.Orientation, 0);
  EXPECT_EQ(bar.Min, 0);
  EXPECT_EQ(bar.Max, 90);
  EXPECT_EQ(bar.Range, 90);
  EXPECT_EQ(bar.Position, 0);
  EXPECT_EQ(bar.Color, 0x808080u);
  EXPECT_EQ(bar.DisabledColor, 0xC0C0C0u);
  ASSERT_EQ(bar.GetControlCount(), 3);
  EXPECT_EQ(bar.GetControl(0), bar.Thumb);
  EXPECT_EQ(bar.GetControl(1), bar.EndArrow);
  EXPECT_EQ(bar.GetControl(2), bar.StartArrow);
  for (CPanel* part : {bar.Thumb, bar.EndArrow, bar.StartArrow}) {
    EXPECT_EQ(part->Color, 0xEBEBEBu);
    EXPECT_EQ(part->DisabledColor, 0xEBEBEBu);
    EXPECT_EQ(part->BorderColor, 0u);
    EXPECT_EQ(part->DisabledBorderColor, 0x404040u);
    EXPECT_EQ(part->GetOwner(), &bar);
  }
  EXPECT_EQ(bar.DisabledBorderColor, 0x404040u);
}

TEST_F(ScrollBarTest, VerticalLayoutAndThumbPlaces) {
  EXPECT_TRUE(BoundsAre(*bar_->StartArrow, 0, 0, 20, 25));
  EXPECT_TRUE(BoundsAre(*bar_->EndArrow, 0, 175, 20, 25));
  EXPECT_EQ(bar_->TrackLength, 152);
  EXPECT_EQ(bar_->ThumbSize, 15);  // max(152 * 10 / 100, 15)
  struct SCase {
    int32_t position, top;
  } cases[] = {{0, 24}, {90, 24 + 137}, {45, 24 + 137 * 45 / 90}, {1, 24 + 1}};
  for (const SCase& c : cases) {
    bar_->SetPosition(c.position);
    EXPECT_TRUE(BoundsAre(*bar_->Thumb, 0, c.top, 20, 15)) << c.position;
  }
}

TEST_F(ScrollBarTest, HorizontalLayoutAndThumbSize) {
  bar_->SetOrientation(1);
  bar_->SetBounds(10, 20, 300, 18);
  EXPECT_TRUE(BoundsAre(*bar_->StartArrow, 0, 0, 25, 18));
  EXPECT_TRUE(BoundsAre(*bar_->EndArrow, 275, 0, 25, 18));
  EXPECT_EQ(bar_->TrackLength, 252);
  bar_->SetPageSize(60);  // 252 * 60 / 150 = 100
  EXPECT_EQ(bar_->ThumbSize, 100);
  bar_->SetPosition(90);
  EXPECT_TRUE(BoundsAre(*bar_->Thumb, 24 + 152, 0, 100, 18));
  bar_->SetButtonSize(30);
  EXPECT_TRUE(BoundsAre(*bar_->EndArrow, 270, 0, 30, 18));
  EXPECT_EQ(bar_->TrackLength, 242);
}

TEST_F(ScrollBarTest, SettersIgnoreAndClamp) {
  struct SCase {
    const char* name;
    std::function<void(CScrollBar&)> act;
    int32_t min, max, position, changes;
  } cases[] = {
      {"max equal", [](CScrollBar& b) { b.SetMax(90); }, 0, 90, 50, 0},
      {"max below min", [](CScrollBar& b) { b.SetMax(-1); }, 0, 90, 50, 0},
      {"min equal", [](CScrollBar& b) { b.SetMin(0); }, 0, 90, 50, 0},
      {"min above max", [](CScrollBar& b) { b.SetMin(91); }, 0, 90, 50, 0},
      {"max pulls the position down", [](CScrollBar& b) { b.SetMax(40); }, 0, 40, 40, 1},
      {"max above the position", [](CScrollBar& b) { b.SetMax(60); }, 0, 60, 50, 0},
      {"min pulls the position up", [](CScrollBar& b) { b.SetMin(70); }, 70, 90, 70, 1},
      {"min equal to max", [](CScrollBar& b) { b.SetMin(90); }, 90, 90, 90, 1},
      {"position above max", [](CScrollBar& b) { b.SetPosition(1000); }, 0, 90, 90, 1},
      {"position below min", [](CScrollBar& b) { b.SetPosition(-3); }, 0, 90, 0, 1},
      {"same position", [](CScrollBar& b) { b.SetPosition(50); }, 0, 90, 50, 0},
      {"range unchecked", [](CScrollBar& b) { b.SetRange(5, 10, 20); }, 10, 20, 10, 1},
  };
  for (const SCase& c : cases) {
    bar_->SetRange(50, 0, 90);
    SChangeLog::calls.clear();
    c.act(*bar_);
    EXPECT_EQ(bar_->Min, c.min) << c.name;
    EXPECT_EQ(bar_->Max, c.max) << c.name;
    EXPECT_EQ(bar_->Range, c.max - c.min) << c.name;
    EXPECT_EQ(bar_->Position, c.position) << c.name;
    EXPECT_EQ(int32_t(SChangeLog::calls.size()), c.changes) << c.name;
  }
  bar_->SetPageSize(-4);
  EXPECT_EQ(bar_->PageSize, 0);
  bar_->SetMinThumbSize(-1);
  EXPECT_EQ(bar_->MinThumbSize, 0);
  EXPECT_EQ(bar_->ThumbSize, 0);
  bar_->SetLargeStep(-2);
  bar_->SetSmallStep(-2);
  EXPECT_EQ(bar_->LargeStep, 0);
  EXPECT_EQ(bar_->SmallStep, 0);
}

TEST_F(ScrollBarTest, NewRangeResizesTheThumbEvenWhenThePositionStays) {
  bar_->SetRange(0, 0, 10);  // 152 * 10 / 20
  EXPECT_EQ(bar_->ThumbSize, 76);
  EXPECT_EQ(bar_->Thumb->GetHeight(), 76);
  EXPECT_TRUE(SChangeLog::calls.empty());
}

TEST_F(ScrollBarTest, EmptyRangeHidesTheThumbAndDisablesTheBar) {
  bar_->SetMax(0);
  EXPECT_FALSE(bar_->Thumb->IsVisible());
  EXPECT_FALSE(bar_->IsEnabled());
  bar_->Click(10, 150);  // steps by LargeStep, clamped to the single value
  EXPECT_EQ(bar_->Position, 0);
  EXPECT_TRUE(SChangeLog::calls.empty());
  bar_->SetPageSize(20);
  EXPECT_FALSE(bar_->Thumb->IsVisible());
  bar_->SetMax(30);
  EXPECT_TRUE(bar_->Thumb->IsVisible());
  EXPECT_TRUE(bar_->IsEnabled());
  EXPECT_EQ(bar_->ThumbSize, 152 * 20 / 50);
  bar_->SetRange(4, 9, 3);  // unchecked: Max below Min
  EXPECT_FALSE(bar_->Thumb->IsVisible());
  EXPECT_EQ(bar_->Position, 9);
}

TEST_F(ScrollBarTest, TrackAndArrowClicks) {
  Tap(*bar_, 10, 150);  // below the thumb
  EXPECT_EQ(bar_->Position, 10);
  Tap(*bar_, 10, 150);
  EXPECT_EQ(bar_->Position, 20);
  Tap(*bar_, 10, 30);  // above the thumb at 24 + 137 * 20 / 90 = 54
  EXPECT_EQ(bar_->Position, 10);
  Tap(*bar_->EndArrow, 10, 10);
  EXPECT_EQ(bar_->Position, 11);
  Tap(*bar_->StartArrow, 10, 10);
  Tap(*bar_->StartArrow, 10, 10);
  EXPECT_EQ(bar_->Position, 9);
  bar_->SetPosition(0);
  Tap(*bar_->StartArrow, 10, 10);
  EXPECT_EQ(bar_->Position, 0);
  bar_->SetLargeStep(500);
  Tap(*bar_, 10, 150);
  EXPECT_EQ(bar_->Position, 90);
  EXPECT_EQ(SChangeLog::calls.size(), 8u);
}

TEST_F(ScrollBarTest, HorizontalTrackClicksCompareWithTheThumbsLeft) {
  bar_->SetOrientation(1);
  bar_->SetBounds(10, 20, 200, 20);
  bar_->SetPosition(45);  // thumb from 24 + 68 = 92
  Tap(*bar_, 91, 10);
  EXPECT_EQ(bar_->Position, 35);
  Tap(*bar_, 150, 10);
  EXPECT_EQ(bar_->Position, 45);
}

TEST_F(ScrollBarTest, DragFollowsThePointerOnlyWhilePressed) {
  // Press 5 pixels into the thumb at position 0 (thumb top 24).
  Mouse(*bar_, WM_LBUTTONDOWN, 10, 29);
  ASSERT_TRUE(bar_->Thumb->IsPressed());
  Mouse(*bar_, WM_MOUSEMOVE, 10, 29);  // no offset, no change
  EXPECT_EQ(bar_->Position, 0);
  Mouse(*bar_, WM_MOUSEMOVE, 10, 29 + 68);
  EXPECT_EQ(bar_->Position, 68 * 90 / 137);
  Mouse(*bar_, WM_MOUSEMOVE, 10, 29 + 68);  // the thumb has come along
  EXPECT_EQ(bar_->Position, 68 * 90 / 137);
  Mouse(*bar_, WM_MOUSEMOVE, 10, 29 + 137);
  EXPECT_EQ(bar_->Position, 90);
  Mouse(*bar_, WM_MOUSEMOVE, 10, 190);
  EXPECT_EQ(bar_->Position, 90);
  Mouse(*bar_, WM_MOUSEMOVE, 10, 29 + 136);  // one pixel back from the end
  EXPECT_EQ(bar_->Position, 136 * 90 / 137);
  Mouse(*bar_, WM_MOUSEMOVE, 10, -40);  // far beyond the start
  EXPECT_EQ(bar_->Position, 0);
  Mouse(*bar_, WM_LBUTTONUP, 10, -40);
  EXPECT_FALSE(bar_->Thumb->IsPressed());
  // A mouse passing over the thumb without a press moves nothing.
  Mouse(*bar_, WM_MOUSEMOVE, 10, 36);
  EXPECT_EQ(bar_->Position, 0);
  for (const auto& call : SChangeLog::calls) {
    EXPECT_EQ(call.first, window_.get());
    EXPECT_EQ(call.second, bar_);
  }
}

TEST_F(ScrollBarTest, GripLinesAcrossTheThumbsMiddle) {
  window_->RepaintNow();
  // Thumb at window (10, 44), 20 x 15: lines at y = 44 + 7 - 2, 51, 53 from
  // x = 10 + 5, 10 long.
  for (int32_t y : {49, 51, 53}) {
    EXPECT_EQ(Pixel(15, y), 0u) << y;
    EXPECT_EQ(Pixel(24, y), 0u) << y;
    EXPECT_EQ(Pixel(14, y), RgbOf(0xEBEBEB)) << y;
    EXPECT_EQ(Pixel(25, y), RgbOf(0xEBEBEB)) << y;
  }
  EXPECT_EQ(Pixel(20, 50), RgbOf(0xEBEBEB));
  EXPECT_EQ(Pixel(20, 44), 0u);                // thumb border
  EXPECT_EQ(Pixel(20, 100), RgbOf(0x808080));  // track
  bar_->SetMax(0);
  window_->RepaintNow();
  EXPECT_EQ(Pixel(20, 100), RgbOf(0xC0C0C0));  // disabled track
  EXPECT_EQ(Pixel(10, 100), RgbOf(0x404040));
}

TEST_F(ScrollBarTest, ArrowBitmapsPerOrientation) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "tdlib_scrollbar_gui\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  const char* names[] = {"up", "down", "left", "right"};
  for (int32_t i = 0; i < 4; ++i)
    WriteBmp(folder + "btn_arrow_scrollbar_" + names[i] + ".bmp", 5 + i, 5, 0xFF0000FF);
  SetImageFolder(CStr(folder.c_str()));
  CScrollBar bar(nullptr);
  ASSERT_NE(bar.StartArrow->Bitmap, nullptr);
  ASSERT_NE(bar.EndArrow->Bitmap, nullptr);
  EXPECT_EQ(bar.StartArrow->Bitmap->Width(), 5);
  EXPECT_EQ(bar.EndArrow->Bitmap->Width(), 6);
  bar.SetOrientation(2);
  ASSERT_NE(bar.StartArrow->Bitmap, nullptr);
  ASSERT_NE(bar.EndArrow->Bitmap, nullptr);
  EXPECT_EQ(bar.StartArrow->Bitmap->Width(), 7);
  EXPECT_EQ(bar.EndArrow->Bitmap->Width(), 8);
  SetImageFolder(CStr("Z:\\nonexistent\\"));
  bar.SetOrientation(2);  // loads again even without a change
  EXPECT_EQ(bar.StartArrow->Bitmap, nullptr);
  EXPECT_EQ(bar.EndArrow->Bitmap, nullptr);
}

}  // namespace
