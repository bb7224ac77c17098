#include "lib/widgets/ScrollBar.h"

#include <algorithm>

#include "lib/widgets/DrawHelpers.h"
#include "lib/widgets/ImageFolder.h"

CScrollBar::CScrollBar(CControl* parent) : CPanel(parent) {
  Color = 0x808080;
  DisabledColor = 0xC0C0C0;
  Thumb = new CPanel(this);
  Thumb->OnMouseMove = DragThumb;
  Thumb->OnPaint = PaintGrip;
  EndArrow = new CPanel(this);
  EndArrow->OnClick = StepForward;
  StartArrow = new CPanel(this);
  StartArrow->OnClick = StepBack;
  SetButtonBorderColor(0x000000);
  SetDisabledBorderColor(0x404040);
  SetButtonColor(0xEBEBEB);
  SetOrientation(0);
}

void CScrollBar::Click(int32_t x, int32_t y) {
  bool beforeThumb = IsVertical() ? Thumb->GetTop() > y : Thumb->GetLeft() > x;
  StepBy(beforeThumb ? -int64_t{LargeStep} : LargeStep);
}

void CScrollBar::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  CControl::SetBounds(left, top, width, height);
  Layout();
}

int32_t CScrollBar::Clamped(int64_t value) const {
  return int32_t(std::max<int64_t>(std::min<int64_t>(value, Max), Min));
}

void CScrollBar::SetPosition(int32_t value) {
  value = Clamped(value);
  if (value == Position) return;
  Position = value;
  UpdateThumb();
  RaiseLastEvent(OnChange, CControl::GetOwner(), this);
}

void CScrollBar::SetMax(int32_t value) {
  if (value == Max || value < Min) return;
  Max = value;
  Range = Max - Min;
  ShowRange();
  if (Position > Max)
    SetPosition(Max);
  else
    UpdateThumb();
}

void CScrollBar::SetMin(int32_t value) {
  if (value == Min || value > Max) return;
  Min = value;
  Range = Max - Min;
  ShowRange();
  if (Position < Min)
    SetPosition(Min);
  else
    UpdateThumb();
}

void CScrollBar::SetRange(int32_t position, int32_t min, int32_t max) {
  Min = min;
  Max = max;
  Range = Max - Min;
  ShowRange();
  // The thumb follows the new range even when the position stays; a new
  // position raises OnChange, the last step.
  if (Clamped(position) == Position)
    UpdateThumb();
  else
    SetPosition(position);
}

void CScrollBar::SetPageSize(int32_t value) {
  value = std::max(0, value);
  if (value == PageSize) return;
  PageSize = value;
  ShowRange();
  UpdateThumb();
}

void CScrollBar::SetMinThumbSize(int32_t value) {
  value = std::max(0, value);
  if (value == MinThumbSize) return;
  MinThumbSize = value;
  UpdateThumb();
}

void CScrollBar::SetLargeStep(int32_t value) { LargeStep = std::max(0, value); }

void CScrollBar::SetSmallStep(int32_t value) { SmallStep = std::max(0, value); }

void CScrollBar::SetButtonSize(int32_t value) {
  if (value == ButtonSize) return;
  ButtonSize = value;
  Layout();
}

void CScrollBar::SetOrientation(int32_t value) {
  if (value != Orientation) {
    Orientation = value;
    Layout();
  }
  bool vertical = IsVertical();
  StartArrow->LoadBitmap(
      ImagePath(vertical ? "btn_arrow_scrollbar_up.bmp" : "btn_arrow_scrollbar_left.bmp"));
  EndArrow->LoadBitmap(
      ImagePath(vertical ? "btn_arrow_scrollbar_down.bmp" : "btn_arrow_scrollbar_right.bmp"));
}

void CScrollBar::SetButtonColor(uint32_t color) {
  ButtonColor = color;
  for (CPanel* part : {Thumb, EndArrow, StartArrow}) {
    part->Color = color;
    part->DisabledColor = color;
    part->Invalidate();
  }
}

void CScrollBar::SetButtonBorderColor(uint32_t color) {
  ButtonBorderColor = color;
  for (CPanel* part : {Thumb, EndArrow, StartArrow}) part->BorderColor = color;
  Invalidate();
}

void CScrollBar::SetDisabledBorderColor(uint32_t color) {
  DisabledBorderColor = color;
  for (CPanel* part : {Thumb, EndArrow, StartArrow}) part->DisabledBorderColor = color;
  Invalidate();
}

void CScrollBar::SetThumbVisible(bool visible) {
  Thumb->SetVisible(visible);
  SetEnabled(visible);
}

void CScrollBar::Layout() {
  if (IsVertical()) {
    StartArrow->SetBounds(0, 0, Width, ButtonSize);
    EndArrow->SetBounds(0, Height - ButtonSize, Width, ButtonSize);
    TrackLength = Height - 2 * ButtonSize + 2;
  } else {
    StartArrow->SetBounds(0, 0, ButtonSize, Height);
    EndArrow->SetBounds(Width - ButtonSize, 0, ButtonSize, Height);
    TrackLength = Width - 2 * ButtonSize + 2;
  }
  UpdateThumb();
}

int32_t CScrollBar::ThumbStart() const {
  return int32_t(int64_t{TrackLength - ThumbSize} * (int64_t{Position} - Min) / Range + ButtonSize);
}

void CScrollBar::UpdateThumb() {
  if (!Thumb->IsVisible() || Range <= 0) return;
  ThumbSize = std::max(int32_t(int64_t{TrackLength} * PageSize / (int64_t{Range} + PageSize)),
                       MinThumbSize);
  int32_t start = ThumbStart();
  if (IsVertical())
    Thumb->SetBounds(0, start - 1, Width, ThumbSize);
  else
    Thumb->SetBounds(start - 1, 0, ThumbSize, Height);
}

// The thumb moves by the pointer's offset from the point where it was pressed,
// and only while it is pressed.
void CScrollBar::DragThumb(CControl* owner, CControl* sender, int32_t x, int32_t y) {
  auto* bar = static_cast<CScrollBar*>(owner);
  if (!sender->IsPressed()) return;
  int32_t moved = bar->IsVertical() ? y - sender->DownPoint.y : x - sender->DownPoint.x;
  int32_t travel = bar->TrackLength - bar->ThumbSize;
  if (moved == 0 || travel == 0 || bar->Range <= 0) return;
  int64_t offset = int64_t{bar->ThumbStart()} - bar->ButtonSize + moved;
  bar->SetPosition(bar->Clamped(offset * bar->Range / travel + bar->Min));
}

void CScrollBar::PaintGrip(CControl* owner, CControl* sender, CBmp* canvas) {
  auto* bar = static_cast<CScrollBar*>(owner);
  int32_t w = sender->GetWidth(), h = sender->GetHeight();
  HDC dc = canvas->GetDC();
  HPEN pen = CreatePen(PS_SOLID, 1, 0x000000);
  HGDIOBJ old = SelectObject(dc, pen);
  for (int32_t offset : {-2, 0, 2}) {
    if (bar->IsVertical())
      DrawHLine(dc, w / 4, h / 2 + offset, w - 2 * (w / 4), 1);
    else
      DrawVLine(dc, w / 2 + offset, h / 4, h - 2 * (h / 4), 1);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

void CScrollBar::StepForward(CControl* owner, CControl*, int32_t, int32_t) {
  auto* bar = static_cast<CScrollBar*>(owner);
  bar->StepBy(bar->SmallStep);
}

void CScrollBar::StepBack(CControl* owner, CControl*, int32_t, int32_t) {
  auto* bar = static_cast<CScrollBar*>(owner);
  bar->StepBy(-int64_t{bar->SmallStep});
}
