#pragma once
#include <string>

#include "tool/Form.h"

// The error report dialog: what failed, the report text and a button that
// mails the report to the maker.
class TFormRTLIError : public TForm {
 public:
  struct Report {
    std::string ExePath, ProgramText, ReportAddress, LogPath, ReportText,
        Message, ClassName;
  };

  explicit TFormRTLIError(const Report& report);
  ~TFormRTLIError() override;

  static void ShowError(const std::string& exePath, const std::string& programText,
                        const std::string& reportAddress, const std::string& logPath,
                        const std::string& reportText, const std::string& message,
                        const std::string& className);

 protected:
  void OnCommand(int id, int code, HWND control) override;

 private:
  void AddLabelPair(const std::string& label, const std::string& value, int top,
                    int height);
  void ButtonReportClick();

  Report report_;
};
