// The toolkit's top-level window: a popup of the class "CWindows" whose window
// procedure turns mouse, keyboard and paint messages into control operations,
// with a draggable caption bar and a modal loop. Toolkit thread only.
#pragma once

#include <exception>

#include "lib/foundation/core/Callback.h"
#include "lib/foundation/text/Str.h"
#include "lib/widgets/Control.h"

class CFontDesc;
class CLabel;

// Modal results.
enum : int32_t {
  mrNone = 0,
  mrOK = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
  mrAll = 8,
  mrNoToAll = 9,
  mrYesToAll = 10,
};

class CWindow : public CControl {
 public:
  // Hidden, at the screen's size, full-screen; the owner is disabled while
  // this window is modal and must outlive it.
  CWindow(const CStr& caption, CWindow* owner);
  ~CWindow() override;

  void Paint(CBmp* canvas, const RECT& clip) override;
  CControl* GetOwner() override { return this; }
  HWND GetHandle() override { return Handle; }
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  // Hiding also releases a capture held inside the window.
  void SetVisible(bool visible) override;

  virtual void DoHide();
  virtual void DoShow();
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void ModalDone() {}
  virtual void Layout(int32_t orientation);
  virtual void SetCaption(const CStr& text);

  void Show();
  void Hide();
  void SetFocus(CControl* control);
  // Runs a modal loop until ModalResult is not 0 and returns it. Throws
  // std::runtime_error on a visible window; an error raised by a handler
  // inside the loop ends it and is rethrown once the window is hidden.
  int32_t ShowModal();
  // Drops the focus when it lies in the subtree: the control loses its
  // Focused flag (and repaints) but no Exit is raised.
  void ForgetFocus(const CControl* subtree);
  CLabel* GetCaptionLabel() const { return CaptionLabel; }
  bool IsFullScreen() const { return FullScreen; }

  CWindow* Owner;
  CControl* FocusedControl = nullptr;
  CFontDesc* Font = nullptr;
  CLabel* CaptionLabel = nullptr;
  uint8_t FullScreen = true;
  CStr Caption;
  HWND Handle = nullptr;
  uint8_t Modal = false;
  SCallback OnHide;
  SCallback OnShow;
  int32_t ModalResult = mrNone;
  uint32_t Color;
  uint32_t LineColor;

 private:
  void ButtonDown(int32_t x, int32_t y);
  void ButtonUp(int32_t x, int32_t y);
  void DoubleClick(int32_t x, int32_t y);
  void MouseMoveMessage(int32_t x, int32_t y);
  void PaintMessage();
  // KeyPress, then KeyUp on the same control unless a handler deleted it.
  void KeyReleased(uint16_t key);
  void PurgeKeyRepeats();
  CControl* KeyTarget() { return FocusedControl ? FocusedControl : this; }
  CControl* EnabledControlAt(int32_t x, int32_t y);
  void RunModalLoop();
  void EndModal();
  static void DragCaption(CControl* owner, CControl* sender, int32_t x, int32_t y);
};

// A message of the library's own that a toolkit window hands to the function
// set for it, instead of the default processing: a control that needs one
// (the chart viewer, for the tile loader's message) sets it, so the window
// knows nothing of the controls built on it. One function per message;
// setting another replaces it. Toolkit thread only.
using TWindowMessageHandler = void (*)(CWindow* window, WPARAM wParam, LPARAM lParam);
void SetWindowMessageHandler(UINT message, TWindowMessageHandler handler);

// The window procedure of the class "CWindows"; catches everything.
LRESULT CALLBACK ToolkitWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
