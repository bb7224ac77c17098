#include "lib/widgets/MsgBox.h"

#include <algorithm>
#include <memory>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/display/FontDesc.h"
#include "lib/foundation/text/Language.h"
#include "lib/widgets/BitmapClip.h"
#include "lib/widgets/Button.h"
#include "lib/widgets/DrawHelpers.h"
#include "lib/widgets/ImageFolder.h"
#include "lib/widgets/Memo.h"
#include "lib/widgets/ScreenBuffer.h"
#include "lib/widgets/ScreenMetrics.h"
#include "lib/widgets/ToolkitTexts.h"

namespace {

constexpr int32_t kCaptionHeight = 17;
constexpr int32_t kIconSize = 48;
constexpr uint32_t kPlaceholderIcon = 0x80000000;  // black at half opacity
constexpr uint32_t kButtonAreaColor = 0xE0E0E0;
constexpr uint32_t kRowLineColor = 0x000000;
constexpr uint32_t kSeparatorColor = 0x808080;

struct SMessageType {
  SLangText title;
  const char* bitmap;
};

// Windows-1252 texts, English .. Swedish.
const SMessageType kTypes[] = {
    {{{"Warning", "Waarschuwing", "Warnung", "Attention", "Peligro", "Attenzione", "Advarsel",
       "Varning"}},
     "img_mt_warning.bmp"},
    {{{"Error", "Fout", "Fehler", "Erreur", "Error", "Errore", "Fejl", "Fel"}}, "img_mt_error.bmp"},
    {{{"Information", "Informatie", "Information", "Information", "Informaci\xF3n", "Informazione",
       "Information", "Information"}},
     "img_mt_information.bmp"},
    {{{"Confirm", "Bevestiging", "Best\xE4tigung", "Confirmation", "Confirmaci\xF3n", "Conferma",
       "Bekr\xE6"
       "ftelse",
       "Konfirmation"}},
     "img_mt_confirmation.bmp"},
};

const SMessageType* TypeOf(int32_t type) {
  return type >= 0 && type < int32_t(std::size(kTypes)) ? &kTypes[type] : nullptr;
}

CStr TitleOf(int32_t type) {
  const SMessageType* row = TypeOf(type);
  return row ? LangStr(row->title) : CStr();
}

// Sets the result the button stands for; a box that is not modal also hides.
template <int32_t Result>
void ResultClick(CControl* owner, CControl*, int32_t, int32_t) {
  auto* box = static_cast<CMsgBox*>(owner);
  box->ModalResult = Result;
  if (!box->Modal) box->Hide();
}

struct SButtonKind {
  uint32_t bit;
  SLangText caption;
  TPointHandler onClick;
};

// In the order the buttons are created and laid out.
const SButtonKind kButtonKinds[] = {
    {mbYes, {{"Yes", "Ja", "Ja", "Oui", "S\xED", "Si", "Ja", "Ja"}}, ResultClick<mrYes>},
    {mbYesToAll,
     {{"Yes to All", "Ja op alles", "Ja zu Allem", "Oui \xE0 tout", "S\xED a Todo", "Si a Tutto",
       "Ja til Alle", "Ja till Allt"}},
     ResultClick<mrYesToAll>},
    {mbNo, {{"No", "Nee", "Nein", "Non", "No", "No", "Nej", "Nej"}}, ResultClick<mrNo>},
    {mbNoToAll,
     {{"No to All", "Nee op alles", "Nein zu Allem", "Non \xE0 tout", "No a Todo", "No a Tutto",
       "Nej til alle", "Nej till Allt"}},
     ResultClick<mrNoToAll>},
    {mbOK, kTextOK, ResultClick<mrOK>},
    {mbAbort,
     {{"Abort", "Afbreken", "Abbrechen", "Abandonner", "Abortar", "Interrompi", "Afbryd",
       "Ta bort"}},
     ResultClick<mrAbort>},
    {mbRetry,
     {{"Retry", "Opnieuw", "Wiederholen",
       "R\xE9"
       "essayer",
       "Reintentar", "Riprova", "Pr\xF8v igen", "F\xF6rs\xF6k igen"}},
     ResultClick<mrRetry>},
    {mbIgnore,
     {{"Ignore", "Negeren", "Ignorieren", "Ignorer", "Ignorar", "Ignora", "Ignor\xE9r",
       "Ignorera"}},
     ResultClick<mrIgnore>},
    {mbAll,
     {{"All", "Alle", "Alles", "Tout", "Todo", "Tutto", "Alle", "Allt"}},
     ResultClick<mrAll>},
    {mbCancel, kTextCancel, ResultClick<mrCancel>},
    {mbHelp, kTextHelp, nullptr},
};

// One memo line for each line of the text; "\r\n" and "\n" both end a line.
void AddTextLines(CMemo& memo, const CStr& text) {
  int32_t start = 0;
  while (start <= text.GetLength()) {
    int32_t end = text.Find('\n', start);
    if (end < 0) end = text.GetLength();
    int32_t length = end - start;
    if (length > 0 && text.c_str()[end - 1] == '\r') --length;
    memo.AddLine(text.Mid(start, length));
    start = end + 1;
  }
}

}  // namespace

CMsgBox::CMsgBox(CWindow* owner, const CStr& caption, const CStr& text, int32_t type,
                 uint32_t buttons, const CStr& helpText)
    : CWindow(caption, owner),
      Font(new CFontDesc("Arial", 8, kFontBold)),
      HelpText(helpText),
      Text(text) {
  SetUp(type, buttons);
}

CMsgBox::CMsgBox(CWindow* owner, const CStr& text, int32_t type, uint32_t buttons,
                 const CStr& helpText)
    : CMsgBox(owner, TitleOf(type), text, type, buttons, helpText) {}

// The buttons are children: the window's destructor deletes them; nothing
// paints them in between.
CMsgBox::~CMsgBox() {
  delete Font;
  delete Icon;
}

void CMsgBox::SetUp(int32_t type, uint32_t buttons) {
  Color = 0xFFFFFF;
  for (const SButtonKind& kind : kButtonKinds) {
    if (!(buttons & kind.bit)) continue;
    auto* button = new CButton(this, LangStr(kind.caption), Font);
    button->SetTransparent(true);
    button->DownBorderColor = button->DownColor;
    button->OnClick = kind.onClick ? kind.onClick : ShowHelp;
    Buttons.Add(button);
  }
  LoadIcon(type);
}

void CMsgBox::LoadIcon(int32_t type) {
  Icon = new CBmp32(0, 0, false);
  const SMessageType* row = TypeOf(type);
  if (!row) return;
  CStr path = ImagePath(row->bitmap);
  uint32_t error = 0;
  Icon->LoadBmp(&path, 1, 1, nullptr, &error);
  if (error == 0) return;
  Icon->SetSize(kIconSize, kIconSize);
  Icon->Fill(kPlaceholderIcon);
}

void CMsgBox::ShowHelp(CControl* owner, CControl*, int32_t, int32_t) {
  auto* box = static_cast<CMsgBox*>(owner);
  CMemoForm help(LangStr(kTextHelp), box);
  AddTextLines(*help.Memo, box->HelpText);
  help.ShowModal();
}

template <class F>
void CMsgBox::ForEachButtonSlot(F visit) const {
  int32_t remaining = Buttons.GetCount();
  int32_t y = Height;
  while (remaining > 0 && ButtonsPerRow > 0) {
    int32_t n = std::min(remaining, ButtonsPerRow);
    y -= ButtonHeight + 1;
    int32_t x = Width - 1;
    // A row spans x = 1 .. Width - 2 with a 1-pixel gap between its buttons.
    int64_t span = Width - n - 1;
    for (int32_t k = 0; k < n; ++k) {
      auto width = int32_t(span * (k + 1) / n - span * k / n);
      x -= width;
      visit(SButtonSlot{remaining - 1 - k, k, x, y, width});
      x -= 1;
    }
    remaining -= n;
  }
}

void CMsgBox::Layout(int32_t orientation) {
  SIZE screen = ToolkitScreenSize();
  CBmp32* measure = GetScreenBackBuffer();
  HFONT font = Font->GetHandle();
  // The height of the wrapped text; the width stays so that drawing wraps
  // exactly as measured.
  TextRect = {Icon->Width() + 2 * Margin, Margin + kCaptionHeight,
              ToolkitReferenceWidth() - 10 - Margin, Margin + kCaptionHeight};
  RECT measured = TextRect;
  measure->DrawText(&Text, &measured, font, 0, 0, 3);
  TextRect.bottom = measured.bottom;

  ButtonWidth = 0;
  for (int32_t i = 0; i < Buttons.GetCount(); ++i) {
    SIZE extent = {0, 0};
    measure->GetTextExtent(&Buttons[i]->Caption, font, &extent);
    ButtonWidth = std::max<int32_t>(ButtonWidth, extent.cx + Margin);
  }
  // At least one a row, however wide a caption is.
  ButtonsPerRow = std::max<int32_t>(1, (screen.cx - 11) / (ButtonWidth + 1));
  ButtonRows = (Buttons.GetCount() + ButtonsPerRow - 1) / ButtonsPerRow;

  int32_t textHeight = TextRect.bottom - TextRect.top;
  int32_t height = std::max(Icon->Height(), textHeight) + 2 * Margin + kCaptionHeight +
                   ButtonHeight * ButtonRows + 2;
  SetBounds(5, (screen.cy - height) / 2, screen.cx - 10, height);
  CWindow::Layout(orientation);
  ForEachButtonSlot([&](const SButtonSlot& slot) {
    Buttons[slot.index]->SetBounds(slot.x, slot.y, slot.width, ButtonHeight);
  });
}

void CMsgBox::Paint(CBmp* canvas, const RECT& clip) {
  CWindow::Paint(canvas, clip);
  auto* pixels = dynamic_cast<CBmp32*>(canvas);
  if (pixels && Icon->Width() > 0)
    DrawBitmapClipped(*Icon, *pixels, *this, clip, Margin - 1, kCaptionHeight + Margin - 1,
                      bmBlend);
  RECT textRect = TextRect;
  canvas->DrawText(&Text, &textRect, Font->GetHandle(), 0x000000, 0, 1);

  HDC dc = canvas->GetDC();
  HBRUSH area = CreateSolidBrush(kButtonAreaColor);
  RECT buttonArea = {1, Height - (ButtonHeight + 1) * ButtonRows, Width - 1, Height - 1};
  FillRect(dc, &buttonArea, area);
  DeleteObject(area);

  HPEN rowPen = CreatePen(PS_SOLID, 1, kRowLineColor);
  HPEN gapPen = CreatePen(PS_SOLID, 1, kSeparatorColor);
  HGDIOBJ oldPen = SelectObject(dc, rowPen);
  ForEachButtonSlot([&](const SButtonSlot& slot) {
    int32_t lineY = slot.y - 1;
    if (slot.k == 0) {
      SelectObject(dc, rowPen);
      DrawHLine(dc, 1, lineY, Width - 2, 1);
    } else {
      SelectObject(dc, gapPen);
      DrawVLine(dc, slot.x + slot.width, lineY + 4, ButtonHeight - 7, 1);
    }
  });
  SelectObject(dc, oldPen);
  DeleteObject(rowPen);
  DeleteObject(gapPen);
}

int32_t MsgBox(CWindow* owner, const CStr& caption, const CStr& text, int32_t type,
               uint32_t buttons, const CStr& helpText) {
  auto box = std::make_unique<CMsgBox>(owner, caption, text, type, buttons, helpText);
  return box->ShowModal();
}

int32_t MsgBox(CWindow* owner, const CStr& text, int32_t type, uint32_t buttons,
               const CStr& helpText) {
  auto box = std::make_unique<CMsgBox>(owner, text, type, buttons, helpText);
  return box->ShowModal();
}
