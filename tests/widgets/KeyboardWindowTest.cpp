#include "lib/widgets/KeyboardWindow.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/DefaultColors.h"
#include "lib/widgets/Edit.h"
#include "tests/widgets/KeyboardTestHelpers.h"
#include "tests/widgets/LocaleScope.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

using TKeyField = CButton* CKeyboardWindow::*;

struct SBounds {
  int32_t left, top, width, height;
  bool operator==(const SBounds&) const = default;
};

SBounds BoundsOf(const CControl& c) {
  return {c.GetLeft(), c.GetTop(), c.GetWidth(), c.GetHeight()};
}

// A keyboard laid out on the fixture's screen, typing into an edit of its own.
class CTestKeyboard : public CKeyboardWindow {
 public:
  explicit CTestKeyboard(int32_t mode) : CKeyboardWindow("Keys", nullptr, mode) {
    Edit = new CEdit(this, "", SmallFont);
    Edit->SetBounds(4, 30, 100, 18);
    Target = Edit;
  }
  bool AcceptChar(char ch) override { return ch != refused; }
  CEdit* Edit;
  char refused = 0;
};

class KeyboardWindowTest : public WidgetTest {
 protected:
  explicit KeyboardWindowTest(int32_t width = 240, int32_t height = 320)
      : WidgetTest(width, height) {}

  std::unique_ptr<CTestKeyboard> Shown(int32_t mode) {
    auto keyboard = std::make_unique<CTestKeyboard>(mode);
    keyboard->Show();
    return keyboard;
  }

  static void Press(CButton* key) { Tap(*key, key->GetWidth() / 2, key->GetHeight() / 2); }
};

// Written down from the key tables: the keys not in runs of 24-pixel keys and
// the ends of each run.
struct SKeyCase {
  TKeyField key;
  SBounds bounds;
};

const SKeyCase kFullKeyCases[] = {
    {&CKeyboardWindow::TabKey, {0, 0, 38, 24}},
    {&CKeyboardWindow::CapsKey, {38, 0, 38, 24}},
    {&CKeyboardWindow::KeyBackslash, {76, 0, 24, 24}},
    {&CKeyboardWindow::KeyEquals, {172, 0, 24, 24}},
    {&CKeyboardWindow::BackspaceKey, {196, 0, 44, 24}},
    {&CKeyboardWindow::Key1, {0, 24, 24, 24}},
    {&CKeyboardWindow::Key0, {216, 24, 24, 24}},
    {&CKeyboardWindow::KeyQ, {0, 48, 24, 24}},
    {&CKeyboardWindow::KeyP, {216, 48, 24, 24}},
    {&CKeyboardWindow::KeyA, {5, 72, 24, 24}},
    {&CKeyboardWindow::KeyL, {197, 72, 24, 24}},
    {&CKeyboardWindow::EnterKeyTop, {221, 72, 19, 24}},
    {&CKeyboardWindow::KeyZ, {10, 96, 24, 24}},
    {&CKeyboardWindow::KeySlash, {178, 96, 24, 24}},
    {&CKeyboardWindow::EnterKeyBottom, {202, 96, 38, 24}},
    {&CKeyboardWindow::ShiftKey, {0, 120, 50, 24}},
    {&CKeyboardWindow::KeyBackquote, {50, 120, 24, 24}},
    {&CKeyboardWindow::SpaceKey, {74, 120, 70, 24}},
    {&CKeyboardWindow::KeyLeftBracket, {144, 120, 24, 24}},
    {&CKeyboardWindow::KeyPeriod, {216, 120, 24, 24}},
};

const SKeyCase kPadKeyCases[] = {
    {&CKeyboardWindow::Key7, {0, 0, 80, 36}},
    {&CKeyboardWindow::Key9, {160, 0, 80, 36}},
    {&CKeyboardWindow::Key5, {80, 36, 80, 36}},
    {&CKeyboardWindow::Key1, {0, 72, 80, 36}},
    {&CKeyboardWindow::Key0, {0, 108, 80, 36}},
    {&CKeyboardWindow::DecimalKey, {80, 108, 80, 36}},
    {&CKeyboardWindow::BackspaceKey, {160, 108, 80, 36}},
};

TEST_F(KeyboardWindowTest, FullKeyboardPlacesTheKeyTable) {
  auto keyboard = Shown(kKeyboardFull);
  EXPECT_EQ(BoundsOf(*keyboard->KeyPanel), (SBounds{0, 176, 240, 144}));
  for (const SKeyCase& c : kFullKeyCases) {
    CButton* key = keyboard.get()->*c.key;
    EXPECT_EQ(key->GetParent(), keyboard->KeyPanel);
    EXPECT_EQ(BoundsOf(*key), c.bounds) << key->Caption.c_str();
  }
  EXPECT_EQ(keyboard->KeyPanel->GetControlCount(), 54);
  EXPECT_EQ(keyboard->DecimalKey->GetParent(), nullptr);
}

// Rows of keys without gaps, indented by 5 and 10 pixels on the middle letter
// rows, each ending at the block's right edge.
TEST_F(KeyboardWindowTest, EveryFullKeyboardRowEndsAtTheRightEdge) {
  const std::map<int32_t, int32_t> indent = {{0, 0}, {24, 0}, {48, 0}, {72, 5}, {96, 10}, {120, 0}};
  auto keyboard = Shown(kKeyboardFull);
  std::map<int32_t, std::vector<SBounds>> rows;
  for (int32_t i = 0; i < keyboard->KeyPanel->GetControlCount(); ++i) {
    SBounds b = BoundsOf(*keyboard->KeyPanel->GetControl(i));
    EXPECT_EQ(b.height, 24);
    rows[b.top].push_back(b);
  }
  ASSERT_EQ(rows.size(), 6u);
  for (auto& [top, keys] : rows) {
    std::sort(keys.begin(), keys.end(), [](auto& a, auto& b) { return a.left < b.left; });
    int32_t x = indent.at(top);
    for (const SBounds& b : keys) {
      EXPECT_EQ(b.left, x) << "row " << top;
      x = b.left + b.width;
    }
    EXPECT_EQ(x, 240) << "row " << top;
  }
}

TEST_F(KeyboardWindowTest, NumericKeypadPlacesTwelveKeys) {
  auto keyboard = Shown(kKeyboardNumeric);
  EXPECT_EQ(keyboard->KeyPanel->GetControlCount(), 12);
  for (const SKeyCase& c : kPadKeyCases)
    EXPECT_EQ(BoundsOf(*(keyboard.get()->*c.key)), c.bounds)
        << (keyboard.get()->*c.key)->Caption.c_str();
  for (CButton* unused : {keyboard->ShiftKey, keyboard->KeyMinus, keyboard->SpaceKey,
                          keyboard->EnterKeyTop, keyboard->KeyA})
    EXPECT_EQ(unused->GetParent(), nullptr);
}

TEST_F(KeyboardWindowTest, AnotherModeShowsNoKeys) {
  auto keyboard = Shown(7);
  EXPECT_EQ(keyboard->KeyPanel->GetControlCount(), 0);
}

TEST_F(KeyboardWindowTest, EveryShowPlacesTheKeysAgain) {
  auto keyboard = Shown(kKeyboardFull);
  keyboard->Hide();
  keyboard->Mode = kKeyboardNumeric;
  keyboard->Show();
  EXPECT_EQ(keyboard->KeyPanel->GetControlCount(), 12);
  EXPECT_EQ(keyboard->KeyA->GetParent(), nullptr);
}

class KeyboardLandscapeTest : public KeyboardWindowTest {
 protected:
  KeyboardLandscapeTest() : KeyboardWindowTest(320, 240) {}
};

TEST_F(KeyboardLandscapeTest, TheBlockSitsAtTheBottomCentre) {
  for (int32_t mode : {kKeyboardFull, kKeyboardNumeric}) {
    auto keyboard = Shown(mode);
    EXPECT_EQ(BoundsOf(*keyboard), (SBounds{0, 0, 320, 240}));
    EXPECT_EQ(BoundsOf(*keyboard->KeyPanel), (SBounds{40, 96, 240, 144}));
    EXPECT_EQ(BoundsOf(*keyboard->Key7),
              mode == kKeyboardFull ? (SBounds{144, 24, 24, 24}) : (SBounds{0, 0, 80, 36}));
  }
}

class KeyboardNarrowTest : public KeyboardWindowTest {
 protected:
  KeyboardNarrowTest() : KeyboardWindowTest(200, 320) {}
};

TEST_F(KeyboardNarrowTest, ANarrowScreenPutsTheBlockAtANegativeLeft) {
  auto keyboard = Shown(kKeyboardFull);
  EXPECT_EQ(BoundsOf(*keyboard->KeyPanel), (SBounds{-20, 176, 240, 144}));
}

struct SCaptionCase {
  uint8_t flags;
  TKeyField key;
  const char* caption;
};

const SCaptionCase kCaptionCases[] = {
    {0, &CKeyboardWindow::KeyA, "a"},
    {0, &CKeyboardWindow::Key1, "1"},
    {0, &CKeyboardWindow::KeyQuote, "'"},
    {kShiftOn, &CKeyboardWindow::KeyA, "A"},
    {kShiftOn, &CKeyboardWindow::Key1, "!"},
    {kShiftOn, &CKeyboardWindow::Key0, ")"},
    {kShiftOn, &CKeyboardWindow::Key6, "^"},
    {kShiftOn, &CKeyboardWindow::KeyLeftBracket, "{"},
    {kShiftOn, &CKeyboardWindow::KeyRightBracket, "}"},
    {kShiftOn, &CKeyboardWindow::KeySemicolon, ":"},
    {kShiftOn, &CKeyboardWindow::KeyQuote, "\""},
    {kShiftOn, &CKeyboardWindow::KeyComma, "<"},
    {kShiftOn, &CKeyboardWindow::KeyPeriod, ">"},
    {kShiftOn, &CKeyboardWindow::KeySlash, "?"},
    {kShiftOn, &CKeyboardWindow::KeyMinus, "_"},
    {kShiftOn, &CKeyboardWindow::KeyEquals, "+"},
    {kShiftOn, &CKeyboardWindow::KeyBackslash, "|"},
    {kShiftOn, &CKeyboardWindow::KeyBackquote, "~"},
    {kShiftOn, &CKeyboardWindow::SpaceKey, " "},
    {kCapsLockOn, &CKeyboardWindow::KeyZ, "Z"},
    {kCapsLockOn, &CKeyboardWindow::Key1, "!"},
    {kCapsLockOn, &CKeyboardWindow::Key9, "("},
    {kShiftOn | kCapsLockOn, &CKeyboardWindow::KeyZ, "z"},
    {kShiftOn | kCapsLockOn, &CKeyboardWindow::Key1, "1"},
    {kShiftOn | kCapsLockOn, &CKeyboardWindow::KeyMinus, "-"},
};

TEST_F(KeyboardWindowTest, CaptionsFollowShiftAndCapsLock) {
  CUserLocaleScope locale(kLocaleEnglishUS);
  CKeyboardWindow keyboard("Keys", nullptr, kKeyboardFull);
  for (const SCaptionCase& c : kCaptionCases) {
    keyboard.SetShiftState(c.flags);
    EXPECT_STREQ((keyboard.*c.key)->Caption.c_str(), c.caption) << int(c.flags);
  }
  keyboard.SetShiftState(kShiftOn);
  EXPECT_STREQ(keyboard.DecimalKey->Caption.c_str(), ".");
}

TEST_F(KeyboardWindowTest, KeysHaveTheirFontsAndLooks) {
  CKeyboardWindow keyboard("Keys", nullptr, kKeyboardFull);
  EXPECT_EQ(keyboard.Keys.GetCount(), 49);
  EXPECT_EQ(keyboard.Keys[0], keyboard.KeyA);
  EXPECT_EQ(keyboard.Keys[36], keyboard.SpaceKey);
  EXPECT_EQ(keyboard.Keys[47], keyboard.KeyBackslash);
  EXPECT_EQ(keyboard.Keys[48], keyboard.DecimalKey);
  for (CButton* key :
       {keyboard.KeyA, keyboard.DecimalKey, keyboard.ShiftKey, keyboard.EnterKeyTop}) {
    EXPECT_EQ(key->Font, keyboard.KeyFont);
    EXPECT_TRUE(key->IsTransparent());
    EXPECT_TRUE(key->FrameWhenUp);
  }
  EXPECT_EQ(keyboard.KeyFont->GetSize(), 10);
  EXPECT_EQ(keyboard.SmallFont->GetSize(), 9);
  EXPECT_EQ(keyboard.KeyFont->GetStyle(), kFontBold);
  EXPECT_STREQ(keyboard.CapsKey->Caption.c_str(), "CAP");
  EXPECT_STREQ(keyboard.ShiftKey->Caption.c_str(), "");
  EXPECT_STREQ(keyboard.OkButton->Caption.c_str(), "OK");
  EXPECT_STREQ(keyboard.CancelButton->Caption.c_str(), "Cancel");
  EXPECT_EQ(keyboard.Target, nullptr);
}

TEST_F(KeyboardWindowTest, SpecialKeysShowTheirBitmaps) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  std::string dir = std::string(folder) + "tdlib_keyboard_images\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  WriteBmp(dir + "btn_keyboard_shift.bmp", 12, 10, 0xFF0000FF);
  WriteBmp(dir + "btn_keyboard_enter_02.bmp", 7, 5, 0xFF00FF00);
  SetImageFolder(dir.c_str());
  CKeyboardWindow keyboard("Keys", nullptr, kKeyboardFull);
  ASSERT_NE(keyboard.ShiftKey->Image, nullptr);
  EXPECT_EQ(keyboard.ShiftKey->Image->Width(), 12);
  ASSERT_NE(keyboard.EnterKeyBottom->Image, nullptr);
  EXPECT_EQ(keyboard.EnterKeyBottom->Image->Height(), 5);
  EXPECT_EQ(keyboard.TabKey->Image, nullptr);
  EXPECT_EQ(keyboard.BackspaceKey->Image, nullptr);
  DeleteFileA((dir + "btn_keyboard_shift.bmp").c_str());
  DeleteFileA((dir + "btn_keyboard_enter_02.bmp").c_str());
  RemoveDirectoryA(dir.c_str());
}

TEST_F(KeyboardWindowTest, ShiftTypesOneCapitalThenTurnsOff) {
  auto keyboard = Shown(kKeyboardFull);
  Press(keyboard->ShiftKey);
  EXPECT_EQ(keyboard->ShiftKey->Color, DefaultActiveColor);
  EXPECT_STREQ(keyboard->KeyA->Caption.c_str(), "A");
  Press(keyboard->KeyA);
  EXPECT_EQ(keyboard->ShiftState, 0);
  EXPECT_EQ(keyboard->ShiftKey->Color, DefaultFaceColor);
  Press(keyboard->KeyA);
  Press(keyboard->Key1);
  EXPECT_STREQ(keyboard->Edit->GetText().c_str(), "Aa1");
}

TEST_F(KeyboardWindowTest, CapsLockStaysUntilPressedAgain) {
  auto keyboard = Shown(kKeyboardFull);
  Press(keyboard->CapsKey);
  EXPECT_EQ(keyboard->CapsKey->Color, DefaultActiveColor);
  Press(keyboard->KeyB);
  Press(keyboard->Key2);
  Press(keyboard->ShiftKey);
  Press(keyboard->KeyB);
  Press(keyboard->CapsKey);
  EXPECT_EQ(keyboard->CapsKey->Color, DefaultFaceColor);
  Press(keyboard->KeyB);
  EXPECT_STREQ(keyboard->Edit->GetText().c_str(), "B@bb");
}

TEST_F(KeyboardWindowTest, KeysActOnPress) {
  auto keyboard = Shown(kKeyboardFull);
  Mouse(*keyboard->KeyC, WM_LBUTTONDOWN, 3, 3);
  EXPECT_STREQ(keyboard->Edit->GetText().c_str(), "c");
  Mouse(*keyboard->KeyC, WM_LBUTTONUP, 3, 3);
  EXPECT_STREQ(keyboard->Edit->GetText().c_str(), "c");
}

TEST_F(KeyboardWindowTest, TabTypesNothingAndBackspaceDeletes) {
  auto keyboard = Shown(kKeyboardFull);
  Press(keyboard->KeyX);
  Press(keyboard->SpaceKey);
  Press(keyboard->TabKey);
  EXPECT_STREQ(keyboard->Edit->GetText().c_str(), "x ");
  Press(keyboard->BackspaceKey);
  EXPECT_STREQ(keyboard->Edit->GetText().c_str(), "x");
}

TEST_F(KeyboardWindowTest, ARefusedCharacterKeepsShiftOn) {
  auto keyboard = Shown(kKeyboardFull);
  keyboard->refused = 'Q';
  Press(keyboard->ShiftKey);
  Press(keyboard->KeyQ);
  EXPECT_STREQ(keyboard->Edit->GetText().c_str(), "");
  EXPECT_EQ(keyboard->ShiftState, kShiftOn);
  EXPECT_EQ(keyboard->ShiftKey->Color, DefaultActiveColor);
}

TEST_F(KeyboardWindowTest, KeysWithoutTargetTypeNothing) {
  auto keyboard = Shown(kKeyboardFull);
  keyboard->Target = nullptr;
  Press(keyboard->ShiftKey);
  Press(keyboard->KeyA);
  Press(keyboard->BackspaceKey);
  EXPECT_STREQ(keyboard->Edit->GetText().c_str(), "");
  EXPECT_EQ(keyboard->ShiftState, kShiftOn);
}

TEST_F(KeyboardWindowTest, TheKeypadTypesDigitsAndThePointSeparator) {
  CUserLocaleScope locale(kLocaleEnglishUS);
  auto keyboard = Shown(kKeyboardNumeric);
  Press(keyboard->Key4);
  Press(keyboard->DecimalKey);
  Press(keyboard->Key2);
  EXPECT_STREQ(keyboard->Edit->GetText().c_str(), "4.2");
}

TEST_F(KeyboardWindowTest, TheKeypadTypesTheDutchCommaSeparator) {
  CUserLocaleScope locale(kLocaleDutch);
  auto keyboard = Shown(kKeyboardNumeric);
  EXPECT_STREQ(keyboard->DecimalKey->Caption.c_str(), ",");
  Press(keyboard->Key3);
  Press(keyboard->DecimalKey);
  Press(keyboard->Key5);
  EXPECT_STREQ(keyboard->Edit->GetText().c_str(), "3,5");
}

TEST_F(KeyboardWindowTest, EitherEnterHalfEndsWithOkAndShowsBothPressed) {
  for (TKeyField half : {&CKeyboardWindow::EnterKeyTop, &CKeyboardWindow::EnterKeyBottom}) {
    CTestKeyboard keyboard(kKeyboardFull);
    CButton* pressed = keyboard.*half;
    CMessageScript script({[&] { Mouse(*pressed, WM_LBUTTONDOWN, 2, 2, false); }});
    EXPECT_EQ(keyboard.ShowModal(), mrOK);
    EXPECT_TRUE(keyboard.EnterKeyTop->IsPressed());
    EXPECT_TRUE(keyboard.EnterKeyBottom->IsPressed());
    EXPECT_EQ(keyboard.EnterKeyTop->OnMouseDown != nullptr, true);
    EXPECT_EQ(keyboard.EnterKeyBottom->OnMouseDown != nullptr, true);
  }
}

TEST_F(KeyboardWindowTest, OkAndCancelEndTheModalLoop) {
  for (int32_t expected : {mrOK, mrCancel}) {
    CTestKeyboard keyboard(kKeyboardNumeric);
    keyboard.OkButton->SetBounds(4, 60, 100, 28);
    keyboard.CancelButton->SetBounds(120, 60, 100, 28);
    CButton* button = expected == mrOK ? keyboard.OkButton : keyboard.CancelButton;
    CMessageScript script({[&] { Tap(*button, 5, 5); }});
    EXPECT_EQ(keyboard.ShowModal(), expected);
  }
}

TEST_F(KeyboardWindowTest, AButtonUpAfterTheKeyboardIsGoneReachesNothing) {
  auto keyboard = std::make_unique<CTestKeyboard>(kKeyboardFull);
  CMessageScript script({[&] { Mouse(*keyboard->EnterKeyTop, WM_LBUTTONDOWN, 2, 2, false); }});
  EXPECT_EQ(keyboard->ShowModal(), mrOK);
  keyboard.reset();
  EXPECT_EQ(g_CapturedControl, nullptr);
  CWindow other("Other", nullptr);
  other.Show();
  PostMessageA(other.GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(230, 200));
  Pump();
  EXPECT_EQ(g_CapturedControl, nullptr);
}

}  // namespace
