#include "lib/widgets/InputState.h"

#include <windows.h>

#include "lib/widgets/Control.h"

CControl* g_CapturedControl = nullptr;
CControl* g_LastClickedControl = nullptr;
uint32_t g_ButtonReleases = 0;
bool g_CloseRequested = false;

void SetCaptured(CControl* control) {
  ReleaseCapture();
  g_CapturedControl = control;
  if (control)
    if (HWND handle = control->GetHandle()) SetCapture(handle);
}

void ForgetInputState(const CControl* subtree) {
  if (g_CapturedControl && g_CapturedControl->IsWithin(subtree)) SetCaptured(nullptr);
  if (g_LastClickedControl && g_LastClickedControl->IsWithin(subtree))
    g_LastClickedControl = nullptr;
}

void ResetInputState() {
  SetCaptured(nullptr);
  g_LastClickedControl = nullptr;
  g_CloseRequested = false;
}
