// The single-line text field: one line of text, a selection bar, a steady
// caret while focused, caret placement and drag selection by pointer, select
// all by double click. Characters arrive through InputChar from the on-screen
// keyboards, code 1 being backspace. Toolkit thread only.
#pragma once

#include "lib/foundation/text/Str.h"
#include "lib/widgets/Control.h"

class CFontDesc;

// What InputChar accepts besides any other character.
enum : int32_t {
  ikText = 0,     // anything
  ikDecimal = 1,  // at most one decimal separator
  ikInteger = 2,  // no decimal separator
};

class CEdit : public CControl {
 public:
  // The font belongs to the caller and must outlive the field; null draws no
  // text and measures every text as 0 wide.
  CEdit(CControl* parent, const CStr& text, CFontDesc* font);
  ~CEdit() override = default;

  void Exit() override;
  void DblClick(int32_t x, int32_t y) override;
  void MouseDown(int32_t x, int32_t y) override;
  void MouseMove(int32_t x, int32_t y) override;
  void Paint(CBmp* canvas, const RECT& clip) override;

  const CStr& GetText() const { return Text; }
  // Caret after the text, no selection, not modified; repaints.
  void SetText(const CStr& text);
  bool IsModified() const { return Modified; }
  void SetInputKind(int32_t kind) { InputKind = kind; }
  void SetMargin(int32_t pixels);
  // Both ends clamped to the text, start no further than end; caret at end.
  void SetSelection(int32_t start, int32_t end);
  // One keystroke: 1 deletes the selection or the character before the
  // caret; any other code replaces the selection and is inserted at the
  // caret unless the input kind refuses the user locale's decimal separator.
  void InputChar(char code);
  // Removes the selected characters; false when nothing was selected.
  bool DeleteSelection();
  // Local x of the boundary after the first n characters of the drawn text,
  // right-aligned and centred text included.
  int32_t TextX(int32_t n) const;
  // The caret index nearest to local x: the caret goes after a character once
  // x passes its middle; characters beyond the visible width are never hit.
  int32_t CharIndexAt(int32_t x) const;

  int32_t Margin = 0;
  uint8_t Modified = false;
  int32_t CaretPos;
  int32_t TextAlign = 0;  // 0 left, 2 right, anything else centred
  int32_t InputKind = ikText;
  CFontDesc* Font;
  int32_t SelStart = 0;
  int32_t SelEnd = 0;
  CStr Text;
  uint32_t Color;
  uint32_t BorderColor;
  uint32_t SelectionColor = 0xFFC0C0;
  uint32_t TextColor;
  uint32_t DisabledTextColor;

 private:
  int32_t MeasureWidth(const CStr& text) const;
  // Local x where the drawn text starts, from the alignment.
  int32_t TextLeft() const;
  void InsertAtCaret(char code);
  bool RefusesSeparator(char code) const;
  void PaintSelection(HDC dc);
  void PaintCaret(HDC dc);
};
