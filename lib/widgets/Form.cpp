#include "lib/widgets/Form.h"

#include <vector>

#include "lib/foundation/format/Convert.h"
#include "lib/foundation/display/FontDesc.h"
#include "lib/foundation/display/ScreenInfo.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/DefaultColors.h"
#include "lib/widgets/DrawHelpers.h"
#include "lib/widgets/ImageFolder.h"
#include "lib/widgets/Label.h"
#include "lib/widgets/Page.h"
#include "lib/widgets/ScreenMetrics.h"
#include "lib/widgets/ToolkitTexts.h"

namespace {

constexpr int32_t kTitleHeight = 17;
constexpr int32_t kBarHeight = 40;    // portrait and square: the bottom bar
constexpr int32_t kColumnWidth = 45;  // landscape: the right column
constexpr int32_t kPageLabelWidth = 70;

constexpr uint32_t kButtonFace = 0xEBEBEB;
constexpr uint32_t kButtonDownFace = 0xC8C8C8;
constexpr uint32_t kButtonDownBorder = 0xB4B4B4;

// Windows-1252, English .. Swedish; empty entries fall back to English.
const SLangText kTextPrev = {{"Prev", "Vorig", "Vorige"}};
const SLangText kTextNext = {{"Next", "Volgend",
                              "N\xE4"
                              "chste"}};

int32_t StepFor(int32_t clickCount) {
  if (clickCount > 20) return 50;
  if (clickCount > 10) return 20;
  if (clickCount > 1) return 10;
  return 1;
}

}  // namespace

CForm::CForm(const CStr& caption, int32_t buttonSet, CWindow* owner)
    : CWindow(caption, owner),
      LabelFont(new CFontDesc("Arial", 8, kFontBold)),
      ButtonFont(new CFontDesc("Arial", 8, kFontBold)),
      ButtonSet(buttonSet) {
  if (ButtonSet == fbCloseAndOK || ButtonSet == fbClose) {
    CloseButton = MakeButton("btn_menu_close.bmp", kTextCancel);
    CloseButton->OnClick = CloseClick;
  }
  if (ButtonSet != fbClose) {
    OkButton = MakeButton("btn_menu_ok.bmp", kTextOK);
    OkButton->OnClick = OkClick;
  }
  PrevButton = MakeButton("btn_menu_prev.bmp", kTextPrev);
  NextButton = MakeButton("btn_menu_next.bmp", kTextNext);
  for (CButton* step : {PrevButton, NextButton}) {
    step->DisabledBorderColor = step->Color;
    step->OnMouseDown = StepDown;
  }
  TitleLabel = new CLabel(this, caption, LabelFont);
  PageLabel = new CLabel(this, CStr(), LabelFont);
  PageLabel->Alignment = 7;
  for (CLabel* label : {TitleLabel, PageLabel}) {
    label->Color = CaptionBarColor;
    label->TextColor = CaptionTextColor;
  }
  UpdatePageInfo();
}

CForm::~CForm() {
  delete Page;
  Page = nullptr;
  // The buttons and labels still point at the fonts, but nothing paints or
  // measures them before the window's destructor deletes them.
  delete LabelFont;
  delete ButtonFont;
}

CButton* CForm::MakeButton(const char* bitmap, const SLangText& fallback) {
  auto* button = new CButton(this, CStr(), ButtonFont);
  button->Color = kButtonFace;
  button->DownColor = kButtonDownFace;
  button->BorderColor = kButtonFace;
  button->DownBorderColor = kButtonDownBorder;
  button->Layout = 1;
  if (!button->LoadImage(ImagePath(bitmap))) button->Caption = LangStr(fallback);
  return button;
}

void CForm::CloseClick(CControl* owner, CControl*, int32_t, int32_t) {
  static_cast<CForm*>(owner)->ModalResult = mrCancel;
}

void CForm::OkClick(CControl* owner, CControl*, int32_t, int32_t) {
  static_cast<CForm*>(owner)->ModalResult = mrOK;
}

void CForm::StepDown(CControl* owner, CControl* sender, int32_t, int32_t) {
  auto* form = static_cast<CForm*>(owner);
  form->StepPage(sender == form->NextButton ? 1 : -1, sender->ClickCount);
}

void CForm::StepPage(int32_t direction, int32_t clickCount) {
  if (!Page) return;
  int32_t count = Page->GetPageCount();
  int32_t page = Page->GetCurrentPage() + direction * StepFor(clickCount);
  if (page > count) page = 1;
  if (page < 1) page = count;
  Page->SetCurrentPage(page);
}

void CForm::PageChanged(CControl* owner, CControl*) {
  if (auto* form = dynamic_cast<CForm*>(owner)) form->UpdatePageInfo();
}

void CForm::SetPage(CPage* page) {
  Page = page;
  if (Page) Page->OnPageChange = PageChanged;
  UpdatePageInfo();
}

void CForm::UpdatePageInfo() {
  bool several = false;
  if (Page) {
    CStr text = IntToStr(Page->GetCurrentPage());
    text += "/";
    text += IntToStr(Page->GetPageCount());
    PageLabel->SetText(text);
    several = Page->GetPageCount() > 1;
  } else {
    PageLabel->SetText(CStr());
  }
  PrevButton->SetEnabled(several);
  NextButton->SetEnabled(several);
}

void CForm::SetCaption(const CStr& text) {
  TitleLabel->SetText(text);
  CWindow::SetCaption(text);
}

int32_t CForm::GetClientTop() const { return TitleLabel->GetHeight() + 1; }

void CForm::DoShow() { CWindow::DoShow(); }

RECT CForm::PageArea(int32_t orientation) const {
  SIZE screen = ToolkitScreenSize();
  int32_t sw = screen.cx, sh = screen.cy;
  int32_t top = kTitleHeight + TopGap + 1;
  if (orientation == kScreenPortrait || orientation == kScreenSquare)
    return {0, top, sw, top + sh - kBarHeight - kTitleHeight - 2 - BottomGap - TopGap};
  if (orientation == kScreenLandscape)
    return {0, top, sw - kColumnWidth - 1, top + sh - kTitleHeight - 1 - BottomGap - TopGap};
  return {0, 0, 0, 0};
}

void CForm::PlaceBarButtons(int32_t orientation) {
  SIZE screen = ToolkitScreenSize();
  int32_t sw = screen.cx, sh = screen.cy;
  CButton* endButton = ButtonSet == fbClose ? CloseButton : OkButton;
  if (orientation == kScreenPortrait || orientation == kScreenSquare) {
    std::vector<CButton*> row;
    if (ButtonSet == fbCloseAndOK)
      row = {CloseButton, OkButton, PrevButton, NextButton};
    else
      row = {endButton, PrevButton, NextButton};
    int32_t w = sw / int32_t(row.size());
    for (size_t i = 0; i < row.size(); ++i)
      row[i]->SetBounds(int32_t(i) * w, sh - kBarHeight, w, kBarHeight);
  } else if (orientation == kScreenLandscape) {
    std::vector<CButton*> column;
    if (ButtonSet == fbCloseAndOK)
      column = {CloseButton, OkButton, NextButton, PrevButton};
    else
      column = {endButton, NextButton, PrevButton};
    int64_t h = sh - kTitleHeight - 1 - BottomGap - TopGap;
    auto n = int64_t(column.size());
    for (int64_t k = 0; k < n; ++k) {
      auto top = int32_t(k * h / n), next = int32_t((k + 1) * h / n);
      column[k]->SetBounds(sw - kColumnWidth, kTitleHeight + 1 + top, kColumnWidth, next - top);
    }
  }
}

void CForm::Layout(int32_t orientation) {
  SIZE screen = ToolkitScreenSize();
  int32_t sw = screen.cx, sh = screen.cy;
  SetBounds(0, 0, sw, sh);
  TitleLabel->SetBounds(0, 0, sw - 40, kTitleHeight);
  PageLabel->SetBounds(sw - kPageLabelWidth, 0, kPageLabelWidth, kTitleHeight);
  TitleLabel->SetMargin(3);
  PageLabel->SetMargin(3);
  PlaceBarButtons(orientation);
  bool known = orientation == kScreenPortrait || orientation == kScreenLandscape ||
               orientation == kScreenSquare;
  if (Page && known) {
    RECT area = PageArea(orientation);
    Page->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
  }
}

void CForm::Paint(CBmp* canvas, const RECT&) {
  SIZE screen = ToolkitScreenSize();
  int32_t sw = screen.cx, sh = screen.cy;
  int32_t orientation = ToolkitScreenOrientation();
  RECT area = PageArea(orientation);
  if (Page) area = Page->GetWindowBounds();
  HDC dc = canvas->GetDC();
  HPEN pen = CreatePen(PS_SOLID, 1, 0x000000);
  HBRUSH brush = CreateSolidBrush(BackColor);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  int32_t t = GetClientTop();
  int32_t b = area.bottom + BottomGap;
  if (TopGap != 0) {
    RECT gap = {0, t, sw, t + TopGap};
    FillRect(dc, &gap, brush);
  }
  if (BottomGap != 0) {
    RECT gap = {0, b - BottomGap, sw, b};
    FillRect(dc, &gap, brush);
  }
  DrawHLine(dc, 0, t - 1, sw, 1);
  if (orientation == kScreenPortrait || orientation == kScreenSquare)
    DrawHLine(dc, 0, b, sw, 1);
  else if (orientation == kScreenLandscape)
    DrawVLine(dc, area.right - area.left, t, sh - t, 1);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}
