#include "lib/widgets/StdKeyboardWindow.h"

#include <memory>

#include "lib/foundation/format/Convert.h"
#include "lib/foundation/text/Language.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/Edit.h"
#include "lib/widgets/GeoKeyboardWindow.h"
#include "lib/widgets/MsgBox.h"

namespace {

const SLangText kInvalidValueText = {
    {"The value entered is not valid.", "De ingevoerde waarde is niet geldig.",
     "Die eingef\xFChrte Werte ist ung\xFCltig.", nullptr, nullptr, nullptr, nullptr, nullptr}};

constexpr int32_t kMessageError = 1;
constexpr uint32_t kButtonsOk = 0x004;

}  // namespace

CStdKeyboardWindow::CStdKeyboardWindow(const CStr& caption, CWindow* owner, CStr& text,
                                       int32_t mode)
    : CKeyboardWindow(caption, owner, mode) {
  Edit = new CEdit(this, text, SmallFont);
  Edit->SetMargin(3);
  Target = Edit;
  SetFocus(Edit);
  if (ShowModal() == mrOK) text = Edit->GetText();
}

void CStdKeyboardWindow::Layout(int32_t orientation) {
  int32_t half = Width / 2;
  OkButton->SetBounds(4, 60, half - 6, 28);
  CancelButton->SetBounds(half + 2, 60, half - 6, 28);
  Edit->SetBounds(4, 30, Width - 8, 18);
  CKeyboardWindow::Layout(orientation);
}

int32_t InputInteger(int32_t value, const CStr& caption, CWindow* owner) {
  CStr text = IntToStr(value, 10);
  std::make_unique<CStdKeyboardWindow>(caption, owner, text, kKeyboardNumeric);
  int32_t entered = 0;
  if (TryStrToInt(text, &entered)) return entered;
  MsgBox(owner, LangStr(kInvalidValueText), kMessageError, kButtonsOk, CStr());
  return value;
}

CStr InputString(const CStr& text, const CStr& caption, CWindow* owner) {
  CStr entered = text;
  std::make_unique<CStdKeyboardWindow>(caption, owner, entered, kKeyboardFull);
  return entered;
}

bool InputPosition(double& latitude, double& longitude, int32_t& format, const CStr& caption,
                   CWindow* owner) {
  auto keyboard = std::make_unique<CGeoKeyboardWindow>(caption, owner, latitude, longitude, format);
  return keyboard->ModalResult == mrOK;
}
