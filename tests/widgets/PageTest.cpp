// Page controls: the clamping of the current page and its events; the auto
// page's row layout, pagination, separator lines and ownership.
#include <memory>
#include <string>
#include <vector>

#include "lib/widgets/Page.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

// What the page raised, in order.
struct SPageEvents {
  static inline std::vector<std::string> log;
  static void Change(CControl*, CControl*) { log.push_back("change"); }
  static void Update(CControl*, CControl*, int32_t page) {
    log.push_back("update " + std::to_string(page));
  }
};

// Counts how many of its kind are alive.
class CCountedControl : public CControl {
 public:
  CCountedControl(int32_t width, int32_t height) : CControl(nullptr) {
    SetBounds(0, 0, width, height);
    ++alive;
  }
  ~CCountedControl() override { --alive; }
  static inline int32_t alive = 0;
};

class PageTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    SPageEvents::log.clear();
  }
};

TEST_F(PageTest, SetCurrentPageClampsAndAlwaysFillsAndRaises) {
  struct SCase {
    int32_t count, page, expected;
  } cases[] = {
      {3, 2, 2},         {3, 0, 1}, {3, -7, 1}, {3, 3, 3}, {3, 4, 3},
      {3, INT32_MAX, 3}, {0, 1, 0}, {0, -1, 0}, {0, 0, 0},
  };
  for (const SCase& c : cases) {
    CPage page(nullptr, SPageEvents::Update);
    page.OnPageChange = SPageEvents::Change;
    page.PageCount = c.count;
    SPageEvents::log.clear();
    page.SetCurrentPage(c.page);
    EXPECT_EQ(page.GetCurrentPage(), c.expected) << c.count << " " << c.page;
    std::vector<std::string> expected = {"update " + std::to_string(c.expected), "change"};
    EXPECT_EQ(SPageEvents::log, expected) << c.count << " " << c.page;
  }
}

TEST_F(PageTest, EverySetRaisesEvenWithoutChangeAndUpdatePagesRaisesOnlyTheChange) {
  CPage page(nullptr, SPageEvents::Update);
  page.OnPageChange = SPageEvents::Change;
  page.SetPageCount(4);
  page.SetCurrentPage(3);
  page.SetCurrentPage(3);
  page.SetPageCount(2);  // clamps the current page
  page.UpdatePages();
  EXPECT_EQ(page.GetCurrentPage(), 2);
  std::vector<std::string> expected = {"update 1", "change",   "update 3", "change", "update 3",
                                       "change",   "update 2", "change",   "change"};
  EXPECT_EQ(SPageEvents::log, expected);
}

TEST_F(PageTest, EventsWithoutHandlersAreSkipped) {
  CPage page(nullptr, nullptr);
  page.SetPageCount(2);
  page.UpdatePage();
  page.UpdatePages();
  EXPECT_EQ(page.GetCurrentPage(), 1);
}

TEST_F(PageTest, PaintFillsTheBackgroundColour) {
  CWindow window("", nullptr);
  auto* page = new CPage(&window, nullptr);
  page->BackgroundColor = 0x203040;
  page->SetBounds(10, 30, 50, 40);
  window.Show();
  window.RepaintNow();
  EXPECT_EQ(Pixel(10, 30), RgbOf(0x203040));
  EXPECT_EQ(Pixel(59, 69), RgbOf(0x203040));
  EXPECT_NE(Pixel(60, 69), RgbOf(0x203040));
  EXPECT_NE(Pixel(59, 70), RgbOf(0x203040));
}

class AutoPageTest : public PageTest {
 protected:
  // A row of one control of the height.
  CControl* Row(int32_t group, int32_t height) {
    auto* control = new CCountedControl(10, height);
    page_->AddRow(group, {control});
    return control;
  }

  std::vector<std::pair<int32_t, int32_t>> PageRanges() const {
    std::vector<std::pair<int32_t, int32_t>> ranges;
    for (int32_t i = 0; i < page_->Pages.GetCount(); ++i)
      ranges.emplace_back(page_->Pages[i].First, page_->Pages[i].Last);
    return ranges;
  }

  std::unique_ptr<CAutoPage> page_ = std::make_unique<CAutoPage>(nullptr);
};

TEST_F(AutoPageTest, RowWidthsInUnitsOfOneNthPixel) {
  struct SCase {
    const char* name;
    std::vector<int32_t> widths;                      // -1 flexible, else fixed
    std::vector<std::pair<int32_t, int32_t>> placed;  // x, width
  } cases[] = {
      {"two flexible", {-1, -1}, {{2, 47}, {51, 47}}},
      {"three flexible", {-1, -1, -1}, {{2, 30}, {34, 31}, {67, 31}}},
      {"fixed 40 and flexible", {40, -1}, {{2, 40}, {44, 54}}},
      {"flexible and fixed 40", {-1, 40}, {{2, 54}, {58, 40}}},
      {"zero shares like -1", {0, 40}, {{2, 54}, {58, 40}}},
      {"all fixed", {30, 20}, {{2, 30}, {34, 20}}},
      {"one flexible", {-1}, {{2, 96}}},
  };
  for (const SCase& c : cases) {
    page_ = std::make_unique<CAutoPage>(nullptr);
    std::vector<CControl*> controls;
    for (size_t i = 0; i < c.widths.size(); ++i) controls.push_back(new CCountedControl(5, 20));
    CArray<int32_t>& widths =
        page_->AddRow(0, {controls[0], controls.size() > 1 ? controls[1] : nullptr,
                          controls.size() > 2 ? controls[2] : nullptr});
    ASSERT_EQ(widths.GetCount(), int32_t(c.widths.size())) << c.name;
    for (size_t i = 0; i < c.widths.size(); ++i) {
      EXPECT_EQ(widths[int32_t(i)], -1) << c.name;
      widths[int32_t(i)] = c.widths[i];
    }
    page_->SetBounds(0, 0, 100, 100);
    for (size_t i = 0; i < controls.size(); ++i) {
      EXPECT_EQ(controls[i]->GetParent(), page_.get()) << c.name;
      EXPECT_EQ(controls[i]->GetLeft(), c.placed[i].first) << c.name << " " << i;
      EXPECT_EQ(controls[i]->GetWidth(), c.placed[i].second) << c.name << " " << i;
      EXPECT_EQ(controls[i]->GetTop(), 2) << c.name;
    }
  }
}

TEST_F(AutoPageTest, AddRowStopsAtANullAndTakesTheHighestControl) {
  auto* low = new CCountedControl(5, 12);
  auto* high = new CCountedControl(5, 30);
  auto* never = new CCountedControl(5, 50);
  CArray<int32_t>& widths = page_->AddRow(4, {low, high, nullptr, never});
  delete never;
  EXPECT_EQ(widths.GetCount(), 2);
  ASSERT_EQ(page_->Items.GetCount(), 1);
  const SPageItem& item = *page_->Items[0];
  EXPECT_EQ(item.Height, 30);
  EXPECT_EQ(item.Group, 4);
  EXPECT_FALSE(item.Separator);
  EXPECT_FALSE(item.Line);
  EXPECT_EQ(page_->GetPageCount(), 0);  // no pagination yet
  EXPECT_EQ(low->GetParent(), nullptr);
}

TEST_F(AutoPageTest, Pagination) {
  // Heights with vertical spacing 2: each item takes its height + 2, the
  // page begins with 2.
  enum EKind { kRow, kSeparator };
  struct SItem {
    EKind kind;
    int32_t group, height;
  };
  struct SCase {
    const char* name;
    int32_t pageHeight;
    std::vector<SItem> items;
    std::vector<std::pair<int32_t, int32_t>> pages;
  } cases[] = {
      {"one group cut before the overflowing item",
       70,
       {{kRow, 0, 30}, {kRow, 0, 30}, {kRow, 0, 30}},
       {{0, 2}, {2, 3}}},
      {"a group goes whole to the next page",
       100,
       {{kRow, 0, 20}, {kRow, 0, 20}, {kRow, 1, 20}, {kRow, 1, 20}, {kRow, 1, 20}},
       {{0, 2}, {2, 5}}},
      {"separator before the cut shown on neither page",
       70,
       {{kRow, 0, 30}, {kSeparator, 0, 10}, {kRow, 0, 30}},
       {{0, 1}, {2, 3}}},
      {"separator that overflows shown on neither page",
       70,
       {{kRow, 0, 30}, {kRow, 0, 30}, {kSeparator, 0, 10}, {kRow, 0, 30}},
       {{0, 2}, {3, 4}}},
      {"a group's leading separator stays off the next page's top",
       90,
       {{kRow, 0, 20}, {kRow, 0, 20}, {kSeparator, 1, 10}, {kRow, 1, 20}, {kRow, 1, 20}},
       {{0, 2}, {3, 5}}},
      {"a tall first item gets a page of its own and no blank page",
       70,
       {{kRow, 0, 100}, {kRow, 0, 20}},
       {{0, 1}, {1, 2}}},
      {"a tall item inside a page",
       70,
       {{kRow, 0, 20}, {kRow, 0, 100}, {kRow, 0, 20}},
       {{0, 1}, {1, 2}, {2, 3}}},
      {"everything fits", 100, {{kRow, 0, 20}, {kRow, 1, 20}, {kRow, 2, 20}}, {{0, 3}}},
      {"exactly full", 68, {{kRow, 0, 20}, {kRow, 0, 20}, {kRow, 0, 20}}, {{0, 3}}},
      {"nothing", 100, {}, {}},
  };
  for (const SCase& c : cases) {
    page_ = std::make_unique<CAutoPage>(nullptr);
    for (const SItem& item : c.items) {
      if (item.kind == kRow)
        Row(item.group, item.height);
      else
        page_->AddSeparator(item.group, item.height, true);
    }
    page_->SetBounds(0, 0, 100, c.pageHeight);
    EXPECT_EQ(PageRanges(), c.pages) << c.name;
    EXPECT_EQ(page_->GetPageCount(), int32_t(c.pages.size())) << c.name;
    EXPECT_EQ(page_->GetCurrentPage(), c.pages.empty() ? 0 : 1) << c.name;
  }
}

TEST_F(AutoPageTest, OnlyTheCurrentPagesControlsAreChildrenStackedBySpacing) {
  CControl* a = Row(0, 30);
  page_->AddSeparator(0, 10, false);
  CControl* b = Row(0, 20);
  CControl* c = Row(1, 30);
  page_->OnPageChange = SPageEvents::Change;
  page_->SetBounds(0, 0, 100, 70);  // pages (0, 3) and (3, 4)
  EXPECT_EQ(SPageEvents::log, std::vector<std::string>{"change"});
  EXPECT_EQ(page_->GetControlCount(), 2);
  EXPECT_EQ(a->GetTop(), 2);
  EXPECT_EQ(b->GetTop(), 2 + 30 + 2 + 10 + 2);
  EXPECT_EQ(c->GetParent(), nullptr);
  page_->SetCurrentPage(2);
  EXPECT_EQ(page_->GetControlCount(), 1);
  EXPECT_EQ(a->GetParent(), nullptr);
  EXPECT_EQ(c->GetParent(), page_.get());
  EXPECT_EQ(c->GetTop(), 2);
  // The same bounds paginate again.
  page_->SetBounds(0, 0, 100, 70);
  EXPECT_EQ(SPageEvents::log.size(), 3u);
  EXPECT_EQ(page_->GetCurrentPage(), 2);
}

TEST_F(AutoPageTest, ControlGrownAfterAddRowIsCentredOverTheRowAbove) {
  CControl* first = Row(0, 20);
  CControl* grown = Row(0, 20);
  grown->SetBounds(0, 0, 10, 30);
  page_->SetBounds(0, 0, 100, 200);
  EXPECT_EQ(first->GetTop(), 2);
  EXPECT_EQ(grown->GetTop(), 24 + (20 - 30) / 2);
  EXPECT_EQ(grown->GetHeight(), 30);
}

TEST_F(AutoPageTest, SmallerControlIsCentredInItsRow) {
  auto* tall = new CCountedControl(5, 30);
  auto* small = new CCountedControl(5, 11);
  page_->AddRow(0, {tall, small});
  page_->SetBounds(0, 0, 100, 200);
  EXPECT_EQ(small->GetTop(), 2 + (30 - 11) / 2);
}

TEST_F(AutoPageTest, SeparatorLinesAtTheirMiddlesInsetBySpacing) {
  CWindow window("", nullptr);
  auto* page = new CAutoPage(&window);
  page->AddRow(0, {new CCountedControl(5, 20)});
  page->AddSeparator(0, 10, true);
  page->AddSeparator(0, 6, false);
  page->AddRow(0, {new CCountedControl(5, 20)});
  page->AddSeparator(0, 9, true);
  page->AddRow(0, {new CCountedControl(5, 20)});
  page->LineColor = 0x0000FF;
  page->SetBounds(20, 40, 100, 200);
  std::vector<int32_t> lines;
  for (int32_t i = 0; i < page->Lines.GetCount(); ++i) lines.push_back(page->Lines[i]);
  // Rows at 2, separators at 24 and 36, the row at 44, the separator at 66.
  EXPECT_EQ(lines, (std::vector<int32_t>{24 + 5, 66 + 4}));
  window.Show();
  window.RepaintNow();
  const uint32_t red = RgbOf(0x0000FF);
  EXPECT_EQ(Pixel(20 + 2, 40 + 29), red);
  EXPECT_EQ(Pixel(20 + 97, 40 + 29), red);
  EXPECT_NE(Pixel(20 + 1, 40 + 29), red);
  EXPECT_NE(Pixel(20 + 98, 40 + 29), red);
  EXPECT_NE(Pixel(20 + 50, 40 + 28), red);
  EXPECT_EQ(Pixel(20 + 50, 40 + 70), red);
}

TEST_F(AutoPageTest, DestroyingThePageDestroysEveryRowControl) {
  CCountedControl::alive = 0;
  Row(0, 50);
  Row(0, 50);
  Row(0, 50);
  page_->SetBounds(0, 0, 100, 60);
  ASSERT_EQ(page_->GetPageCount(), 3);
  page_->SetCurrentPage(2);
  EXPECT_EQ(CCountedControl::alive, 3);
  page_.reset();
  EXPECT_EQ(CCountedControl::alive, 0);
}

TEST_F(AutoPageTest, NoPagesLaysOutNothing) {
  page_->SetBounds(0, 0, 100, 100);
  EXPECT_EQ(page_->GetPageCount(), 0);
  EXPECT_EQ(page_->GetCurrentPage(), 0);
  EXPECT_EQ(page_->GetControlCount(), 0);
  EXPECT_EQ(page_->Lines.GetCount(), 0);
}

}  // namespace
