#pragma once
#include <string>

#include "tool/Form.h"
#include "tool/TdMsgBox.h"

// The window of a message dialog: icon, word-wrapped text and a centred row
// of buttons measured from the system message font.
class TMessageForm : public TForm {
 public:
  TMessageForm(const std::string& caption, const std::string& text,
               TMsgDlgType type, TMsgDlgButtons buttons);
  ~TMessageForm() override;

 protected:
  void OnCommand(int id, int code, HWND control) override;
  void OnClose() override;

 private:
  struct Metrics;
  void Build(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
             const Metrics& m);

  int cancelResult_ = mrCancel;
};
