#include "tool/Form.h"

#include "tool/Application.h"

HFONT CreateFormFont(int height) {
  return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                     "MS Sans Serif");
}

TForm::~TForm() {
  if (handle_ != nullptr) {
    SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

void TForm::RegisterFormClass(const char* className) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (GetClassInfoExA(instance, className, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = StaticProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = className;
  RegisterClassExA(&wc);
}

void TForm::CreateForm(const char* className, const std::string& caption,
                       int clientWidth, int clientHeight, DWORD style,
                       DWORD exStyle, HWND owner, HMENU menu) {
  RegisterFormClass(className);
  RECT r = {0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&r, style, menu != nullptr, exStyle);
  int width = r.right - r.left, height = r.bottom - r.top;
  int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  owner_ = owner;
  CreateWindowExA(exStyle, className, caption.c_str(), style, x, y, width,
                  height, owner, menu, GetModuleHandleA(nullptr), this);
}

HWND TForm::AddControl(const char* windowClass, const std::string& text,
                       DWORD style, int x, int y, int width, int height,
                       int id, DWORD exStyle) {
  HWND control = CreateWindowExA(
      exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y,
      width, height, handle_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      GetModuleHandleA(nullptr), nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

void TForm::Show() {
  ShowWindow(handle_, SW_SHOW);
  UpdateWindow(handle_);
}

int TForm::ShowModal() {
  modal_ = true;
  modalResult_ = 0;
  if (owner_ != nullptr) EnableWindow(owner_, FALSE);
  Show();
  SetForegroundWindow(handle_);
  MSG msg;
  while (modalResult_ == 0) {
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (IsDialogMessageA(handle_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (owner_ != nullptr) EnableWindow(owner_, TRUE);
  ShowWindow(handle_, SW_HIDE);
  modal_ = false;
  return modalResult_;
}

void TForm::StartTimer(UINT_PTR id, UINT milliseconds) {
  SetTimer(handle_, id, milliseconds, nullptr);
  timers_.push_back(id);
}

void TForm::StopTimers() {
  for (UINT_PTR id : timers_) KillTimer(handle_, id);
  timers_.clear();
}

void TForm::OnClose() {
  if (modal_) {
    modalResult_ = IDCANCEL;
    return;
  }
  DestroyWindow(handle_);
}

LRESULT TForm::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(handle_, msg, wParam, lParam);
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case DM_GETDEFID:
      return defaultButton_ != 0 ? MAKELRESULT(defaultButton_, DC_HASDEFID) : 0;
    case WM_DESTROY:
      if (Application.MainForm() == this) Application.Terminate();
      return 0;
    default:
      return DefaultProc(msg, wParam, lParam);
  }
}

LRESULT CALLBACK TForm::StaticProc(HWND hwnd, UINT msg, WPARAM wParam,
                                   LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* form = static_cast<TForm*>(create->lpCreateParams);
    form->handle_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcA(hwnd, msg, wParam, lParam);
  // C++ exceptions cannot unwind through the system's frames: stop them here.
  try {
    LRESULT result = form->WndProc(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) form->handle_ = nullptr;
    return result;
  } catch (...) {
    Application.HandleException();
    return 0;
  }
}
