// What the keyboard tests share: the toolkit window of a kind that a modal
// loop is showing, and taps posted to it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "lib/widgets/Window.h"

template <class T>
BOOL CALLBACK CollectShownWindow(HWND handle, LPARAM context) {
  char name[16] = {};
  GetClassNameA(handle, name, sizeof name);
  if (lstrcmpA(name, "CWindows") != 0 || !IsWindowVisible(handle)) return TRUE;
  auto* window = reinterpret_cast<CWindow*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
  auto* wanted = dynamic_cast<T*>(window);
  if (!wanted) return TRUE;
  *reinterpret_cast<T**>(context) = wanted;
  return FALSE;
}

// The visible toolkit window of this thread whose object is a T, or null.
template <class T>
T* ShownWindow() {
  T* found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), CollectShownWindow<T>, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Posts a press and a release in the middle of the control without pumping:
// the modal loop that runs takes them.
inline void PostTap(CControl* control) {
  POINT origin = control->GetWindowOrigin();
  LPARAM at = MAKELPARAM(origin.x + control->GetWidth() / 2, origin.y + control->GetHeight() / 2);
  PostMessageA(control->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(control->GetHandle(), WM_LBUTTONUP, 0, at);
}
