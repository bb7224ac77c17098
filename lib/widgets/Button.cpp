#include "lib/widgets/Button.h"

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/BitmapClip.h"
#include "lib/widgets/BitmapFile.h"
#include "lib/widgets/DefaultColors.h"
#include "lib/widgets/DrawHelpers.h"
#include "lib/widgets/TextPlacement.h"

namespace {

template <typename T>
T* StateTwo(T* second, T* first) {
  return second ? second : first;
}

void FreeRole(CBmp32*& role) {
  delete role;
  role = nullptr;
}

}  // namespace

CButton::CButton(CControl* parent, const CStr& caption, CFontDesc* font)
    : CButton(parent, caption, CStr(), font) {}

CButton::CButton(CControl* parent, const CStr& caption, const CStr& caption2, CFontDesc* font)
    : CControl(parent),
      Caption(caption),
      Caption2(caption2),
      Font(font),
      Color(DefaultFaceColor),
      DownColor(DefaultDownColor),
      BorderColor(DefaultBorderColor),
      DownBorderColor(DefaultBorderColor),
      DisabledBorderColor(DefaultDisabledBorderColor),
      TextColor(DefaultTextColor),
      DisabledTextColor(DefaultDisabledTextColor) {}

CButton::~CButton() {
  for (CBmp32** role :
       {&DisabledImage, &DownImage, &Image, &DisabledImage2, &DownImage2, &Image2, &OverlayImage})
    FreeRole(*role);
}

bool CButton::LoadRole(CBmp32*& role, const CStr& path) { return LoadBitmapFile(role, path); }

bool CButton::LooksPressable() const { return !Transparent || DownImage || FrameWhenDown; }

void CButton::MouseDown(int32_t x, int32_t y) {
  CControlWatch self(this);
  CControl::MouseDown(x, y);
  if (self.Alive() && LooksPressable()) Invalidate();
}

void CButton::MouseUp(int32_t x, int32_t y) {
  CControlWatch self(this);
  CControl::MouseUp(x, y);
  if (self.Alive() && LooksPressable()) Invalidate();
}

void CButton::Click(int32_t x, int32_t y) {
  State = State + 1 > 2 ? 1 : State + 1;
  CControlWatch self(this);
  CControl::Click(x, y);
  if (self.Alive() && (Image2 || Caption2.GetLength() > 0)) Invalidate();
}

void CButton::SetImage(CBmp32* bitmap) {
  ReplaceWithCopy(Image, bitmap);
  Invalidate();
}

void CButton::SetCaption(const CStr& text) {
  Caption = text;
  Invalidate();
}

void CButton::SetLayout(int32_t layout) {
  Layout = layout;
  Invalidate();
}

void CButton::SetSpacing(int32_t spacing) {
  Spacing = spacing;
  Invalidate();
}

void CButton::SetCornerRadius(int32_t radius) {
  CornerRadius = radius;
  Invalidate();
}

void CButton::SetState(int32_t state) {
  State = state;
  Invalidate();
}

void CButton::SetFrameWhenUp(bool frame) {
  FrameWhenUp = frame;
  Invalidate();
}

CBmp32* CButton::ShownBitmap() const {
  bool first = State == 1;
  CBmp32* normal = first ? Image : StateTwo(Image2, Image);
  CBmp32* down = first ? DownImage : StateTwo(DownImage2, DownImage);
  CBmp32* disabled = first ? DisabledImage : StateTwo(DisabledImage2, DisabledImage);
  CBmp32* shown = Pressed && down ? down : normal;
  if (!Enabled && disabled) shown = disabled;
  return shown;
}

const CStr& CButton::ShownCaption() const {
  return State == 1 || Caption2.GetLength() == 0 ? Caption : Caption2;
}

void CButton::PaintFace(HDC dc) {
  bool drawn = !Transparent || (Pressed ? FrameWhenDown : FrameWhenUp);
  if (!drawn) return;
  uint32_t frame = Pressed ? DownBorderColor : Enabled ? BorderColor : DisabledBorderColor;
  HPEN pen = CreatePen(PS_SOLID, 1, frame);
  HBRUSH brush = CreateSolidBrush(Pressed ? DownColor : Color);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  if (Transparent && CornerRadius > 0)
    DrawRoundFrame(dc, 0, 0, Width, Height, CornerRadius, CornerRadius, 1);
  else
    DrawFrame(dc, 0, 0, Width, Height, 1);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

POINT CButton::BitmapCorner(const CBmp32& bitmap, bool hasText) const {
  POINT p = GetWindowOrigin();
  int32_t w = bitmap.Width(), h = bitmap.Height();
  if (!hasText || Layout == 0) {
    p.x += (Width - w) / 2;
    p.y += hasText ? Spacing : (Height - h) / 2;
  } else {
    p.x += Spacing;
    p.y += (Height - h) / 2;
  }
  return p;
}

void CButton::PaintCaption(CBmp* canvas, const CStr& text, const CBmp32* bitmap) {
  HFONT font = Font->GetHandle();
  uint32_t colour = Enabled ? TextColor : DisabledTextColor;
  RECT rect = {0, 0, Width, Height};
  if (!bitmap) {
    DrawPlacedText(canvas, text, rect, font, colour, {Alignment, Spacing, bool(WordWrap)});
  } else if (Layout == 0) {
    rect.top = bitmap->Height() + Spacing;
    canvas->DrawText(&text, &rect, font, colour, 3, 1);
  } else {
    rect.left = bitmap->Width() + 2 * Spacing;
    RECT block = CentreWrappedBlock(canvas, text, rect, font, 0);
    canvas->DrawText(&text, &block, font, colour, 0, 1);
  }
}

void CButton::Paint(CBmp* canvas, const RECT& clip) {
  const CStr& text = ShownCaption();
  CBmp32* bitmap = ShownBitmap();
  PaintFace(canvas->GetDC());
  auto* pixels = dynamic_cast<CBmp32*>(canvas);
  if (bitmap && pixels) {
    int32_t mode = Enabled ? bmBlend : bmBlendDisabled;
    POINT corner = BitmapCorner(*bitmap, text.GetLength() > 0);
    DrawBitmapClipped(*bitmap, *pixels, *this, clip, corner.x, corner.y, mode);
    if (OverlayImage)
      DrawBitmapClipped(*OverlayImage, *pixels, *this, clip,
                        corner.x + bitmap->Width() - OverlayImage->Width() / 2,
                        corner.y + bitmap->Height() - OverlayImage->Height(), mode);
  }
  if (Font) PaintCaption(canvas, text, bitmap);
  CControl::Paint(canvas, clip);
}
