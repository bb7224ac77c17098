#include "lib/widgets/Window.h"

#include <stdexcept>
#include <vector>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/app/Application.h"
#include "lib/foundation/display/FontDesc.h"
#include "lib/foundation/time/Stopwatch.h"
#include "lib/widgets/DefaultColors.h"
#include "lib/widgets/DrawHelpers.h"
#include "lib/widgets/InputState.h"
#include "lib/widgets/Label.h"
#include "lib/widgets/ScreenBuffer.h"
#include "lib/widgets/ScreenMetrics.h"

namespace {

const char kClassName[] = "CWindows";
constexpr int32_t kCaptionHeight = 17;

// Modal loops running on this thread, and the first error a handler raised
// inside one of them, which the innermost loop picks up.
int32_t g_ModalDepth = 0;
std::exception_ptr g_PendingError;

void RegisterWindowClass(HINSTANCE module) {
  WNDCLASSA info;
  if (GetClassInfoA(module, kClassName, &info)) return;
  WNDCLASSA wc = {};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ToolkitWindowProc;
  wc.hInstance = module;
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);
}

struct SMessageHandler {
  UINT Message;
  TWindowMessageHandler Handler;
};

std::vector<SMessageHandler>& MessageHandlers() {
  static std::vector<SMessageHandler> handlers;
  return handlers;
}

TWindowMessageHandler MessageHandlerFor(UINT message) {
  for (const SMessageHandler& entry : MessageHandlers())
    if (entry.Message == message) return entry.Handler;
  return nullptr;
}

// The function of a window's show or hide callback pair, null when unset.
auto WindowEvent(const SCallback& callback) {
  return reinterpret_cast<void (*)(void*, CWindow*)>(callback.Function);
}

int32_t LowWordX(LPARAM lParam) { return static_cast<int16_t>(LOWORD(lParam)); }
int32_t HighWordY(LPARAM lParam) { return static_cast<int16_t>(HIWORD(lParam)); }

}  // namespace

void SetWindowMessageHandler(UINT message, TWindowMessageHandler handler) {
  for (SMessageHandler& entry : MessageHandlers())
    if (entry.Message == message) {
      entry.Handler = handler;
      return;
    }
  MessageHandlers().push_back({message, handler});
}

LRESULT CALLBACK ToolkitWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* window = reinterpret_cast<CWindow*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
  if (!window) return DefWindowProcA(handle, message, wParam, lParam);
  try {
    return window->WindowProc(message, wParam, lParam);
  } catch (...) {
    // Inside a modal loop the loop ends and its caller gets the error; outside
    // one nothing can take it.
    if (g_ModalDepth > 0 && !g_PendingError) g_PendingError = std::current_exception();
    return 0;
  }
}

CWindow::CWindow(const CStr& caption, CWindow* owner)
    : CControl(nullptr),
      Owner(owner),
      Caption(caption),
      Color(DefaultBackColor),
      LineColor(DefaultBorderColor) {
  SIZE screen = ToolkitScreenSize();
  Width = screen.cx;
  Height = screen.cy;
  Visible = false;
  HINSTANCE module = GetModuleHandleA(nullptr);
  RegisterWindowClass(module);
  Handle = CreateWindowExA(0, kClassName, caption.c_str(), WS_POPUP, Left, Top, Width, Height,
                           owner ? owner->Handle : nullptr, nullptr, module, nullptr);
  if (Handle) SetWindowLongPtrA(Handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  Font = new CFontDesc("Arial", 9, 1);
  CaptionLabel = new CLabel(this, caption, Font);
  CaptionLabel->TextColor = CaptionTextColor;
  CaptionLabel->Color = CaptionBarColor;
  CaptionLabel->OnMouseMove = DragCaption;
  CaptionLabel->SetBounds(0, 0, Width, kCaptionHeight);
}

CWindow::~CWindow() {
  FocusedControl = nullptr;
  ForgetInputState(this);
  if (Handle) {
    SetWindowLongPtrA(Handle, GWLP_USERDATA, 0);
    DestroyWindow(Handle);
  }
  // The children go before the font that the caption label uses.
  for (int32_t i = Controls.GetCount() - 1; i >= 0; --i) delete Controls[i];
  CaptionLabel = nullptr;
  delete Font;
}

void CWindow::Paint(CBmp* canvas, const RECT&) {
  HDC dc = canvas->GetDC();
  HPEN pen = CreatePen(PS_SOLID, 1, LineColor);
  HBRUSH brush = CreateSolidBrush(Color);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  if (FullScreen) {
    RECT all = {0, 0, Width, Height};
    FillRect(dc, &all, brush);
  } else {
    DrawFrame(dc, 0, 0, Width, Height, 1);
  }
  if (CaptionLabel && CaptionLabel->Visible) DrawHLine(dc, 0, kCaptionHeight, Width, 1);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

void CWindow::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  if (left == Left && top == Top && width == Width && height == Height) return;
  Left = left;
  Top = top;
  Width = width;
  Height = height;
  MoveWindow(Handle, left, top, width, height, TRUE);
  SIZE screen = ToolkitScreenSize();
  FullScreen = left == 0 && top == 0 && width == screen.cx && height == screen.cy;
  if (FullScreen)
    CaptionLabel->SetBounds(0, 0, width, kCaptionHeight);
  else
    CaptionLabel->SetBounds(1, 1, width - 2, kCaptionHeight - 1);
}

void CWindow::SetVisible(bool visible) {
  if (bool(Visible) == visible || !Handle) return;
  if (visible) {
    Visible = true;
    ModalResult = mrNone;
    try {
      Layout(ToolkitScreenOrientation());
      ShowWindow(Handle, SW_SHOW);
      DoShow();
    } catch (...) {
      // A show that failed leaves the window hidden, as it was.
      Visible = false;
      ShowWindow(Handle, SW_HIDE);
      throw;
    }
  } else {
    Visible = false;
    CControlWatch self(this);
    DoHide();
    if (!self.Alive()) return;
    ShowWindow(Handle, SW_HIDE);
    if (g_CapturedControl && g_CapturedControl->IsWithin(this)) SetCaptured(nullptr);
  }
}

void CWindow::DoHide() { RaiseLastEvent(WindowEvent(OnHide), OnHide.Context, this); }

void CWindow::DoShow() { RaiseLastEvent(WindowEvent(OnShow), OnShow.Context, this); }

void CWindow::Layout(int32_t) { CaptionLabel->SetMargin(5); }

void CWindow::SetCaption(const CStr& text) {
  if (Caption.Compare(text) == 0) return;
  Caption = text;
  CaptionLabel->SetText(text);
  SetWindowTextA(Handle, text.c_str());
}

void CWindow::Show() {
  SetCaptured(nullptr);
  SetVisible(true);
}

void CWindow::Hide() {
  SetVisible(false);
  SetCaptured(nullptr);
}

void CWindow::SetFocus(CControl* control) {
  if (control == FocusedControl) return;
  CControlWatch self(this), next(control);
  const bool inside = control && control->IsWithin(this);
  if (CControl* old = FocusedControl) {
    old->SetFocused(false);
    old->Exit();
    if (!self.Alive()) return;
  }
  // The Exit handlers may have deleted the new control or taken it out of
  // this window: then nothing gets the focus. Stored before Enter, so that a
  // handler that deletes or detaches the new control takes the focus away
  // with it.
  const bool gone = !next.Alive() || (inside && !control->IsWithin(this));
  FocusedControl = gone ? nullptr : control;
  if (!FocusedControl) return;
  control->SetFocused(true);
  control->Enter();
}

void CWindow::ForgetFocus(const CControl* subtree) {
  if (!FocusedControl || !FocusedControl->IsWithin(subtree)) return;
  CControl* lost = FocusedControl;
  FocusedControl = nullptr;
  lost->SetFocused(false);
}

LRESULT CWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  int32_t x = LowWordX(lParam), y = HighWordY(lParam);
  auto key = static_cast<uint16_t>(wParam & 0xFFFF);
  switch (message) {
    case WM_DESTROY:
    case WM_SIZE:
    case WM_ACTIVATE:
    case WM_SETTINGCHANGE:
      return 0;
    case WM_CLOSE:
      g_CloseRequested = true;
      return 0;
    case WM_PAINT:
      PaintMessage();
      return 0;
    case WM_KEYDOWN:
      PurgeKeyRepeats();
      KeyTarget()->KeyDown(key);
      return 0;
    case WM_KEYUP:
      KeyReleased(key);
      return 0;
    case WM_LBUTTONDOWN:
      ButtonDown(x, y);
      return 0;
    case WM_LBUTTONUP:
      ButtonUp(x, y);
      return 0;
    case WM_LBUTTONDBLCLK:
      DoubleClick(x, y);
      return 0;
    case WM_MOUSEMOVE:
      MouseMoveMessage(x, y);
      return 0;
    default:
      if (TWindowMessageHandler handler = MessageHandlerFor(message)) {
        handler(this, wParam, lParam);
        return 0;
      }
      return DefWindowProcA(Handle, message, wParam, lParam);
  }
}

void CWindow::KeyReleased(uint16_t key) {
  CControl* target = KeyTarget();
  CControlWatch watch(target);
  target->KeyPress(key);
  if (watch.Alive()) target->KeyUp(key);
}

void CWindow::PurgeKeyRepeats() {
  MSG msg;
  while (PeekMessageA(&msg, Handle, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) {
  }
}

CControl* CWindow::EnabledControlAt(int32_t x, int32_t y) {
  CControl* found = nullptr;
  ControlAt(x, y, found);
  return found && found->Enabled ? found : nullptr;
}

void CWindow::ButtonDown(int32_t x, int32_t y) {
  CControl* control = EnabledControlAt(x, y);
  if (!control) return;
  POINT local = control->WindowToLocal({x, y});
  // Each step's handlers may delete or detach the control, or delete the
  // window with it.
  CControlWatch pressed(control);
  auto stillHere = [&] { return pressed.Alive() && control->IsWithin(this); };
  if (control->Focusable) SetFocus(control);
  if (!stillHere()) return;
  // No tap-and-hold recogniser on this platform: the answer is always "no
  // hold", so the handler's answer changes nothing.
  if (control->HoldGesture && !RaiseEvent(control, control->OnHoldQuery, this, control, x, y))
    return;
  if (!stillHere()) return;
  uint32_t releases = g_ButtonReleases;
  control->MouseDown(local.x, local.y);
  if (!stillHere()) return;
  if (g_ButtonReleases == releases)
    SetCaptured(control);
  else
    // A modal loop run by the handlers took the release: the press is over.
    control->MouseUp(local.x, local.y);
}

void CWindow::ButtonUp(int32_t x, int32_t y) {
  ++g_ButtonReleases;
  CControl* control = g_CapturedControl;
  if (!control) return;
  POINT local = control->WindowToLocal({x, y});
  control->MouseUp(local.x, local.y);
  // The handlers may have deleted the control: its death clears the capture.
  if (g_CapturedControl == control && control->Contains(local.x, local.y)) {
    control->Click(local.x, local.y);
    if (g_CapturedControl == control) g_LastClickedControl = control;
  }
  SetCaptured(nullptr);
}

void CWindow::DoubleClick(int32_t x, int32_t y) {
  CControl* control = EnabledControlAt(x, y);
  if (!control) return;
  if (control->WantsDblClick && control == g_LastClickedControl) {
    POINT local = control->WindowToLocal({x, y});
    control->DblClick(local.x, local.y);
  } else {
    ButtonDown(x, y);
  }
}

void CWindow::MouseMoveMessage(int32_t x, int32_t y) {
  CControl* control = g_CapturedControl;
  if (!control) control = EnabledControlAt(x, y);
  if (!control) return;
  POINT local = control->WindowToLocal({x, y});
  control->MouseMove(local.x, local.y);
}

void CWindow::PaintMessage() {
  PAINTSTRUCT ps;
  HDC windowDC = BeginPaint(Handle, &ps);
  CBmp32* buffer = GetScreenBackBuffer();
  HDC dc = buffer->GetDC();
  RECT rect = ps.rcPaint;
  HRGN clip = CreateRectRgnIndirect(&rect);
  SelectClipRgn(dc, clip);
  DeleteObject(clip);
  g_PaintStopwatch.Start();
  try {
    PaintTree(buffer, rect, 0, 0);
  } catch (...) {
    g_PaintStopwatch.Stop();
    SetViewportOrgEx(dc, 0, 0, nullptr);
    EndPaint(Handle, &ps);
    throw;
  }
  g_PaintStopwatch.Stop();
  SetViewportOrgEx(dc, 0, 0, nullptr);
  buffer->DrawToDC(windowDC, rect.left, rect.top, rect.right, rect.bottom, rect.left, rect.top,
                   rect.right, rect.bottom);
  EndPaint(Handle, &ps);
}

void CWindow::DragCaption(CControl* owner, CControl* sender, int32_t x, int32_t y) {
  auto* window = static_cast<CWindow*>(owner);
  if (window->FullScreen || !sender->Pressed) return;
  window->SetBounds(x - sender->DownPoint.x + window->Left, y - sender->DownPoint.y + window->Top,
                    window->Width, window->Height);
}

int32_t CWindow::ShowModal() {
  if (Visible) throw std::runtime_error("CWindow::ShowModal(), Window already visible.");
  Modal = true;
  SetCaptured(nullptr);
  try {
    SetVisible(true);
  } catch (...) {
    Modal = false;
    throw;
  }
  if (Owner) EnableWindow(Owner->Handle, FALSE);
  try {
    RunModalLoop();
    ModalDone();
  } catch (...) {
    EndModal();
    throw;
  }
  EndModal();
  return ModalResult;
}

void CWindow::RunModalLoop() {
  ++g_ModalDepth;
  struct SDepthGuard {
    ~SDepthGuard() { --g_ModalDepth; }
  } guard;
  MSG msg = {};
  while (ModalResult == mrNone) {
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
      g_CloseRequested = true;
      ModalResult = mrCancel;
      g_Application.SetExitCode(static_cast<uint32_t>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    if (g_PendingError) {
      std::exception_ptr error = g_PendingError;
      g_PendingError = nullptr;
      std::rethrow_exception(error);
    }
    if (g_CloseRequested) ModalResult = mrCancel;
  }
}

void CWindow::EndModal() {
  if (Owner) {
    SetForegroundWindow(Owner->Handle);
    EnableWindow(Owner->Handle, TRUE);
  }
  SetVisible(false);
  Modal = false;
}
