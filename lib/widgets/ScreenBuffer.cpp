#include "lib/widgets/ScreenBuffer.h"

#include <windows.h>

#include <algorithm>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/FinalizeRegistry.h"
#include "lib/foundation/ScreenInfo.h"

namespace {

CBmp32* g_BackBuffer = nullptr;

void FreeBackBuffer() {
  delete g_BackBuffer;
  g_BackBuffer = nullptr;
}

SIZE ScreenSize() {
  if (g_ScreenInfo) return {g_ScreenInfo->GetWidth(), g_ScreenInfo->GetHeight()};
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace

CBmp32* GetScreenBackBuffer() {
  SIZE screen = ScreenSize();
  if (!g_BackBuffer) {
    g_BackBuffer = new CBmp32(screen.cx, screen.cy, true);
    AddFinalizeProc(FreeBackBuffer);
  } else if (g_BackBuffer->Width() < screen.cx || g_BackBuffer->Height() < screen.cy) {
    g_BackBuffer->SetSize(std::max(g_BackBuffer->Width(), int32_t(screen.cx)),
                          std::max(g_BackBuffer->Height(), int32_t(screen.cy)));
  }
  return g_BackBuffer;
}
