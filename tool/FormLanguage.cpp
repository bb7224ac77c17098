#include "tool/FormLanguage.h"

#include <commctrl.h>

#include "tool/Application.h"
#include "tool/Flags.h"
#include "tool/TdLang.h"
#include "tool/TdMsgBox.h"

namespace {

enum { kListId = 10, kOkId = IDOK, kCancelId = IDCANCEL };

}  // namespace

TFormLanguage::TFormLanguage(unsigned offered, int language) {
  SetFont(CreateFormFont(-11));
  CreateForm("TFormLanguage", Application.Title(), 402, 280,
             WS_POPUP | WS_CAPTION | WS_DLGFRAME, WS_EX_DLGMODALFRAME, nullptr,
             nullptr);
  list_ = AddControl(WC_LISTVIEWA, "",
                     WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER |
                         LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                     6, 12, 389, 219, kListId, WS_EX_CLIENTEDGE);
  AddControl("BUTTON", "", WS_TABSTOP | BS_DEFPUSHBUTTON, 220, 248, 75, 25, kOkId);
  AddControl("BUTTON", "", WS_TABSTOP | BS_PUSHBUTTON, 304, 248, 75, 25, kCancelId);
  SetDefaultButton(kOkId);
  FillList(offered, language);
  UpdateButtons();
}

TFormLanguage::~TFormLanguage() {
  DeleteObject(Font());
  if (images_ != nullptr) ImageList_Destroy(images_);
}

void TFormLanguage::FillList(unsigned offered, int language) {
  images_ = CreateFlagImageList();
  ListView_SetImageList(list_, images_, LVSIL_SMALL);
  ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT);
  ListView_SetBkColor(list_, RGB(255, 255, 255));
  ListView_SetTextBkColor(list_, RGB(255, 255, 255));
  LVCOLUMNA column{};
  column.mask = LVCF_WIDTH;
  column.cx = 360;
  SendMessageA(list_, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  for (int lang = 1; lang <= 8; ++lang) {
    if ((offered & (1u << lang)) == 0) continue;
    std::string name = LanguageNativeName(lang);
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = ListView_GetItemCount(list_);
    item.pszText = name.data();
    item.iImage = lang - 1;
    item.lParam = lang;
    int index = static_cast<int>(
        SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (lang == language) {
      ListView_SetItemState(list_, index, LVIS_SELECTED | LVIS_FOCUSED,
                            LVIS_SELECTED | LVIS_FOCUSED);
      ListView_EnsureVisible(list_, index, FALSE);
    }
  }
}

int TFormLanguage::SelectedLanguage() const {
  int index = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
  if (index < 0) return langNone;
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return static_cast<int>(item.lParam);
}

void TFormLanguage::UpdateButtons() {
  int language = SelectedLanguage();
  HWND ok = GetDlgItem(Handle(), kOkId);
  std::string okText = GetLangStrIn(SMsgDlgButtons[mbOK], language);
  std::string cancelText = GetLangStrIn(SMsgDlgButtons[mbCancel], language);
  SetWindowTextA(ok, okText.c_str());
  SetWindowTextA(GetDlgItem(Handle(), kCancelId), cancelText.c_str());
  EnableWindow(ok, language != langNone);
}

void TFormLanguage::OnCommand(int id, int code, HWND /*control*/) {
  if (code != BN_CLICKED) return;
  if (id == kOkId && SelectedLanguage() != langNone) SetModalResult(mrOK);
  if (id == kCancelId) SetModalResult(mrCancel);
}

LRESULT TFormLanguage::OnNotify(NMHDR* header) {
  if (header->idFrom != kListId) return 0;
  if (header->code == LVN_ITEMCHANGED) UpdateButtons();
  if (header->code == NM_DBLCLK && SelectedLanguage() != langNone)
    SetModalResult(mrOK);
  return 0;
}

bool ExecuteLanguageDialog(unsigned offered, int& language) {
  TFormLanguage form(offered, language);
  if (form.ShowModal() != mrOK) return false;
  language = form.SelectedLanguage();
  return true;
}
