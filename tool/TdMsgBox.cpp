#include "tool/TdMsgBox.h"

#include "tool/MessageForm.h"

std::string MsgDlgTypeCaption(TMsgDlgType type) {
  return type == mtCustom ? "" : GetLangStr(SMsgDlgTypes[type]);
}

std::string MsgDlgButtonCaption(TMsgDlgBtn button) {
  return GetLangStr(SMsgDlgButtons[button]);
}

int MessageDlgCaption(const std::string& caption, const std::string& text,
                      TMsgDlgType type, TMsgDlgButtons buttons,
                      int /*helpContext*/) {
  TMessageForm form(caption.empty() ? MsgDlgTypeCaption(type) : caption, text,
                    type, buttons);
  return form.ShowModal();
}

int MessageDlg(const std::string& text, TMsgDlgType type,
               TMsgDlgButtons buttons, int helpContext) {
  return MessageDlgCaption("", text, type, buttons, helpContext);
}
