#pragma once
#include <memory>

#include <windows.h>
#include <commctrl.h>

#include "tool/Form.h"
#include "tool/OSInfo.h"
#include "tool/PortelleList.h"

// The main window: the COM ports with a check box that blocks plug-and-play
// detection, Apply and Close, and the Language menu.
class TFormMainPortelle : public TForm {
 public:
  enum : int {
    kTreePortsId = 100, kLabelInfoId, kLabelVersionId, kButtonApplyId,
    kButtonCloseId, kMenuEnglishId = 200, kMenuDutchId
  };
  static constexpr UINT_PTR kTimerId = 1;
  static constexpr UINT kTimerInterval = 200;

  // Application.Terminated() tells when the checks or the port list failed;
  // then there is no window.
  TFormMainPortelle();
  ~TFormMainPortelle() override;

  HWND TreePorts() const { return tree_; }

  // The message that refuses this system, or empty: NT 5 or later, and
  // Windows 2000 with Service Pack 3 at least.
  static std::string WindowsVersionProblem(const TOSInfo& os);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnCommand(int id, int code, HWND control) override;
  LRESULT OnNotify(NMHDR* header) override;
  void OnTimer(UINT_PTR id) override;

 private:
  bool CheckWindowsVersion();
  void CreateControls();
  void FillTree();
  void ApplyLanguage();
  void AutoSizeLastColumn();

  void ButtonApplyClick();
  void LabelVersionClick();
  void LanguageMenuClick(int language);
  void TimerTimer();
  void TreePortsChange(const NMLISTVIEW& change);
  void TreePortsGetText(NMLVDISPINFOA& info);
  void TreePortsSort(int column);
  static int CALLBACK TreePortsCompareNodes(LPARAM a, LPARAM b, LPARAM self);
  int CompareRows(int a, int b) const;
  static LRESULT CALLBACK LabelVersionProc(HWND hwnd, UINT msg, WPARAM wParam,
                                           LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR self);

  std::unique_ptr<TPortelleList> ports_;
  HWND tree_ = nullptr;
  HWND labelVersion_ = nullptr;
  HMENU menuLanguage_ = nullptr;
  HFONT underlineFont_ = nullptr;
  bool hovering_ = false;
  int sortColumn_ = 1;
  std::string textYes_, textNo_;
};
