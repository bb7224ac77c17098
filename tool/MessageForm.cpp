#include "tool/MessageForm.h"

#include <algorithm>

#include "tool/TdStrings.h"

namespace {

// Layout order of the buttons and the modal result of each kind.
const TMsgDlgBtn kOrder[11] = {mbYes,   mbYesToAll, mbNo,     mbNoToAll,
                               mbOK,    mbAbort,    mbRetry,  mbIgnore,
                               mbAll,   mbCancel,   mbHelp};
const int kResults[11] = {mrYes,    mrNo,  mrOK,      mrCancel,   mrAbort, mrRetry,
                          mrIgnore, mrAll, mrNoToAll, mrYesToAll, mrNone};
const int kButtonIdBase = 100;

LPCSTR TypeIcon(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return IDI_EXCLAMATION;
    case mtError: return IDI_HAND;
    case mtInformation: return IDI_ASTERISK;
    case mtConfirmation: return IDI_QUESTION;
    default: return nullptr;
  }
}

HFONT MessageFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return CreateFontIndirectA(&metrics.lfMessageFont);
}

bool Has(TMsgDlgButtons set, TMsgDlgBtn b) { return (set & MsgButton(b)) != 0; }

}  // namespace

struct TMessageForm::Metrics {
  int charWidth, charHeight;
  int hMargin, vMargin, hSpacing, vSpacing;
  int buttonWidth, buttonHeight, buttonGap;
  RECT text;
};

TMessageForm::TMessageForm(const std::string& caption, const std::string& message,
                           TMsgDlgType type, TMsgDlgButtons buttons) {
  const std::string text = AdjustLineBreaks(message);
  SetFont(MessageFont());
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font());
  SIZE abc;
  GetTextExtentPoint32A(dc,
                        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz",
                        52, &abc);
  Metrics m{};
  m.charWidth = abc.cx / 52;
  m.charHeight = abc.cy;
  m.hMargin = MulDiv(8, m.charWidth, 4);
  m.vMargin = MulDiv(8, m.charHeight, 8);
  m.hSpacing = MulDiv(10, m.charWidth, 4);
  m.vSpacing = MulDiv(10, m.charHeight, 8);
  m.buttonWidth = MulDiv(50, m.charWidth, 4);
  m.buttonHeight = MulDiv(14, m.charHeight, 8);
  m.buttonGap = MulDiv(4, m.charWidth, 4);
  for (int b = 0; b < 11; ++b) {
    if (!Has(buttons, static_cast<TMsgDlgBtn>(b))) continue;
    RECT r = {0, 0, 0, 0};
    std::string label = MsgDlgButtonCaption(static_cast<TMsgDlgBtn>(b));
    DrawTextA(dc, label.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
    m.buttonWidth = std::max<int>(m.buttonWidth, r.right - r.left + 8);
  }
  // Wrapped to half the screen width, so that the dialog stays on the screen
  // and its lines stay readable.
  m.text = {0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  DrawTextA(dc, text.c_str(), -1, &m.text,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);

  int iconSpace = TypeIcon(type) != nullptr ? 32 + m.hSpacing : 0;
  int count = 0;
  for (int b = 0; b < 11; ++b) count += Has(buttons, static_cast<TMsgDlgBtn>(b));
  int buttonsWidth = count * m.buttonWidth + std::max(0, count - 1) * m.buttonGap;
  int width = std::max<int>(iconSpace + m.text.right, buttonsWidth) + 2 * m.hMargin;
  int bodyHeight = std::max<int>(TypeIcon(type) != nullptr ? 32 : 0, m.text.bottom);
  int height = bodyHeight + m.vSpacing + m.buttonHeight + 2 * m.vMargin;
  CreateForm("TMessageForm", caption, width, height,
             WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME,
             WS_EX_DLGMODALFRAME, GetActiveWindow(), nullptr);
  Build(text, type, buttons, m);
}

TMessageForm::~TMessageForm() { DeleteObject(Font()); }

void TMessageForm::Build(const std::string& text, TMsgDlgType type,
                         TMsgDlgButtons buttons, const Metrics& m) {
  int textLeft = m.hMargin;
  if (LPCSTR icon = TypeIcon(type)) {
    HWND image = AddControl("STATIC", "", SS_ICON, m.hMargin, m.vMargin, 32, 32, 0);
    SendMessageA(image, STM_SETICON,
                 reinterpret_cast<WPARAM>(LoadIconA(nullptr, icon)), 0);
    textLeft += 32 + m.hSpacing;
  }
  AddControl("STATIC", text, SS_LEFT | SS_NOPREFIX, textLeft, m.vMargin,
             m.text.right, m.text.bottom, 0);
  RECT client;
  GetClientRect(Handle(), &client);
  int count = 0;
  for (int b = 0; b < 11; ++b) count += Has(buttons, static_cast<TMsgDlgBtn>(b));
  int groupWidth = count * m.buttonWidth + std::max(0, count - 1) * m.buttonGap;
  int x = (client.right - groupWidth) / 2;
  int y = client.bottom - m.vMargin - m.buttonHeight;
  TMsgDlgBtn defaultButton = Has(buttons, mbOK) ? mbOK
                             : Has(buttons, mbYes) ? mbYes : mbRetry;
  TMsgDlgBtn cancelButton = Has(buttons, mbCancel) ? mbCancel
                            : Has(buttons, mbNo) ? mbNo : mbOK;
  cancelResult_ = Has(buttons, cancelButton) ? kResults[cancelButton] : mrCancel;
  for (TMsgDlgBtn b : kOrder) {
    if (!Has(buttons, b)) continue;
    bool isDefault = b == defaultButton;
    AddControl("BUTTON", MsgDlgButtonCaption(b),
               WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), x, y,
               m.buttonWidth, m.buttonHeight, kButtonIdBase + b);
    if (isDefault) {
      SetDefaultButton(kButtonIdBase + b);
      SetFocus(GetDlgItem(Handle(), kButtonIdBase + b));
    }
    x += m.buttonWidth + m.buttonGap;
  }
}

void TMessageForm::OnCommand(int id, int code, HWND /*control*/) {
  if (id == IDCANCEL) {  // Escape
    SetModalResult(cancelResult_);
    return;
  }
  int kind = id - kButtonIdBase;
  if (code == BN_CLICKED && kind >= 0 && kind < 11 && kResults[kind] != mrNone)
    SetModalResult(kResults[kind]);
}

void TMessageForm::OnClose() { SetModalResult(cancelResult_); }
