// A read-only list of text lines in one font: each line on one row with
// horizontal and vertical scroll bars, or word-wrapped to the width with a
// vertical bar only. Heights are kept per line, so it scrolls by pixels and
// adds or removes lines without measuring the rest again. CMemoForm is a form
// whose page holds one wrapping memo. Toolkit thread only.
#pragma once

#include "lib/foundation/containers/Array.h"
#include "lib/foundation/text/Str.h"
#include "lib/widgets/Control.h"
#include "lib/widgets/Form.h"

class CFontDesc;
class CScrollBar;

class CMemo : public CControl {
 public:
  // The font belongs to the caller and must outlive the memo. The memo has no
  // text area until its first SetBounds.
  CMemo(CControl* parent, CFontDesc* font);
  ~CMemo() override = default;

  void Paint(CBmp* canvas, const RECT& clip) override;
  // The memo itself: its scroll bars' handlers get it as owner.
  CControl* GetOwner() override { return this; }
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;

  void AddLine(const CStr& text);
  // An index outside the lines is ignored.
  void DeleteLine(int32_t index);
  void SetMargin(int32_t value);
  void SetWordWrap(bool wrap);
  void SetScrollBarSize(int32_t value);
  int32_t GetLineCount() const { return Lines.GetCount(); }
  const CStr& GetLine(int32_t index) const { return *Lines[index]; }

  CFontDesc* Font;
  uint8_t WordWrap = false;
  int32_t Margin = 0;
  CList<CStr> Lines{true};
  CArray<int32_t> LineHeights;
  int32_t ContentWidth = 0;
  int32_t ScrollBarSize = 25;
  int32_t TextWidth = 0;
  int32_t TextHeight = 0;
  int32_t HOffset = 0;
  int32_t VOffset = 0;
  int32_t TotalHeight = 0;
  CScrollBar* HScroll;
  CScrollBar* VScroll;
  uint32_t Color = 0xFFFFFF;
  uint32_t BorderColor = 0x000000;
  uint32_t TextColor = 0x000000;
  uint32_t DisabledTextColor = 0xC0C0C0;

 private:
  // Text area and scroll-bar places from the size, margin and wrapping.
  void Layout();
  // Measures every line again.
  void Rewrap();
  void UpdateScrollBars();
  int32_t WrappedHeight(const CStr& text) const;
  int32_t LineWidth(const CStr& text) const;
  int32_t FontHeight() const;
  static void HScrollChange(CControl* owner, CControl* sender);
  static void VScrollChange(CControl* owner, CControl* sender);
};

class CMemoForm : public CForm {
 public:
  // A form with the close button only whose page shows Memo, word-wrapped
  // with a margin of 4; the creator fills Memo with AddLine.
  CMemoForm(const CStr& caption, CWindow* owner);
  ~CMemoForm() override;

  // The form's layout, then the memo over the whole page with its border
  // just outside it.
  void Layout(int32_t orientation) override;

  CFontDesc* Font;
  CMemo* Memo;
};
