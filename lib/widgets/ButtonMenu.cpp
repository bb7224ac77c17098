#include "lib/widgets/ButtonMenu.h"

#include "lib/widgets/Button.h"
#include "lib/widgets/Page.h"
#include "lib/widgets/ScreenMetrics.h"

namespace {

// Buttons on one page of the menu for an orientation class.
int32_t ButtonsPerPage(int32_t orientation) { return orientation == 2 ? 4 : 6; }

}  // namespace

CButtonMenu::CButtonMenu(const CStr& caption, int32_t buttonSet, CWindow* owner)
    : CForm(caption, buttonSet, owner) {
  SetPage(new CPage(this, PlaceButtons));
}

CButtonMenu::~CButtonMenu() {
  // The buttons of the current page leave it before the page deletes its
  // children; the list then destroys them all.
  if (Page) Page->RemoveAllControls();
}

void CButtonMenu::Layout(int32_t orientation) {
  CForm::Layout(orientation);
  if (Page) Page->SetPageCount((Buttons.GetCount() - 1) / ButtonsPerPage(orientation) + 1);
}

void CButtonMenu::AddButton(CButton* button) {
  button->SetParent(nullptr);
  button->SetLayout(0);
  button->Color = Page->BackgroundColor;
  button->DisabledBorderColor = Page->BackgroundColor;
  button->DownBorderColor = button->DownColor;
  button->SetTransparent(true);
  button->SetSpacing(1);
  Buttons.Add(button);
}

// Cells of w / 2 by h / 3 (h / 2 on square screens), left to right, top to
// bottom; cells past the last button stay empty.
void CButtonMenu::PlaceButtons(CControl* owner, CControl* sender, int32_t page) {
  auto* menu = static_cast<CButtonMenu*>(owner);
  sender->RemoveAllControls();
  int32_t orientation = ToolkitScreenOrientation();
  int32_t perPage = ButtonsPerPage(orientation);
  int32_t cellWidth = sender->GetWidth() / 2;
  int32_t cellHeight = sender->GetHeight() / (perPage / 2);
  int32_t first = (page - 1) * perPage;
  for (int32_t cell = 0; cell < perPage; ++cell) {
    int32_t index = first + cell;
    if (index < 0 || index >= menu->Buttons.GetCount()) continue;
    CButton* button = menu->Buttons[index];
    button->Place(sender, (cell % 2) * cellWidth, (cell / 2) * cellHeight, cellWidth, cellHeight);
    button->SetCornerRadius(8);
  }
}
