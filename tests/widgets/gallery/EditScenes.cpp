// Gallery scenes of edit fields: plain, selected, focused with the caret,
// aligned, disabled and transparent.
#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/Edit.h"
#include "lib/widgets/Label.h"
#include "lib/widgets/Window.h"

namespace {

CEdit* AddEdit(CWindow& window, CFontDesc& font, const char* text, int32_t row) {
  auto* edit = new CEdit(&window, text, &font);
  edit->SetMargin(3);
  edit->SetBounds(8, 24 + row * 30, 224, 24);
  return edit;
}

}  // namespace

void EditScene(CWindow& window, CFontDesc& font) {
  AddEdit(window, font, "Plain text", 0);
  AddEdit(window, font, "A selected word", 1)->SetSelection(2, 10);
  CEdit* focused = AddEdit(window, font, "Caret after here", 2);
  focused->SetSelection(6, 6);
  window.SetFocus(focused);
  CEdit* backward = AddEdit(window, font, "Backward selection", 3);
  backward->SelStart = 8;  // SetSelection keeps start before end
  backward->SelEnd = backward->CaretPos = 1;
  CEdit* right = AddEdit(window, font, "Right aligned", 4);
  right->TextAlign = 2;
  right->SetSelection(6, 13);
  CEdit* centred = AddEdit(window, font, "Centred", 5);
  centred->TextAlign = 1;
  centred->SetSelection(0, 3);
  AddEdit(window, font, "Disabled", 6)->SetEnabled(false);
  auto* under = new CLabel(&window, "", &font);
  under->Color = 0x80FF80;
  under->SetBounds(8, 234, 224, 24);
  AddEdit(window, font, "Transparent on green", 7)->SetTransparent(true);
  AddEdit(window, font, "A text much longer than the field is wide, cut at the inset", 8);
}
