#include "lib/widgets/Label.h"

#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/TextPlacement.h"

CLabel::CLabel(CControl* parent, const CStr& text, CFontDesc* font)
    : CControl(parent), Text(text), Font(font) {}

void CLabel::Paint(CBmp* canvas, const RECT& clip) {
  RECT rect = {0, 0, Width, Height};
  HDC dc = canvas->GetDC();
  if (!Transparent) {
    HBRUSH brush = CreateSolidBrush(Color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
  }
  if (Font)
    DrawPlacedText(canvas, Text, rect, Font->GetHandle(), Enabled ? TextColor : DisabledTextColor,
                   {Alignment, Margin, bool(WordWrap)});
  CControl::Paint(canvas, clip);
}

void CLabel::SetText(const CStr& text) {
  Text = text;
  Invalidate();
}

void CLabel::SetMargin(int32_t pixels) {
  Margin = pixels;
  Invalidate();
}

void CLabel::SetAlignment(int32_t code) {
  Alignment = code;
  Invalidate();
}

int CompareLabels(const CLabel* a, const CLabel* b) { return a->Text.CompareNoCase(b->Text); }
