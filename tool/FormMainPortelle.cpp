#include "tool/FormMainPortelle.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>

#include "tool/Application.h"
#include "tool/TdProgInfo.h"
#include "tool/TdLang.h"
#include "tool/TdMsgBox.h"
#include "tool/TdStrings.h"
#include "tool/TdUtils.h"

namespace {

const TLangText SCaption = {{"Portelle Plug & Play Guard"}};
const TLangText SColumns[4] = {{{"Block", "Blokkeer"}},
                               {{"Port", "Poort"}},
                               {{"Name", "Naam"}},
                               {{"Connected", "Verbonden"}}};
const TLangText SYes = {{"Yes", "Ja"}};
const TLangText SNo = {{"No", "Nee"}};
const TLangText SApply = {{"Apply", "Toepassen"}};
const TLangText SClose = {{"Close", "Sluiten"}};
const TLangText SLanguage = {{"Language", "Taal"}};
const TLangText SInfo = {{
    "Mark the ports for which you want to block the automatic Plug and Play "
    "detection.\rRemove the mark for the ports which must not be blocked from "
    "detection.\r\rBlocking a port makes sure that a GPS is not recognized as "
    "a mouse.",
    "Markeer de poorten waarvoor u de automatische Plug and Play detectie "
    "wilt blokkeren.\rVerwijder de markering voor de poorten waarvoor de "
    "detectie niet geblokkeerd moet worden.\r\rHet blokkeren van een poort "
    "zorgt ervoor dat een aangesloten GPS niet als muis wordt herkend."}};
const TLangText SConfirm = {{
    "If you continue, the marked ports will be blocked against automatic Plug "
    "and Play detection of Windows. The blocking will be removed for the "
    "ports that are not marked.\r\rDo you want to continue?",
    "Als u door gaat, zullen de poorten die zijn gemarkeerd worden "
    "geblokkeerd tegen de automatische Plug and Play detectie van Windows. "
    "Voor de poorten die niet zijn gemarkeerd wordt de blokkering "
    "verwijderd.\r\rWilt u doorgaan?"}};
const TLangText SWriteFailure = {{
    "The program cannot write to the registry for port %s. You may not have "
    "sufficient access rights.",
    "Het programma kan niet naar het register schrijven voor poort %s. U "
    "heeft mogelijk onvoldoende toegangsrechten."}};
const TLangText SSuccess = {{"The changes have succesfully been applied.",
                             "De veranderingen zijn met sucses toegepast."}};
const TLangText SReadFailure = {{
    "The program cannot read from the registry. You may not have sufficient "
    "access rights.",
    "Het programma kan niet uit het register lezen. U heeft mogelijk "
    "onvoldoende toegangsrechten."}};
const TLangText SWindowsVersion = {{
    "This program is designed to run on Windows 2000, XP or higher.",
    "Dit programma is ontworpen om te draaien op Windows 2000, XP of hoger."}};
const TLangText SServicePack = {{
    "Your PC is running %s.\r\rYou need to install at least Service Pack 3 to "
    "run this program. Windows 2000 Service Pack 3 or higher can be obtained "
    "from Windows Update.",
    "Uw PC draait %s.\r\rU dient op zijn minst Service Pack 3 te installeren "
    "om dit programma te kunnen draaien. Windows 2000 Service Pack 3 of hoger "
    "is verkrijgbaar via Windows Update."}};

const char kWebAddress[] = "http://www.tidemar.com/";
const char kNotice[] = " - \xa9 Tidemar Software";
const int kColumnWidths[4] = {65, 120, 210, 100};

std::string ReplaceS(const std::string& pattern, const std::string& value) {
  std::string text = pattern;
  size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

std::string ShortDate(const TReleaseDate& date) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(date.Year);
  st.wMonth = static_cast<WORD>(date.Month);
  st.wDay = static_cast<WORD>(date.Day);
  char text[64] = "";
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, text,
                 sizeof text);
  return text;
}

// Only LVM_GETITEM may be sent while the list sorts, so the port and its
// check mark are both read through it.
TPortelle* PortOf(HWND tree, int index, bool* checked = nullptr) {
  LVITEMA item{};
  item.mask = LVIF_PARAM | LVIF_STATE;
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.iItem = index;
  SendMessageA(tree, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  if (checked != nullptr) *checked = (item.state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
  return reinterpret_cast<TPortelle*>(item.lParam);
}

void SetColumnText(HWND tree, int column, const std::string& text) {
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT;
  col.pszText = const_cast<char*>(text.c_str());
  SendMessageA(tree, LVM_SETCOLUMNA, column, reinterpret_cast<LPARAM>(&col));
}

}  // namespace

TFormMainPortelle::TFormMainPortelle() {
  if (!CheckWindowsVersion()) {
    Application.Terminate();
    return;
  }
  bool ok = false;
  ports_ = std::make_unique<TPortelleList>(ok);
  if (!ok) {
    MessageDlg(GetLangStr(SReadFailure), mtError, MsgButton(mbOK));
    Application.Terminate();
    return;
  }
  SetFont(CreateFormFont(-11));
  menuLanguage_ = CreatePopupMenu();
  AppendMenuA(menuLanguage_, MF_STRING, kMenuEnglishId, "English");
  AppendMenuA(menuLanguage_, MF_STRING, kMenuDutchId, "Nederlands");
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menuLanguage_), "");
  CreateForm("TFormMainPortelle", "", 531, 341,
             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0,
             nullptr, bar);
  CreateControls();
  FillTree();
  ApplyLanguage();
  StartTimer(kTimerId, kTimerInterval);
}

TFormMainPortelle::~TFormMainPortelle() {
  if (Font() != nullptr) DeleteObject(Font());
  if (underlineFont_ != nullptr) DeleteObject(underlineFont_);
}

std::string TFormMainPortelle::WindowsVersionProblem(const TOSInfo& os) {
  if (os.Platform != VER_PLATFORM_WIN32_NT || os.Major < 5)
    return GetLangStr(SWindowsVersion);
  if (os.Major == 5 && os.Minor == 0 && os.SPMajor < 3)
    return ReplaceS(GetLangStr(SServicePack), os.Description);
  return "";
}

bool TFormMainPortelle::CheckWindowsVersion() {
  std::string problem = WindowsVersionProblem(ProgInfo->OS());
  if (!problem.empty()) MessageDlg(problem, mtError, MsgButton(mbOK));
  return problem.empty();
}

void TFormMainPortelle::CreateControls() {
  tree_ = AddControl(WC_LISTVIEWA, "",
                     WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL, 16, 18, 499, 167,
                     kTreePortsId, WS_EX_CLIENTEDGE);
  ListView_SetExtendedListViewStyle(
      tree_, LVS_EX_CHECKBOXES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
  for (int column = 0; column < 4; ++column) {
    LVCOLUMNA col{};
    col.mask = LVCF_WIDTH | LVCF_TEXT;
    col.cx = kColumnWidths[column];
    col.pszText = const_cast<char*>("");
    SendMessageA(tree_, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&col));
  }
  AddControl("STATIC", "", SS_LEFT | SS_NOPREFIX, 16, 190, 497, 89, kLabelInfoId);
  std::string version = "v" + VersionToStr(ProgInfo->Version(), 4) + " (" +
                        ShortDate(ProgInfo->ReleaseDate()) + ")" + kNotice;
  labelVersion_ = AddControl("STATIC", version, SS_CENTER | SS_NOTIFY | SS_NOPREFIX,
                             4, 286, 523, 13, kLabelVersionId);
  SetWindowSubclass(labelVersion_, LabelVersionProc, 1,
                    reinterpret_cast<DWORD_PTR>(this));
  LOGFONTA lf{};
  GetObjectA(Font(), sizeof lf, &lf);
  lf.lfUnderline = TRUE;
  underlineFont_ = CreateFontIndirectA(&lf);
  AddControl("BUTTON", "", WS_TABSTOP | BS_PUSHBUTTON, 16, 304, 135, 25,
             kButtonApplyId);
  AddControl("BUTTON", "", WS_TABSTOP | BS_PUSHBUTTON, 380, 306, 135, 25,
             kButtonCloseId);
}

void TFormMainPortelle::FillTree() {
  ListView_DeleteAllItems(tree_);
  for (int i = 0; i < ports_->Count(); ++i) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = i;
    item.pszText = LPSTR_TEXTCALLBACKA;
    item.lParam = reinterpret_cast<LPARAM>(ports_->Items(i));
    int index = static_cast<int>(
        SendMessageA(tree_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    ListView_SetCheckState(tree_, index, ports_->Items(i)->Blocked());
  }
  AutoSizeLastColumn();
}

void TFormMainPortelle::ApplyLanguage() {
  SetWindowTextA(Handle(), GetLangStr(SCaption).c_str());
  SetDlgItemTextA(Handle(), kLabelInfoId, AdjustLineBreaks(GetLangStr(SInfo)).c_str());
  for (int column = 0; column < 4; ++column)
    SetColumnText(tree_, column, GetLangStr(SColumns[column]));
  SetDlgItemTextA(Handle(), kButtonApplyId, GetLangStr(SApply).c_str());
  SetDlgItemTextA(Handle(), kButtonCloseId, GetLangStr(SClose).c_str());
  HMENU bar = GetMenu(Handle());
  std::string menu = GetLangStr(SLanguage);
  ModifyMenuA(bar, 0, MF_BYPOSITION | MF_POPUP,
              reinterpret_cast<UINT_PTR>(menuLanguage_), menu.c_str());
  DrawMenuBar(Handle());
  CheckMenuItem(menuLanguage_, kMenuEnglishId,
                CurrentLanguage() == langEnglish ? MF_CHECKED : MF_UNCHECKED);
  CheckMenuItem(menuLanguage_, kMenuDutchId,
                CurrentLanguage() == langDutch ? MF_CHECKED : MF_UNCHECKED);
  textYes_ = GetLangStr(SYes);
  textNo_ = GetLangStr(SNo);
  InvalidateRect(tree_, nullptr, TRUE);
}

// The last column in display order takes the room that is left.
void TFormMainPortelle::AutoSizeLastColumn() {
  int order[4] = {0, 1, 2, 3};
  ListView_GetColumnOrderArray(tree_, 4, order);
  ListView_SetColumnWidth(tree_, order[3], LVSCW_AUTOSIZE_USEHEADER);
}

LRESULT TFormMainPortelle::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CTLCOLORSTATIC &&
      reinterpret_cast<HWND>(lParam) == labelVersion_) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  if (msg == WM_APP) {
    AutoSizeLastColumn();
    return 0;
  }
  return TForm::WndProc(msg, wParam, lParam);
}

void TFormMainPortelle::OnCommand(int id, int code, HWND /*control*/) {
  switch (id) {
    case kButtonApplyId:
      if (code == BN_CLICKED) ButtonApplyClick();
      break;
    case kButtonCloseId:
      if (code == BN_CLICKED) Close();
      break;
    case kLabelVersionId:
      if (code == STN_CLICKED) LabelVersionClick();
      break;
    case kMenuEnglishId:
      LanguageMenuClick(langEnglish);
      break;
    case kMenuDutchId:
      LanguageMenuClick(langDutch);
      break;
  }
}

LRESULT TFormMainPortelle::OnNotify(NMHDR* header) {
  if (header->hwndFrom == ListView_GetHeader(tree_) &&
      (header->code == HDN_ENDTRACKA || header->code == HDN_ENDTRACKW ||
       header->code == NM_RELEASEDCAPTURE)) {
    PostMessageA(Handle(), WM_APP, 0, 0);
    return 0;
  }
  if (header->idFrom != kTreePortsId) return 0;
  switch (header->code) {
    case LVN_GETDISPINFOA:
      TreePortsGetText(*reinterpret_cast<NMLVDISPINFOA*>(header));
      break;
    case LVN_ITEMCHANGED:
      TreePortsChange(*reinterpret_cast<NMLISTVIEW*>(header));
      break;
    case LVN_COLUMNCLICK:
      TreePortsSort(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
      break;
  }
  return 0;
}

void TFormMainPortelle::OnTimer(UINT_PTR id) {
  if (id == kTimerId) TimerTimer();
}

void TFormMainPortelle::TreePortsGetText(NMLVDISPINFOA& info) {
  if ((info.item.mask & LVIF_TEXT) == 0) return;
  auto* port = reinterpret_cast<TPortelle*>(info.item.lParam);
  if (port == nullptr) port = PortOf(tree_, info.item.iItem);
  std::string text;
  switch (info.item.iSubItem) {
    case 1: text = port->PortName(); break;
    case 2: text = port->DeviceDesc(); break;
    case 3: text = port->Linked() ? textYes_ : textNo_; break;
  }
  lstrcpynA(info.item.pszText, text.c_str(), info.item.cchTextMax);
}

// No selection is shown: a row that becomes selected is deselected at once.
void TFormMainPortelle::TreePortsChange(const NMLISTVIEW& change) {
  if (change.iItem >= 0 && (change.uChanged & LVIF_STATE) &&
      (change.uNewState & LVIS_SELECTED))
    ListView_SetItemState(tree_, change.iItem, 0, LVIS_SELECTED);
}

void TFormMainPortelle::TreePortsSort(int column) {
  sortColumn_ = column;
  ListView_SortItemsEx(tree_, TreePortsCompareNodes, reinterpret_cast<LPARAM>(this));
}

int CALLBACK TFormMainPortelle::TreePortsCompareNodes(LPARAM a, LPARAM b,
                                                      LPARAM self) {
  try {
    return reinterpret_cast<TFormMainPortelle*>(self)->CompareRows(
        static_cast<int>(a), static_cast<int>(b));
  } catch (...) {
    Application.HandleException();
    return 0;
  }
}

int TFormMainPortelle::CompareRows(int a, int b) const {
  bool checkedA = false, checkedB = false;
  TPortelle* pa = PortOf(tree_, a, &checkedA);
  TPortelle* pb = PortOf(tree_, b, &checkedB);
  int order = 0;
  switch (sortColumn_) {
    case 0:
      order = static_cast<int>(checkedB) - static_cast<int>(checkedA);
      break;
    case 2:
      order = lstrcmpiA(pa->DeviceDesc().c_str(), pb->DeviceDesc().c_str());
      break;
    case 3:
      order = static_cast<int>(pb->Linked()) - static_cast<int>(pa->Linked());
      break;
  }
  return order != 0 ? order : NaturalCompareText(pa->PortName(), pb->PortName());
}

void TFormMainPortelle::TimerTimer() {
  for (int i = 0; i < ListView_GetItemCount(tree_); ++i) {
    TPortelle* port = PortOf(tree_, i);
    bool linked = port->Linked();
    port->RefreshLinked();
    if (port->Linked() != linked) ListView_RedrawItems(tree_, i, i);
  }
}

void TFormMainPortelle::ButtonApplyClick() {
  if (MessageDlg(GetLangStr(SConfirm), mtConfirmation,
                 MsgButton(mbYes) | MsgButton(mbNo)) != mrYes)
    return;
  ShowWindow(Handle(), SW_HIDE);
  std::string failedPort;
  bool failed = false;
  for (int i = 0; i < ListView_GetItemCount(tree_) && !failed; ++i) {
    TPortelle* port = PortOf(tree_, i);
    bool checked = ListView_GetCheckState(tree_, i) != 0;
    // An untouched mark leaves the port's value as it is.
    if (checked == port->Blocked()) continue;
    if (!port->SetSkipEnumerations(checked, TPortelle::kBlockValue)) {
      failed = true;
      failedPort = port->PortName();
    }
  }
  if (failed)
    MessageDlg(ReplaceS(GetLangStr(SWriteFailure), failedPort), mtError,
               MsgButton(mbOK));
  else
    MessageDlg(GetLangStr(SSuccess), mtInformation, MsgButton(mbOK));
  Close();
}

void TFormMainPortelle::LabelVersionClick() {
  ShellExecuteA(Handle(), "open", kWebAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

void TFormMainPortelle::LanguageMenuClick(int language) {
  SetLanguage(language);
  ProgInfo->SaveLanguage();
  ApplyLanguage();
}

// Hand cursor and underline while the mouse is over the version line.
LRESULT CALLBACK TFormMainPortelle::LabelVersionProc(HWND hwnd, UINT msg,
                                                     WPARAM wParam, LPARAM lParam,
                                                     UINT_PTR /*id*/,
                                                     DWORD_PTR self) {
  auto* form = reinterpret_cast<TFormMainPortelle*>(self);
  try {
    switch (msg) {
      case WM_SETCURSOR:
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
      case WM_MOUSEMOVE:
        if (!form->hovering_) {
          TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
          TrackMouseEvent(&track);
          form->hovering_ = true;
          SendMessageA(hwnd, WM_SETFONT,
                       reinterpret_cast<WPARAM>(form->underlineFont_), TRUE);
        }
        break;
      case WM_MOUSELEAVE:
        form->hovering_ = false;
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(form->Font()), TRUE);
        break;
    }
  } catch (...) {
    Application.HandleException();
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}
