#include "lib/widgets/ScreenMetrics.h"

#include "lib/foundation/display/ScreenInfo.h"

SIZE ToolkitScreenSize() {
  if (g_ScreenInfo) return {g_ScreenInfo->GetWidth(), g_ScreenInfo->GetHeight()};
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

int32_t ToolkitReferenceWidth() {
  if (g_ScreenInfo) return g_ScreenInfo->GetReferenceWidth();
  SIZE screen = ToolkitScreenSize();
  return screen.cx > screen.cy ? 320 : 240;
}

int32_t ToolkitScreenOrientation() {
  if (g_ScreenInfo) return g_ScreenInfo->GetOrientation();
  SIZE screen = ToolkitScreenSize();
  return screen.cy > screen.cx   ? kScreenPortrait
         : screen.cx > screen.cy ? kScreenLandscape
                                 : kScreenSquare;
}
