#pragma once
#include <windows.h>
#include <commctrl.h>

#include "tool/Form.h"

// The language choice of the first start: one row per offered language with
// its flag and native name.
class TFormLanguage : public TForm {
 public:
  TFormLanguage(unsigned offered, int language);
  ~TFormLanguage() override;

  int SelectedLanguage() const;

 protected:
  void OnCommand(int id, int code, HWND control) override;
  LRESULT OnNotify(NMHDR* header) override;

 private:
  void FillList(unsigned offered, int language);
  void UpdateButtons();

  HWND list_ = nullptr;
  HIMAGELIST images_ = nullptr;
};

// True and the chosen language on OK; false when cancelled.
bool ExecuteLanguageDialog(unsigned offered, int& language);
