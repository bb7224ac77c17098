// A program that starts the way the maker's programs do. Its exit code tells
// the test what ProgInit decided: 100 run, 101 a start-up text was thrown,
// else the exit code ProgInit set (0 when it only refused).
// With the parameter "hold" it keeps running until the test lets it go, or
// ten minutes at most.
#include <windows.h>

#include "lib/foundation/app/Application.h"
#include "lib/foundation/app/StartupService.h"

int main() {
  const SGuid guid{0x1D2C3B4A, 0x5E6F, 0x7081, {0x92, 0xA3, 0xB4, 0xC5, 0xD6, 0xE7, 0xF8, 0x09}};
  bool run = false;
  try {
    run = ProgInit(1, 1, guid, CStr("TdLibTest"), CStr("3"), true, kStartupSingleInstance,
                   CStr("TdLibStartupHost"));
  } catch (const char*) {
    return 101;
  }
  if (!run) return static_cast<int>(g_Application.GetExitCode());
  if (g_Application.GetParamCount() > 0 && g_Application.GetParam(0) == "hold") {
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, "TdLibStartupHostReady");
    HANDLE quit = CreateEventA(nullptr, TRUE, FALSE, "TdLibStartupHostQuit");
    SetEvent(ready);
    WaitForSingleObject(quit, 10 * 60 * 1000);  // as long as the test may wait
    CloseHandle(ready);
    CloseHandle(quit);
  }
  return 100;
}
