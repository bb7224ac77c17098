#include "lib/widgets/ListView.h"

#include <algorithm>
#include <cmath>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/display/FontDesc.h"
#include "lib/widgets/BitmapClip.h"
#include "lib/widgets/BitmapFile.h"
#include "lib/widgets/DrawHelpers.h"
#include "lib/widgets/ImageFolder.h"
#include "lib/widgets/ScreenBuffer.h"
#include "lib/widgets/ScrollBar.h"

namespace {

// The rows repaint at the scroll bar's new offset.
void InvalidateOwner(CControl* owner, CControl*) {
  if (owner) owner->Invalidate();
}

int32_t BitmapWidth(const CBmp32* bitmap) { return bitmap ? bitmap->Width() : 0; }

}  // namespace

int CompareListItemTexts(const CListItem* a, const CListItem* b) {
  return a->Text.CompareNoCase(b->Text);
}

// ---------------------------------------------------------------------------
// CListItem

CListItem::CListItem(CListView* listView)
    : CControl(nullptr),
      ListView(listView),
      Color(listView->BackgroundColor),
      TextColor(listView->TextColor),
      DisabledTextColor(listView->DisabledTextColor) {
  Hittable = false;
}

CListItem::~CListItem() { ListView->ItemDying(this); }

void CListItem::SetText(const CStr& text) {
  Text = text;
  TextWidth = -1;
  ListView->ItemTextChanged(this);
}

void CListItem::SetState(int32_t state) {
  if (state == State) return;
  State = state;
  if (RaiseEvent(this, ListView->OnCheckChange, ListView->GetOwner(), ListView, this)) Invalidate();
}

void CListItem::SetItemEnabled(bool enabled) {
  if (bool(ItemEnabled) == enabled) return;
  ItemEnabled = enabled;
  Invalidate();
}

void CListItem::SetSelected(bool selected) {
  if (bool(Selected) == selected) return;
  Selected = selected;
  Invalidate();
}

void CListItem::SetIcon(CBmp32* icon) {
  if (icon == Icon) return;
  Icon = icon;
  Invalidate();
}

void CListItem::PaintFocusFrame(HDC dc, int32_t left, int32_t right) const {
  if (!Focused || !ListView->ShowFocus) return;
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  DrawFrame(dc, left, 0, right, Height, 1);
  SelectObject(dc, oldBrush);
}

int32_t CListItem::PaintMark(CBmp* canvas, const RECT& clip, int32_t left, int32_t right, HDC dc) {
  const CListView& list = *ListView;
  left += list.Margin;
  CBmp32* mark = State == 1   ? list.UncheckedBitmap
                 : State == 2 ? list.MixedBitmap
                              : list.CheckBitmap;
  auto* pixels = dynamic_cast<CBmp32*>(canvas);
  if (mark && pixels) {
    POINT origin = GetWindowOrigin();
    DrawBitmapClipped(*mark, *pixels, *this, clip, origin.x + left,
                      origin.y + (Height - mark->Height()) / 2,
                      ItemEnabled ? bmBlend : bmBlendDisabled);
  }
  left += BitmapWidth(mark) + list.Margin;
  PaintFocusFrame(dc, left, right);
  return left + list.Margin;
}

int32_t CListItem::PaintIcon(CBmp* canvas, const RECT& clip, int32_t left, int32_t right, HDC dc) {
  const CListView& list = *ListView;
  PaintFocusFrame(dc, left, right);
  left += list.Margin;
  auto* pixels = dynamic_cast<CBmp32*>(canvas);
  if (Icon && pixels && Icon->Width() > 0 && Icon->Height() > 0) {
    double s = std::min(1.0, double(list.IconSize) / std::max(Icon->Height(), Icon->Width()));
    int32_t dw = int32_t(std::floor(Icon->Width() * s + 0.5));
    int32_t dh = int32_t(std::floor(Icon->Height() * s + 0.5));
    if (dw > 0 && dh > 0) {
      POINT origin = GetWindowOrigin();
      int32_t x = origin.x + left + (list.IconSize - dw) / 2;
      int32_t y = origin.y + (Height - dh) / 2;
      DrawBitmapStretchedClipped(*Icon, *pixels, *this, clip, {x, y, x + dw, y + dh},
                                 ItemEnabled ? bmBlend : bmBlendDisabled);
    }
  }
  return left + list.IconSize + list.Margin;
}

void CListItem::Paint(CBmp* canvas, const RECT& clip) {
  const CListView& list = *ListView;
  HDC dc = canvas->GetDC();
  int32_t saved = SaveDC(dc);
  int32_t r = -list.HScroll->Position;
  bool highlighted = Selected || (list.SelectMode == lsmNone && list.IsPressedItem(this));
  HBRUSH brush = CreateSolidBrush(highlighted ? list.HighlightColor : Color);
  HPEN pen = CreatePen(PS_SOLID, 1, list.FrameColor);
  SelectObject(dc, pen);
  RECT fill = {r, 0, r + list.ContentWidth, Height};
  FillRect(dc, &fill, brush);
  int32_t left = r, right = r + list.ContentWidth;
  if (list.ViewMode == lvmCheck || list.ViewMode == lvmVisible) {
    left = PaintMark(canvas, clip, left, right, dc);
  } else if (list.ViewMode == lvmIcon) {
    left = PaintIcon(canvas, clip, left, right, dc);
  } else {
    PaintFocusFrame(dc, left, right);
    left += list.Margin;
  }
  RECT text = {left, 0, right, Height};
  if (list.Font)
    canvas->DrawText(&Text, &text, list.Font->GetHandle(),
                     ItemEnabled ? TextColor : DisabledTextColor, 1, 0);
  RestoreDC(dc, saved);
  DeleteObject(pen);
  DeleteObject(brush);
  CControl::Paint(canvas, clip);
}

// ---------------------------------------------------------------------------
// CListView

CListView::CListView(CControl* parent, int32_t viewMode, int32_t itemHeight, int32_t iconSize,
                     int32_t selectMode, CFontDesc* font)
    : CPage(parent, nullptr),
      HScroll(new CScrollBar(this)),
      ViewMode(viewMode),
      SelectMode(selectMode),
      ItemHeight(std::max(1, itemHeight)),
      IconSize(iconSize),
      Font(font) {
  HScroll->SetOrientation(1);
  HScroll->OnChange = InvalidateOwner;
  HScroll->SetVisible(false);
  if (ViewMode == lvmCheck || ViewMode == lvmVisible) {
    LoadBitmapFile(CheckBitmap, ImagePath(ViewMode == lvmCheck ? "btn_check_checked.bmp"
                                                               : "btn_check_visible.bmp"));
    LoadBitmapFile(UncheckedBitmap, ImagePath("btn_check_unchecked.bmp"));
    LoadBitmapFile(MixedBitmap, ImagePath("btn_check_mixed.bmp"));
  }
}

CListView::~CListView() {
  FocusedItem = nullptr;
  RemoveAllControls();
  delete HScroll;
  delete CheckBitmap;
  delete UncheckedBitmap;
  delete MixedBitmap;
  Items.Clear();
}

void CListView::ItemDying(CListItem* item) {
  if (item != FocusedItem) return;
  // The handlers of the change may delete the list view. A focus kept while
  // ShowFocus is off, or given back to the dying item, goes silently.
  if (FocusOn(nullptr) && FocusedItem == item) FocusedItem = nullptr;
}

void CListView::ItemTextChanged(CListItem* item) {
  if (Sorted && UpdateLock == 0)
    MoveToSortedPlace(item);
  else if (Sorted)
    SortPending = true;
  UpdatePages();
}

bool CListView::IsPressedItem(const CListItem* item) const {
  return IsValidIndex(PressedIndex) && Items[PressedIndex] == item;
}

CListItem* CListView::AddItem() {
  auto* item = new CListItem(this);
  Items.Add(item);
  ForgetGesture();
  CControlWatch added(item);
  ItemTextChanged(item);
  return added.Alive() ? item : nullptr;
}

// The focus leaves an item before it is destroyed, while the list still holds
// it, so that no item dies focused and destroying raises nothing inside the
// list's own edit. The handlers of the change may edit the list or delete the
// list view: the item is found again afterwards.
void CListView::Delete(int32_t index) {
  if (!IsValidIndex(index)) return;
  CListItem* item = Items[index];
  CControlWatch row(item);
  if (item == FocusedItem && !FocusOn(nullptr)) return;
  if (!row.Alive()) return;
  // Focused again by the handlers, or kept while ShowFocus is off.
  if (item == FocusedItem) FocusedItem = nullptr;
  Items.Delete(Items.IndexOf(item));
  ForgetGesture();
  UpdatePages();
}

void CListView::Clear() {
  if (FocusedItem && !FocusOn(nullptr)) return;
  // Every item goes, also one that the handlers focused.
  FocusedItem = nullptr;
  BeginUpdate();
  Items.Clear();
  ForgetGesture();
  EndUpdate();
}

void CListView::BeginUpdate() { ++UpdateLock; }

void CListView::EndUpdate() {
  if (UpdateLock > 0 && --UpdateLock == 0) UpdatePages();
}

template <typename Apply>
void CListView::ForEnabledItemsBackwards(Apply apply) {
  // A check change raises OnCheckChange, whose handlers may edit the list or
  // delete the list view: the walk stays inside the list and ends with it.
  CControlWatch self(this);
  for (int32_t i = Items.GetCount() - 1; i >= 0 && self.Alive(); --i)
    if (i < Items.GetCount() && Items[i]->ItemEnabled) apply(Items[i]);
}

void CListView::CheckAll() {
  ForEnabledItemsBackwards([](CListItem* item) { item->SetState(0); });
}

void CListView::UncheckAll() {
  ForEnabledItemsBackwards([](CListItem* item) { item->SetState(1); });
}

void CListView::InvertChecks() {
  ForEnabledItemsBackwards([](CListItem* item) { item->SetState(item->State == 0 ? 1 : 0); });
}

void CListView::SelectAll() {
  ForEnabledItemsBackwards([](CListItem* item) { item->SetSelected(true); });
}

void CListView::SelectNone() {
  ForEnabledItemsBackwards([](CListItem* item) { item->SetSelected(false); });
}

void CListView::InvertSelection() {
  ForEnabledItemsBackwards([](CListItem* item) { item->SetSelected(!item->Selected); });
}

int32_t CListView::SelectedCount() const {
  int32_t n = 0;
  for (int32_t i = 0; i < Items.GetCount(); ++i) n += Items[i]->Selected ? 1 : 0;
  return n;
}

void CListView::SetFocusedItem(CListItem* item) { static_cast<void>(FocusOn(item)); }

bool CListView::FocusOn(CListItem* item) {
  if (!ShowFocus || item == FocusedItem) return true;
  if (FocusedItem) FocusedItem->SetFocused(false);
  FocusedItem = item;
  if (item) item->SetFocused(true);
  return RaiseEvent(this, OnFocusChange, GetOwner(), this);
}

void CListView::SetSorted(bool sorted) {
  if (bool(Sorted) == sorted) return;
  Sorted = sorted;
  if (sorted) {
    Items.Sort(Compare);
    ForgetGesture();
    SortPending = false;
    UpdatePages();
  }
  Invalidate();
}

void CListView::SetCompare(TListItemCompare compare) {
  Compare = compare;
  SortPending = true;
}

void CListView::MoveToSortedPlace(CListItem* item) {
  int32_t from = Items.IndexOf(item);
  // The other items are in order: find the first one that sorts after item.
  int32_t low = 0, high = Items.GetCount() - 1;
  while (low < high) {
    int32_t mid = low + (high - low) / 2;
    const CListItem* other = Items[mid < from ? mid : mid + 1];
    if (Compare(item, other) < 0)
      high = mid;
    else
      low = mid + 1;
  }
  if (low == from) return;
  Items.Move(from, low);
  ForgetGesture();
}

void CListView::ForgetGesture() {
  PressedIndex = -1;
  RangeEnd = -1;
  LastTouched = -1;
  GestureRow = -1;
}

void CListView::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  CControl::SetBounds(left, top, width, height);
  HScroll->SetPageSize(width);
  HScroll->SetVisible(true);
  UpdatePages();
}

void CListView::UpdatePages() {
  if (UpdateLock > 0 || Height <= 0) return;
  if (Sorted && SortPending) {
    Items.Sort(Compare);
    ForgetGesture();
  }
  SortPending = false;
  int32_t avail = TopLine ? Height : Height + 1;
  ItemsPerPage = std::max(1, avail / ItemHeight);
  RowHeight = std::max(1, avail / (ItemsPerPage + 1));
  int32_t band = std::max(0, avail - ItemsPerPage * RowHeight);
  HScroll->SetBounds(-1, Height - band + 1, Width + 2, band);
  HScroll->SetLargeStep(Width);
  HScroll->SetSmallStep(Width / 10);
  HScroll->SetButtonSize(band);
  HScroll->SetMinThumbSize(band / 2);
  int32_t count = Items.GetCount();
  if (!ApplyPageCount(count == 0 ? 1 : (count - 1) / ItemsPerPage + 1)) return;
  if (FocusedItem) SetCurrentPage(IndexOf(FocusedItem) / ItemsPerPage + 1);
}

int32_t CListView::RowWidth(CListItem* item) const {
  if (item->TextWidth < 0)
    item->TextWidth =
        Font ? GetScreenBackBuffer()->MeasureText(item->Text, Font->GetHandle()).cx : 0;
  int32_t width = 2 * Margin + item->TextWidth;
  if (ViewMode == lvmCheck || ViewMode == lvmVisible)
    width += BitmapWidth(CheckBitmap) + 2 * Margin;
  else if (ViewMode == lvmIcon)
    width += IconSize + Margin;
  return width;
}

void CListView::UpdatePage() {
  int32_t first = (GetCurrentPage() - 1) * ItemsPerPage;
  int32_t end = std::min(Items.GetCount(), first + ItemsPerPage);
  ContentWidth = Width;
  for (int32_t i = std::max(0, first); i < end; ++i)
    ContentWidth = std::max(ContentWidth, RowWidth(Items[i]));
  // The scroll bar's OnChange may be another handler than the list view's.
  CControlWatch self(this);
  HScroll->SetMax(std::max(0, ContentWidth - Width));
  if (!self.Alive()) return;
  HScroll->SetPosition(0);
  if (!self.Alive()) return;
  RemoveAllControls();
  HScroll->SetParent(this);
  // Rows are sized while detached: SetCurrentPage repaints the whole page once.
  for (int32_t i = std::max(0, first); i < end; ++i) {
    Items[i]->SetBounds(0, (i - first) * RowHeight + RowTop(), ContentWidth, RowHeight);
    Items[i]->SetParent(this);
  }
}

void CListView::Paint(CBmp* canvas, const RECT& clip) {
  CPage::Paint(canvas, clip);
  if (!TopLine) return;
  HDC dc = canvas->GetDC();
  HPEN pen = CreatePen(PS_SOLID, 1, FrameColor);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  DrawHLine(dc, 0, 0, Width, 1);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

int32_t CListView::ItemAt(int32_t, int32_t y) const {
  if (RowHeight <= 0) return -1;
  int32_t rowY = y - RowTop();
  if (rowY < 0 || rowY >= RowHeight * ItemsPerPage) return -1;
  int32_t index = (GetCurrentPage() - 1) * ItemsPerPage + rowY / RowHeight;
  if (!IsValidIndex(index) || !Items[index]->ItemEnabled) return -1;
  return index;
}

bool CListView::InMarkArea(int32_t x) const {
  return (ViewMode == lvmCheck || ViewMode == lvmVisible) &&
         x < BitmapWidth(CheckBitmap) + 2 * Margin;
}

bool CListView::RaiseSelectionChange() {
  return RaiseEvent(this, OnSelectionChange, GetOwner(), this);
}

bool CListView::PressRow(int32_t index, int32_t x) {
  if (InMarkArea(x)) {
    PressKind = 1;
    PressedIndex = index;
    return false;
  }
  CListItem* item = Items[index];
  PressKind = 2;
  WasSelected = item->Selected;
  CControlWatch row(item);
  if (!FocusOn(item) || !row.Alive()) return false;
  if (SelectMode == lsmRange) return SelectRange(index, index);
  if (SelectMode == lsmTouch) {
    if (IsValidIndex(LastTouched)) Items[LastTouched]->SetSelected(true);
    item->SetSelected(true);
    PressedIndex = LastTouched = index;
  } else {
    PressedIndex = index;
    item->Invalidate();
  }
  return true;
}

void CListView::MouseDown(int32_t x, int32_t y) {
  int32_t index = ItemAt(x, y);
  PressedIndex = -1;
  RangeEnd = -1;
  WasSelected = false;
  CControlWatch self(this);
  GestureRow = index;
  if (index < 0)
    PressKind = 0;
  else if (PressRow(index, x) && SelectMode != lsmNone && !RaiseSelectionChange())
    return;
  if (self.Alive()) CControl::MouseDown(x, y);
}

void CListView::DragOverRow(int32_t index) {
  CListItem* item = Items[index];
  CControlWatch row(item);
  if (!FocusOn(item) || !row.Alive()) return;
  if (SelectMode == lsmRange) {
    if (!SelectRange(IsValidIndex(PressedIndex) ? PressedIndex : index, index)) return;
  } else if (SelectMode == lsmTouch) {
    if (IsValidIndex(LastTouched)) Items[LastTouched]->SetSelected(true);
    item->SetSelected(!item->Selected);
    LastTouched = PressedIndex = index;
  }
  if (SelectMode != lsmNone) RaiseLastEvent(OnSelectionChange, GetOwner(), this);
}

void CListView::MouseMove(int32_t x, int32_t y) {
  int32_t index = Pressed ? ItemAt(x, y) : -1;
  CControlWatch self(this);
  if (index >= 0 && index != GestureRow) {
    GestureRow = index;
    if (PressKind == 0) {
      if (PressRow(index, x) && !RaiseSelectionChange()) return;
    } else if (PressKind == 2) {
      DragOverRow(index);
    }
  }
  if (self.Alive()) CControl::MouseMove(x, y);
}

void CListView::Click(int32_t x, int32_t y) {
  int32_t index = ItemAt(x, y);
  if (index >= 0 && index == PressedIndex) {
    CListItem* item = Items[index];
    if (PressKind != 1) {
      if (!RaiseEvent(this, OnItemClick, GetOwner(), this, item, false)) return;
    } else if (InMarkArea(x)) {
      CControlWatch self(this), row(item);
      item->SetState(item->State == 0 ? 1 : 0);
      if (!self.Alive()) return;
      if (row.Alive() && !RaiseEvent(this, OnItemClick, GetOwner(), this, item, true)) return;
    }
    // An edit of the items by the handlers has dropped PressedIndex.
  }
  if (SelectMode == lsmNone && IsValidIndex(PressedIndex)) Items[PressedIndex]->Invalidate();
  PressedIndex = -1;
  CControl::Click(x, y);
}

void CListView::SelectEnabled(int32_t from, int32_t to, bool selected) {
  for (int32_t i = std::max(0, from); i <= to && i < Items.GetCount(); ++i)
    if (Items[i]->ItemEnabled) Items[i]->SetSelected(selected);
}

bool CListView::SelectRange(int32_t a, int32_t b) {
  if (!IsValidIndex(PressedIndex) || !IsValidIndex(RangeEnd)) {
    SelectEnabled(std::min(a, b), std::max(a, b), !WasSelected);
    if (!RaiseSelectionChange()) return false;
  } else {
    int32_t a0 = std::min(PressedIndex, RangeEnd), b0 = std::max(PressedIndex, RangeEnd);
    int32_t a1 = std::min(a, b), b1 = std::max(a, b);
    SelectEnabled(a0, a1 - 1, false);
    SelectEnabled(a1, b1, !WasSelected);
    SelectEnabled(b1 + 1, b0, false);
  }
  PressedIndex = a;
  RangeEnd = b;
  return true;
}
