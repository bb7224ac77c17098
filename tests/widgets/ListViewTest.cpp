// The list view: paging, the three select modes and the marks by posted
// input, sorting, focus, and the rows' pixels in the back buffer.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/ListView.h"
#include "lib/widgets/ScrollBar.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

// What the list view raised, in order.
struct SListLog {
  static inline std::vector<std::string> events;
  static void ItemClick(CControl*, CControl*, CListItem* item, bool onMark) {
    events.push_back((onMark ? "mark " : "click ") + std::string(item->GetText().c_str()));
  }
  static void CheckChange(CControl*, CControl*, CListItem* item) {
    events.push_back("check " + std::string(item->GetText().c_str()));
  }
  static void SelectionChange(CControl*, CControl*) { events.push_back("selection"); }
  static void FocusChange(CControl*, CControl*) { events.push_back("focus"); }
  static void Attach(CListView& list) {
    events.clear();
    list.OnItemClick = ItemClick;
    list.OnCheckChange = CheckChange;
    list.OnSelectionChange = SelectionChange;
    list.OnFocusChange = FocusChange;
  }
};

constexpr int32_t kListTop = 20;
constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kGrey = 0xFF808080;

class ListViewTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    window_ = std::make_unique<CWindow>("", nullptr);
    window_->Show();
  }

  void TearDown() override {
    window_.reset();
    WidgetTest::TearDown();
  }

  // The mark bitmaps, 12 x 12 each in its own colour, in a folder of this process.
  void UseMarkFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder =
        std::string(temp) + "tdlib_listview_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteBmp(folder + "btn_check_checked.bmp", 12, 12, kGreen);
    WriteBmp(folder + "btn_check_visible.bmp", 12, 12, kBlue);
    WriteBmp(folder + "btn_check_unchecked.bmp", 12, 12, kRed);
    WriteBmp(folder + "btn_check_mixed.bmp", 12, 12, kGrey);
    SetImageFolder(CStr(folder.c_str()));
  }

  // A list at (0, 20), 240 x 200, with the items "Row 00", "Row 01", ...
  CListView* MakeList(int32_t viewMode, int32_t selectMode, int32_t count,
                      int32_t itemHeight = 40) {
    auto* list = new CListView(window_.get(), viewMode, itemHeight, 16, selectMode, &font_);
    list->BeginUpdate();
    for (int32_t i = 0; i < count; ++i) {
      char text[16];
      wsprintfA(text, "Row %02d", i);
      list->AddItem()->SetText(text);
    }
    list->EndUpdate();
    list->SetBounds(0, kListTop, 240, 200);
    SListLog::Attach(*list);
    return list;
  }

  // Local y of the middle of row r of the current page.
  static int32_t RowY(const CListView& list, int32_t r) {
    return 1 + r * list.GetRowHeight() + list.GetRowHeight() / 2;
  }

  static std::vector<int32_t> SelectedIndices(const CListView& list) {
    std::vector<int32_t> out;
    for (int32_t i = 0; i < list.GetCount(); ++i)
      if (list.GetItem(i)->IsSelected()) out.push_back(i);
    return out;
  }

  static std::vector<std::string> Texts(const CListView& list) {
    std::vector<std::string> out;
    for (int32_t i = 0; i < list.GetCount(); ++i) out.push_back(list.GetItem(i)->GetText().c_str());
    return out;
  }

  CFontDesc font_{"Arial", 9, 0};
  std::unique_ptr<CWindow> window_;
};

TEST_F(ListViewTest, RowsAreSqueezedToLeaveTheScrollBand) {
  CListView* list = MakeList(lvmText, lsmNone, 11);
  EXPECT_EQ(list->GetItemsPerPage(), 5);
  EXPECT_EQ(list->GetRowHeight(), 33);
  EXPECT_EQ(list->GetPageCount(), 3);
  ASSERT_EQ(list->GetCurrentPage(), 1);
  for (int32_t r = 0; r < 5; ++r) {
    CListItem* item = list->GetItem(r);
    EXPECT_EQ(item->GetParent(), list);
    EXPECT_EQ(item->GetTop(), 1 + 33 * r);
    EXPECT_EQ(item->GetHeight(), 33);
    EXPECT_EQ(item->GetWidth(), 240);
  }
  EXPECT_EQ(list->GetItem(5)->GetParent(), nullptr);
  CScrollBar* bar = list->GetScrollBar();
  EXPECT_TRUE(bar->IsVisible());
  EXPECT_EQ(bar->GetLeft(), -1);
  EXPECT_EQ(bar->GetTop(), 166);
  EXPECT_EQ(bar->GetWidth(), 242);
  EXPECT_EQ(bar->GetHeight(), 35);
  list->SetCurrentPage(3);
  EXPECT_EQ(list->GetItem(10)->GetParent(), list);
  EXPECT_EQ(list->GetItem(10)->GetTop(), 1);
  EXPECT_EQ(list->GetItem(9)->GetParent(), nullptr);
}

TEST_F(ListViewTest, AnEmptyListHasOnePageAndNoRows) {
  CListView* list = MakeList(lvmText, lsmNone, 0);
  EXPECT_EQ(list->GetPageCount(), 1);
  EXPECT_EQ(list->GetControlCount(), 1);  // the scroll bar alone
  EXPECT_EQ(list->ItemAt(10, RowY(*list, 0)), -1);
}

TEST_F(ListViewTest, AListShorterThanOneItemStillHasRows) {
  struct SCase {
    int32_t itemHeight, height, count;
    int32_t perPage, rowHeight, pages;
  } cases[] = {
      {40, 20, 3, 1, 10, 3},  // shorter than one item: one row a page
      {0, 20, 0, 20, 1, 1},   // item height 0 taken as 1
      {40, 1, 0, 1, 1, 1},    // a one-pixel list: rows of at least one pixel
  };
  for (const SCase& c : cases) {
    CListView* list = MakeList(lvmText, lsmNone, c.count, c.itemHeight);
    list->SetBounds(0, kListTop, 240, c.height);
    EXPECT_EQ(list->GetItemsPerPage(), c.perPage) << c.itemHeight << " " << c.height;
    EXPECT_EQ(list->GetRowHeight(), c.rowHeight) << c.itemHeight << " " << c.height;
    EXPECT_EQ(list->GetPageCount(), c.pages) << c.itemHeight << " " << c.height;
    delete list;
  }
}

TEST_F(ListViewTest, HitTestCountsRowsBelowTheTopLine) {
  CListView* list = MakeList(lvmText, lsmNone, 11);
  list->GetItem(3)->SetItemEnabled(false);
  struct SCase {
    int32_t y, index;
  } cases[] = {{0, -1},  {1, 0},    {33, 0}, {34, 1}, {100, -1 /* disabled */},
               {165, 4}, {166, -1}, {-5, -1}};
  for (const SCase& c : cases) EXPECT_EQ(list->ItemAt(10, c.y), c.index) << c.y;
  list->SetCurrentPage(3);
  EXPECT_EQ(list->ItemAt(10, 1), 10);
  EXPECT_EQ(list->ItemAt(10, 34), -1);  // past the last item
}

TEST_F(ListViewTest, RangeSelectionFollowsTheDrag) {
  CListView* list = MakeList(lvmText, lsmRange, 11, 20);  // ten rows a page
  Mouse(*list, WM_LBUTTONDOWN, 100, RowY(*list, 2));
  EXPECT_EQ(SelectedIndices(*list), (std::vector<int32_t>{2}));
  for (int32_t r : {3, 4, 5}) Mouse(*list, WM_MOUSEMOVE, 100, RowY(*list, r));
  EXPECT_EQ(SelectedIndices(*list), (std::vector<int32_t>{2, 3, 4, 5}));
  Mouse(*list, WM_MOUSEMOVE, 100, RowY(*list, 3));
  EXPECT_EQ(SelectedIndices(*list), (std::vector<int32_t>{2, 3}));
  Mouse(*list, WM_LBUTTONUP, 100, RowY(*list, 3));
  EXPECT_EQ(list->GetFocusedItem(), list->GetItem(3));
  // A new gesture from a selected row deselects its range.
  Mouse(*list, WM_LBUTTONDOWN, 100, RowY(*list, 3));
  Mouse(*list, WM_MOUSEMOVE, 100, RowY(*list, 1));
  Mouse(*list, WM_LBUTTONUP, 100, RowY(*list, 1));
  EXPECT_TRUE(SelectedIndices(*list).empty());
}

TEST_F(ListViewTest, TouchSelectionKeepsTheRowsTouched) {
  for (bool showFocus : {true, false}) {
    CListView* list = MakeList(lvmText, lsmTouch, 11);
    list->ShowFocus = showFocus;
    // A finger slides a pixel or two inside the row it pressed.
    Mouse(*list, WM_LBUTTONDOWN, 100, RowY(*list, 1));
    Mouse(*list, WM_MOUSEMOVE, 101, RowY(*list, 1));
    Mouse(*list, WM_MOUSEMOVE, 101, RowY(*list, 1) + 1);
    Mouse(*list, WM_LBUTTONUP, 101, RowY(*list, 1) + 1);
    EXPECT_EQ(SelectedIndices(*list), (std::vector<int32_t>{1})) << showFocus;
    Mouse(*list, WM_LBUTTONDOWN, 100, RowY(*list, 3));
    Mouse(*list, WM_MOUSEMOVE, 100, RowY(*list, 4));
    Mouse(*list, WM_MOUSEMOVE, 100, RowY(*list, 4) + 1);
    Mouse(*list, WM_LBUTTONUP, 100, RowY(*list, 4));
    EXPECT_EQ(SelectedIndices(*list), (std::vector<int32_t>{1, 3, 4})) << showFocus;
    // Dragging over a selected row deselects it.
    Mouse(*list, WM_LBUTTONDOWN, 100, RowY(*list, 0));
    Mouse(*list, WM_MOUSEMOVE, 100, RowY(*list, 1));
    Mouse(*list, WM_MOUSEMOVE, 99, RowY(*list, 1));
    Mouse(*list, WM_LBUTTONUP, 100, RowY(*list, 1));
    EXPECT_EQ(SelectedIndices(*list), (std::vector<int32_t>{0, 3, 4})) << showFocus;
    EXPECT_EQ(std::count(SListLog::events.begin(), SListLog::events.end(), "selection"), 5)
        << showFocus;
    delete list;
  }
}

TEST_F(ListViewTest, WithoutSelectionAPressedRowIsHighlightedUntilRelease) {
  CListView* list = MakeList(lvmText, lsmNone, 11);
  int32_t y = kListTop + RowY(*list, 1);
  Mouse(*list, WM_LBUTTONDOWN, 100, RowY(*list, 1));
  window_->RepaintNow();
  EXPECT_EQ(Pixel(200, y), RgbOf(0xFDC8B7));
  Mouse(*list, WM_LBUTTONUP, 100, RowY(*list, 1));
  window_->RepaintNow();
  EXPECT_EQ(Pixel(200, y), 0xFFFFFFu);
  EXPECT_TRUE(SelectedIndices(*list).empty());
  EXPECT_EQ(SListLog::events, (std::vector<std::string>{"focus", "click Row 01"}));
}

TEST_F(ListViewTest, TappingTheMarkToggles) {
  UseMarkFolder();
  for (int32_t mode : {lvmCheck, lvmVisible}) {
    CListView* list = MakeList(mode, lsmTouch, 3);
    ASSERT_NE(list->CheckBitmap, nullptr);
    SListLog::Attach(*list);
    list->GetItem(0)->SetState(2);
    list->GetItem(1)->SetState(0);
    SListLog::events.clear();
    for (int32_t r : {0, 1, 2}) Tap(*list, 5, RowY(*list, r));
    EXPECT_EQ(list->GetItem(0)->GetState(), 0) << mode;
    EXPECT_EQ(list->GetItem(1)->GetState(), 1) << mode;
    EXPECT_EQ(list->GetItem(2)->GetState(), 0) << mode;
    EXPECT_EQ(SListLog::events,
              (std::vector<std::string>{"check Row 00", "mark Row 00", "check Row 01",
                                        "mark Row 01", "check Row 02", "mark Row 02"}))
        << mode;
    EXPECT_TRUE(SelectedIndices(*list).empty()) << mode;
    delete list;
  }
}

TEST_F(ListViewTest, SlidingOffTheMarkChangesNothing) {
  UseMarkFolder();
  CListView* list = MakeList(lvmCheck, lsmTouch, 3);
  Mouse(*list, WM_LBUTTONDOWN, 5, RowY(*list, 1));
  Mouse(*list, WM_MOUSEMOVE, 120, RowY(*list, 1));
  Mouse(*list, WM_LBUTTONUP, 120, RowY(*list, 1));
  EXPECT_EQ(list->GetItem(1)->GetState(), 1);
  EXPECT_TRUE(SListLog::events.empty());
  // Beside the mark the row is selected and clicked, the state stays.
  Tap(*list, 120, RowY(*list, 1));
  EXPECT_EQ(list->GetItem(1)->GetState(), 1);
  EXPECT_EQ(SelectedIndices(*list), (std::vector<int32_t>{1}));
  EXPECT_EQ(SListLog::events.back(), "click Row 01");
}

TEST_F(ListViewTest, DisabledRowsAreSkipped) {
  CListView* list = MakeList(lvmCheck, lsmTouch, 4);
  list->GetItem(1)->SetItemEnabled(false);
  list->GetItem(0)->SetState(2);
  list->GetItem(2)->SetState(2);
  SListLog::events.clear();
  Tap(*list, 100, RowY(*list, 1));
  EXPECT_TRUE(SelectedIndices(*list).empty());
  EXPECT_TRUE(SListLog::events.empty());
  list->SelectAll();
  EXPECT_EQ(SelectedIndices(*list), (std::vector<int32_t>{0, 2, 3}));
  list->InvertSelection();
  EXPECT_TRUE(SelectedIndices(*list).empty());
  SListLog::events.clear();
  list->InvertChecks();  // mixed becomes checked; the last item first
  EXPECT_EQ(list->GetItem(0)->GetState(), 0);
  EXPECT_EQ(list->GetItem(1)->GetState(), 1);
  EXPECT_EQ(list->GetItem(2)->GetState(), 0);
  EXPECT_EQ(list->GetItem(3)->GetState(), 0);
  EXPECT_EQ(SListLog::events,
            (std::vector<std::string>{"check Row 03", "check Row 02", "check Row 00"}));
  list->UncheckAll();
  EXPECT_EQ(list->GetItem(3)->GetState(), 1);
  list->CheckAll();
  EXPECT_EQ(list->GetItem(1)->GetState(), 1);
  EXPECT_EQ(list->GetItem(2)->GetState(), 0);
  EXPECT_EQ(list->SelectedCount(), 0);
}

TEST_F(ListViewTest, SortingOrdersTextsWithoutRegardToCase) {
  CListView* list = MakeList(lvmText, lsmNone, 0);
  const char* texts[] = {"delta", "Alpha", "charlie", "Bravo", "echo", "alpha2"};
  list->BeginUpdate();
  for (const char* t : texts) list->AddItem()->SetText(t);
  list->EndUpdate();
  list->SetSorted(true);
  std::vector<std::string> expected = {"Alpha", "alpha2", "Bravo", "charlie", "delta", "echo"};
  EXPECT_EQ(Texts(*list), expected);
  // One more item goes to its place, and so does a changed text.
  list->AddItem()->SetText("Cobra");
  list->GetItem(0)->SetText("foxtrot");
  expected = {"alpha2", "Bravo", "charlie", "Cobra", "delta", "echo", "foxtrot"};
  EXPECT_EQ(Texts(*list), expected);
  // Inside an update the order waits for the end.
  list->BeginUpdate();
  list->AddItem()->SetText("able");
  EXPECT_EQ(list->GetItem(list->GetCount() - 1)->GetText(), "able");
  list->EndUpdate();
  EXPECT_EQ(list->GetItem(0)->GetText(), "able");
  // The rows on the page are the sorted ones.
  EXPECT_EQ(list->GetItem(0)->GetParent(), list);
  EXPECT_EQ(list->GetItem(0)->GetTop(), 1);
}

TEST_F(ListViewTest, ThePageFollowsTheFocusedItem) {
  CListView* list = MakeList(lvmText, lsmNone, 11);
  list->SetFocusedItem(list->GetItem(7));
  EXPECT_EQ(SListLog::events, (std::vector<std::string>{"focus"}));
  list->UpdatePages();
  EXPECT_EQ(list->GetCurrentPage(), 2);
  list->SetFocusedItem(list->GetItem(10));
  list->AddItem();
  EXPECT_EQ(list->GetCurrentPage(), 3);
  list->ShowFocus = false;
  list->SetFocusedItem(list->GetItem(0));  // ignored without a focus
  EXPECT_EQ(list->GetFocusedItem(), list->GetItem(10));
}

TEST_F(ListViewTest, TheFocusLeavesWithItsItem) {
  CListView* list = MakeList(lvmText, lsmNone, 11);
  list->SetFocusedItem(list->GetItem(4));
  SListLog::events.clear();
  list->Delete(4);
  EXPECT_EQ(list->GetFocusedItem(), nullptr);
  EXPECT_EQ(list->GetCount(), 10);
  EXPECT_EQ(SListLog::events, (std::vector<std::string>{"focus"}));
  // Without ShowFocus the dead item is forgotten all the same.
  list->SetFocusedItem(list->GetItem(2));
  list->ShowFocus = false;
  list->Delete(2);
  EXPECT_EQ(list->GetFocusedItem(), nullptr);
  // Destroying the list raises nothing.
  list->ShowFocus = true;
  list->SetFocusedItem(list->GetItem(0));
  SListLog::events.clear();
  delete list;
  EXPECT_TRUE(SListLog::events.empty());
}

TEST_F(ListViewTest, DeleteIgnoresAnIndexOutOfRange) {
  CListView* list = MakeList(lvmText, lsmNone, 3);
  list->Delete(2);
  list->Delete(2);
  list->Delete(-1);
  list->Delete(5);
  EXPECT_EQ(Texts(*list), (std::vector<std::string>{"Row 00", "Row 01"}));
  EXPECT_EQ(list->GetItem(2), nullptr);
  EXPECT_EQ(list->GetItem(-1), nullptr);
  list->Delete(0);
  list->Delete(0);
  list->Delete(0);
  EXPECT_EQ(list->GetCount(), 0);
  EXPECT_EQ(list->GetPageCount(), 1);
}

TEST_F(ListViewTest, ATouchAfterClearFindsNoStaleRow) {
  for (int32_t mode : {lsmNone, lsmTouch, lsmRange}) {
    CListView* list = MakeList(lvmText, mode, 11);
    list->MouseDown(100, RowY(*list, 4));
    list->MouseMove(100, RowY(*list, 3));
    EXPECT_NE(list->PressedIndex, -1) << mode;
    list->Clear();
    EXPECT_EQ(list->PressedIndex, -1) << mode;
    EXPECT_EQ(list->RangeEnd, -1) << mode;
    EXPECT_EQ(list->LastTouched, -1) << mode;
    SListLog::events.clear();
    list->MouseMove(100, RowY(*list, 2));
    list->MouseUp(100, RowY(*list, 2));
    list->Click(100, RowY(*list, 2));
    EXPECT_TRUE(SListLog::events.empty()) << mode;
    window_->RepaintNow();
    delete list;
  }
}

TEST_F(ListViewTest, RowPixels) {
  UseMarkFolder();
  CListView* list = MakeList(lvmCheck, lsmTouch, 3);
  list->GetItem(0)->SetSelected(true);
  list->GetItem(1)->SetItemEnabled(false);
  list->SetFocusedItem(list->GetItem(2));
  window_->RepaintNow();
  int32_t top0 = kListTop + 1, top2 = kListTop + 1 + 66;
  EXPECT_EQ(Pixel(100, kListTop), 0x000000u);  // the top line
  EXPECT_EQ(Pixel(200, top0 + 16), RgbOf(0xFDC8B7));
  EXPECT_EQ(Pixel(200, top2 + 16), 0xFFFFFFu);
  // Unchecked marks at (2, (33 - 12) / 2): red, the disabled one grey.
  EXPECT_EQ(Pixel(2, top0 + 10), 0xFE0000u);
  EXPECT_EQ(Pixel(13, top0 + 21), 0xFE0000u);
  EXPECT_NE(Pixel(1, top0 + 10), 0xFE0000u);
  EXPECT_NE(Pixel(14, top0 + 21), 0xFE0000u);
  uint32_t grey = Pixel(2, top0 + 33 + 10);
  EXPECT_EQ(grey >> 16 & 0xFF, grey & 0xFF);
  EXPECT_EQ(grey >> 8 & 0xFF, grey & 0xFF);
  // The focus frame from the mark's right + Margin to the row's end.
  EXPECT_EQ(Pixel(16, top2 + 16), 0x000000u);
  EXPECT_EQ(Pixel(239, top2 + 16), 0x000000u);
  EXPECT_EQ(Pixel(100, top2), 0x000000u);
  EXPECT_EQ(Pixel(100, top2 + 32), 0x000000u);
  EXPECT_EQ(Pixel(15, top2 + 16), 0xFFFFFFu);
  // The texts start after the frame and a margin, black or silver.
  RECT ink = InkBox({17, top2 + 1, 238, top2 + 32}, 0xFFFFFF);
  EXPECT_GE(ink.left, 18);
  EXPECT_LE(ink.left, 21);
  uint32_t darkest = 0xFF;
  for (int32_t y = top0 + 34; y < top0 + 65; ++y)
    for (int32_t x = 17; x < 238; ++x) darkest = std::min(darkest, Pixel(x, y) & 0xFF);
  EXPECT_LT(darkest, 0xFFu);  // there is a text
  EXPECT_GE(darkest, 0xC0u);  // and it is no darker than silver
}

TEST_F(ListViewTest, IconsAreScaledIntoTheirColumn) {
  CListView* list = MakeList(lvmIcon, lsmNone, 2);
  CBmp32 big(32, 24, false), small(8, 8, false);
  big.Fill(kRed);
  small.Fill(kBlue);
  list->GetItem(0)->SetIcon(&big);
  list->GetItem(1)->SetIcon(&small);
  window_->RepaintNow();
  // 32 x 24 to 16 x 12 at (2, (33 - 12) / 2); 8 x 8 unscaled, centred in 16.
  RECT red = InkBox({0, kListTop + 1, 19, kListTop + 34}, 0xFFFFFF);
  EXPECT_EQ(red.left, 2);
  EXPECT_EQ(red.right, 18);
  EXPECT_EQ(red.top, kListTop + 1 + 10);
  EXPECT_EQ(red.bottom, kListTop + 1 + 22);
  EXPECT_EQ(Pixel(10, kListTop + 17) & 0xFF0000, 0xFF0000u);
  RECT blue = InkBox({0, kListTop + 34, 19, kListTop + 67}, 0xFFFFFF);
  EXPECT_EQ(blue.left, 2 + 4);
  EXPECT_EQ(blue.right, 2 + 4 + 8);
  EXPECT_EQ(blue.top, kListTop + 34 + 12);
  EXPECT_EQ(blue.bottom, kListTop + 34 + 20);
}

TEST_F(ListViewTest, WideTextsScrollSideways) {
  CListView* list = MakeList(lvmText, lsmNone, 0);
  list->AddItem()->SetText(CStr(std::string(40, 'W').c_str()));
  list->AddItem()->SetText("short");
  SIZE extent = GetScreenBackBuffer()->MeasureText(list->GetItem(0)->GetText(), font_.GetHandle());
  EXPECT_EQ(list->GetContentWidth(), extent.cx + 4);
  EXPECT_EQ(list->GetItem(1)->GetWidth(), extent.cx + 4);
  CScrollBar* bar = list->GetScrollBar();
  EXPECT_EQ(bar->Max, extent.cx + 4 - 240);
  window_->RepaintNow();
  std::vector<uint32_t> before;
  for (int32_t x = 0; x < 240; ++x) before.push_back(Pixel(x, kListTop + 17));
  ValidateRect(window_->Handle, nullptr);
  bar->SetPosition(30);
  RECT update;
  ASSERT_TRUE(GetUpdateRect(window_->Handle, &update, FALSE));  // the rows repaint
  EXPECT_LE(update.top, kListTop + 1);
  window_->RepaintNow();
  for (int32_t x = 0; x < 200; ++x) EXPECT_EQ(Pixel(x, kListTop + 17), before[x + 30]) << x;
  // A new page starts unscrolled.
  list->UpdatePages();
  EXPECT_EQ(bar->Position, 0);
}

}  // namespace
