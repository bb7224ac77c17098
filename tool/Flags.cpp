#include <windows.h>

#include "tool/Flags.h"

namespace {

enum FlagKind { kHorizontal, kVertical, kNordicCross, kCentredCross };

struct FlagDesign {
  FlagKind kind;
  COLORREF colours[3];  // stripes, or field and cross
  int weights[3];
};

const FlagDesign kFlags[8] = {
    {kCentredCross, {RGB(255, 255, 255), RGB(206, 17, 36)}, {}},           // English
    {kHorizontal, {RGB(174, 28, 40), RGB(255, 255, 255), RGB(33, 70, 139)}, {1, 1, 1}},
    {kHorizontal, {RGB(0, 0, 0), RGB(221, 0, 0), RGB(255, 206, 0)}, {1, 1, 1}},
    {kVertical, {RGB(0, 85, 164), RGB(255, 255, 255), RGB(239, 65, 53)}, {1, 1, 1}},
    {kHorizontal, {RGB(170, 21, 27), RGB(241, 191, 0), RGB(170, 21, 27)}, {1, 2, 1}},
    {kVertical, {RGB(0, 146, 70), RGB(255, 255, 255), RGB(206, 43, 55)}, {1, 1, 1}},
    {kNordicCross, {RGB(200, 16, 46), RGB(255, 255, 255)}, {}},             // Danish
    {kNordicCross, {RGB(0, 106, 167), RGB(254, 204, 0)}, {}},               // Swedish
};

// The flag occupies a 32 x 20 band in the middle of the square picture.
const RECT kField = {0, 6, 32, 26};

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  RECT r = {left, top, right, bottom};
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void DrawStripes(HDC dc, const FlagDesign& f) {
  int total = f.weights[0] + f.weights[1] + f.weights[2];
  bool vertical = f.kind == kVertical;
  int span = vertical ? kField.right - kField.left : kField.bottom - kField.top;
  int done = 0;
  for (int i = 0; i < 3; ++i) {
    int from = span * done / total;
    done += f.weights[i];
    int to = span * done / total;
    if (vertical)
      Fill(dc, kField.left + from, kField.top, kField.left + to, kField.bottom, f.colours[i]);
    else
      Fill(dc, kField.left, kField.top + from, kField.right, kField.top + to, f.colours[i]);
  }
}

void DrawCross(HDC dc, const FlagDesign& f, int crossX) {
  Fill(dc, kField.left, kField.top, kField.right, kField.bottom, f.colours[0]);
  int midY = (kField.top + kField.bottom) / 2;
  Fill(dc, kField.left, midY - 2, kField.right, midY + 2, f.colours[1]);
  Fill(dc, crossX - 2, kField.top, crossX + 2, kField.bottom, f.colours[1]);
}

void DrawFlag(HDC dc, const FlagDesign& f) {
  Fill(dc, 0, 0, 32, 32, RGB(255, 255, 255));
  if (f.kind == kHorizontal || f.kind == kVertical) DrawStripes(dc, f);
  else DrawCross(dc, f, f.kind == kNordicCross ? 12 : 16);
}

}  // namespace

HIMAGELIST CreateFlagImageList() {
  HIMAGELIST list = ImageList_Create(32, 32, ILC_COLOR24, 8, 0);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  for (const FlagDesign& flag : kFlags) {
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DrawFlag(dc, flag);
    SelectObject(dc, old);
    ImageList_Add(list, bitmap, nullptr);
    DeleteObject(bitmap);
  }
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return list;
}
