#include "lib/widgets/Edit.h"

#include <algorithm>
#include <vector>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/display/FontDesc.h"
#include "lib/foundation/format/FormatSettings.h"
#include "lib/widgets/DefaultColors.h"
#include "lib/widgets/DrawHelpers.h"
#include "lib/widgets/ScreenBuffer.h"

namespace {

constexpr char kBackspace = 1;

// CBmp::DrawText codes for one line in the vertical middle.
int32_t AlignmentCode(int32_t textAlign) {
  if (textAlign == 0) return 1;
  return textAlign == 2 ? 7 : 4;
}

char DecimalSeparator() { return UserFormatSettings().decimalSeparator; }

// The text up to cut, then insert, then the text from resume on; indexes
// outside the text are taken at its ends.
CStr Splice(const CStr& text, int32_t cut, int32_t resume, const CStr& insert) {
  return text.Left(cut) + insert + text.Mid(resume, text.GetLength());
}

}  // namespace

CEdit::CEdit(CControl* parent, const CStr& text, CFontDesc* font)
    : CControl(parent),
      CaretPos(text.GetLength()),
      Font(font),
      Text(text),
      Color(DefaultBackColor),
      BorderColor(DefaultBorderColor),
      TextColor(DefaultTextColor),
      DisabledTextColor(DefaultDisabledTextColor) {
  WantsDblClick = true;
  Focusable = true;
}

void CEdit::SetText(const CStr& text) {
  Text = text;
  CaretPos = text.GetLength();
  SelStart = SelEnd = 0;
  Modified = false;
  Invalidate();
}

void CEdit::SetMargin(int32_t pixels) {
  Margin = pixels;
  Invalidate();
}

void CEdit::SetSelection(int32_t start, int32_t end) {
  SelEnd = std::clamp(end, 0, Text.GetLength());
  SelStart = std::clamp(start, 0, SelEnd);
  CaretPos = SelEnd;
}

void CEdit::InputChar(char code) {
  if (code == kBackspace) {
    if (DeleteSelection() || CaretPos <= 0) return;
    Text = Splice(Text, CaretPos - 1, CaretPos, CStr());
    --CaretPos;
    Modified = true;
    Invalidate();
    return;
  }
  DeleteSelection();
  if (!RefusesSeparator(code)) InsertAtCaret(code);
}

bool CEdit::RefusesSeparator(char code) const {
  if (code != DecimalSeparator()) return false;
  if (InputKind == ikInteger) return true;
  return InputKind == ikDecimal && Text.Find(code) >= 0;
}

void CEdit::InsertAtCaret(char code) {
  Text = Splice(Text, CaretPos, CaretPos, CStr(code));
  ++CaretPos;
  Modified = true;
  Invalidate();
}

bool CEdit::DeleteSelection() {
  if (SelStart == SelEnd) return false;
  int32_t lo = std::min(SelStart, SelEnd), hi = std::max(SelStart, SelEnd);
  Text = Splice(Text, lo, hi, CStr());
  CaretPos = lo;
  SelStart = SelEnd = 0;
  Modified = true;
  Invalidate();
  return true;
}

int32_t CEdit::MeasureWidth(const CStr& text) const {
  if (!Font || text.GetLength() == 0) return 0;
  SIZE size;
  GetScreenBackBuffer()->GetTextExtent(&text, Font->GetHandle(), &size);
  return size.cx;
}

int32_t CEdit::TextLeft() const {
  if (TextAlign == 0) return Margin;
  int32_t full = MeasureWidth(Text);
  // Where DrawText puts one line in (Margin, Width - Margin).
  if (TextAlign == 2) return Width - Margin - full;
  return (Width - full) / 2;
}

int32_t CEdit::TextX(int32_t n) const { return TextLeft() + MeasureWidth(Text.Left(n)); }

int32_t CEdit::CharIndexAt(int32_t x) const {
  if (!Font || Text.GetLength() == 0) return 0;
  HDC dc = GetScreenBackBuffer()->GetDC();
  std::vector<INT> w(Text.GetLength());
  INT fit = 0;
  SIZE size;
  HGDIOBJ old = SelectObject(dc, Font->GetHandle());
  BOOL measured = GetTextExtentExPointA(dc, Text.c_str(), Text.GetLength(), Width - 2 * Margin,
                                        &fit, w.data(), &size);
  SelectObject(dc, old);
  if (!measured || fit <= 0) return 0;
  int32_t d = x - TextLeft();
  for (int32_t i = fit - 1; i >= 1; --i)
    if (d > w[i - 1] + (w[i] - w[i - 1]) / 2) return i + 1;
  return d > w[0] / 2 ? 1 : 0;
}

void CEdit::MouseDown(int32_t x, int32_t y) {
  SelStart = SelEnd = CaretPos = CharIndexAt(x);
  CControlWatch self(this);
  CControl::MouseDown(x, y);
  if (self.Alive()) Invalidate();
}

void CEdit::MouseMove(int32_t x, int32_t y) {
  if (Pressed) SelEnd = CaretPos = CharIndexAt(x);
  CControlWatch self(this);
  CControl::MouseMove(x, y);
  if (self.Alive()) Invalidate();
}

void CEdit::DblClick(int32_t x, int32_t y) {
  CControlWatch self(this);
  CControl::DblClick(x, y);
  if (!self.Alive()) return;
  SelStart = 0;
  SelEnd = CaretPos = Text.GetLength();
  Invalidate();
}

void CEdit::Exit() {
  SelStart = SelEnd = 0;
  Invalidate();
  CControl::Exit();
}

void CEdit::PaintSelection(HDC dc) {
  int32_t h = Font ? Font->GetPixelHeight() : 0;
  int32_t top = (Height - h) / 2;
  RECT bar = {TextX(std::min(SelStart, SelEnd)), top, TextX(std::max(SelStart, SelEnd)), top + h};
  HBRUSH brush = CreateSolidBrush(SelectionColor);
  FillRect(dc, &bar, brush);
  DeleteObject(brush);
}

void CEdit::PaintCaret(HDC dc) {
  HPEN pen = CreatePen(PS_SOLID, 1, BorderColor);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  DrawVLine(dc, TextX(CaretPos) - 1, 2, Height - 4, 2);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

void CEdit::Paint(CBmp* canvas, const RECT& clip) {
  HDC dc = canvas->GetDC();
  if (!Transparent) DrawFilledFrame(dc, Width, Height, BorderColor, Color);
  if (SelStart != SelEnd) PaintSelection(dc);
  if (Font) {
    RECT rect = {Margin, 0, Width - Margin, Height};
    canvas->DrawText(&Text, &rect, Font->GetHandle(), Enabled ? TextColor : DisabledTextColor,
                     AlignmentCode(TextAlign), 0);
  }
  if (Focused) PaintCaret(dc);
  CControl::Paint(canvas, clip);
}
