#include "lib/widgets/Memo.h"

#include <algorithm>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/DrawHelpers.h"
#include "lib/widgets/Page.h"
#include "lib/widgets/ScreenBuffer.h"
#include "lib/widgets/ScrollBar.h"

namespace {

enum : int32_t { kOneLine = 0, kWrapped = 1, kMeasureOneLine = 2, kMeasureWrapped = 3 };

}  // namespace

CMemo::CMemo(CControl* parent, CFontDesc* font) : CControl(parent), Font(font) {
  HScroll = new CScrollBar(this);
  HScroll->SetOrientation(1);
  VScroll = new CScrollBar(this);
  for (CScrollBar* bar : {HScroll, VScroll}) {
    bar->SetButtonSize(ScrollBarSize);
    bar->SetMinThumbSize(ScrollBarSize / 2);
  }
  HScroll->OnChange = HScrollChange;
  VScroll->OnChange = VScrollChange;
}

void CMemo::HScrollChange(CControl* owner, CControl* sender) {
  auto* memo = static_cast<CMemo*>(owner);
  memo->HOffset = static_cast<CScrollBar*>(sender)->Position;
  memo->Invalidate();
}

void CMemo::VScrollChange(CControl* owner, CControl* sender) {
  auto* memo = static_cast<CMemo*>(owner);
  memo->VOffset = static_cast<CScrollBar*>(sender)->Position;
  memo->Invalidate();
}

int32_t CMemo::FontHeight() const { return Font->GetPixelHeight(); }

int32_t CMemo::WrappedHeight(const CStr& text) const {
  // The measure leaves the rectangle alone for an empty text: an empty line
  // is one font height, as it is without wrapping.
  if (text.GetLength() == 0) return FontHeight();
  RECT rect = {Margin, 0, Margin + TextWidth, TextHeight};
  GetScreenBackBuffer()->DrawText(&text, &rect, Font->GetHandle(), 0, 0, kMeasureWrapped);
  return rect.bottom - rect.top;
}

int32_t CMemo::LineWidth(const CStr& text) const {
  if (text.GetLength() == 0) return 0;
  RECT rect = {0, 0, 0, 0};
  GetScreenBackBuffer()->DrawText(&text, &rect, Font->GetHandle(), 0, 0, kMeasureOneLine);
  return rect.right - rect.left;
}

void CMemo::AddLine(const CStr& text) {
  auto* line = new CStr(text);
  Lines.Add(line);
  int32_t height;
  if (WordWrap) {
    height = WrappedHeight(*line);
  } else {
    height = FontHeight();
    ContentWidth = std::max(ContentWidth, LineWidth(*line));
  }
  LineHeights.Add(height);
  TotalHeight += height;
  UpdateScrollBars();
  Invalidate();
}

void CMemo::DeleteLine(int32_t index) {
  if (index < 0 || index >= Lines.GetCount()) return;
  TotalHeight -= LineHeights[index];
  Lines.Delete(index);
  LineHeights.RemoveAt(index);
  if (!WordWrap) {
    ContentWidth = 0;
    for (int32_t i = 0; i < Lines.GetCount(); ++i)
      ContentWidth = std::max(ContentWidth, LineWidth(*Lines[i]));
  }
  UpdateScrollBars();
  Invalidate();
}

void CMemo::SetMargin(int32_t value) {
  Margin = value;
  Layout();
  Rewrap();
  Invalidate();
}

void CMemo::SetWordWrap(bool wrap) {
  WordWrap = wrap;
  Layout();
  Rewrap();
  Invalidate();
}

void CMemo::SetScrollBarSize(int32_t value) {
  if (value == ScrollBarSize) return;
  ScrollBarSize = value;
  for (CScrollBar* bar : {HScroll, VScroll}) {
    bar->SetButtonSize(value);
    bar->SetMinThumbSize(value / 2);
  }
  // The bars' places and the text area follow the new size.
  Layout();
  Rewrap();
  Invalidate();
}

void CMemo::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  CControl::SetBounds(left, top, width, height);
  Layout();
  Rewrap();
}

void CMemo::Layout() {
  int32_t s = ScrollBarSize;
  TextHeight = Height;
  TextWidth = Width - 2 * Margin - s;
  if (!WordWrap) {
    HScroll->SetVisible(true);
    HScroll->SetBounds(0, Height - s, Width - s + 1, s);
    VScroll->SetVisible(true);
    VScroll->SetBounds(Width - s, 0, s, Height - s + 1);
    TextHeight -= s;
  } else {
    HScroll->SetVisible(false);
    VScroll->SetVisible(true);
    VScroll->SetBounds(Width - s, 0, s, Height);
  }
  ContentWidth = TextWidth;
  HScroll->SetPageSize(TextWidth);
  VScroll->SetPageSize(TextHeight);
}

void CMemo::Rewrap() {
  LineHeights.Clear();
  if (WordWrap) {
    TotalHeight = 0;
    for (int32_t i = 0; i < Lines.GetCount(); ++i) {
      int32_t height = WrappedHeight(*Lines[i]);
      LineHeights.Add(height);
      TotalHeight += height;
    }
  } else {
    ContentWidth = 0;
    for (int32_t i = 0; i < Lines.GetCount(); ++i) {
      ContentWidth = std::max(ContentWidth, LineWidth(*Lines[i]));
      LineHeights.Add(FontHeight());
    }
    TotalHeight = Lines.GetCount() * FontHeight();
  }
  UpdateScrollBars();
}

void CMemo::UpdateScrollBars() {
  bool atEnd = VScroll->Position == VScroll->Max;
  HScroll->SetLargeStep(TextWidth);
  VScroll->SetLargeStep(TextHeight);
  HScroll->SetSmallStep(FontHeight());
  VScroll->SetSmallStep(FontHeight());
  HScroll->SetMax(std::max(0, ContentWidth - TextWidth));
  VScroll->SetMax(std::max(0, TotalHeight - TextHeight));
  // A memo scrolled to the end follows new lines.
  if (atEnd) VScroll->SetPosition(VScroll->Max);
}

void CMemo::Paint(CBmp* canvas, const RECT&) {
  HDC dc = canvas->GetDC();
  if (!Transparent) DrawFilledFrame(dc, Width, Height, BorderColor, Color);
  uint32_t colour = Enabled ? TextColor : DisabledTextColor;
  int32_t shift = WordWrap ? 0 : HOffset;
  int32_t left = Margin - shift, right = ContentWidth + Margin - shift;
  int32_t top = -VOffset;
  for (int32_t i = 0; i < Lines.GetCount() && top < TextHeight; ++i) {
    int32_t bottom = std::min(top + LineHeights[i], TextHeight);
    if (bottom > 0) {
      RECT rect = {left, top, right, bottom};
      canvas->DrawText(Lines[i], &rect, Font->GetHandle(), colour, 0,
                       WordWrap ? kWrapped : kOneLine);
    }
    top = bottom;
  }
}

CMemoForm::CMemoForm(const CStr& caption, CWindow* owner)
    : CForm(caption, fbClose, owner), Font(new CFontDesc("Arial", 8, kFontBold)) {
  Memo = new CMemo(nullptr, Font);
  Memo->BorderColor = 0x000000;
  Memo->SetMargin(4);
  Memo->SetWordWrap(true);
  SetPage(new CPage(this, nullptr));
}

CMemoForm::~CMemoForm() {
  // The page lets the memo go before the memo goes.
  Page->RemoveAllControls();
  delete Memo;
  delete Font;
}

void CMemoForm::Layout(int32_t orientation) {
  CForm::Layout(orientation);
  Page->RemoveAllControls();
  Page->SetPageCount(1);
  Memo->Place(Page, -1, -1, Page->GetWidth() + 2, Page->GetHeight() + 2);
}
