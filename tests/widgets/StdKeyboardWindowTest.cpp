#include "lib/widgets/StdKeyboardWindow.h"

#include <climits>
#include <string>

#include "lib/foundation/text/Language.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/Edit.h"
#include "lib/widgets/MsgBox.h"
#include "tests/widgets/KeyboardTestHelpers.h"
#include "tests/widgets/LocaleScope.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

class StdKeyboardWindowTest : public WidgetTest {
 protected:
  static CStdKeyboardWindow* Keyboard() { return ShownWindow<CStdKeyboardWindow>(); }

  // A step that ends a message box, if one is shown, with OK and keeps its text.
  std::function<void()> AnswerMessageBox() {
    return [this] {
      if (CMsgBox* box = ShownWindow<CMsgBox>()) {
        message_ = box->Text.c_str();
        caption_ = box->Caption.c_str();
        box->ModalResult = mrOK;
      }
    };
  }

  std::string message_;
  std::string caption_;
};

TEST_F(StdKeyboardWindowTest, TheEditLineSitsAboveOkAndCancel) {
  CStr text = "abc";
  bool checked = false;
  CMessageScript script({[&] {
    CStdKeyboardWindow* keyboard = Keyboard();
    ASSERT_NE(keyboard, nullptr);
    CEdit* edit = keyboard->Edit;
    EXPECT_EQ(keyboard->Target, edit);
    EXPECT_TRUE(edit->IsFocused());
    EXPECT_STREQ(edit->GetText().c_str(), "abc");
    EXPECT_EQ(edit->Font, keyboard->SmallFont);
    EXPECT_EQ(edit->Margin, 3);
    EXPECT_EQ(edit->GetWindowBounds().left, 4);
    EXPECT_EQ(edit->GetWindowBounds().top, 30);
    EXPECT_EQ(edit->GetWidth(), 232);
    EXPECT_EQ(edit->GetHeight(), 18);
    RECT ok = keyboard->OkButton->GetWindowBounds();
    RECT cancel = keyboard->CancelButton->GetWindowBounds();
    EXPECT_EQ(ok.left, 4);
    EXPECT_EQ(ok.top, 60);
    EXPECT_EQ(ok.right, 4 + 114);
    EXPECT_EQ(ok.bottom, 88);
    EXPECT_EQ(cancel.left, 122);
    EXPECT_EQ(cancel.right, 122 + 114);
    EXPECT_EQ(keyboard->KeyPanel->GetControlCount(), 54);
    checked = true;
    PostTap(keyboard->CancelButton);
  }});
  CStdKeyboardWindow keyboard("Text", nullptr, text, kKeyboardFull);
  EXPECT_TRUE(checked);
  EXPECT_EQ(keyboard.ModalResult, mrCancel);
  EXPECT_STREQ(text.c_str(), "abc");
}

TEST_F(StdKeyboardWindowTest, EnterWritesTheTextBack) {
  CStr text = "ab";
  CMessageScript script({[&] {
    CStdKeyboardWindow* keyboard = Keyboard();
    PostTap(keyboard->ShiftKey);
    PostTap(keyboard->KeyC);
    PostTap(keyboard->EnterKeyBottom);
  }});
  CStdKeyboardWindow keyboard("Text", nullptr, text, kKeyboardFull);
  EXPECT_STREQ(text.c_str(), "abC");
}

TEST_F(StdKeyboardWindowTest, InputStringCancelledAfterTypingKeepsTheText) {
  CMessageScript script({[&] {
    CStdKeyboardWindow* keyboard = Keyboard();
    PostTap(keyboard->KeyX);
    PostTap(keyboard->BackspaceKey);
    PostTap(keyboard->BackspaceKey);
    PostTap(keyboard->CancelButton);
  }});
  EXPECT_STREQ(InputString("Harbour", "Name", nullptr).c_str(), "Harbour");
}

TEST_F(StdKeyboardWindowTest, InputStringReturnsTheConfirmedText) {
  CMessageScript script({[&] {
    CStdKeyboardWindow* keyboard = Keyboard();
    EXPECT_EQ(keyboard->Mode, kKeyboardFull);
    PostTap(keyboard->Key2);
    PostTap(keyboard->OkButton);
  }});
  EXPECT_STREQ(InputString("Buoy", "Name", nullptr).c_str(), "Buoy2");
}

// How a case changes the keypad's text before OK; null leaves it.
struct SIntegerCase {
  const char* typed;
  bool decimalKey;
  int32_t expected;
  bool errorBox;
};

const SIntegerCase kIntegerCases[] = {
    {nullptr, false, 42, false},
    {" -17", false, -17, false},
    {"-2147483648", false, INT_MIN, false},
    {"2147483647", false, INT_MAX, false},
    {"+8", false, 8, false},
    {"17 ", false, 42, true},
    {"", false, 42, true},
    {"2147483648", false, 42, true},
    {"1x", false, 42, true},
    {nullptr, true, 42, true},
};

TEST_F(StdKeyboardWindowTest, InputIntegerTakesWholeNumbersOnly) {
  for (const SIntegerCase& c : kIntegerCases) {
    SCOPED_TRACE(c.typed ? c.typed : c.decimalKey ? "decimal key" : "untouched");
    message_.clear();
    caption_.clear();
    CMessageScript script({[&] {
                             CStdKeyboardWindow* keyboard = Keyboard();
                             EXPECT_EQ(keyboard->Mode, kKeyboardNumeric);
                             EXPECT_STREQ(keyboard->Edit->GetText().c_str(), "42");
                             if (c.typed) keyboard->Edit->SetText(c.typed);
                             if (c.decimalKey) PostTap(keyboard->DecimalKey);
                             PostTap(keyboard->OkButton);
                           },
                           AnswerMessageBox(), AnswerMessageBox()});
    EXPECT_EQ(InputInteger(42, "Number", nullptr), c.expected);
    EXPECT_EQ(message_, c.errorBox ? "The value entered is not valid." : "");
    EXPECT_EQ(caption_, c.errorBox ? "Error" : "");
  }
}

TEST_F(StdKeyboardWindowTest, TheErrorBoxSpeaksTheUsersLanguage) {
  struct SCase {
    int32_t language;
    const char* message;
    const char* caption;
  };
  const SCase cases[] = {
      {kLangDutch, "De ingevoerde waarde is niet geldig.", "Fout"},
      {kLangGerman, "Die eingef\xFChrte Werte ist ung\xFCltig.", "Fehler"},
      {kLangFrench, "The value entered is not valid.", "Erreur"},
  };
  int32_t saved = GetLanguage();
  for (const SCase& c : cases) {
    SetLanguage(c.language);
    CMessageScript script({[&] {
                             Keyboard()->Edit->SetText("1,5");
                             PostTap(Keyboard()->OkButton);
                           },
                           AnswerMessageBox(), AnswerMessageBox()});
    EXPECT_EQ(InputInteger(3, "Number", nullptr), 3);
    EXPECT_EQ(message_, c.message);
    EXPECT_EQ(caption_, c.caption);
  }
  SetLanguage(saved);
}

TEST_F(StdKeyboardWindowTest, InputIntegerCancelledKeepsTheValueWithoutABox) {
  CMessageScript script({[&] {
                           CStdKeyboardWindow* keyboard = Keyboard();
                           keyboard->Edit->SetText("x");
                           PostTap(keyboard->CancelButton);
                         },
                         AnswerMessageBox(), AnswerMessageBox()});
  EXPECT_EQ(InputInteger(9, "Number", nullptr), 9);
  EXPECT_EQ(message_, "");
}

TEST_F(StdKeyboardWindowTest, ACloseRequestEndsEveryEntryAtOnce) {
  g_CloseRequested = true;
  CMessageScript ticks({});
  EXPECT_EQ(InputInteger(5, "Number", nullptr), 5);
  EXPECT_STREQ(InputString("abc", "Text", nullptr).c_str(), "abc");
  double latitude = 0.5, longitude = -1.0;
  int32_t format = 1;
  EXPECT_FALSE(InputPosition(latitude, longitude, format, "Position", nullptr));
  EXPECT_EQ(latitude, 0.5);
  EXPECT_EQ(longitude, -1.0);
  EXPECT_EQ(format, 1);
}

TEST_F(StdKeyboardWindowTest, TheOwnerIsDisabledWhileTheKeyboardRuns) {
  CWindow owner("Owner", nullptr);
  owner.Show();
  bool disabled = false;
  CMessageScript script({[&] {
    disabled = !IsWindowEnabled(owner.GetHandle());
    PostTap(Keyboard()->OkButton);
  }});
  EXPECT_STREQ(InputString("a", "Text", &owner).c_str(), "a");
  EXPECT_TRUE(disabled);
  EXPECT_TRUE(IsWindowEnabled(owner.GetHandle()));
}

}  // namespace
