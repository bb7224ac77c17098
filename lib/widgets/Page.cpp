#include "lib/widgets/Page.h"

#include <algorithm>

#include "lib/widgets/DefaultColors.h"

CPage::CPage(CControl* parent, TPageHandler onUpdatePage)
    : CControl(parent), BackgroundColor(DefaultBackColor), OnUpdatePage(onUpdatePage) {}

void CPage::Paint(CBmp* canvas, const RECT&) {
  RECT rect = {0, 0, Width, Height};
  HBRUSH brush = CreateSolidBrush(BackgroundColor);
  FillRect(canvas->GetDC(), &rect, brush);
  DeleteObject(brush);
}

void CPage::UpdatePage() { RaiseLastEvent(OnUpdatePage, GetOwner(), this, CurrentPage); }

void CPage::UpdatePages() { RaiseLastEvent(OnPageChange, GetOwner(), this); }

void CPage::SetPageCount(int32_t count) { static_cast<void>(ApplyPageCount(count)); }

void CPage::SetCurrentPage(int32_t page) { static_cast<void>(ApplyCurrentPage(page)); }

bool CPage::ApplyPageCount(int32_t count) {
  PageCount = count;
  return ApplyCurrentPage(CurrentPage);
}

bool CPage::ApplyCurrentPage(int32_t page) {
  CurrentPage = std::min(std::max(page, 1), PageCount);
  if (CurrentPage < 0) CurrentPage = 0;
  CControlWatch self(this);
  UpdatePage();
  if (!self.Alive() || !RaiseEvent(this, OnPageChange, GetOwner(), this)) return false;
  Invalidate();
  return true;
}

CAutoPage::CAutoPage(CControl* parent) : CPage(parent, nullptr) {}

CAutoPage::~CAutoPage() {
  RemoveAllControls();
  for (int32_t i = 0; i < Items.GetCount(); ++i) Items[i]->Controls.SetOwnsItems(true);
}

void CAutoPage::Paint(CBmp* canvas, const RECT& clip) {
  CPage::Paint(canvas, clip);
  if (Lines.GetCount() == 0) return;
  HDC dc = canvas->GetDC();
  HPEN pen = CreatePen(PS_SOLID, 1, LineColor);
  HGDIOBJ old = SelectObject(dc, pen);
  for (int32_t i = Lines.GetCount() - 1; i >= 0; --i)
    DrawHLine(dc, HorizontalSpacing, Lines[i], Width - 2 * HorizontalSpacing, 1);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void CAutoPage::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  CControl::SetBounds(left, top, width, height);
  UpdatePages();
}

CArray<int32_t>& CAutoPage::AddRow(int32_t group, TControlList controls) {
  auto* item = new SPageItem;
  item->Group = group;
  for (CControl* control : controls) {
    if (!control) break;
    item->Controls.Add(control);
    item->Widths.Add(-1);
    item->Height = std::max(item->Height, control->GetHeight());
  }
  Items.Add(item);
  return item->Widths;
}

void CAutoPage::AddSeparator(int32_t group, int32_t height, bool drawLine) {
  auto* item = new SPageItem;
  item->Height = height;
  item->Group = group;
  item->Separator = true;
  item->Line = drawLine;
  Items.Add(item);
}

int32_t CAutoPage::CutEnd(int32_t i) const { return i > 0 && Items[i - 1]->Separator ? i - 1 : i; }

int32_t CAutoPage::CutStart(int32_t i) const { return Items[i]->Separator ? i + 1 : i; }

void CAutoPage::ClosePage(int32_t first, int32_t last) {
  if (last > first) Pages.Add({first, last});
}

void CAutoPage::UpdatePages() {
  const int32_t spacing = VerticalSpacing;
  Pages.Clear();
  // y: height of the page so far; yb: of the latest group's items on it.
  int32_t y = spacing, yb = spacing, first = 0, groupStart = 0, group = 0;
  for (int32_t i = 0; i < Items.GetCount(); ++i) {
    const SPageItem& item = *Items[i];
    if (item.Group > group) {
      group = item.Group;
      groupStart = i;
      yb = spacing;
    }
    y += item.Height + spacing;
    yb += item.Height + spacing;
    if (y <= Height) continue;
    if (y == yb) {
      // The group began at the page's first item: it cannot move whole.
      ClosePage(first, CutEnd(i));
      first = CutStart(i);
      y = yb = spacing + item.Height + spacing;
    } else {
      ClosePage(first, CutEnd(groupStart));
      first = CutStart(groupStart);
      y = yb;
    }
  }
  if (first < Items.GetCount()) Pages.Add({first, Items.GetCount()});
  SetPageCount(Pages.GetCount());
}

void CAutoPage::UpdatePage() {
  RemoveAllControls();
  Lines.Clear();
  if (Pages.GetCount() == 0 || CurrentPage < 1) return;
  const SPage& page = Pages[CurrentPage - 1];
  int32_t y = VerticalSpacing;
  for (int32_t i = page.First; i < page.Last; ++i) {
    const SPageItem& item = *Items[i];
    if (!item.Separator)
      LayOutRow(item, y);
    else if (item.Line)
      Lines.Add(y + item.Height / 2);
    y += VerticalSpacing + item.Height;
  }
}

// Positions run in units of 1/n pixel, so that the remainders of the shared
// widths spread over the row: the last control ends at most one pixel short
// of Width - HorizontalSpacing.
void CAutoPage::LayOutRow(const SPageItem& item, int32_t y) {
  const int32_t n = item.Controls.GetCount(), gap = HorizontalSpacing;
  if (n == 0) return;
  int64_t fixed = 0;
  int32_t fixedCount = 0;
  for (int32_t i = 0; i < n; ++i)
    if (item.Widths[i] > 0) {
      fixed += int64_t{item.Widths[i]} * n;
      ++fixedCount;
    }
  int64_t share = 0;
  if (n > fixedCount)
    share = (int64_t{Width} * n - fixed - int64_t{gap} * n * (n + 1)) / (n - fixedCount);
  int64_t p = 0;
  for (int32_t i = 0; i < n; ++i) {
    CControl* control = item.Controls[i];
    int64_t scaled = item.Widths[i] > 0 ? int64_t{item.Widths[i]} * n : share;
    int64_t left = p + int64_t{gap} * n;
    p = left + scaled;
    int32_t height = control->GetHeight();
    control->Place(this, int32_t(left / n), y + (item.Height - height) / 2,
                   int32_t(p / n - left / n), height);
  }
}
