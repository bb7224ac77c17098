#include "lib/widgets/DrawHelpers.h"

#include "lib/bitmap/Bmp.h"
#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/Control.h"
#include "lib/widgets/Label.h"

void DrawVLine(HDC dc, int32_t x, int32_t y, int32_t length, int32_t pw) {
  MoveToEx(dc, x + pw / 2, y, nullptr);
  LineTo(dc, x + pw / 2, y + length);
}

void DrawHLine(HDC dc, int32_t x, int32_t y, int32_t length, int32_t pw) {
  MoveToEx(dc, x, y + pw / 2, nullptr);
  LineTo(dc, x + length, y + pw / 2);
}

void DrawFrame(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t pw) {
  Rectangle(dc, left + pw / 2, top + pw / 2, right - pw / 2, bottom - pw / 2);
}

void DrawFilledFrame(HDC dc, int32_t width, int32_t height, COLORREF border, COLORREF fill) {
  HPEN pen = CreatePen(PS_SOLID, 1, border);
  HBRUSH brush = CreateSolidBrush(fill);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  DrawFrame(dc, 0, 0, width, height, 1);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

void DrawRoundFrame(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                    int32_t ellipseWidth, int32_t ellipseHeight, int32_t pw) {
  RoundRect(dc, left + pw / 2, top + pw / 2, right, bottom, ellipseWidth, ellipseHeight);
}

double Clamp(double value, double low, double high) {
  double m = value > low ? value : low;
  return m < high ? m : high;
}

namespace {

template <typename Apply>
void ForEachControl(TControlList controls, Apply apply) {
  for (CControl* control : controls) {
    if (!control) return;
    apply(control);
  }
}

// One step of ShortenPath: "\A\B\" becomes "\...\B\", "\...\B\" becomes "\...\".
CStr ShortenDir(const CStr& dir) {
  if (dir.Compare("\\") == 0) return CStr();
  bool rooted = dir.GetLength() > 0 && dir.c_str()[0] == '\\';
  CStr rest = rooted ? dir.Mid(1, dir.GetLength() - 1) : dir;
  if (rest.GetLength() > 0 && rest.c_str()[0] == '.') rest = rest.Mid(4, rest.GetLength() - 4);
  int32_t slash = rest.Find('\\');
  CStr shortened;
  if (slash > 0) {
    shortened = "...";
    shortened += rest.Mid(slash, rest.GetLength() - slash);
  }
  if (!rooted) return shortened;
  CStr withRoot("\\");
  withRoot += shortened;
  return withRoot;
}

int32_t TextWidth(CBmp* canvas, const CStr& text, const CFontDesc* font) {
  return canvas->MeasureText(text, font->GetHandle()).cx;
}

}  // namespace

void SetHeights(int32_t height, TControlList controls) {
  ForEachControl(controls, [&](CControl* c) { c->SetHeight(height); });
}

void SetHittables(bool hittable, TControlList controls) {
  ForEachControl(controls, [&](CControl* c) { c->SetHittable(hittable); });
}

void SetTransparents(bool transparent, TControlList controls) {
  ForEachControl(controls, [&](CControl* c) { c->SetTransparent(transparent); });
}

void SetVisibles(bool visible, TControlList controls) {
  ForEachControl(controls, [&](CControl* c) { c->SetVisible(visible); });
}

void SetTextColors(uint32_t colour, TControlList controls) {
  ForEachControl(controls, [&](CControl* c) {
    if (auto* label = dynamic_cast<CLabel*>(c)) {
      label->TextColor = colour;
      label->Invalidate();
    }
  });
}

CStr ShortenPath(CBmp* canvas, const CStr& path, const CFontDesc* font, int32_t maxWidth) {
  int32_t split = path.GetLength();
  while (split > 0 && path.c_str()[split - 1] != '\\' && path.c_str()[split - 1] != ':') --split;
  CStr dir = path.Left(split);
  CStr name = path.Mid(split, path.GetLength() - split);
  CStr drive;
  if (dir.GetLength() >= 2 && dir.c_str()[1] == ':') {
    drive = dir.Left(2);
    dir = dir.Mid(2, dir.GetLength() - 2);
  }
  CStr text = path;
  int32_t width = TextWidth(canvas, text, font);
  while ((dir.GetLength() > 0 || drive.GetLength() > 0) && width > maxWidth) {
    if (dir.Compare("\\...\\") == 0) {
      drive = CStr();
      dir = "...\\";
    } else if (dir.GetLength() == 0) {
      drive = CStr();
    } else {
      dir = ShortenDir(dir);
    }
    text = drive;
    text += dir;
    text += name;
    width = TextWidth(canvas, text, font);
  }
  return text;
}
