#include "lib/foundation/threads/MainThreadEventQueue.h"

#include <windows.h>

#include <new>

#include "lib/foundation/app/Application.h"
#include "lib/foundation/app/FinalizeRegistry.h"

CMainThreadEventQueue* g_MainThreadEventQueue = nullptr;

namespace {

const char kClassName[] = "CThreadEventQueue";

LRESULT CALLBACK QueueWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kThreadEventMessage) return DefWindowProcA(window, message, wParam, lParam);
  auto* queue = reinterpret_cast<CThreadEventQueue*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (queue != nullptr) queue->ProcessAll();
  return 0;
}

HWND CreateQueueWindow(CMainThreadEventQueue* queue) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = QueueWindowProc;
  windowClass.hInstance = static_cast<HINSTANCE>(LibraryInstance());
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);  // fails harmlessly when the class exists
  HWND window = CreateWindowExA(0, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
  if (window != nullptr) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(queue));
  return window;
}

void FreeMainThreadEventQueue() {
  delete g_MainThreadEventQueue;
  g_MainThreadEventQueue = nullptr;
}

}  // namespace

void* LibraryInstance() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&LibraryInstance), &module);
  return module;
}

CMainThreadEventQueue::CMainThreadEventQueue()
    : CThreadEventQueue(g_Application.GetMainThreadId()), m_Window(CreateQueueWindow(this)) {}

CMainThreadEventQueue::~CMainThreadEventQueue() {
  if (m_Window == nullptr) return;
  DestroyWindow(static_cast<HWND>(m_Window));
  UnregisterClassA(kClassName, static_cast<HINSTANCE>(LibraryInstance()));
}

void CMainThreadEventQueue::Post(const SCallback& event, CThread* sender) {
  CThreadEventQueue::Post(event, sender);
  // Without a window a null target would post to the calling thread instead.
  if (m_Window != nullptr) PostMessageA(static_cast<HWND>(m_Window), kThreadEventMessage, 0, 0);
}

void InitMainThreadEventQueue() {
  AddFinalizeProc(FreeMainThreadEventQueue);
  g_MainThreadEventQueue = new (std::nothrow) CMainThreadEventQueue;
}
