// Page controls: content shown one page at a time. CPage keeps the page count
// and the current page and asks its owner to fill a page; CAutoPage cuts rows
// of controls and separators into pages by their heights and places the
// controls of the current page itself. Toolkit thread only.
#pragma once

#include "lib/foundation/containers/Array.h"
#include "lib/foundation/containers/List.h"
#include "lib/widgets/Control.h"
#include "lib/widgets/DrawHelpers.h"

// Called as (owner, page control, current page number).
using TPageHandler = void (*)(CControl* owner, CControl* sender, int32_t page);

class CPage : public CControl {
 public:
  CPage(CControl* parent, TPageHandler onUpdatePage);
  ~CPage() override = default;

  void Paint(CBmp* canvas, const RECT& clip) override;
  // Fills the current page: raises OnUpdatePage.
  virtual void UpdatePage();
  // Recomputes the pages: raises OnPageChange.
  virtual void UpdatePages();

  int32_t GetPageCount() const { return PageCount; }
  int32_t GetCurrentPage() const { return CurrentPage; }
  // Stores the count, then SetCurrentPage with the current page.
  void SetPageCount(int32_t count);
  // Clamps to 1 and then to the page count (0 without pages), fills the page,
  // raises OnPageChange and invalidates, even when the number stays.
  void SetCurrentPage(int32_t page);

  int32_t PageCount = 0;
  int32_t CurrentPage = 0;  // 1-based; 0 only while there are no pages
  uint32_t BackgroundColor;
  TNotifyHandler OnPageChange = nullptr;
  TPageHandler OnUpdatePage;

 protected:
  // SetPageCount and SetCurrentPage, answering whether this page control
  // outlived the events they raised.
  [[nodiscard]] bool ApplyPageCount(int32_t count);
  [[nodiscard]] bool ApplyCurrentPage(int32_t page);
};

// One row of an auto page: controls side by side, or a separator.
struct SPageItem {
  int32_t Height = 0;
  int32_t Group = 0;
  uint8_t Separator = false;
  uint8_t Line = false;
  // Not owning while the page lives; the page's destructor makes it owning.
  CList<CControl> Controls;
  // One per control: -1 (or 0) shares the rest of the row, a positive width
  // is fixed in pixels.
  CArray<int32_t> Widths;
};

// Items [First, Last) of the item list.
struct SPage {
  int32_t First;
  int32_t Last;
};

class CAutoPage : public CPage {
 public:
  explicit CAutoPage(CControl* parent);
  // Destroys every control ever added to a row, shown or not.
  ~CAutoPage() override;

  void Paint(CBmp* canvas, const RECT& clip) override;
  // Always repaginates, even when the bounds stay.
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  void UpdatePage() override;
  void UpdatePages() override;

  // Appends a row of the controls in order (a null control ends the list
  // early); the page takes them over. The row is as high as its highest
  // control now. Answers the row's widths, all -1, for the caller to fix some.
  // Neither paginates nor repaints.
  CArray<int32_t>& AddRow(int32_t group, TControlList controls);
  void AddSeparator(int32_t group, int32_t height, bool drawLine);

  CList<SPageItem> Items{true};
  CArray<SPage> Pages;
  CArray<int32_t> Lines;  // y of the current page's separator lines
  int32_t HorizontalSpacing = 2;
  int32_t VerticalSpacing = 2;
  uint32_t LineColor = 0x000000;

 private:
  void LayOutRow(const SPageItem& item, int32_t y);
  // Appends the page [first, last) unless it would be empty.
  void ClosePage(int32_t first, int32_t last);
  // The item index a cut before item i ends a page at: before a separator
  // that precedes it as well.
  int32_t CutEnd(int32_t i) const;
  // The item a page after a cut before item i starts at: past a separator.
  int32_t CutStart(int32_t i) const;
};
