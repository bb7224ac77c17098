// The button menu: pages per orientation class, the grid of cells, the flat
// look given to its buttons and their ownership.
#include <memory>

#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/ButtonMenu.h"
#include "lib/widgets/Label.h"
#include "lib/widgets/Page.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

// Counts how many of its kind are alive.
class CCountedButton : public CButton {
 public:
  explicit CCountedButton(CFontDesc* font) : CButton(nullptr, "Item", font) { ++alive; }
  ~CCountedButton() override { --alive; }
  static inline int32_t alive = 0;
};

bool BoundsAre(const CControl& c, int32_t x, int32_t y, int32_t w, int32_t h) {
  return c.GetLeft() == x && c.GetTop() == y && c.GetWidth() == w && c.GetHeight() == h;
}

template <int32_t W, int32_t H>
class MenuTest : public WidgetTest {
 protected:
  MenuTest() : WidgetTest(W, H) {}

  void SetUp() override {
    WidgetTest::SetUp();
    menu_ = std::make_unique<CButtonMenu>("Menu", 1, nullptr);
  }

  void TearDown() override {
    menu_.reset();
    WidgetTest::TearDown();
  }

  std::vector<CButton*> Add(int32_t count) {
    std::vector<CButton*> added;
    for (int32_t i = 0; i < count; ++i) {
      added.push_back(new CCountedButton(&font_));
      menu_->AddButton(added.back());
    }
    return added;
  }

  CFontDesc font_{"Arial", 9, 0};
  std::unique_ptr<CButtonMenu> menu_;
};

using ButtonMenuTest = MenuTest<240, 320>;
using ButtonMenuLandscapeTest = MenuTest<320, 240>;
using ButtonMenuSquareTest = MenuTest<240, 240>;

TEST_F(ButtonMenuTest, AddButtonGivesTheFlatLookAndDoesNotPaginate) {
  auto* button = new CButton(menu_.get(), "Go", &font_);
  button->DownColor = 0x123456;
  menu_->Page->BackgroundColor = 0xF0E0D0;
  menu_->AddButton(button);
  EXPECT_EQ(button->GetParent(), nullptr);  // the menu owns it now
  EXPECT_EQ(button->Layout, 0);
  EXPECT_EQ(button->Color, 0xF0E0D0u);
  EXPECT_EQ(button->DisabledBorderColor, 0xF0E0D0u);
  EXPECT_EQ(button->DownBorderColor, 0x123456u);
  EXPECT_TRUE(button->IsTransparent());
  EXPECT_EQ(button->Spacing, 1);
  EXPECT_EQ(menu_->Buttons.GetCount(), 1);
  EXPECT_EQ(menu_->Page->GetPageCount(), 0);
}

TEST_F(ButtonMenuTest, PagesPerOrientationClass) {
  struct SCase {
    int32_t buttons, orientation, pages;
  } cases[] = {
      {0, 0, 1}, {1, 0, 1}, {6, 0, 1}, {7, 0, 2}, {12, 0, 2}, {13, 0, 3},
      {6, 1, 1}, {7, 1, 2}, {4, 2, 1}, {5, 2, 2}, {9, 2, 3},
  };
  for (const SCase& c : cases) {
    menu_ = std::make_unique<CButtonMenu>("Menu", 1, nullptr);
    Add(c.buttons);
    menu_->Layout(c.orientation);
    EXPECT_EQ(menu_->Page->GetPageCount(), c.pages) << c.buttons << " " << c.orientation;
  }
}

TEST_F(ButtonMenuTest, SevenButtonsOnPortraitTheSecondPageHoldsOneTopLeft) {
  std::vector<CButton*> buttons = Add(7);
  menu_->Show();
  CPage* page = menu_->Page;
  ASSERT_EQ(page->GetPageCount(), 2);
  int32_t w = page->GetWidth() / 2, h = page->GetHeight() / 3;
  EXPECT_EQ(page->GetControlCount(), 6);
  for (int32_t i = 0; i < 6; ++i) {
    EXPECT_EQ(buttons[i]->GetParent(), page) << i;
    EXPECT_TRUE(BoundsAre(*buttons[i], (i % 2) * w, (i / 2) * h, w, h)) << i;
    EXPECT_EQ(buttons[i]->CornerRadius, 8) << i;
  }
  EXPECT_EQ(buttons[6]->GetParent(), nullptr);
  page->SetCurrentPage(2);
  EXPECT_EQ(page->GetControlCount(), 1);
  EXPECT_EQ(buttons[0]->GetParent(), nullptr);
  EXPECT_TRUE(BoundsAre(*buttons[6], 0, 0, w, h));
  EXPECT_EQ(menu_->PageLabel->GetText(), CStr("2/2"));
  menu_->Hide();
}

TEST_F(ButtonMenuTest, CellsOfAPage240By200) {
  std::vector<CButton*> buttons = Add(6);
  menu_->Layout(0);
  menu_->Page->SetBounds(0, 18, 240, 200);
  menu_->Page->SetCurrentPage(1);
  const int32_t tops[] = {0, 66, 132};
  for (int32_t i = 0; i < 6; ++i)
    EXPECT_TRUE(BoundsAre(*buttons[i], (i % 2) * 120, tops[i / 2], 120, 66)) << i;
}

TEST_F(ButtonMenuLandscapeTest, SixCellsOnLandscapeScreens) {
  std::vector<CButton*> buttons = Add(6);
  menu_->Show();
  CPage* page = menu_->Page;
  EXPECT_EQ(page->GetPageCount(), 1);
  EXPECT_TRUE(BoundsAre(*buttons[5], page->GetWidth() / 2, 2 * (page->GetHeight() / 3),
                        page->GetWidth() / 2, page->GetHeight() / 3));
  menu_->Hide();
}

TEST_F(ButtonMenuSquareTest, FourCellsAPageOnSquareScreens) {
  std::vector<CButton*> buttons = Add(5);
  menu_->Show();
  CPage* page = menu_->Page;
  ASSERT_EQ(page->GetPageCount(), 2);
  int32_t w = page->GetWidth() / 2, h = page->GetHeight() / 2;
  EXPECT_TRUE(BoundsAre(*buttons[3], w, h, w, h));
  EXPECT_EQ(buttons[4]->GetParent(), nullptr);
  page->SetCurrentPage(2);
  EXPECT_TRUE(BoundsAre(*buttons[4], 0, 0, w, h));
  menu_->Hide();
}

TEST_F(ButtonMenuTest, DestroyingTheMenuDestroysEveryButtonOnce) {
  CCountedButton::alive = 0;
  Add(8);
  menu_->Show();
  menu_->Page->SetCurrentPage(2);
  menu_->Hide();
  EXPECT_EQ(CCountedButton::alive, 8);
  menu_.reset();
  EXPECT_EQ(CCountedButton::alive, 0);
}

TEST_F(ButtonMenuTest, AButtonsOwnClickHandlerRuns) {
  static int32_t clicks;
  clicks = 0;
  std::vector<CButton*> buttons = Add(2);
  buttons[1]->OnClick = [](CControl*, CControl*, int32_t, int32_t) { ++clicks; };
  menu_->Show();
  Tap(*buttons[1], 10, 10);
  EXPECT_EQ(clicks, 1);
  menu_->Hide();
}

}  // namespace
