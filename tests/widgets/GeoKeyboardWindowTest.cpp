#include "lib/widgets/GeoKeyboardWindow.h"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "lib/foundation/core/Exception.h"
#include "lib/foundation/text/Language.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/Edit.h"
#include "lib/widgets/Label.h"
#include "lib/widgets/StdKeyboardWindow.h"
#include "tests/widgets/KeyboardTestHelpers.h"
#include "tests/widgets/LocaleScope.h"
#include "tests/widgets/WidgetFixture.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

double Radians(double degrees) { return degrees * kPi / 180; }

using TAction = std::function<void(CGeoKeyboardWindow&)>;

TAction TapOn(CEdit* CGeoKeyboardWindow::*control) {
  return [control](CGeoKeyboardWindow& k) { PostTap(k.*control); };
}

TAction TapOn(CButton* CGeoKeyboardWindow::*control) {
  return [control](CGeoKeyboardWindow& k) { PostTap(k.*control); };
}

// Replaces a field's whole text the way the keypad does, through InputChar, so
// the field counts as modified.
TAction Type(CEdit* CGeoKeyboardWindow::*field, const char* text) {
  return [field, text](CGeoKeyboardWindow& k) {
    CEdit* edit = k.*field;
    edit->SetSelection(0, edit->GetText().GetLength());
    edit->InputChar(1);
    for (const char* c = text; *c; ++c) edit->InputChar(*c);
  };
}

const TAction kOk = TapOn(&CGeoKeyboardWindow::OkButton);
const TAction kCancel = TapOn(&CGeoKeyboardWindow::CancelButton);

struct SPosition {
  double latitude, longitude;
  int32_t format;
};

struct SGeoCase {
  const char* name;
  SPosition start;
  std::vector<TAction> actions;
  bool confirmed;
  SPosition expected;
};

class GeoKeyboardWindowTest : public WidgetTest {
 protected:
  // Runs InputPosition with one scripted step per action.
  bool Run(SPosition& position, const std::vector<TAction>& actions) {
    std::vector<std::function<void()>> steps;
    for (const TAction& action : actions)
      steps.push_back([action] {
        CGeoKeyboardWindow* keyboard = ShownWindow<CGeoKeyboardWindow>();
        ASSERT_NE(keyboard, nullptr);
        action(*keyboard);
      });
    CMessageScript script(steps);
    return InputPosition(position.latitude, position.longitude, position.format, "Position",
                         nullptr);
  }

  void RunCases(const std::vector<SGeoCase>& cases) {
    for (const SGeoCase& c : cases) {
      SCOPED_TRACE(c.name);
      SPosition position = c.start;
      EXPECT_EQ(Run(position, c.actions), c.confirmed);
      EXPECT_DOUBLE_EQ(position.latitude, c.expected.latitude);
      EXPECT_DOUBLE_EQ(position.longitude, c.expected.longitude);
      EXPECT_EQ(std::signbit(position.latitude), std::signbit(c.expected.latitude));
      EXPECT_EQ(std::signbit(position.longitude), std::signbit(c.expected.longitude));
      EXPECT_EQ(position.format, c.expected.format);
    }
  }
};

TEST_F(GeoKeyboardWindowTest, EditsClampAndSigns) {
  CUserLocaleScope locale(kLocaleEnglishUS);
  RunCases({
      {"south round trip", {-0.9, 0.3, 0}, {kOk}, true, {-0.9, 0.3, 0}},
      {"hemisphere toggled",
       {-0.9, 0.3, 0},
       {TapOn(&CGeoKeyboardWindow::LatHemisphereButton), kOk},
       true,
       {0.9, 0.3, 0}},
      {"both toggled twice and once",
       {-0.9, 0.3, 1},
       {TapOn(&CGeoKeyboardWindow::LatHemisphereButton),
        TapOn(&CGeoKeyboardWindow::LatHemisphereButton),
        TapOn(&CGeoKeyboardWindow::LonHemisphereButton), kOk},
       true,
       {-0.9, -0.3, 1}},
      {"taps without typing",
       {-0.9, -0.3, 2},
       {TapOn(&CGeoKeyboardWindow::LatMinEdit), TapOn(&CGeoKeyboardWindow::LatSecEdit),
        TapOn(&CGeoKeyboardWindow::LonDegEdit), TapOn(&CGeoKeyboardWindow::LonSecEdit),
        TapOn(&CGeoKeyboardWindow::LatDegEdit), TapOn(&CGeoKeyboardWindow::LonMinEdit), kOk},
       true,
       {-0.9, -0.3, 2}},
      {"90 and 30 minutes",
       {0.1, 0.2, 1},
       {Type(&CGeoKeyboardWindow::LatDegEdit, "90"), Type(&CGeoKeyboardWindow::LatMinEdit, "30"),
        kOk},
       true,
       {Radians(89.5), 0.2, 1}},
      {"90 and 0 minutes",
       {-0.1, 0.2, 1},
       {Type(&CGeoKeyboardWindow::LatDegEdit, "90"), Type(&CGeoKeyboardWindow::LatMinEdit, "0"),
        kOk},
       true,
       {Radians(-90), 0.2, 1}},
      {"degrees beyond the limits",
       {0.1, -0.2, 0},
       {Type(&CGeoKeyboardWindow::LatDegEdit, "95"), Type(&CGeoKeyboardWindow::LonDegEdit, "195"),
        kOk},
       true,
       {Radians(90), Radians(-180), 0}},
      {"longitude 180 and 30 minutes",
       {0.1, 0.2, 1},
       {Type(&CGeoKeyboardWindow::LonDegEdit, "180"), Type(&CGeoKeyboardWindow::LonMinEdit, "30"),
        kOk},
       true,
       {0.1, Radians(179.5), 1}},
      {"minutes and seconds limits",
       {0.1, 0.2, 2},
       {Type(&CGeoKeyboardWindow::LatDegEdit, "10"), Type(&CGeoKeyboardWindow::LatMinEdit, "75"),
        Type(&CGeoKeyboardWindow::LatSecEdit, "59.99999"), kOk},
       true,
       {Radians(10 + (59.9999 / 60 + 59) / 60), 0.2, 2}},
      {"empty fields read as 0",
       {0.1, -0.2, 2},
       {Type(&CGeoKeyboardWindow::LonDegEdit, ""), Type(&CGeoKeyboardWindow::LonMinEdit, ""),
        Type(&CGeoKeyboardWindow::LonSecEdit, "."), kOk},
       true,
       {0.1, -0.0, 2}},
      {"typed value read when moving on",
       {0.1, 0.2, 0},
       {Type(&CGeoKeyboardWindow::LatDegEdit, "95"), TapOn(&CGeoKeyboardWindow::LonDegEdit),
        [](CGeoKeyboardWindow& k) { EXPECT_STREQ(k.LatDegEdit->GetText().c_str(), "90.0000000"); },
        kOk},
       true,
       {Radians(90), 0.2, 0}},
      {"zero and negative zero",
       {0.0, -0.0, 0},
       {[](CGeoKeyboardWindow& k) {
          EXPECT_EQ(k.LatHemisphereButton->State, 1);
          EXPECT_EQ(k.LonHemisphereButton->State, 1);
        },
        kOk},
       true,
       {0.0, 0.0, 0}},
      {"cancel after typing",
       {-0.9, 0.3, 0},
       {Type(&CGeoKeyboardWindow::LatDegEdit, "12"), TapOn(&CGeoKeyboardWindow::FormatButton),
        kCancel},
       false,
       {-0.9, 0.3, 0}},
      {"notation changed",
       {0.5, 0.6, 1},
       {TapOn(&CGeoKeyboardWindow::FormatButton), kOk},
       true,
       {0.5, 0.6, 2}},
      {"format 7 is clamped", {0.5, 0.6, 7}, {kOk}, true, {0.5, 0.6, 2}},
      {"format -1 is clamped", {0.5, 0.6, -1}, {kOk}, true, {0.5, 0.6, 0}},
  });
}

TEST_F(GeoKeyboardWindowTest, TheKeypadTypesIntoTheTappedField) {
  CUserLocaleScope locale(kLocaleEnglishUS);
  SPosition position = {0.1, 0.2, 0};
  Run(position, {TapOn(&CGeoKeyboardWindow::LonDegEdit),
                 [](CGeoKeyboardWindow& k) {
                   EXPECT_EQ(k.Target, k.LonDegEdit);
                   k.LonDegEdit->SetSelection(0, 100);
                   PostTap(k.Key4);
                   PostTap(k.DecimalKey);
                   PostTap(k.DecimalKey);
                   PostTap(k.Key5);
                 },
                 kOk});
  EXPECT_DOUBLE_EQ(position.longitude, Radians(4.5));
  EXPECT_DOUBLE_EQ(position.latitude, 0.1);
}

TEST_F(GeoKeyboardWindowTest, DutchFieldsUseTheComma) {
  CUserLocaleScope locale(kLocaleDutch);
  SPosition position = {Radians(52.5), Radians(-4.25), 1};
  Run(position, {[](CGeoKeyboardWindow& k) {
                   EXPECT_STREQ(k.LatMinEdit->GetText().c_str(), "30,00000");
                   EXPECT_STREQ(k.LonMinEdit->GetText().c_str(), "15,00000");
                 },
                 Type(&CGeoKeyboardWindow::LatMinEdit, "45,5"), kOk});
  EXPECT_DOUBLE_EQ(position.latitude, Radians(52 + 45.5 / 60));
  EXPECT_DOUBLE_EQ(position.longitude, Radians(-4.25));
}

struct SFieldLook {
  CEdit* CGeoKeyboardWindow::*field;
  const char* text;
  RECT bounds;  // left, top, right, bottom in the window
  int32_t kind;
};

struct SNotationCase {
  int32_t format;
  std::vector<SFieldLook> shown;
  std::vector<CEdit * CGeoKeyboardWindow::*> hidden;
};

TEST_F(GeoKeyboardWindowTest, EachNotationShowsItsFields) {
  CUserLocaleScope locale(kLocaleEnglishUS);
  const SNotationCase cases[] = {
      {0,
       {{&CGeoKeyboardWindow::LatDegEdit, "52.5000000", {97, 22, 233, 40}, 1},
        {&CGeoKeyboardWindow::LonDegEdit, "13.2500000", {97, 44, 233, 62}, 1}},
       {&CGeoKeyboardWindow::LatMinEdit, &CGeoKeyboardWindow::LonSecEdit}},
      {1,
       {{&CGeoKeyboardWindow::LatDegEdit, "52", {97, 22, 129, 40}, 2},
        {&CGeoKeyboardWindow::LatMinEdit, "30.00000", {136, 22, 233, 40}, 1},
        {&CGeoKeyboardWindow::LonDegEdit, "13", {97, 44, 129, 62}, 2},
        {&CGeoKeyboardWindow::LonMinEdit, "15.00000", {136, 44, 233, 62}, 1}},
       {&CGeoKeyboardWindow::LatSecEdit, &CGeoKeyboardWindow::LonSecEdit}},
      {2,
       {{&CGeoKeyboardWindow::LatDegEdit, "52", {97, 22, 129, 40}, 2},
        {&CGeoKeyboardWindow::LatMinEdit, "30", {136, 22, 160, 40}, 2},
        {&CGeoKeyboardWindow::LatSecEdit, "00.0000", {165, 22, 233, 40}, 1},
        {&CGeoKeyboardWindow::LonMinEdit, "15", {136, 44, 160, 62}, 2},
        {&CGeoKeyboardWindow::LonSecEdit, "00.0000", {165, 44, 233, 62}, 1}},
       {}},
  };
  for (const SNotationCase& c : cases) {
    SCOPED_TRACE(c.format);
    SPosition position = {Radians(52.5), Radians(13.25), c.format};
    Run(position, {[&c](CGeoKeyboardWindow& k) {
                     EXPECT_EQ(k.Format, c.format);
                     EXPECT_EQ(k.Target, k.LatDegEdit);
                     EXPECT_TRUE(k.LatDegEdit->IsFocused());
                     for (const SFieldLook& look : c.shown) {
                       CEdit* field = k.*look.field;
                       EXPECT_TRUE(field->IsVisible());
                       EXPECT_STREQ(field->GetText().c_str(), look.text);
                       RECT r = field->GetWindowBounds();
                       EXPECT_EQ(r.left, look.bounds.left);
                       EXPECT_EQ(r.top, look.bounds.top);
                       EXPECT_EQ(r.right, look.bounds.right);
                       EXPECT_EQ(r.bottom, look.bounds.bottom);
                       EXPECT_EQ(field->InputKind, look.kind);
                       EXPECT_FALSE(field->IsModified());
                     }
                     for (auto hidden : c.hidden) EXPECT_FALSE((k.*hidden)->IsVisible());
                   },
                   kCancel});
  }
}

TEST_F(GeoKeyboardWindowTest, TheFormatButtonCyclesTheNotations) {
  CUserLocaleScope locale(kLocaleEnglishUS);
  SPosition position = {Radians(52.5), Radians(13.25), 0};
  auto expect = [](int32_t format, const char* lonDegrees, int32_t kind) {
    return [=](CGeoKeyboardWindow& k) {
      EXPECT_EQ(k.Format, format);
      EXPECT_STREQ(k.LonDegEdit->GetText().c_str(), lonDegrees);
      EXPECT_EQ(k.LonDegEdit->InputKind, kind);
    };
  };
  TAction next = TapOn(&CGeoKeyboardWindow::FormatButton);
  Run(position, {next, expect(1, "13", 2), next, expect(2, "13", 2), next,
                 expect(0, "13.2500000", 1), next, kOk});
  EXPECT_EQ(position.format, 1);
  EXPECT_DOUBLE_EQ(position.latitude, Radians(52.5));
  EXPECT_DOUBLE_EQ(position.longitude, Radians(13.25));
}

TEST_F(GeoKeyboardWindowTest, LabelsAndButtonsHaveTheirPlaces) {
  SPosition position = {-0.5, -0.5, 2};
  Run(position, {[](CGeoKeyboardWindow& k) {
                   EXPECT_STREQ(k.LatLabel->GetText().c_str(), "Lat");
                   EXPECT_STREQ(k.LonLabel->GetText().c_str(), "Long");
                   EXPECT_STREQ(k.LatDegLabel->GetText().c_str(), "\xB0");
                   EXPECT_STREQ(k.LonMinLabel->GetText().c_str(), "'");
                   EXPECT_STREQ(k.LatSecLabel->GetText().c_str(), "\"");
                   EXPECT_STREQ(k.LatHemisphereButton->Caption2.c_str(), "S");
                   EXPECT_STREQ(k.LonHemisphereButton->Caption.c_str(), "E");
                   EXPECT_EQ(k.LonHemisphereButton->State, 2);
                   EXPECT_STREQ(k.FormatButton->Caption.c_str(), "<>");
                   RECT format = k.FormatButton->GetWindowBounds();
                   EXPECT_EQ(format.left, 208);
                   EXPECT_EQ(format.top, 66);
                   RECT ok = k.OkButton->GetWindowBounds();
                   RECT cancel = k.CancelButton->GetWindowBounds();
                   EXPECT_EQ(ok.left, 4);
                   EXPECT_EQ(ok.right - ok.left, 98);
                   EXPECT_EQ(cancel.left, 106);
                   EXPECT_EQ(k.LatSecLabel->GetWindowBounds().left, 234);
                   EXPECT_EQ(k.LatMinLabel->GetWindowBounds().left, 161);
                   EXPECT_EQ(k.KeyPanel->GetControlCount(), 12);
                 },
                 kCancel});
}

TEST_F(GeoKeyboardWindowTest, AFieldThatDoesNotConvertReachesTheCaller) {
  CUserLocaleScope locale(kLocaleEnglishUS);
  double latitude = 0.25, longitude = 0.5;
  int32_t format = 0;
  CMessageScript script({[] {
                           CGeoKeyboardWindow* k = ShownWindow<CGeoKeyboardWindow>();
                           k->LatDegEdit->InputChar(' ');
                           PostTap(k->OkButton);
                         },
                         [] {}});
  try {
    InputPosition(latitude, longitude, format, "Position", nullptr);
    ADD_FAILURE() << "no error";
  } catch (const CConvertError& e) {
    EXPECT_NE(std::string(e.what()).find("' is not a valid double."), std::string::npos);
  }
  EXPECT_EQ(latitude, 0.25);
  EXPECT_EQ(longitude, 0.5);
  EXPECT_EQ(ShownWindow<CGeoKeyboardWindow>(), nullptr);
}

TEST_F(GeoKeyboardWindowTest, ADutchKeyboardSpeaksDutch) {
  int32_t saved = GetLanguage();
  SetLanguage(kLangDutch);
  SPosition position = {-0.5, -0.5, 0};
  Run(position, {[](CGeoKeyboardWindow& k) {
                   EXPECT_STREQ(k.LatLabel->GetText().c_str(), "Breedte");
                   EXPECT_STREQ(k.LatHemisphereButton->Caption2.c_str(), "Z");
                   EXPECT_STREQ(k.LonHemisphereButton->Caption.c_str(), "O");
                   EXPECT_STREQ(k.CancelButton->Caption.c_str(), "Annuleren");
                 },
                 kCancel});
  SetLanguage(saved);
}

}  // namespace
