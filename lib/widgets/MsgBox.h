// The message box: a type icon, a word-wrapped message and rows of buttons
// chosen by a bit set; it ends with the modal result of the button pressed,
// and a Help button shows the detail text in a memo form. Toolkit thread only.
#pragma once

#include "lib/foundation/text/Str.h"
#include "lib/widgets/Window.h"

class CBmp32;
class CButton;

// Message types: the title and the icon.
enum : int32_t {
  mtWarning = 0,
  mtError = 1,
  mtInformation = 2,
  mtConfirmation = 3,
};

// Button bits.
enum : uint32_t {
  mbYes = 0x001,
  mbNo = 0x002,
  mbOK = 0x004,
  mbCancel = 0x008,
  mbAbort = 0x010,
  mbRetry = 0x020,
  mbIgnore = 0x040,
  mbAll = 0x080,
  mbNoToAll = 0x100,
  mbYesToAll = 0x200,
  mbHelp = 0x400,
};

class CMsgBox : public CWindow {
 public:
  // The owner is disabled while the box is modal and must outlive it. The
  // second form takes the type's title as caption (empty for an unknown type).
  CMsgBox(CWindow* owner, const CStr& caption, const CStr& text, int32_t type, uint32_t buttons,
          const CStr& helpText);
  CMsgBox(CWindow* owner, const CStr& text, int32_t type, uint32_t buttons, const CStr& helpText);
  ~CMsgBox() override;

  void Paint(CBmp* canvas, const RECT& clip) override;
  CControl* GetOwner() override { return this; }
  // Measures the text and the buttons, centres the box vertically with a
  // 5-pixel side margin and places the buttons in rows from the bottom right.
  void Layout(int32_t orientation) override;

  CFontDesc* Font;
  CStr HelpText;
  CStr Text;
  RECT TextRect = {0, 0, 0, 0};
  int32_t Margin = 4;
  // The buttons in table order; they are children and go with the window.
  CList<CButton> Buttons;
  int32_t ButtonsPerRow = 0;
  int32_t ButtonRows = 0;
  int32_t ButtonWidth = 0;
  int32_t ButtonHeight = 32;
  CBmp32* Icon = nullptr;

 private:
  struct SButtonSlot {
    int32_t index;  // into Buttons
    int32_t k;      // place in its row counted from the right
    int32_t x, y, width;
  };

  void SetUp(int32_t type, uint32_t buttons);
  void LoadIcon(int32_t type);
  // The rows from the bottom up, each from its right end to its left.
  template <class F>
  void ForEachButtonSlot(F visit) const;
  static void ShowHelp(CControl* owner, CControl* sender, int32_t x, int32_t y);
};

// Builds a box, runs it modally and returns the modal result; the box is
// destroyed afterwards, also when an error escapes.
int32_t MsgBox(CWindow* owner, const CStr& caption, const CStr& text, int32_t type,
               uint32_t buttons, const CStr& helpText);
int32_t MsgBox(CWindow* owner, const CStr& text, int32_t type, uint32_t buttons,
               const CStr& helpText);
