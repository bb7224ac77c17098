// Gallery scenes of forms, message boxes and memos.
#include <memory>
#include <string>

#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/Form.h"
#include "lib/widgets/Label.h"
#include "lib/widgets/Memo.h"
#include "lib/widgets/MsgBox.h"
#include "lib/widgets/Page.h"
#include "lib/widgets/ScrollBar.h"

namespace {

std::unique_ptr<CWindow> MakeForm(int32_t buttonSet) {
  auto form = std::make_unique<CForm>("Form", buttonSet, nullptr);
  auto* page = new CPage(form.get(), nullptr);
  form->SetPage(page);
  page->SetPageCount(3);
  page->SetCurrentPage(2);
  return form;
}

const char kLongText[] =
    "The quick brown fox jumps over the lazy dog, and keeps on running along the river bank "
    "until the sun goes down.";

void FillMemo(CMemo& memo) {
  memo.AddLine("First line");
  memo.AddLine(kLongText);
  memo.AddLine("");
  for (int i = 1; i <= 12; ++i) memo.AddLine(("Line " + std::to_string(i)).c_str());
}

}  // namespace

std::unique_ptr<CWindow> MakeOkForm() { return MakeForm(fbOK); }
std::unique_ptr<CWindow> MakeCloseOkForm() { return MakeForm(fbCloseAndOK); }
std::unique_ptr<CWindow> MakeCloseForm() { return MakeForm(fbClose); }

// A label on the form's page, so that the page shows where it lies.
void FillFormPage(CWindow& window, CFontDesc& font) {
  CPage* page = static_cast<CForm&>(window).GetPage();
  auto* label = new CLabel(page, "Page 2 of 3", &font);
  label->Color = 0xE0F0FF;
  label->SetBounds(10, 10, 120, 24);
}

std::unique_ptr<CWindow> MakeWarningBox() {
  return std::make_unique<CMsgBox>(nullptr, "Save the changes to the route?", mtWarning,
                                   mbOK | mbCancel, "");
}

std::unique_ptr<CWindow> MakeErrorBox() {
  return std::make_unique<CMsgBox>(nullptr, "The chart file could not be read.", mtError,
                                   mbAbort | mbRetry | mbIgnore, "");
}

std::unique_ptr<CWindow> MakeInformationBox() {
  return std::make_unique<CMsgBox>(nullptr, "Every button of the message box.", mtInformation,
                                   0x7FF, "Details");
}

std::unique_ptr<CWindow> MakeConfirmationBox() {
  return std::make_unique<CMsgBox>(nullptr, kLongText, mtConfirmation, mbYes | mbNo | mbCancel, "");
}

std::unique_ptr<CWindow> MakeMemoForm() {
  auto form = std::make_unique<CMemoForm>("Help", nullptr);
  FillMemo(*form->Memo);
  return form;
}

void MemoScene(CWindow& window, CFontDesc& font) {
  auto* memo = new CMemo(&window, &font);
  memo->SetMargin(4);
  memo->SetBounds(10, 30, 200, 120);
  FillMemo(*memo);
  auto* wrapped = new CMemo(&window, &font);
  wrapped->SetMargin(4);
  wrapped->SetWordWrap(true);
  wrapped->SetBounds(10, 160, 200, 120);
  FillMemo(*wrapped);
  wrapped->VScroll->SetPosition(0);
}
