#include "lib/widgets/ScreenBuffer.h"

#include <windows.h>

#include <algorithm>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/app/FinalizeRegistry.h"
#include "lib/widgets/ScreenMetrics.h"

namespace {

CBmp32* g_BackBuffer = nullptr;

void FreeBackBuffer() {
  delete g_BackBuffer;
  g_BackBuffer = nullptr;
}

}  // namespace

CBmp32* GetScreenBackBuffer() {
  SIZE screen = ToolkitScreenSize();
  if (!g_BackBuffer) {
    g_BackBuffer = new CBmp32(screen.cx, screen.cy, true);
    AddFinalizeProc(FreeBackBuffer);
  } else if (g_BackBuffer->Width() < screen.cx || g_BackBuffer->Height() < screen.cy) {
    g_BackBuffer->SetSize(std::max(g_BackBuffer->Width(), int32_t(screen.cx)),
                          std::max(g_BackBuffer->Height(), int32_t(screen.cy)));
  }
  return g_BackBuffer;
}
