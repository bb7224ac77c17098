#include "lib/foundation/threads/Timer.h"

#include <windows.h>

#include "lib/foundation/threads/MainThreadEventQueue.h"

namespace {

const char kClassName[] = "CTimer";

LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_TIMER) return DefWindowProcA(window, message, wParam, lParam);
  auto* timer = reinterpret_cast<CTimer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  // Nothing a callback throws may leave the window procedure.
  try {
    if (timer != nullptr) timer->Fire();
  } catch (...) {
  }
  return 0;
}

void RegisterTimerClass(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  if (GetClassInfoA(instance, kClassName, &windowClass)) return;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = TimerWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);
}

}  // namespace

CTimer::CTimer() {
  HINSTANCE instance = static_cast<HINSTANCE>(LibraryInstance());
  RegisterTimerClass(instance);
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP, 0, 0, 0, 0,
                                nullptr, nullptr, instance, nullptr);
  if (window != nullptr) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  m_Window = window;
}

CTimer::~CTimer() {
  m_Enabled = false;
  KillTimer(static_cast<HWND>(m_Window), 1);
  DestroyWindow(static_cast<HWND>(m_Window));
}

void CTimer::SetEnabled(bool enabled) {
  if (enabled == m_Enabled) return;
  m_Enabled = enabled;
  UpdateTimer();
}

void CTimer::SetInterval(uint32_t ms) {
  if (ms == m_Interval) return;
  m_Interval = ms;
  UpdateTimer();
}

void CTimer::SetCallback(const SCallback& callback) {
  if (callback == m_Callback) return;
  m_Callback = callback;
  UpdateTimer();
}

void CTimer::UpdateTimer() {
  HWND window = static_cast<HWND>(m_Window);
  KillTimer(window, 1);
  if (m_Interval == 0 || !m_Enabled || !m_Callback.IsSet()) return;
  if (SetTimer(window, 1, m_Interval, nullptr) == 0)
    throw "CTimer::UpdateTimer(), Unable to create timer";
}

void CTimer::Fire() {
  if (m_Callback.IsSet())
    reinterpret_cast<TTimerFunc>(m_Callback.Function)(m_Callback.Context, this);
}
