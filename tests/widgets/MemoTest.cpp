// The memo: its text area and scroll bars with and without wrapping, line
// heights, following the end, deleting lines; the memo form around it.
#include <cstring>

#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/Memo.h"
#include "lib/widgets/Page.h"
#include "lib/widgets/ScrollBar.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

::testing::AssertionResult HasBounds(const CControl* c, int32_t x, int32_t y, int32_t w,
                                     int32_t h) {
  if (c->GetLeft() == x && c->GetTop() == y && c->GetWidth() == w && c->GetHeight() == h)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << c->GetLeft() << ", " << c->GetTop() << ", "
                                       << c->GetWidth() << ", " << c->GetHeight() << ")";
}

class MemoTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    window_ = std::make_unique<CWindow>("", nullptr);
    memo_ = new CMemo(window_.get(), &font_);
    memo_->SetMargin(4);
  }

  // The single-line width of a text in the memo's font, measured by GDI itself.
  int32_t GdiWidth(const char* text) {
    HDC dc = GetScreenBackBuffer()->GetDC();
    HGDIOBJ old = SelectObject(dc, font_.GetHandle());
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text, int(strlen(text)), &size);
    SelectObject(dc, old);
    return size.cx;
  }

  CFontDesc font_{"Arial", 9, 0};
  std::unique_ptr<CWindow> window_;
  CMemo* memo_ = nullptr;
};

TEST_F(MemoTest, GeometryWithoutWrap) {
  memo_->SetBounds(0, 20, 200, 100);
  EXPECT_EQ(memo_->TextWidth, 167);
  EXPECT_EQ(memo_->TextHeight, 75);
  EXPECT_TRUE(memo_->HScroll->IsVisible());
  EXPECT_TRUE(HasBounds(memo_->HScroll, 0, 75, 176, 25));
  EXPECT_TRUE(HasBounds(memo_->VScroll, 175, 0, 25, 76));
  EXPECT_EQ(memo_->HScroll->Orientation, 1);
  EXPECT_EQ(memo_->VScroll->Orientation, 0);
}

TEST_F(MemoTest, GeometryWithWrap) {
  memo_->SetWordWrap(true);
  memo_->SetBounds(0, 20, 200, 100);
  EXPECT_EQ(memo_->TextWidth, 167);
  EXPECT_EQ(memo_->TextHeight, 100);
  EXPECT_FALSE(memo_->HScroll->IsVisible());
  EXPECT_TRUE(HasBounds(memo_->VScroll, 175, 0, 25, 100));
}

TEST_F(MemoTest, AnEmptyMemoHasNoRangeAndNoThumbs) {
  memo_->SetBounds(0, 20, 200, 100);
  for (CScrollBar* bar : {memo_->HScroll, memo_->VScroll}) {
    EXPECT_EQ(bar->Max, 0);
    EXPECT_FALSE(bar->IsEnabled());
  }
}

TEST_F(MemoTest, LinesWithoutWrapAreOneFontHeightAndWidenTheContent) {
  memo_->SetBounds(0, 20, 200, 100);
  std::string wide(60, 'W');
  memo_->AddLine("short");
  memo_->AddLine(wide.c_str());
  memo_->AddLine("");
  int32_t h = font_.GetPixelHeight();
  for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(memo_->LineHeights[i], h) << i;
  EXPECT_EQ(memo_->TotalHeight, 3 * h);
  EXPECT_EQ(memo_->ContentWidth, GdiWidth(wide.c_str()));
  EXPECT_EQ(memo_->HScroll->Max, GdiWidth(wide.c_str()) - 167);
}

TEST_F(MemoTest, DeletingTheWidestLineNarrowsTheRange) {
  memo_->SetBounds(0, 20, 200, 100);
  std::string wide(60, 'W'), middle(40, 'W');
  memo_->AddLine(middle.c_str());
  memo_->AddLine(wide.c_str());
  memo_->AddLine("x");
  memo_->DeleteLine(1);
  EXPECT_EQ(memo_->GetLineCount(), 2);
  EXPECT_EQ(memo_->GetLine(1).Compare("x"), 0);
  EXPECT_EQ(memo_->ContentWidth, GdiWidth(middle.c_str()));
  EXPECT_EQ(memo_->HScroll->Max, GdiWidth(middle.c_str()) - 167);
  EXPECT_EQ(memo_->TotalHeight, 2 * font_.GetPixelHeight());
  memo_->DeleteLine(5);  // ignored
  EXPECT_EQ(memo_->GetLineCount(), 2);
}

TEST_F(MemoTest, WrappedLinesTakeTheirWrappedHeightAndAnEmptyLineOneFontHeight) {
  memo_->SetWordWrap(true);
  memo_->SetBounds(0, 20, 200, 100);
  std::string words;
  for (int i = 0; i < 30; ++i) words += "word ";
  memo_->AddLine(words.c_str());
  memo_->AddLine("");
  int32_t h = font_.GetPixelHeight();
  EXPECT_GE(memo_->LineHeights[0], 3 * h);
  EXPECT_EQ(memo_->LineHeights[1], h);
  EXPECT_EQ(memo_->TotalHeight, memo_->LineHeights[0] + h);
  // Narrower: the long line takes more rows.
  int32_t before = memo_->LineHeights[0];
  memo_->SetBounds(0, 20, 120, 100);
  EXPECT_GT(memo_->LineHeights[0], before);
  EXPECT_EQ(memo_->LineHeights[1], h);
}

TEST_F(MemoTest, AMemoAtItsEndFollowsNewLines) {
  memo_->SetBounds(0, 20, 200, 100);
  for (int i = 0; i < 20; ++i) memo_->AddLine("line");
  EXPECT_EQ(memo_->VScroll->Max, 20 * font_.GetPixelHeight() - 75);
  EXPECT_EQ(memo_->VScroll->Position, memo_->VScroll->Max);
  EXPECT_EQ(memo_->VOffset, memo_->VScroll->Max);
  memo_->VScroll->SetPosition(10);
  EXPECT_EQ(memo_->VOffset, 10);  // the bar's change reaches the memo as owner
  memo_->AddLine("more");
  EXPECT_EQ(memo_->VScroll->Position, 10);
  EXPECT_EQ(memo_->VOffset, 10);
}

TEST_F(MemoTest, TheHorizontalBarMovesTheText) {
  memo_->SetBounds(0, 20, 200, 100);
  std::string wide(60, 'W');
  memo_->AddLine(wide.c_str());
  memo_->HScroll->SetPosition(30);
  EXPECT_EQ(memo_->HOffset, 30);
}

TEST_F(MemoTest, TextIsCutAtTheTextHeight) {
  window_->Show();
  memo_->SetWordWrap(true);
  memo_->SetBounds(0, 20, 200, 60);
  std::string words;
  for (int i = 0; i < 60; ++i) words += "WWW ";
  memo_->AddLine(words.c_str());
  memo_->AddLine("after");
  EXPECT_GT(memo_->LineHeights[0], 60);
  memo_->VScroll->SetPosition(0);
  memo_->RepaintNow();
  // Text is drawn, inside the text area and left of the bar.
  RECT box = InkBox({1, 21, 175, 79}, 0xFFFFFF);
  EXPECT_LT(box.left, box.right);
  EXPECT_GE(box.top, 21);
  EXPECT_LE(box.bottom, 79);
  EXPECT_LE(box.right, 175);
}

TEST_F(MemoTest, TheFormShowsAWrappingMemoOverItsPage) {
  CMemoForm form("Help", nullptr);
  form.Memo->AddLine("Detail");
  form.Show();
  EXPECT_EQ(form.CloseButton != nullptr, true);
  EXPECT_EQ(form.OkButton, nullptr);
  CPage* page = form.GetPage();
  EXPECT_EQ(page->GetPageCount(), 1);
  EXPECT_EQ(form.Memo->GetParent(), page);
  EXPECT_TRUE(form.Memo->WordWrap);
  EXPECT_EQ(form.Memo->Margin, 4);
  EXPECT_TRUE(HasBounds(form.Memo, -1, -1, page->GetWidth() + 2, page->GetHeight() + 2));
  form.Hide();
  form.Show();  // laid out again: still one memo on the page
  EXPECT_EQ(page->GetControlCount(), 1);
}

TEST_F(MemoTest, TheFormClosesWithCancel) {
  CMemoForm form("Help", nullptr);
  CMessageScript script({[&] { Tap(*form.CloseButton, 5, 5); }});
  EXPECT_EQ(form.ShowModal(), mrCancel);
}

}  // namespace
