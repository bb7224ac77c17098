// The full-screen form: a title bar with the caption and a page indicator, a
// bar of bitmap buttons (close, OK, previous and next page) along the bottom
// in portrait and square or the right in landscape, and one page control in
// the rest of the screen. Derived forms make the page and hand it over with
// SetPage. Toolkit thread only.
#pragma once

#include "lib/foundation/text/Language.h"
#include "lib/widgets/Window.h"

class CButton;
class CLabel;
class CPage;

// Which end buttons a form has besides previous and next.
enum : int32_t {
  fbOK = 0,
  fbCloseAndOK = 1,
  fbClose = 2,
};

class CForm : public CWindow {
 public:
  // The owner is disabled while the form is modal and must outlive it.
  CForm(const CStr& caption, int32_t buttonSet, CWindow* owner);
  // Deletes the page and the fonts, then the window with its other children.
  ~CForm() override;

  void Paint(CBmp* canvas, const RECT& clip) override;
  CControl* GetOwner() override { return this; }
  void DoShow() override;
  void Layout(int32_t orientation) override;
  void SetCaption(const CStr& text) override;

  // The form takes the page over (it should be a child of the form) and
  // follows its page changes; the previous page is not deleted.
  void SetPage(CPage* page);
  CPage* GetPage() const { return Page; }
  // The first row below the title bar.
  int32_t GetClientTop() const;
  // The indicator shows "current/count"; previous and next are enabled only
  // with more than one page.
  void UpdatePageInfo();

  CButton* CloseButton = nullptr;
  CButton* OkButton = nullptr;
  CButton* NextButton = nullptr;
  CButton* PrevButton = nullptr;
  CLabel* TitleLabel = nullptr;
  CLabel* PageLabel = nullptr;
  CPage* Page = nullptr;
  CFontDesc* LabelFont;
  CFontDesc* ButtonFont;
  int32_t ButtonSet;
  uint32_t BackColor = 0xFFFFFF;
  int32_t BottomGap = 0;
  int32_t TopGap = 0;

 private:
  CButton* MakeButton(const char* bitmap, const SLangText& fallback);
  void PlaceBarButtons(int32_t orientation);
  // Where the page goes for the orientation; empty for an unknown one.
  RECT PageArea(int32_t orientation) const;
  void StepPage(int32_t direction, int32_t clickCount);
  static void CloseClick(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void OkClick(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void StepDown(CControl* owner, CControl* sender, int32_t x, int32_t y);
  static void PageChanged(CControl* owner, CControl* sender);
};
