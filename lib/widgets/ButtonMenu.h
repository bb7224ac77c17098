// A form of large buttons in a grid, a page at a time: six a page on portrait
// and landscape screens (two columns, three rows), four on square ones. The
// caller adds ready-made buttons; their own click handlers do the work.
// Toolkit thread only.
#pragma once

#include "lib/foundation/containers/List.h"
#include "lib/widgets/Form.h"

class CButton;

class CButtonMenu : public CForm {
 public:
  CButtonMenu(const CStr& caption, int32_t buttonSet, CWindow* owner);
  // Destroys every button added, shown or not.
  ~CButtonMenu() override;

  // The form's layout, then the page count for the orientation class.
  void Layout(int32_t orientation) override;

  // Gives the button the menu's flat look; the menu owns it from now on (it
  // leaves any parent it had). Does not repaginate: Layout does.
  void AddButton(CButton* button);

  CList<CButton> Buttons{true};

 private:
  static void PlaceButtons(CControl* owner, CControl* sender, int32_t page);
};
