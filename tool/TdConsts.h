#pragma once
#include "tool/TdLang.h"

// Message-dialog kinds, in the order of the button and type tables below.
enum TMsgDlgBtn : int {
  mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll,
  mbYesToAll, mbHelp
};
enum TMsgDlgType : int {
  mtWarning, mtError, mtInformation, mtConfirmation, mtCustom
};

extern const TLangText SMsgDlgButtons[11];
extern const TLangText SMsgDlgTypes[4];
