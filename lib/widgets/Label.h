// Static text: fills its rectangle and draws a text on one line or wrapped, at
// one of nine alignments with a margin. Toolkit thread only.
#pragma once

#include "lib/foundation/text/Str.h"
#include "lib/widgets/Control.h"

class CFontDesc;

class CLabel : public CControl {
 public:
  // The font belongs to the caller and must outlive the label.
  CLabel(CControl* parent, const CStr& text, CFontDesc* font);
  ~CLabel() override = default;

  void Paint(CBmp* canvas, const RECT& clip) override;

  void SetText(const CStr& text);
  void SetMargin(int32_t pixels);
  void SetAlignment(int32_t code);
  const CStr& GetText() const { return Text; }

  CStr Text;
  CFontDesc* Font;
  uint8_t WordWrap = false;
  int32_t Alignment = 1;
  int32_t Margin = 0;
  uint32_t Color = 0xFFFFFF;
  uint32_t TextColor = 0x000000;
  uint32_t DisabledTextColor = 0xC0C0C0;
};

// Case-insensitive order of the labels' texts (a sort comparator).
int CompareLabels(const CLabel* a, const CLabel* b);
