#include "lib/widgets/CheckBox.h"

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/BitmapClip.h"
#include "lib/widgets/DefaultColors.h"
#include "lib/widgets/DrawHelpers.h"
#include "lib/widgets/TextPlacement.h"

CCheckBox::CCheckBox(CControl* parent, const CStr& caption, CFontDesc* font, CBmp32* unchecked,
                     CBmp32* checked, CBmp32* mixed)
    : CControl(parent),
      Caption(caption),
      Font(font),
      UncheckedImage(unchecked),
      CheckedImage(checked),
      MixedImage(mixed),
      Color(DefaultBackColor),
      DownColor(DefaultBackColor),
      BorderColor(DefaultBorderColor),
      DownBorderColor(DefaultBorderColor),
      DisabledBorderColor(DefaultDisabledBorderColor),
      TextColor(DefaultTextColor),
      DisabledTextColor(DefaultDisabledTextColor) {}

CCheckBox::CCheckBox(CControl* parent, const CStr& caption, CFontDesc* font)
    : CCheckBox(parent, caption, font, nullptr, nullptr, nullptr) {}

void CCheckBox::SetImages(CBmp32* unchecked, CBmp32* checked, CBmp32* mixed) {
  UncheckedImage = unchecked;
  CheckedImage = checked;
  MixedImage = mixed;
}

int32_t CCheckBox::BoxPartWidth() const {
  return UncheckedImage ? UncheckedImage->Width() + 2 * Spacing : 0;
}

void CCheckBox::MouseDown(int32_t x, int32_t y) {
  CControlWatch self(this);
  CControl::MouseDown(x, y);
  if (self.Alive() && !(UncheckedImage && x < BoxPartWidth())) Invalidate();
}

void CCheckBox::MouseUp(int32_t x, int32_t y) {
  CControlWatch self(this);
  CControl::MouseUp(x, y);
  if (self.Alive() && !(UncheckedImage && x <= BoxPartWidth())) Invalidate();
}

void CCheckBox::Click(int32_t x, int32_t y) {
  bool changed = UncheckedImage && x < BoxPartWidth();
  if (changed) State = State == cbUnchecked ? cbChecked : cbUnchecked;
  if (!RaiseEvent(this, OnCheck, GetOwner(), this, x, y, changed)) return;
  CControlWatch self(this);
  CControl::Click(x, y);
  if (self.Alive()) Invalidate();
}

CBmp32* CCheckBox::ShownBitmap() const {
  if (State == cbChecked) return CheckedImage;
  return State == cbMixed ? MixedImage : UncheckedImage;
}

void CCheckBox::PaintDownFrame(HDC dc, const RECT& rect) {
  HPEN pen = CreatePen(PS_SOLID, 1, DownBorderColor);
  HBRUSH brush = CreateSolidBrush(DownColor);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  DrawFrame(dc, rect.left, rect.top, rect.right, rect.bottom, 1);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

void CCheckBox::PaintCaption(CBmp* canvas, RECT rect) {
  HFONT font = Font->GetHandle();
  uint32_t colour = Enabled ? TextColor : DisabledTextColor;
  if (WordWrap) {
    RECT block = CentreWrappedBlock(canvas, Caption, rect, font, 0);
    canvas->DrawText(&Caption, &block, font, colour, 0, 1);
  } else {
    canvas->DrawText(&Caption, &rect, font, colour, 1, 0);
  }
}

void CCheckBox::Paint(CBmp* canvas, const RECT& clip) {
  HDC dc = canvas->GetDC();
  RECT rect = {0, 0, Width, Height};
  if (!Transparent) {
    HBRUSH brush = CreateSolidBrush(Color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
  }
  if (UncheckedImage) rect.left = BoxPartWidth();
  if (Pressed && FrameWhenDown) PaintDownFrame(dc, rect);
  CBmp32* bitmap = ShownBitmap();
  auto* pixels = dynamic_cast<CBmp32*>(canvas);
  if (bitmap && pixels) {
    POINT origin = GetWindowOrigin();
    DrawBitmapClipped(*bitmap, *pixels, *this, clip, origin.x + Spacing,
                      origin.y + (Height - bitmap->Height()) / 2,
                      Enabled ? bmBlend : bmBlendDisabled);
  }
  if (UncheckedImage) rect.left += Spacing;
  if (Font) PaintCaption(canvas, rect);
  CControl::Paint(canvas, clip);
}
