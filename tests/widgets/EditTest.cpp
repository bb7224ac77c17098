// The edit field: keystrokes by table under a point and a comma locale,
// pointer mapping, selection, focus, and the painting read from pixels.
#include <memory>
#include <string>

#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/Edit.h"
#include "tests/widgets/LocaleScope.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

class EditTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    window_ = std::make_unique<CWindow>("", nullptr);
    edit_ = new CEdit(window_.get(), "", &font_);
    edit_->SetBounds(20, 40, 100, 24);
    window_->Show();
    // A move from where the cursor stands must not reach the pressed field.
    SetCursorPos(0, 0);
    Pump();
  }

  // Width of a text in the edit's font, measured apart from the edit.
  int32_t Measure(const char* text) {
    return GetScreenBackBuffer()->MeasureText(CStr(text), font_.GetHandle()).cx;
  }

  // The window pixel at a point local to the edit.
  uint32_t EditPixel(int32_t x, int32_t y) { return Pixel(20 + x, 40 + y); }

  CFontDesc font_{"Arial", 9, 0};
  std::unique_ptr<CWindow> window_;
  CEdit* edit_ = nullptr;
};

// In the texts of the table '#' stands for the locale's decimal separator and
// '~' for the other one of point and comma.
std::string Localised(const char* text, char separator) {
  std::string s(text);
  char other = separator == '.' ? ',' : '.';
  for (char& c : s) c = c == '#' ? separator : c == '~' ? other : c;
  return s;
}

struct SKeyCase {
  int32_t kind;
  const char* text;
  int32_t selStart, selEnd, caret;
  char code;  // '#', '~', 1 (backspace) or any character
  const char* expected;
  int32_t expectedCaret;
  bool modified;
};

const SKeyCase kKeyCases[] = {
    {ikText, "12", 0, 0, 2, '#', "12#", 3, true},
    {ikText, "1#2", 0, 0, 3, '#', "1#2#", 4, true},
    {ikDecimal, "12", 0, 0, 1, '#', "1#2", 2, true},
    {ikDecimal, "1#2", 0, 0, 3, '#', "1#2", 3, false},
    {ikDecimal, "1#2", 1, 2, 2, '#', "1#2", 2, true},  // the selection held the separator
    {ikDecimal, "1#2", 2, 3, 3, '#', "1#", 2, true},   // deleted, then refused
    {ikDecimal, "12", 0, 0, 2, '5', "125", 3, true},
    {ikInteger, "12", 0, 0, 2, '#', "12", 2, false},
    {ikInteger, "1234", 3, 1, 1, '#', "14", 1, true},  // backward selection goes first
    {ikInteger, "12", 0, 0, 2, '~', "12~", 3, true},   // only the locale's separator
    {ikInteger, "12", 0, 0, 0, 'x', "x12", 1, true},   // no other filter
    {ikText, "ab", 0, 0, 0, 1, "ab", 0, false},        // backspace at 0
    {ikText, "abc", 0, 0, 2, 1, "ac", 1, true},
    {ikText, "abcd", 0, 2, 2, 1, "cd", 0, true},  // only the selection goes
    {ikText, "abcd", 3, 1, 1, 1, "ad", 1, true},
    {ikText, "", 0, 0, 0, 1, "", 0, false},
};

void RunKeyCases(CEdit& edit) {
  char separator = UserFormatSettings().decimalSeparator;
  for (const SKeyCase& c : kKeyCases) {
    std::string text = Localised(c.text, separator);
    edit.SetText(text.c_str());
    edit.SetInputKind(c.kind);
    edit.SelStart = c.selStart;
    edit.SelEnd = c.selEnd;
    edit.CaretPos = c.caret;
    char code = c.code == '#' ? separator : c.code == '~' ? Localised("~", separator)[0] : c.code;
    edit.InputChar(code);
    std::string where = std::string("kind ") + std::to_string(c.kind) + " \"" + text + "\" code " +
                        std::to_string(int(code));
    EXPECT_STREQ(edit.GetText().c_str(), Localised(c.expected, separator).c_str()) << where;
    EXPECT_EQ(edit.CaretPos, c.expectedCaret) << where;
    EXPECT_EQ(edit.IsModified(), c.modified) << where;
    EXPECT_EQ(edit.SelStart, edit.SelEnd) << where;
  }
}

TEST_F(EditTest, KeystrokesUnderAPointLocale) {
  CUserLocaleScope locale(kLocaleEnglishUS);
  ASSERT_EQ(UserFormatSettings().decimalSeparator, '.');
  RunKeyCases(*edit_);
}

TEST_F(EditTest, KeystrokesUnderTheDutchLocale) {
  CUserLocaleScope locale(kLocaleDutch);
  ASSERT_EQ(UserFormatSettings().decimalSeparator, ',');
  RunKeyCases(*edit_);
}

TEST_F(EditTest, SetTextAndSetSelectionClamp) {
  edit_->SetText("abcd");
  EXPECT_EQ(edit_->CaretPos, 4);
  struct {
    int32_t start, end, selStart, selEnd;
  } cases[] = {{2, 10, 2, 4}, {-3, 2, 0, 2}, {3, 1, 1, 1}, {1, -5, 0, 0}};
  for (const auto& c : cases) {
    edit_->SetSelection(c.start, c.end);
    EXPECT_EQ(edit_->SelStart, c.selStart) << c.start << "," << c.end;
    EXPECT_EQ(edit_->SelEnd, c.selEnd) << c.start << "," << c.end;
    EXPECT_EQ(edit_->CaretPos, c.selEnd) << c.start << "," << c.end;
  }
  edit_->SetSelection(1, 3);
  edit_->InputChar('x');
  EXPECT_TRUE(edit_->IsModified());
  edit_->SetText("new");
  EXPECT_FALSE(edit_->IsModified());
  EXPECT_EQ(edit_->CaretPos, 3);
  EXPECT_EQ(edit_->SelStart, 0);
  EXPECT_EQ(edit_->SelEnd, 0);
}

TEST_F(EditTest, PressesPutTheCaretByTheMiddlesOfTheCharacters) {
  edit_->SetMargin(3);
  edit_->SetText("WWW");
  int32_t w = Measure("W");
  struct {
    int32_t x;
    int32_t caret;
  } cases[] = {
      {3 + w / 2, 0},
      {3 + w / 2 + 1, 1},
      {3 + w + w / 2, 1},
      {3 + w + w / 2 + 1, 2},
      {3 + 2 * w + w / 2 + 1, 3},
      {0, 0},
      {95, 3},
  };
  for (const auto& c : cases) {
    Tap(*edit_, c.x, 12);
    EXPECT_EQ(edit_->CaretPos, c.caret) << c.x;
    EXPECT_EQ(edit_->CharIndexAt(c.x), c.caret) << c.x;
    EXPECT_EQ(edit_->SelStart, edit_->SelEnd);
  }
  EXPECT_TRUE(edit_->IsFocused());
  edit_->SetText("");
  for (int32_t x : {-10, 0, 3, 50, 200}) EXPECT_EQ(edit_->CharIndexAt(x), 0) << x;
}

TEST_F(EditTest, TextBeyondTheWidthIsNeverReached) {
  edit_->SetMargin(3);
  edit_->SetText("WWWWWWWWWWWWWWWWWWWW");  // far wider than 94 pixels
  int32_t fit = (100 - 6) / Measure("W");
  EXPECT_EQ(edit_->CharIndexAt(1000), fit);
  edit_->InputChar('W');  // typing still goes on past the visible part
  EXPECT_EQ(edit_->CaretPos, 21);
}

TEST_F(EditTest, DragSelectsAndDoubleClickSelectsAll) {
  edit_->SetText("WWWW");
  int32_t w = Measure("W");
  Mouse(*edit_, WM_LBUTTONDOWN, 3 * w, 12);
  Mouse(*edit_, WM_MOUSEMOVE, w, 12);
  Mouse(*edit_, WM_LBUTTONUP, w, 12);
  EXPECT_EQ(edit_->SelStart, 3);
  EXPECT_EQ(edit_->SelEnd, 1);
  EXPECT_EQ(edit_->CaretPos, 1);
  // A move without the button down leaves the selection.
  Mouse(*edit_, WM_MOUSEMOVE, 4 * w, 12);
  EXPECT_EQ(edit_->SelEnd, 1);
  Mouse(*edit_, WM_LBUTTONDBLCLK, w, 12);
  Mouse(*edit_, WM_LBUTTONUP, w, 12);
  EXPECT_EQ(edit_->SelStart, 0);
  EXPECT_EQ(edit_->SelEnd, 4);
  EXPECT_EQ(edit_->CaretPos, 4);
}

int g_exits = 0;
void CountExit(CControl*, CControl*) { ++g_exits; }

TEST_F(EditTest, FocusLossClearsTheSelectionKeepsTheCaret) {
  edit_->SetText("abcd");
  window_->SetFocus(edit_);
  edit_->SetSelection(1, 3);
  g_exits = 0;
  edit_->OnExit = CountExit;
  window_->SetFocus(nullptr);
  EXPECT_EQ(g_exits, 1);
  EXPECT_EQ(edit_->SelStart, 0);
  EXPECT_EQ(edit_->SelEnd, 0);
  EXPECT_EQ(edit_->CaretPos, 3);
  EXPECT_FALSE(edit_->IsFocused());
}

TEST_F(EditTest, SelectionBarCoversTheSelectedCharactersAtTheFontsHeight) {
  edit_->SetMargin(3);
  edit_->SetText("a    b");  // the selected blanks leave the bar free of ink
  edit_->SetSelection(2, 4);
  edit_->RepaintNow();
  int32_t left = 3 + Measure("a "), right = 3 + Measure("a   ");
  int32_t h = font_.GetPixelHeight(), top = (24 - h) / 2;
  uint32_t bar = RgbOf(edit_->SelectionColor);
  EXPECT_EQ(EditPixel(left, top), bar);
  EXPECT_EQ(EditPixel(right - 1, top + h - 1), bar);
  EXPECT_EQ(EditPixel(left - 1, top), kWhite);
  EXPECT_EQ(EditPixel(right, top + h - 1), kWhite);
  EXPECT_EQ(EditPixel(left, top - 1), kWhite);
  EXPECT_EQ(EditPixel(left, top + h), kWhite);
  EXPECT_EQ(EditPixel(0, 0), kBlack);  // the frame
  EXPECT_EQ(EditPixel(99, 23), kBlack);
}

TEST_F(EditTest, SteadyCaretStandsAtTheBoundaryOnlyWhileFocused) {
  edit_->SetMargin(3);
  edit_->SetText("a  ");
  edit_->RepaintNow();
  int32_t x = 3 + Measure("a  ");
  EXPECT_EQ(EditPixel(x, 12), kWhite);
  window_->SetFocus(edit_);
  edit_->RepaintNow();
  for (int32_t y = 2; y <= 21; ++y) EXPECT_EQ(EditPixel(x, y), kBlack) << y;
  EXPECT_EQ(EditPixel(x, 1), kWhite);
  EXPECT_EQ(EditPixel(x, 22), kWhite);
  EXPECT_EQ(EditPixel(x - 1, 12), kWhite);
  EXPECT_EQ(EditPixel(x + 1, 12), kWhite);
}

TEST_F(EditTest, CaretAndPointerFollowRightAndCentredText) {
  edit_->SetMargin(3);
  edit_->SetText("WW");
  int32_t full = Measure("WW"), w = Measure("W");
  struct {
    int32_t align;
    int32_t left;
  } cases[] = {{0, 3}, {2, 100 - 3 - full}, {1, (100 - full) / 2}};
  for (const auto& c : cases) {
    edit_->TextAlign = c.align;
    edit_->RepaintNow();
    EXPECT_EQ(edit_->TextX(0), c.left) << c.align;
    EXPECT_EQ(edit_->TextX(2), c.left + full) << c.align;
    RECT ink = InkBox({21, 41, 119, 63}, kWhite);
    EXPECT_NEAR(ink.left - 20, c.left, 2) << c.align;
    EXPECT_NEAR(ink.right - 20, c.left + full, 2) << c.align;
    EXPECT_EQ(edit_->CharIndexAt(c.left + w / 2), 0) << c.align;
    EXPECT_EQ(edit_->CharIndexAt(c.left + w / 2 + 1), 1) << c.align;
  }
}

TEST_F(EditTest, DisabledTextIsSilverTransparentFieldHasNoFrame) {
  edit_->SetText("WWW");
  edit_->SetEnabled(false);
  edit_->RepaintNow();
  RECT ink = InkBox({21, 41, 119, 63}, kWhite);
  ASSERT_LT(ink.left, ink.right);
  bool silver = false;
  for (int32_t y = ink.top; y < ink.bottom; ++y)
    for (int32_t x = ink.left; x < ink.right; ++x) {
      EXPECT_NE(Pixel(x, y), kBlack);
      silver = silver || Pixel(x, y) == 0xC0C0C0;
    }
  EXPECT_TRUE(silver);
  window_->Color = 0x00FF00;
  edit_->SetTransparent(true);
  window_->RepaintNow();
  EXPECT_EQ(EditPixel(0, 0), 0x00FF00u);
  EXPECT_EQ(EditPixel(50, 1), 0x00FF00u);
}

}  // namespace
