#include <windows.h>
#include <commctrl.h>

#include "include/TdLib.h"
#include "tool/Application.h"
#include "tool/FormMainPortelle.h"
#include "tool/TdProgInfo.h"
#include "tool/TdRTLI.h"

namespace {

const TProgInitConfig kConfig = {
    (1u << 1) | (1u << 2),  // English and Dutch
    0,
    {0x52, 0x3B, 0x1E, 0x6C, 0x47, 0x9A, 0x0D, 0x4F, 0x8E, 0x21, 0x5B, 0x7D,
     0x3C, 0x9A, 0x0F, 0x14},  // {6C1E3B52-9A47-4F0D-8E21-5B7D3C9A0F14}
    "TFormMainPortelle",
    {2005, 7, 1},
    pifSingleInstance,
    false,
    "1",
    "Portelle Guard",
};

void RunProgram() {
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  if (!ProgInit(kConfig)) return;
  TFormMainPortelle form;
  if (Application.Terminated()) return;
  Application.Run(form);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  UnitsInitialize();
  RTLIInitialize();
  try {
    RunProgram();
  } catch (...) {
    Application.HandleException();
  }
  ProgFinalize();
  RTLIFinalize();
  return Application.ExitCode();
}
