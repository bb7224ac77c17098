// The message box: its layout on two screens, the result of each button,
// modeless use, the icon placeholder and the close request.
#include "lib/foundation/text/Language.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/Memo.h"
#include "lib/widgets/MsgBox.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

class MsgBoxTest : public WidgetTest {
 protected:
  using WidgetTest::WidgetTest;
  void TearDown() override {
    SetLanguage(kLangEnglish);
    WidgetTest::TearDown();
  }
};

class LandscapeMsgBoxTest : public MsgBoxTest {
 protected:
  LandscapeMsgBoxTest() : MsgBoxTest(320, 240) {}
};

RECT BoundsOf(const CControl& c) {
  return {c.GetLeft(), c.GetTop(), c.GetLeft() + c.GetWidth(), c.GetTop() + c.GetHeight()};
}

// No image folder holds the type bitmaps: every box has the 48 x 48 placeholder.
constexpr int32_t kIconHeight = 48;

TEST_F(MsgBoxTest, TwoButtonsShareOneRowAcrossTheBox) {
  CMsgBox box(nullptr, "Save?", mtConfirmation, mbOK | mbCancel, "");
  box.Show();
  // 48 + 2 x 4 + 17 + 32 + 2; centred on 320.
  int32_t h = kIconHeight + 8 + 17 + 32 + 2;
  EXPECT_EQ(box.Caption.Compare("Confirm"), 0);
  EXPECT_EQ(box.GetLeft(), 5);
  EXPECT_EQ(box.GetTop(), (320 - h) / 2);
  EXPECT_EQ(box.GetWidth(), 230);
  EXPECT_EQ(box.GetHeight(), h);
  ASSERT_EQ(box.Buttons.GetCount(), 2);
  EXPECT_EQ(box.ButtonRows, 1);
  CButton* ok = box.Buttons[0];
  CButton* cancel = box.Buttons[1];
  EXPECT_EQ(ok->Caption.Compare("OK"), 0);
  EXPECT_EQ(cancel->Caption.Compare("Cancel"), 0);
  RECT okBounds = {1, h - 33, 115, h - 1}, cancelBounds = {116, h - 33, 229, h - 1};
  RECT okIs = BoundsOf(*ok), cancelIs = BoundsOf(*cancel);
  EXPECT_TRUE(EqualRect(&okBounds, &okIs));
  EXPECT_TRUE(EqualRect(&cancelBounds, &cancelIs));
}

TEST_F(MsgBoxTest, ThreeButtonsInTableOrder) {
  CMsgBox box(nullptr, "Text", mtWarning, mbCancel | mbNo | mbYes, "");
  box.Show();
  ASSERT_EQ(box.Buttons.GetCount(), 3);
  const char* captions[] = {"Yes", "No", "Cancel"};
  // 226 split in thirds from the right: 75, 75, 76 wide, 1-pixel gaps.
  int32_t lefts[] = {1, 78, 154}, widths[] = {76, 75, 75};
  for (int32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(box.Buttons[i]->Caption.Compare(captions[i]), 0) << i;
    EXPECT_EQ(box.Buttons[i]->GetLeft(), lefts[i]) << i;
    EXPECT_EQ(box.Buttons[i]->GetWidth(), widths[i]) << i;
  }
}

// Rows from the bottom hold ButtonsPerRow buttons each, the last buttons in the
// bottom row; every row fills x = 1 .. Width - 2 with 1-pixel gaps.
void ExpectRows(const CMsgBox& box, int32_t screenWidth) {
  int32_t per = box.ButtonsPerRow, count = box.Buttons.GetCount();
  ASSERT_GE(per, 1);
  EXPECT_LE(per * (box.ButtonWidth + 1), screenWidth - 11);
  EXPECT_GT((per + 1) * (box.ButtonWidth + 1), screenWidth - 11);
  EXPECT_EQ(box.ButtonRows, (count + per - 1) / per);
  int32_t end = count, row = 0;
  while (end > 0) {
    int32_t first = std::max(0, end - per);
    int32_t y = box.GetHeight() - (row + 1) * 33;
    EXPECT_EQ(box.Buttons[first]->GetLeft(), 1) << "row " << row;
    CButton* last = box.Buttons[end - 1];
    EXPECT_EQ(last->GetLeft() + last->GetWidth(), box.GetWidth() - 1) << "row " << row;
    for (int32_t i = first; i < end; ++i) {
      EXPECT_EQ(box.Buttons[i]->GetTop(), y) << i;
      EXPECT_EQ(box.Buttons[i]->GetHeight(), 32) << i;
      if (i > first) {
        EXPECT_EQ(box.Buttons[i]->GetLeft(),
                  box.Buttons[i - 1]->GetLeft() + box.Buttons[i - 1]->GetWidth() + 1)
            << i;
      }
    }
    end = first;
    ++row;
  }
}

TEST_F(MsgBoxTest, ElevenButtonsFillRowsFromTheBottomRight) {
  CMsgBox box(nullptr, "Text", mtInformation, 0x7FF, "");
  box.Show();
  ASSERT_EQ(box.Buttons.GetCount(), 11);
  EXPECT_EQ(box.Buttons[0]->Caption.Compare("Yes"), 0);
  EXPECT_EQ(box.Buttons[1]->Caption.Compare("Yes to All"), 0);
  EXPECT_EQ(box.Buttons[10]->Caption.Compare("Help"), 0);
  ExpectRows(box, 240);
  EXPECT_GT(box.ButtonRows, 1);
  EXPECT_EQ(box.GetHeight(), kIconHeight + 8 + 17 + 32 * box.ButtonRows + 2);
}

TEST_F(LandscapeMsgBoxTest, ElevenButtonsOnAWiderScreen) {
  CMsgBox box(nullptr, "Text", mtInformation, 0x7FF, "");
  box.Show();
  EXPECT_EQ(box.GetWidth(), 310);
  ExpectRows(box, 320);
  int32_t h = box.GetHeight();
  EXPECT_EQ(box.GetTop(), (240 - h) / 2);
}

TEST_F(LandscapeMsgBoxTest, TwoAndThreeButtonsOnAWiderBox) {
  struct SCase {
    uint32_t bits;
    std::vector<int32_t> lefts, widths;
  } cases[] = {
      // 307 and 306 pixels shared out from the right.
      {mbOK | mbCancel, {1, 156}, {154, 153}},
      {mbYes | mbNo | mbCancel, {1, 104, 207}, {102, 102, 102}},
  };
  for (const SCase& c : cases) {
    CMsgBox box(nullptr, "Text", mtWarning, c.bits, "");
    box.Show();
    int32_t h = kIconHeight + 8 + 17 + 32 + 2;
    EXPECT_EQ(box.GetTop(), (240 - h) / 2);
    EXPECT_EQ(box.GetWidth(), 310);
    ASSERT_EQ(box.Buttons.GetCount(), int32_t(c.lefts.size()));
    for (int32_t i = 0; i < box.Buttons.GetCount(); ++i) {
      EXPECT_EQ(box.Buttons[i]->GetLeft(), c.lefts[i]) << c.bits << " " << i;
      EXPECT_EQ(box.Buttons[i]->GetWidth(), c.widths[i]) << c.bits << " " << i;
      EXPECT_EQ(box.Buttons[i]->GetTop(), h - 33) << c.bits << " " << i;
    }
  }
}

TEST_F(MsgBoxTest, ACaptionWiderThanTheScreenStillGetsARow) {
  CMsgBox box(nullptr, "Text", mtInformation, mbOK | mbCancel, "");
  box.Buttons[0]->Caption = CStr(std::string(80, 'W').c_str());
  box.Show();
  EXPECT_EQ(box.ButtonsPerRow, 1);
  EXPECT_EQ(box.ButtonRows, 2);
}

TEST_F(MsgBoxTest, LongTextGrowsTheBoxByItsWrappedHeight) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "word ";
  CMsgBox box(nullptr, text.c_str(), mtError, mbOK, "");
  box.Show();
  int32_t textHeight = box.TextRect.bottom - box.TextRect.top;
  EXPECT_GT(textHeight, kIconHeight);
  EXPECT_EQ(box.TextRect.left, 48 + 8);
  EXPECT_EQ(box.TextRect.top, 21);
  EXPECT_EQ(box.GetHeight(), textHeight + 8 + 17 + 32 + 2);
}

TEST_F(MsgBoxTest, EachButtonEndsTheModalLoopWithItsResult) {
  struct SCase {
    uint32_t bit;
    int32_t result;
  } cases[] = {{mbYes, mrYes}, {mbYesToAll, mrYesToAll}, {mbNo, mrNo},       {mbNoToAll, mrNoToAll},
               {mbOK, mrOK},   {mbAbort, mrAbort},       {mbRetry, mrRetry}, {mbIgnore, mrIgnore},
               {mbAll, mrAll}, {mbCancel, mrCancel}};
  for (const SCase& c : cases) {
    CMsgBox box(nullptr, "Text", mtWarning, c.bit, "");
    CMessageScript script({[&] { Tap(*box.Buttons[0], 5, 5); }});
    EXPECT_EQ(box.ShowModal(), c.result) << c.bit;
    EXPECT_FALSE(box.IsVisible());
  }
}

TEST_F(MsgBoxTest, ModelessBoxHidesOnAButtonAndKeepsTheResult) {
  CMsgBox box(nullptr, "Text", mtWarning, mbYes | mbNo, "");
  box.Show();
  Tap(*box.Buttons[1], 5, 5);
  EXPECT_FALSE(box.IsVisible());
  EXPECT_EQ(box.ModalResult, mrNo);
}

TEST_F(MsgBoxTest, MissingIconIsAHalfTransparentBlackSquare) {
  CMsgBox box(nullptr, "", mtError, mbOK, "");
  box.Show();
  box.RepaintNow();
  ASSERT_EQ(box.Icon->Width(), 48);
  ASSERT_EQ(box.Icon->Height(), 48);
  // Drawn from (Margin - 1, 17 + Margin - 1) over the white box.
  EXPECT_EQ(Pixel(3, 20), 0x7E7E7Eu);
  EXPECT_EQ(Pixel(50, 67), 0x7E7E7Eu);
  EXPECT_EQ(Pixel(51, 20), 0xFFFFFFu);
  EXPECT_EQ(Pixel(3, 68), 0xFFFFFFu);
}

TEST_F(MsgBoxTest, UnknownTypeHasNoCaptionAndNoIcon) {
  CMsgBox box(nullptr, "Text", 7, mbOK, "");
  EXPECT_EQ(box.Caption.GetLength(), 0);
  EXPECT_EQ(box.Icon->Width(), 0);
  box.Show();
  EXPECT_EQ(box.TextRect.left, 8);
}

TEST_F(MsgBoxTest, ALoadedIconIsDrawnAtItsOwnSize) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  std::string dir = std::string(folder) + "msgbox_icons\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  WriteBmp(dir + "img_mt_warning.bmp", 20, 10, 0xFF0000FF);
  SetImageFolder(dir.c_str());
  CMsgBox box(nullptr, "", mtWarning, mbOK, "");
  box.Show();
  box.RepaintNow();
  EXPECT_EQ(box.Icon->Width(), 20);
  EXPECT_EQ(Pixel(3, 20), 0x0000FEu);
  EXPECT_EQ(Pixel(22, 29), 0x0000FEu);
  EXPECT_EQ(Pixel(23, 29), 0xFFFFFFu);
  EXPECT_EQ(box.TextRect.left, 20 + 8);
  DeleteFileA((dir + "img_mt_warning.bmp").c_str());
  RemoveDirectoryA(dir.c_str());
}

TEST_F(MsgBoxTest, ButtonAreaLinesAndSeparators) {
  CMsgBox box(nullptr, "", mtError, mbOK | mbCancel, "");
  box.Show();
  box.RepaintNow();
  int32_t h = box.GetHeight();
  int32_t line = h - 34;  // one pixel above the row
  EXPECT_EQ(Pixel(1, line), 0x000000u);
  EXPECT_EQ(Pixel(228, line), 0x000000u);
  EXPECT_EQ(Pixel(2, h - 2), 0xE0E0E0u);
  // The gap between OK and Cancel at x = 115: grey from line + 4, 25 long.
  EXPECT_EQ(Pixel(115, line + 3), 0xE0E0E0u);
  EXPECT_EQ(Pixel(115, line + 4), 0x808080u);
  EXPECT_EQ(Pixel(115, line + 28), 0x808080u);
  EXPECT_EQ(Pixel(115, line + 29), 0xE0E0E0u);
}

TEST_F(MsgBoxTest, CaptionsFollowTheLanguage) {
  SetLanguage(kLangDutch);
  CMsgBox box(nullptr, "Tekst", mtWarning, mbYes | mbNo | mbHelp, "");
  EXPECT_EQ(box.Caption.Compare("Waarschuwing"), 0);
  EXPECT_EQ(box.Buttons[0]->Caption.Compare("Ja"), 0);
  EXPECT_EQ(box.Buttons[1]->Caption.Compare("Nee"), 0);
  EXPECT_EQ(box.Buttons[2]->Caption.Compare("Help"), 0);
  SetLanguage(kLangGerman);
  CMsgBox german(nullptr, "Text", mtConfirmation, mbRetry, "");
  EXPECT_EQ(german.Caption.Compare("Best\xE4tigung"), 0);
  EXPECT_EQ(german.Buttons[0]->Caption.Compare("Wiederholen"), 0);
}

TEST_F(MsgBoxTest, AfterACloseRequestMsgBoxReturnsCancelAtOnce) {
  g_CloseRequested = true;
  EXPECT_EQ(MsgBox(nullptr, "Caption", "Text", mtWarning, mbYes | mbNo, ""), mrCancel);
  EXPECT_EQ(MsgBox(nullptr, "Text", mtWarning, mbOK, ""), mrCancel);
}

}  // namespace

namespace {

CMemoForm* OpenHelpForm() {
  HWND handle = FindWindowA("CWindows", "Help");
  if (!handle || !IsWindowVisible(handle)) return nullptr;
  return dynamic_cast<CMemoForm*>(
      reinterpret_cast<CWindow*>(GetWindowLongPtrA(handle, GWLP_USERDATA)));
}

TEST_F(MsgBoxTest, HelpShowsTheDetailTextAndLeavesTheBoxOpen) {
  CMsgBox box(nullptr, "Text", mtError, mbOK | mbHelp, "First line\r\nSecond line\nThird");
  std::vector<std::string> lines;
  bool helpSeen = false, boxOpenAfterHelp = false;
  int32_t resultAfterHelp = -1;
  CMessageScript script({
      [&] { Tap(*box.Buttons[1], 5, 5); },  // runs the help form's loop
      [&] {
        CMemoForm* help = OpenHelpForm();
        if (!help) return CMessageScript::Again();  // the tap is still on its way
        helpSeen = true;
        for (int32_t i = 0; i < help->Memo->GetLineCount(); ++i)
          lines.push_back(help->Memo->GetLine(i).c_str());
        EXPECT_EQ(help->Owner, &box);
        Tap(*help->CloseButton, 5, 5);
      },
      [&] {
        if (OpenHelpForm()) return CMessageScript::Again();  // the close is on its way
        boxOpenAfterHelp = box.IsVisible();
        resultAfterHelp = box.ModalResult;
        Tap(*box.Buttons[0], 5, 5);
      },
  });
  EXPECT_EQ(box.ShowModal(), mrOK);
  EXPECT_TRUE(helpSeen);
  EXPECT_EQ(lines, (std::vector<std::string>{"First line", "Second line", "Third"}));
  EXPECT_TRUE(boxOpenAfterHelp);
  EXPECT_EQ(resultAfterHelp, mrNone);
  EXPECT_EQ(OpenHelpForm(), nullptr);
}

}  // namespace
