#include "lib/widgets/Panel.h"

#include <algorithm>
#include <cmath>

#include "lib/bitmap/Bmp32.h"
#include "lib/widgets/BitmapClip.h"
#include "lib/widgets/BitmapFile.h"
#include "lib/widgets/DrawHelpers.h"

CPanel::CPanel(CControl* parent) : CControl(parent) {}

CPanel::CPanel(CControl* parent, const CStr& path) : CControl(parent) { LoadBitmap(path); }

CPanel::~CPanel() { delete Bitmap; }

bool CPanel::LoadBitmap(const CStr& path) {
  if (!LoadBitmapFile(Bitmap, path)) return false;
  Invalidate();
  return true;
}

void CPanel::SetStretch(bool stretch, bool keepAspect) {
  Stretch = stretch;
  KeepAspect = keepAspect;
  Invalidate();
}

void CPanel::SetBitmap(CBmp32* source) {
  ReplaceWithCopy(Bitmap, source);
  Invalidate();
}

void CPanel::PaintFrame(HDC dc) {
  HBRUSH brush = CreateSolidBrush(Enabled ? Color : DisabledColor);
  HPEN pen = CreatePen(PS_SOLID, 1, Enabled ? BorderColor : DisabledBorderColor);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  DrawFrame(dc, 0, 0, Width, Height, 1);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

RECT CPanel::BitmapTarget() const {
  POINT corner = GetWindowOrigin();
  int32_t w = Bitmap->Width(), h = Bitmap->Height();
  if (Stretch && !KeepAspect) return {corner.x, corner.y, corner.x + Width, corner.y + Height};
  if (Stretch) {
    double scale = std::min(double(Width) / w, double(Height) / h);
    w = int32_t(std::floor(w * scale + 0.5));
    h = int32_t(std::floor(h * scale + 0.5));
  }
  int32_t x = corner.x + (Width - w) / 2, y = corner.y + (Height - h) / 2;
  return {x, y, x + w, y + h};
}

void CPanel::Paint(CBmp* canvas, const RECT& clip) {
  bool bitmapCovers = Bitmap && Stretch && !KeepAspect;
  if (!Transparent && !bitmapCovers) PaintFrame(canvas->GetDC());
  auto* pixels = dynamic_cast<CBmp32*>(canvas);
  if (Bitmap && pixels && Bitmap->Width() > 0 && Bitmap->Height() > 0)
    DrawBitmapStretchedClipped(*Bitmap, *pixels, *this, clip, BitmapTarget(),
                               Enabled ? bmBlend : bmBlendDisabled);
  CControl::Paint(canvas, clip);
}
