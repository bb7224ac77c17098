#pragma once
#include <string>

#include "tool/TdConsts.h"

// A set over TMsgDlgBtn: bit n for button kind n.
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons MsgButton(TMsgDlgBtn b) { return 1u << b; }

// Modal results.
enum : int {
  mrNone = 0, mrOK = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
  mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10
};

// A message dialog in the current language, centred on the screen; the
// caption is the translated type name unless one is given.
int MessageDlg(const std::string& text, TMsgDlgType type,
               TMsgDlgButtons buttons, int helpContext = 0);
int MessageDlgCaption(const std::string& caption, const std::string& text,
                      TMsgDlgType type, TMsgDlgButtons buttons,
                      int helpContext = 0);

std::string MsgDlgTypeCaption(TMsgDlgType type);
std::string MsgDlgButtonCaption(TMsgDlgBtn button);
