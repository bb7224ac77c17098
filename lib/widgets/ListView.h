// The list view: a page control that shows rows of texts one page at a time,
// with check marks, visibility marks or icons in front of the texts, three
// ways of selecting rows by touch, a framed focused row, optional sorting and
// a horizontal scroll bar for texts wider than the view. Toolkit thread only.
#pragma once

#include "lib/foundation/containers/List.h"
#include "lib/foundation/text/Str.h"
#include "lib/widgets/Page.h"

class CBmp32;
class CFontDesc;
class CListView;
class CScrollBar;

// One row of a list view. It is not hittable, so touches over it reach the
// list view. Only the rows of the current page are children of the list view;
// the list view owns them all.
class CListItem : public CControl {
 public:
  // Colours are copied from the list view, which must outlive the item.
  explicit CListItem(CListView* listView);
  // A focused item first stops being the list view's focused item.
  ~CListItem() override;

  void Paint(CBmp* canvas, const RECT& clip) override;

  // Stores the text and lets the list view sort and page again.
  void SetText(const CStr& text);
  // State 0 checked (or visible), 1 unchecked, 2 mixed; a change raises the
  // list view's OnCheckChange.
  void SetState(int32_t state);
  void SetItemEnabled(bool enabled);
  void SetSelected(bool selected);
  // The icon of icon mode; the caller keeps it alive while the item shows it.
  void SetIcon(CBmp32* icon);
  const CStr& GetText() const { return Text; }
  int32_t GetState() const { return State; }
  bool IsItemEnabled() const { return ItemEnabled; }
  bool IsSelected() const { return Selected; }
  CBmp32* GetIcon() const { return Icon; }

  CStr Text;
  int32_t State = 1;
  uint8_t ItemEnabled = true;
  CBmp32* Icon = nullptr;
  uint8_t Selected = false;
  CListView* ListView;
  uint32_t Color;
  uint32_t TextColor;
  uint32_t DisabledTextColor;
  // The text's width in the list view's font, measured when first needed.
  int32_t TextWidth = -1;

 private:
  // The mark of view modes 1 and 2, then the focus frame; answers the left
  // edge of what follows.
  int32_t PaintMark(CBmp* canvas, const RECT& clip, int32_t left, int32_t right, HDC dc);
  // The focus frame, then the scaled icon of view mode 3; the same answer.
  int32_t PaintIcon(CBmp* canvas, const RECT& clip, int32_t left, int32_t right, HDC dc);
  void PaintFocusFrame(HDC dc, int32_t left, int32_t right) const;
};

// Handlers of the list view's events; owner is the list view's owner.
using TListItemHandler = void (*)(CControl* owner, CControl* sender, CListItem* item);
using TListItemClickHandler = void (*)(CControl* owner, CControl* sender, CListItem* item,
                                       bool onMark);
using TListItemCompare = int (*)(const CListItem* a, const CListItem* b);

// The case-insensitive order of the items' texts, the list view's default.
int CompareListItemTexts(const CListItem* a, const CListItem* b);

enum : int32_t { lvmText = 0, lvmCheck = 1, lvmVisible = 2, lvmIcon = 3 };
enum : int32_t { lsmNone = 0, lsmTouch = 1, lsmRange = 2 };

class CListView : public CPage {
 public:
  // viewMode: lvm*; selectMode: lsm*. The font belongs to the caller and must
  // outlive the list view. An item height below 1 counts as 1. The mark
  // bitmaps of view modes 1 and 2 come from the toolkit's image folder; a
  // missing one is not drawn.
  CListView(CControl* parent, int32_t viewMode, int32_t itemHeight, int32_t iconSize,
            int32_t selectMode, CFontDesc* font);
  // Detaches the rows, then frees the scroll bar, the bitmaps and the items,
  // raising no events.
  ~CListView() override;

  void MouseDown(int32_t x, int32_t y) override;
  void MouseMove(int32_t x, int32_t y) override;
  void Click(int32_t x, int32_t y) override;
  void Paint(CBmp* canvas, const RECT& clip) override;
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  void UpdatePage() override;
  void UpdatePages() override;

  // The new item has an empty text; it stays the list view's. Null when the
  // handlers of the paging that follows deleted it, or the list view.
  CListItem* AddItem();
  // Destroys the item; an index out of range does nothing. A focused item
  // first loses the focus (OnFocusChange), and the handlers may edit the list:
  // the item is found again afterwards, and nothing more happens when they
  // deleted it or the list view.
  void Delete(int32_t index);
  // The focus leaves first, as for Delete; then every item goes.
  void Clear();
  // Paging and sorting wait until the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int32_t IndexOf(const CListItem* item) const { return Items.IndexOf(item); }
  int32_t GetCount() const { return Items.GetCount(); }
  // Null when the index is out of range.
  CListItem* GetItem(int32_t index) const { return IsValidIndex(index) ? Items[index] : nullptr; }
  // The bulk operations run over the enabled items, the last first.
  void CheckAll();
  void UncheckAll();
  void InvertChecks();
  void SelectAll();
  void SelectNone();
  void InvertSelection();
  int32_t SelectedCount() const;
  void SetFocusedItem(CListItem* item);
  CListItem* GetFocusedItem() const { return FocusedItem; }
  void SetSorted(bool sorted);
  // A new order; a sorted list sorts again at its next paging.
  void SetCompare(TListItemCompare compare);
  // The enabled item under a point of the list view, or -1.
  int32_t ItemAt(int32_t x, int32_t y) const;
  // Whether x lies on the marks' column (view modes 1 and 2 only).
  bool InMarkArea(int32_t x) const;
  int32_t GetItemsPerPage() const { return ItemsPerPage; }
  int32_t GetRowHeight() const { return RowHeight; }
  int32_t GetContentWidth() const { return ContentWidth; }
  CScrollBar* GetScrollBar() const { return HScroll; }

  CList<CListItem> Items{true};
  CScrollBar* HScroll;
  int32_t ViewMode;
  int32_t SelectMode;
  int32_t ItemHeight;
  int32_t IconSize;
  CFontDesc* Font;
  CBmp32* CheckBitmap = nullptr;
  CBmp32* UncheckedBitmap = nullptr;
  CBmp32* MixedBitmap = nullptr;
  int32_t Margin = 2;
  int32_t RowHeight = 0;
  int32_t ItemsPerPage = 0;
  int32_t ContentWidth = 0;
  CListItem* FocusedItem = nullptr;
  int32_t PressKind = 0;
  int32_t PressedIndex = -1;
  int32_t RangeEnd = -1;
  int32_t LastTouched = -1;
  uint8_t WasSelected = false;
  int32_t UpdateLock = 0;
  uint8_t Sorted = false;
  TListItemCompare Compare = CompareListItemTexts;
  uint8_t TopLine = true;
  uint8_t ShowFocus = true;
  uint32_t FrameColor = 0x000000;
  uint32_t HighlightColor = 0xFDC8B7;
  uint32_t TextColor = 0x000000;
  uint32_t DisabledTextColor = 0xC0C0C0;
  TListItemClickHandler OnItemClick = nullptr;
  TListItemHandler OnCheckChange = nullptr;
  TNotifyHandler OnSelectionChange = nullptr;
  TNotifyHandler OnFocusChange = nullptr;

 private:
  friend class CListItem;

  // What an item tells its list view.
  void ItemTextChanged(CListItem* item);
  void ItemDying(CListItem* item);
  bool IsPressedItem(const CListItem* item) const;
  // SetFocusedItem, answering whether the list view outlived OnFocusChange.
  [[nodiscard]] bool FocusOn(CListItem* item);

  int32_t RowTop() const { return TopLine ? 1 : 0; }
  int32_t RowWidth(CListItem* item) const;
  // The press that starts on a row: steps 3 and 4 of a press. Answers whether
  // the selection may have changed: false also when a handler deleted the
  // list view or the row.
  bool PressRow(int32_t index, int32_t x);
  void DragOverRow(int32_t index);
  // Answers whether the list view outlived the event it may raise.
  [[nodiscard]] bool SelectRange(int32_t a, int32_t b);
  void SelectEnabled(int32_t from, int32_t to, bool selected);
  [[nodiscard]] bool RaiseSelectionChange();
  // Gestures and ranges refer to indices, which an edit of the list moves.
  void ForgetGesture();
  bool IsValidIndex(int32_t index) const { return index >= 0 && index < Items.GetCount(); }
  // Moves one item of an otherwise sorted list to its place.
  void MoveToSortedPlace(CListItem* item);
  template <typename Apply>
  void ForEnabledItemsBackwards(Apply apply);

  bool SortPending = false;
  // The row under the press now, -1 for none: a slide counts only when it
  // reaches another row, whether or not the focus is shown.
  int32_t GestureRow = -1;
};
