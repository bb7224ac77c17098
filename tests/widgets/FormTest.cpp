// The form: its bar buttons and page on three screen shapes, the page
// indicator, page stepping by posted presses, fallback captions and painting.
#include "lib/foundation/text/Language.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/Form.h"
#include "lib/widgets/Label.h"
#include "lib/widgets/Page.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

RECT BoundsOf(const CControl* c) {
  return {c->GetLeft(), c->GetTop(), c->GetLeft() + c->GetWidth(), c->GetTop() + c->GetHeight()};
}

::testing::AssertionResult HasBounds(const CControl* c, int32_t x, int32_t y, int32_t w,
                                     int32_t h) {
  RECT is = BoundsOf(c);
  RECT want = {x, y, x + w, y + h};
  if (EqualRect(&is, &want)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "(" << is.left << ", " << is.top << ", " << is.right - is.left << ", "
         << is.bottom - is.top << ") instead of (" << x << ", " << y << ", " << w << ", " << h
         << ")";
}

struct SPlace {
  int32_t x, y, w, h;
};

struct SLayoutCase {
  int32_t screenWidth, screenHeight, buttonSet;
  // Expected bounds; w = 0 where the form has no such button.
  SPlace close, ok, prev, next, page;
};

const SLayoutCase kLayoutCases[] = {
    // Portrait 240 x 320: a 40-pixel bar at the bottom.
    {240,
     320,
     fbCloseAndOK,
     {0, 280, 60, 40},
     {60, 280, 60, 40},
     {120, 280, 60, 40},
     {180, 280, 60, 40},
     {0, 18, 240, 261}},
    {240,
     320,
     fbOK,
     {0, 0, 0, 0},
     {0, 280, 80, 40},
     {80, 280, 80, 40},
     {160, 280, 80, 40},
     {0, 18, 240, 261}},
    {240,
     320,
     fbClose,
     {0, 280, 80, 40},
     {0, 0, 0, 0},
     {80, 280, 80, 40},
     {160, 280, 80, 40},
     {0, 18, 240, 261}},
    // Square 240 x 240: the same bar.
    {240,
     240,
     fbCloseAndOK,
     {0, 200, 60, 40},
     {60, 200, 60, 40},
     {120, 200, 60, 40},
     {180, 200, 60, 40},
     {0, 18, 240, 181}},
    {240,
     240,
     fbClose,
     {0, 200, 80, 40},
     {0, 0, 0, 0},
     {80, 200, 80, 40},
     {160, 200, 80, 40},
     {0, 18, 240, 181}},
    // Landscape 320 x 240: a 45-pixel column at the right, 222 high in slots
    // floor(k x 222 / n): close, OK, next, previous from the top.
    {320,
     240,
     fbCloseAndOK,
     {275, 18, 45, 55},
     {275, 73, 45, 56},
     {275, 184, 45, 56},
     {275, 129, 45, 55},
     {0, 18, 274, 222}},
    {320,
     240,
     fbOK,
     {0, 0, 0, 0},
     {275, 18, 45, 74},
     {275, 166, 45, 74},
     {275, 92, 45, 74},
     {0, 18, 274, 222}},
    {320,
     240,
     fbClose,
     {275, 18, 45, 74},
     {0, 0, 0, 0},
     {275, 166, 45, 74},
     {275, 92, 45, 74},
     {0, 18, 274, 222}},
};

void ExpectPlace(const CControl* c, const SPlace& p, const char* what) {
  if (p.w == 0) {
    EXPECT_EQ(c, nullptr) << what;
    return;
  }
  ASSERT_NE(c, nullptr) << what;
  EXPECT_TRUE(HasBounds(c, p.x, p.y, p.w, p.h)) << what;
}

class FormLayoutTest : public ::testing::TestWithParam<SLayoutCase> {};

TEST_P(FormLayoutTest, BarButtonsTitleAndPage) {
  const SLayoutCase& c = GetParam();
  CScreenInfo screen(c.screenWidth, c.screenHeight, 96);
  CScreenInfo* saved = g_ScreenInfo;
  g_ScreenInfo = &screen;
  ResetInputState();
  {
    CForm form("Form", c.buttonSet, nullptr);
    form.SetPage(new CPage(&form, nullptr));
    form.Show();
    EXPECT_TRUE(HasBounds(&form, 0, 0, c.screenWidth, c.screenHeight));
    EXPECT_TRUE(HasBounds(form.TitleLabel, 0, 0, c.screenWidth - 40, 17));
    EXPECT_TRUE(HasBounds(form.PageLabel, c.screenWidth - 70, 0, 70, 17));
    EXPECT_EQ(form.GetClientTop(), 18);
    ExpectPlace(form.CloseButton, c.close, "close");
    ExpectPlace(form.OkButton, c.ok, "ok");
    ExpectPlace(form.PrevButton, c.prev, "prev");
    ExpectPlace(form.NextButton, c.next, "next");
    ExpectPlace(form.GetPage(), c.page, "page");
  }
  g_ScreenInfo = saved;
}

INSTANTIATE_TEST_SUITE_P(Screens, FormLayoutTest, ::testing::ValuesIn(kLayoutCases));

class FormTest : public WidgetTest {
 protected:
  void TearDown() override {
    SetLanguage(kLangEnglish);
    WidgetTest::TearDown();
  }
};

TEST_F(FormTest, GapsShrinkThePageAndMoveItDown) {
  CForm form("Form", fbCloseAndOK, nullptr);
  form.SetPage(new CPage(&form, nullptr));
  form.TopGap = 5;
  form.BottomGap = 7;
  form.Show();
  EXPECT_TRUE(HasBounds(form.GetPage(), 0, 23, 240, 261 - 12));
}

TEST_F(FormTest, IndicatorAndStepButtonsFollowThePage) {
  CForm form("Form", fbOK, nullptr);
  EXPECT_EQ(form.PageLabel->GetText().GetLength(), 0);
  EXPECT_FALSE(form.PrevButton->IsEnabled());
  EXPECT_FALSE(form.NextButton->IsEnabled());
  auto* page = new CPage(&form, nullptr);
  form.SetPage(page);
  page->SetPageCount(1);
  EXPECT_EQ(form.PageLabel->GetText().Compare("1/1"), 0);
  EXPECT_FALSE(form.NextButton->IsEnabled());
  page->SetPageCount(5);
  page->SetCurrentPage(2);
  EXPECT_EQ(form.PageLabel->GetText().Compare("2/5"), 0);
  EXPECT_TRUE(form.PrevButton->IsEnabled());
  EXPECT_TRUE(form.NextButton->IsEnabled());
}

TEST_F(FormTest, PressesStepAndWrapAround) {
  CForm form("Form", fbCloseAndOK, nullptr);
  auto* page = new CPage(&form, nullptr);
  form.SetPage(page);
  page->SetPageCount(3);
  form.Show();
  page->SetCurrentPage(3);
  Tap(*form.NextButton, 5, 5);
  EXPECT_EQ(page->GetCurrentPage(), 1);
  Tap(*form.PrevButton, 5, 5);
  EXPECT_EQ(page->GetCurrentPage(), 3);
  Tap(*form.PrevButton, 5, 5);
  EXPECT_EQ(page->GetCurrentPage(), 2);
  EXPECT_EQ(form.PageLabel->GetText().Compare("2/3"), 0);
}

TEST_F(FormTest, HeldPressesStepFurther) {
  CForm form("Form", fbCloseAndOK, nullptr);
  auto* page = new CPage(&form, nullptr);
  form.SetPage(page);
  page->SetPageCount(200);
  form.Show();
  page->SetCurrentPage(1);
  // Repeated presses without a release count up: 1, then 10 from the second,
  // 20 from the eleventh, 50 from the twenty-first.
  int32_t expected = 1;
  for (int32_t press = 1; press <= 22; ++press) {
    Mouse(*form.NextButton, WM_LBUTTONDOWN, 5, 5);
    expected += press > 20 ? 50 : press > 10 ? 20 : press > 1 ? 10 : 1;
    if (expected > 200) expected = 1;
    EXPECT_EQ(page->GetCurrentPage(), expected) << press;
  }
  Mouse(*form.NextButton, WM_LBUTTONUP, 5, 5);
}

TEST_F(FormTest, CloseAndOkEndTheModalLoop) {
  for (bool close : {true, false}) {
    CForm form("Form", fbCloseAndOK, nullptr);
    form.SetPage(new CPage(&form, nullptr));
    CButton* button = close ? form.CloseButton : form.OkButton;
    CMessageScript script({[&] { Tap(*button, 5, 5); }});
    EXPECT_EQ(form.ShowModal(), close ? mrCancel : mrOK);
  }
}

TEST_F(FormTest, MissingBitmapsGiveTranslatedCaptions) {
  struct SCase {
    int32_t language;
    const char *close, *ok, *prev, *next;
  } cases[] = {
      {kLangEnglish, "Cancel", "OK", "Prev", "Next"},
      {kLangDutch, "Annuleren", "OK", "Vorig", "Volgend"},
      {kLangGerman, "Annullieren", "OK", "Vorige",
       "N\xE4"
       "chste"},
      {kLangFrench, "Annuler", "OK", "Prev", "Next"},
  };
  for (const SCase& c : cases) {
    SetLanguage(c.language);
    CForm form("Form", fbCloseAndOK, nullptr);
    EXPECT_EQ(form.CloseButton->Caption.Compare(c.close), 0) << c.language;
    EXPECT_EQ(form.OkButton->Caption.Compare(c.ok), 0) << c.language;
    EXPECT_EQ(form.PrevButton->Caption.Compare(c.prev), 0) << c.language;
    EXPECT_EQ(form.NextButton->Caption.Compare(c.next), 0) << c.language;
  }
}

TEST_F(FormTest, ALoadedBitmapLeavesTheCaptionEmpty) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string dir = std::string(temp) + "form_buttons\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  WriteBmp(dir + "btn_menu_prev.bmp", 16, 16, 0xFF00FF00);
  SetImageFolder(dir.c_str());
  CForm form("Form", fbOK, nullptr);
  EXPECT_EQ(form.PrevButton->Caption.GetLength(), 0);
  ASSERT_NE(form.PrevButton->Image, nullptr);
  EXPECT_EQ(form.NextButton->Caption.Compare("Next"), 0);
  EXPECT_EQ(form.PrevButton->Layout, 1);
  EXPECT_EQ(form.PrevButton->DisabledBorderColor, form.PrevButton->Color);
  DeleteFileA((dir + "btn_menu_prev.bmp").c_str());
  RemoveDirectoryA(dir.c_str());
}

TEST_F(FormTest, CaptionGoesToTheTitle) {
  CForm form("First", fbOK, nullptr);
  EXPECT_EQ(form.TitleLabel->GetText().Compare("First"), 0);
  form.SetCaption("Second");
  EXPECT_EQ(form.TitleLabel->GetText().Compare("Second"), 0);
  EXPECT_EQ(form.Caption.Compare("Second"), 0);
}

TEST_F(FormTest, PortraitLinesAndGapFills) {
  CForm form("Form", fbCloseAndOK, nullptr);
  auto* page = new CPage(&form, nullptr);
  form.SetPage(page);
  form.TopGap = 4;
  form.BottomGap = 6;
  form.BackColor = 0x00FF00;  // green
  form.Show();
  GetScreenBackBuffer()->Fill(0xFFFFFFFF);
  form.RepaintNow();
  // Title line at y = 17; top gap y = 18..21; page 22..272; bottom gap
  // 273..278; line above the bar at y = 279.
  EXPECT_EQ(Pixel(100, 17), 0x000000u);
  EXPECT_EQ(Pixel(100, 18), 0x00FF00u);
  EXPECT_EQ(Pixel(100, 21), 0x00FF00u);
  EXPECT_EQ(Pixel(100, 22), 0xFFFFFFu);  // the page's own white
  EXPECT_EQ(Pixel(100, 272), 0xFFFFFFu);
  EXPECT_EQ(Pixel(100, 273), 0x00FF00u);
  EXPECT_EQ(Pixel(100, 278), 0x00FF00u);
  EXPECT_EQ(Pixel(100, 279), 0x000000u);
  EXPECT_EQ(Pixel(239, 279), 0x000000u);
}

class LandscapeFormTest : public WidgetTest {
 protected:
  LandscapeFormTest() : WidgetTest(320, 240) {}
};

TEST_F(LandscapeFormTest, ALineLeftOfTheButtonColumn) {
  CForm form("Form", fbOK, nullptr);
  auto* page = new CPage(&form, nullptr);
  form.SetPage(page);
  form.Show();
  GetScreenBackBuffer()->Fill(0xFFFFFFFF);
  form.RepaintNow();
  EXPECT_EQ(Pixel(274, 18), 0x000000u);
  EXPECT_EQ(Pixel(274, 239), 0x000000u);
  EXPECT_EQ(Pixel(100, 17), 0x000000u);
}

}  // namespace
