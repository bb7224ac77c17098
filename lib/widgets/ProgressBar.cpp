#include "lib/widgets/ProgressBar.h"

#include <algorithm>

namespace {

void FillSolid(HDC dc, const RECT& rect, uint32_t color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

}  // namespace

CProgressBar::CProgressBar(CControl* parent) : CControl(parent) {}

void CProgressBar::SetMin(int32_t value) {
  value = std::min(value, Max);
  if (value == Min) return;
  Min = value;
  Position = std::max(Min, Position);
  Invalidate();
}

void CProgressBar::SetMax(int32_t value) {
  value = std::max(value, Min);
  if (value == Max) return;
  Max = value;
  Position = std::min(Position, Max);
  Invalidate();
}

void CProgressBar::SetPosition(int32_t value) {
  value = std::clamp(value, Min, Max);
  if (value == Position) return;
  Position = value;
  RepaintNow();
}

int32_t CProgressBar::BarWidth() const {
  if (Max == Min) return Width;
  // 64 bits: positions are often byte counts, beyond 32 bits once multiplied.
  return int32_t((int64_t{Position} - Min) * Width / (int64_t{Max} - Min));
}

void CProgressBar::Paint(CBmp* canvas, const RECT&) {
  HDC dc = canvas->GetDC();
  FillSolid(dc, {0, 0, Width, Height}, Color);
  FillSolid(dc, {0, 0, BarWidth(), Height}, BarColor);
}
