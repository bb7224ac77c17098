#include <windows.h>

#include <new>

#include "lib/foundation/app/Application.h"
#include "lib/foundation/time/Clock.h"
#include "lib/foundation/format/FormatSettings.h"
#include "lib/foundation/threads/MainThreadEventQueue.h"
#include "lib/foundation/display/ScreenInfo.h"
#include "lib/foundation/app/SystemInfo.h"

namespace {

CScreenInfo* NewScreenInfo() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return new (std::nothrow)
      CScreenInfo(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), dpi);
}

}  // namespace

CStr ProcessCommandLine() { return CStr(GetCommandLineA()); }

CStr ProcessExePath() {
  char path[1024];
  const DWORD length = GetModuleFileNameA(nullptr, path, 1023);
  path[length < 1023 ? length : 1023] = 0;
  return CStr(path);
}

uint32_t CurrentThreadId() { return GetCurrentThreadId(); }

void CApplication::BuildGlobals() {
  g_SystemInfo = new (std::nothrow) CSystemInfo;
  InitMainThreadEventQueue();
  InitClock();
  InitFormatSettings();
  g_ScreenInfo = NewScreenInfo();
}

void CApplication::FreeGlobals() {
  delete g_ScreenInfo;
  g_ScreenInfo = nullptr;
  delete g_SystemInfo;
  g_SystemInfo = nullptr;
}
